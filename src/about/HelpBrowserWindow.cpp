#include "about/HelpBrowserWindow.h"

#include "about/HelpPages.h"
#include "platform/ScreenFit.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString HelpRoot = QStringLiteral("qrc:/help/");

QString pageHtml(const QString &file, const HelpFacts &facts)
{
    QFile page(QStringLiteral(":/help/") + file);
    return page.open(QIODevice::ReadOnly) ? FillHelpPage(QString::fromUtf8(page.readAll()), facts) : QString();
}

QString pagePlainText(const QString &file, const HelpFacts &facts)
{
    QTextDocument document;
    document.setHtml(pageHtml(file, facts));
    return document.toPlainText();
}

// Pages filled with the chosen game's facts as they are shown.
class FilledBrowser : public QTextBrowser {
public:
    FilledBrowser(const HelpFacts &facts, QWidget *parent) : QTextBrowser(parent), m_facts(facts) {}
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource && name.scheme() == QLatin1String("qrc"))
            return pageHtml(name.fileName(), m_facts);
        return QTextBrowser::loadResource(type, name);
    }

private:
    const HelpFacts &m_facts;
};

} // namespace

// The pages live in a static library: its resources are registered by hand, outside any namespace.
static void registerHelpPages()
{
    Q_INIT_RESOURCE(help);
}

HelpBrowserWindow::HelpBrowserWindow(QWidget *parent) : QDialog(parent)
{
    registerHelpPages();
    setObjectName(QStringLiteral("frmHelpBrowser"));
    setWindowTitle(QStringLiteral("Marqueemaster Help"));
    setModal(false);
    ResizeOnScreen(*this, QSize(820, 560));

    auto *searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtHelpSearch"));
    m_search->setPlaceholderText(QStringLiteral("words to find"));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    auto *contentsLabel = new QLabel(QStringLiteral("C&ontents:"), this);
    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("lstHelpContents"));
    contentsLabel->setBuddy(m_contents);
    for (const HelpPage &page : HelpPages()) {
        auto *item = new QListWidgetItem(page.title, m_contents);
        item->setData(Qt::UserRole, page.file);
    }

    m_browser = new FilledBrowser(m_facts, this);
    m_browser->setObjectName(QStringLiteral("txtHelpPage"));
    m_browser->setOpenExternalLinks(true);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : {static_cast<QWidget *>(searchLabel), static_cast<QWidget *>(m_search),
                            static_cast<QWidget *>(contentsLabel), static_cast<QWidget *>(m_contents)})
        leftLayout->addWidget(widget);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 600});

    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &HelpBrowserWindow::search);
    // Enter in the search box opens the first page found, with the first word marked.
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        for (int row = 0; row < m_contents->count(); ++row)
            if (!m_contents->item(row)->isHidden()) {
                m_contents->setCurrentRow(row);
                m_browser->find(m_search->text().section(u' ', 0, 0, QString::SectionSkipEmpty));
                return;
            }
    });
    connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && currentPage() != item->data(Qt::UserRole).toString())
            showPage(item->data(Qt::UserRole).toString());
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpBrowserWindow::pageShown);
    setFacts(m_facts);
    showPage(HelpPages().first().file);
}

void HelpBrowserWindow::setFacts(const HelpFacts &facts)
{
    m_facts = facts;
    m_pageTexts.clear();
    for (const HelpPage &page : HelpPages())
        m_pageTexts << pagePlainText(page.file, m_facts);
    if (!m_browser->source().isEmpty())
        m_browser->reload();
    search(m_search->text());
}

void HelpBrowserWindow::showPage(const QString &page)
{
    m_browser->setSource(QUrl(HelpRoot + page));
}

QString HelpBrowserWindow::currentPage() const
{
    return m_browser->source().fileName();
}

void HelpBrowserWindow::pageShown(const QUrl &url)
{
    for (int row = 0; row < m_contents->count(); ++row)
        if (m_contents->item(row)->data(Qt::UserRole).toString() == url.fileName()) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentRow(row);
        }
}

void HelpBrowserWindow::search(const QString &query)
{
    for (int row = 0; row < m_contents->count(); ++row)
        m_contents->item(row)->setHidden(!HelpTextMatches(m_pageTexts.value(row), query));
}

HelpBrowserWindow *ShowHelp(QWidget *parent, const HelpFacts &facts, const QString &page)
{
    static QPointer<HelpBrowserWindow> window;
    if (!window) {
        window = new HelpBrowserWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->setFacts(facts);
    window->showPage(page.isEmpty() ? HelpPages().first().file : page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
