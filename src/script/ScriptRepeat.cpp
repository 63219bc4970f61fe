#include "script/ScriptRepeat.h"

#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"

#include <QStringList>

namespace ScriptRepeat {

namespace {

constexpr qsizetype MaxStemChars = 20;  // keeps each cvar line far below what set takes

QString digitCvar(const QString &prefix, int digit)
{
    return prefix + QLatin1Char('_') + QString::number(digit);
}

QString entryCvar(const QString &prefix, int digit, int value)
{
    return digitCvar(prefix, digit) + QLatin1Char('_') + QString::number(value);
}

QString setLine(const QString &cvar, const QString &value)
{
    return QStringLiteral("set %1 \"%2\"").arg(cvar, value);
}

} // namespace

QString CvarPrefix(const QString &execName)
{
    // Cvar names are case-insensitive and may not hold \ " or ;: letters, digits and _ only.
    QString stem = execName.section(QLatin1Char('/'), -1).left(MaxStemChars).toLower();
    for (QChar &c : stem) {
        if (!(c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'_')))
            c = u'_';
    }
    return QStringLiteral("mm_") + stem;
}

QString StarterText(const QString &execName, int passes)
{
    const QString prefix = CvarPrefix(execName);
    const QString again = QStringLiteral("exec ") + ExecPath(execName, 2);
    // The passes after the first, one cvar per decimal digit pointing at that digit's value; each value's cvar
    // lowers the digit and plays again, or at 0 borrows from the next digit (the top one's 0 runs nothing).
    const QString left = QString::number(passes - 1);
    QStringList lines;
    lines << QString() << ScriptBanner()
          << QStringLiteral("// plays %1 times: the count of the passes left is kept in the %2_ cvars")
                 .arg(passes).arg(prefix);
    for (int digit = 0; digit < left.size(); ++digit) {
        const bool top = digit == left.size() - 1;
        const int value = left.at(left.size() - 1 - digit).digitValue();
        const QString pointer = digitCvar(prefix, digit);
        for (int k = 0; k <= (top ? value : 9); ++k) {
            QString entry;
            if (k > 0)
                entry = QStringLiteral("set %1 vstr %2; %3").arg(pointer, entryCvar(prefix, digit, k - 1), again);
            else if (!top)
                entry = QStringLiteral("set %1 vstr %2; vstr %3")
                            .arg(pointer, entryCvar(prefix, digit, 9), digitCvar(prefix, digit + 1));
            lines << setLine(entryCvar(prefix, digit, k), entry);
        }
        lines << setLine(pointer, QStringLiteral("vstr ") + entryCvar(prefix, digit, value));
    }
    lines << ChainLine(execName, 2);
    return lines.join(QStringLiteral("\r\n"));
}

QString TailLine(const QString &execName)
{
    return QStringLiteral("vstr ") + digitCvar(CvarPrefix(execName), 0);
}

QString PathProblem(const ExecTarget &target)
{
    const QString path = ExecPath(target.name, 2);
    for (QChar c : path) {
        if (c.unicode() <= u' ' || c.unicode() >= 0x7f || c == u';' || c == u'"')
            return QStringLiteral("To repeat, the script runs %1 from inside a cvar, where its path can't be quoted: "
                                  "save it under a name and folder without blanks, ';' or letters outside ASCII, or "
                                  "play it once.").arg(path);
    }
    return {};
}

QString TooManyPassesMessage(int passes, int most)
{
    return QStringLiteral("The game's command buffer can't hold %L1 passes of this script: every pass leaves a few "
                          "bytes in it until the last one ends. It holds at most %L2.").arg(passes).arg(most);
}

} // namespace ScriptRepeat
