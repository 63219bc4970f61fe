#include "about/AboutDialog.h"

#include "script/Contact.h"
#include "about/LinkLabel.h"
#include "colors/ColoredText.h"
#include "platform/Prompts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent, LinkOpener opener) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + AppTitle);

    auto *preview = new QTextEdit(this);
    preview->setTabChangesFocus(true);
    preview->setObjectName(QStringLiteral("txtPreview"));
    preview->setReadOnly(true);
    preview->setAcceptRichText(false);
    QFont courier(QStringLiteral("Courier New"), 12, QFont::Bold);
    courier.setStyleHint(QFont::TypeWriter);
    preview->setFont(courier);
    preview->document()->setDefaultFont(courier);
    QPalette grey = preview->palette();
    grey.setColor(QPalette::Base, QColor(128, 128, 128));
    preview->setPalette(grey);
    RenderColoredText(AboutText(), *preview->document());
    preview->setMinimumSize(300, 110);

    auto *link = new LinkLabel(Contact::WebPage, WebPageUrl(), std::move(opener), this);
    link->setObjectName(QStringLiteral("Label1"));

    auto *licence = new QLabel(LicenceText(), this);
    licence->setObjectName(QStringLiteral("lblLicence"));
    licence->setWordWrap(true);

    // Grey over white: a sunken line.
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(link);
    bottom->addStretch();
    bottom->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(preview);
    layout->addWidget(licence);
    layout->addWidget(line);
    layout->addLayout(bottom);
    ok->setFocus();
}
