#include "script/ScriptGenerator.h"

#include "about/Contact.h"
#include "colors/Numbers.h"

#include <cmath>

namespace {

const QLatin1String CrLf("\r\n");

QString quotableText(const QString &text)
{
    QString safe = text;
    for (QChar &c : safe) {
        if (c == QLatin1Char('"'))
            c = QLatin1Char('\'');
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return safe;
}

bool needsQuoteMend(const QString &text)
{
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return true;
    }
    return false;
}

void appendCommandLine(QString &script, const AnimationLine &line)
{
    if (line.text.isEmpty()) {
        script += QLatin1String("set name \"_\"");
        return;
    }
    script += line.action;
    script += QLatin1String(" \"");
    // Most Texts need no mending; append them in place without a copy.
    if (needsQuoteMend(line.text))
        script += quotableText(line.text);
    else
        script += line.text;
    script += QLatin1Char('"');
}

} // namespace

const QStringList &ScriptBanner()
{
    static const QStringList banner{
        QStringLiteral("//---------------------------------\\\\"),
        QStringLiteral("//--------- SCRIPT MADE WITH ------\\\\"),
        QStringLiteral("//---------- Marqueemaster --------\\\\"),
        QStringLiteral("//------ a name animation by ------\\\\"),
        QStringLiteral("//---------------------------------\\\\"),
        QStringLiteral("//-") + Contact::Mail + QStringLiteral("-\\\\"),
        QStringLiteral("//---------------------------------\\\\"),
    };
    return banner;
}

QString NoNumberMessage(const QString &time)
{
    return QStringLiteral("no number _") + time + QLatin1Char('_');
}

QString WaitValue(const QString &time, bool *isNumber)
{
    const bool number = IsNumber(time);
    if (isNumber)
        *isNumber = number;
    if (!number)
        return QStringLiteral("15");
    const double whole = std::floor(*NumberValue(time));
    if (whole <= 0)
        return QStringLiteral("5");
    if (whole >= 100)
        return QStringLiteral("99");
    return time;
}

QString ScriptCommandLine(const AnimationLine &line)
{
    QString text;
    appendCommandLine(text, line);
    return text;
}

QString BuildScriptText(const QVector<AnimationLine> &lines,
                        const std::function<void(const QString &message)> &reportBadTime)
{
    const QStringList &banner = ScriptBanner();
    qsizetype size = 0;
    for (const QString &line : banner)
        size += line.size() + 2;
    // Command line: action, blank, two quotes; wait line: "wait " and a short value.
    for (const AnimationLine &line : lines)
        size += line.action.size() + line.text.size() + 4 + 2 + 5 + line.time.size() + 2 + 2;
    QString script;
    script.reserve(size);

    for (const QString &line : banner) {
        script += CrLf;
        script += line;
    }
    for (const AnimationLine &line : lines) {
        script += CrLf;
        appendCommandLine(script, line);
        bool isNumber = false;
        const QString wait = WaitValue(line.time, &isNumber);
        if (!isNumber && reportBadTime)
            reportBadTime(NoNumberMessage(line.time));
        script += CrLf;
        script += QLatin1String("wait ");
        script += wait;
    }
    return script;
}

QString ScriptFileText(const QString &windowText)
{
    return windowText + CrLf;
}
