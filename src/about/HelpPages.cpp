#include "about/HelpPages.h"

#include <QRegularExpression>

const QList<HelpPage> &HelpPages()
{
    static const QList<HelpPage> pages = {
        {QStringLiteral("first.html"), QStringLiteral("Your first animation")},
        {QStringLiteral("colors.html"), QStringLiteral("Colour codes")},
        {QStringLiteral("time.html"), QStringLiteral("Time and the game's frames")},
        {QStringLiteral("actions.html"), QStringLiteral("Actions")},
        {QStringLiteral("script.html"), QStringLiteral("Saving and starting the script")},
        {QStringLiteral("bind.html"), QStringLiteral("Binding it to a key")},
        {QStringLiteral("marks.html"), QStringLiteral("What the ! marks mean")},
        {QStringLiteral("effects.html"), QStringLiteral("Effects")},
        {QStringLiteral("colorize.html"), QStringLiteral("Colorize")},
        {QStringLiteral("keys.html"), QStringLiteral("Keyboard")},
        {QStringLiteral("cli.html"), QStringLiteral("The command-line tool")},
    };
    return pages;
}

QString HelpPageFor(const QString &message)
{
    static const struct {
        const char *contains;
        const char *page;
    } topics[] = {
        {"In the game:", "marks.html"}, {"dropped by the server", "marks.html"}, {"never seen", "marks.html"},
        {"shown as UnnamedPlayer", "marks.html"}, {"cut at 35 bytes", "marks.html"},
        {"no number", "time.html"}, {"exec", "script.html"},
    };
    for (const auto &topic : topics)
        if (message.contains(QLatin1String(topic.contains)))
            return QLatin1String(topic.page);
    return {};
}

bool HelpTextMatches(const QString &text, const QString &query)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : query.split(blanks, Qt::SkipEmptyParts))
        if (!text.contains(word, Qt::CaseInsensitive))
            return false;
    return true;
}
