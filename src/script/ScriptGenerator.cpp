#include "script/ScriptGenerator.h"

#include "script/Contact.h"
#include "script/MemoByTime.h"
#include "colors/Numbers.h"
#include "game/GameConsole.h"

#include <algorithm>
#include <cmath>

namespace {

const QLatin1String CrLf("\r\n");

// What stands between the quotes as it is: anything but what would close them or end the line.
inline bool quotable(QChar c)
{
    const char16_t u = c.unicode();
    return (u > u'"' && u < 0x2028) || (u != u'"' && !GameConsole::EndsLineOrText(u));  // most characters: the first test
}

// Writes into a buffer sized once: a full animation's script is over a
// million characters, and appending piece by piece costs more than building it.
class ScriptWriter {
public:
    explicit ScriptWriter(QString &buffer) : m_buffer(buffer), m_out(buffer.data()) {}

    void put(QStringView text)
    {
        std::copy(text.begin(), text.end(), m_out);
        m_out += text.size();
    }
    // The Text between the quotes, mended so it can't close them or end the line.
    void putQuotable(QStringView text)
    {
        for (QChar c : text)
            *m_out++ = quotable(c) ? c : c == u'"' ? u'\'' : u' ';
    }
    qsizetype at() const { return m_out - m_buffer.constData(); }
    void finish() { m_buffer.truncate(at()); }

private:
    QString &m_buffer;
    QChar *m_out;
};

// The game runs what is past 1,023 bytes of a line as a command of its own.
qsizetype roomForText(const AnimationLine &line)
{
    return GameConsole::MaxCommandBytes - line.action.size() - 3;
}

void writeCommandLine(ScriptWriter &writer, const AnimationLine &line)
{
    if (line.text.isEmpty()) {
        writer.put(u"set name \"_\"");
        return;
    }
    writer.put(line.action);
    writer.put(u" \"");
    const qsizetype room = roomForText(line);
    writer.putQuotable(line.text.size() > room ? QStringView(line.text).first(qMax<qsizetype>(room, 0)) : line.text);
    writer.put(u"\"");
}

// Upper bound of the characters writeCommandLine writes.
qsizetype commandLineSize(const AnimationLine &line)
{
    return line.text.isEmpty() ? 12 : line.action.size() + line.text.size() + 3;
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
    // Read once: every line of a script asks.
    const std::optional<double> value = NumberValue(time);
    const bool number = value && ToInt16(*value);
    if (isNumber)
        *isNumber = number;
    if (!number)
        return QStringLiteral("15");
    const double whole = std::floor(*value);
    if (whole <= 0)
        return QStringLiteral("5");
    if (whole >= 100)
        return QStringLiteral("99");
    return time;
}

GeneratedScript GenerateScript(const QVector<AnimationLine> &lines,
                               const std::function<void(const QString &message)> &reportBadTime)
{
    const QStringList &banner = ScriptBanner();
    qsizetype size = 0;
    for (const QString &line : banner)
        size += CrLf.size() + line.size();
    // The wait value is never longer than the Time, "15" or "99".
    for (const AnimationLine &line : lines)
        size += 2 * CrLf.size() + commandLineSize(line) + 5 + std::max<qsizetype>(line.time.size(), 2);

    GeneratedScript script;
    script.text = QString(size, Qt::Uninitialized);
    script.commandEnds.reserve(lines.size());
    script.stepEnds.reserve(lines.size());
    ScriptWriter writer(script.text);
    for (const QString &line : banner) {
        writer.put(u"\r\n");
        writer.put(line);
    }
    script.bannerEnd = writer.at();
    struct Wait {
        QString value;
        bool isNumber = false;
    };
    MemoByTime<Wait> waits;
    const auto read = [](const QString &time) {
        Wait wait;
        wait.value = WaitValue(time, &wait.isNumber);
        return wait;
    };
    for (const AnimationLine &line : lines) {
        writer.put(u"\r\n");
        writeCommandLine(writer, line);
        script.commandEnds.append(writer.at());
        const Wait &wait = waits.of(line.time, read);
        if (!wait.isNumber && reportBadTime)
            reportBadTime(NoNumberMessage(line.time));
        writer.put(u"\r\nwait ");
        writer.put(wait.value);
        script.stepEnds.append(writer.at());
    }
    writer.finish();
    return script;
}

QString BuildScriptText(const QVector<AnimationLine> &lines,
                        const std::function<void(const QString &message)> &reportBadTime)
{
    return GenerateScript(lines, reportBadTime).text;
}

QString CommandLine(const AnimationLine &line)
{
    QString command;
    CommandLineInto(line, command);
    return command;
}

void CommandLineInto(const AnimationLine &line, QString &command)
{
    command.resize(commandLineSize(line));
    ScriptWriter writer(command);
    writeCommandLine(writer, line);
    writer.finish();
}

bool QuotesTextAsIs(const AnimationLine &line)
{
    return !line.text.isEmpty() && line.text.size() <= roomForText(line)
           && std::all_of(line.text.begin(), line.text.end(), quotable);
}

QString ScriptFileText(const QString &windowText)
{
    return windowText + CrLf;
}
