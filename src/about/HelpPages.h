#pragma once

#include <QList>
#include <QString>

// The help's pages in the order of its contents list; the first is where F1 opens it.
struct HelpPage {
    QString file;   // under qrc:/help/
    QString title;
};
const QList<HelpPage> &HelpPages();

// The page that explains a message or a mark's reason, or an empty text when none does.
QString HelpPageFor(const QString &message);

// True when every word of the query is in the text (letter case aside); an empty query finds every page.
bool HelpTextMatches(const QString &text, const QString &query);
