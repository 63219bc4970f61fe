#pragma once

#include "about/HelpFacts.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// Marqueemaster Help: the pages on the right, their contents list on the left, filtered by the search box.
class HelpBrowserWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpBrowserWindow(QWidget *parent = nullptr);

    // The chosen game's facts the pages speak of; the page shown is filled again.
    void setFacts(const HelpFacts &facts);

    // Shows a page (a file of HelpPages, with or without #anchor).
    void showPage(const QString &page);
    QString currentPage() const;

private:
    void search(const QString &query);
    void pageShown(const QUrl &url);

    QLineEdit *m_search = nullptr;
    QListWidget *m_contents = nullptr;
    QTextBrowser *m_browser = nullptr;
    QStringList m_pageTexts;  // plain text of each page as filled, for the search
    HelpFacts m_facts;
};

// The one help window, opened on a page (the first when none is given) and brought to the front.
HelpBrowserWindow *ShowHelp(QWidget *parent, const HelpFacts &facts, const QString &page = QString());
