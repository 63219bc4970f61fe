#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// Marqueemaster Help: the pages on the right, their contents list on the left, filtered by the search box.
class HelpBrowserWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpBrowserWindow(QWidget *parent = nullptr);

    // Shows a page (a file of HelpPages, with or without #anchor).
    void showPage(const QString &page);
    QString currentPage() const;

private:
    void search(const QString &query);
    void pageShown(const QUrl &url);

    QLineEdit *m_search = nullptr;
    QListWidget *m_contents = nullptr;
    QTextBrowser *m_browser = nullptr;
    QStringList m_pageTexts;  // plain text of each page, for the search
};

// The one help window, opened on a page (the first when none is given) and brought to the front.
HelpBrowserWindow *ShowHelp(QWidget *parent, const QString &page = QString());
