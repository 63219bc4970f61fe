#include "about/HelpDialog.h"

#include "script/Contact.h"
#include "about/LinkLabel.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox *frame(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel *label(const QString &name, const QString &caption, QWidget *parent)
{
    auto *text = new QLabel(caption, parent);
    text->setObjectName(name);
    return text;
}

} // namespace

HelpDialog::HelpDialog(QWidget *parent, LinkOpener opener) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help!!"));

    auto *faq = frame(QStringLiteral("fraFAQ"), QStringLiteral("Help + FAQ + Tutorial"), this);
    auto *faqLink = new LinkLabel(Contact::WebPage, WebPageUrl(), opener, faq);
    faqLink->setObjectName(QStringLiteral("Label3"));
    (new QVBoxLayout(faq))->addWidget(faqLink);

    auto *forums = frame(QStringLiteral("Frame1"), QStringLiteral("Forums"), this);
    auto *forumLink = new LinkLabel(Contact::WebPage, WebPageUrl(), opener, forums);
    forumLink->setObjectName(QStringLiteral("Label4"));
    (new QVBoxLayout(forums))->addWidget(forumLink);

    auto *contact = frame(QStringLiteral("Frame2"), QStringLiteral("Contact me"), this);
    auto *mailLink = new LinkLabel(Contact::Mail, MailUrl(), opener, contact);
    mailLink->setObjectName(QStringLiteral("Label5"));
    auto *icq = new QLineEdit(Contact::Icq, contact);
    icq->setObjectName(QStringLiteral("Text4"));
    icq->setReadOnly(true);
    auto *copy = new QPushButton(QStringLiteral("Co&py to clipboard"), contact);
    copy->setObjectName(QStringLiteral("Command5"));
    connect(copy, &QPushButton::clicked, this, [] { QGuiApplication::clipboard()->setText(Contact::Icq); });

    auto *grid = new QGridLayout(contact);
    grid->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Email"), contact), 0, 0);
    grid->addWidget(mailLink, 0, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Label2"), QStringLiteral("ICQ"), contact), 1, 0);
    grid->addWidget(icq, 1, 1);
    grid->addWidget(copy, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setDefault(true);
    // Opened with the focus on Close: Enter closes the window instead of opening a link.
    close->setFocus();
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(faq);
    layout->addWidget(forums);
    layout->addWidget(contact);
    layout->addLayout(buttons);
}
