#include "animation/AnimationFile.h"

#include "animation/LineLimit.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QFile>

namespace {

// Builds the lines from the file's lines, given one at a time. Time and Action repeat from line to line: the
// previous Time and the action list's own texts are shared instead of copied.
class LineBuilder {
public:
    explicit LineBuilder(qsizetype expected) { m_lines.reserve(expected); }
    void add(QStringView text, QStringView time, QStringView action)
    {
        if (time != m_time)
            m_time = time.toString();
        m_lines.append({text.toString(), m_time, actionText(action)});
    }
    void addName(QStringView text) { m_lines.append(NameLine(text.toString())); }
    QVector<AnimationLine> take() { return std::move(m_lines); }

private:
    static QString actionText(QStringView action)
    {
        for (const QString &known : ActionList())
            if (action == known)
                return known;
        return ActionList().first();  // "set name"
    }

    QVector<AnimationLine> m_lines;
    QString m_time;
};

// next() gives the file's lines one at a time, and nothing after the last. A record cut short is dropped.
template<typename NextLine>
QVector<AnimationLine> parseLines(qsizetype expected, NextLine next)
{
    const std::optional<QStringView> first = next();
    if (!first)
        return {};
    if (*first == AnimationFileHeader) {
        LineBuilder builder(expected / 3);
        for (;;) {
            const std::optional<QStringView> text = next(), time = next(), action = next();
            if (!action)
                return builder.take();
            builder.add(*text, *time, *action);
        }
    }
    LineBuilder builder(expected);
    while (const std::optional<QStringView> text = next())
        builder.addName(*text);
    return builder.take();
}

} // namespace

QVector<AnimationLine> ParseAnimationFile(const QStringList &fileLines)
{
    qsizetype i = 0;
    return parseLines(fileLines.size(), [&]() -> std::optional<QStringView> {
        if (i == fileLines.size())
            return std::nullopt;
        return QStringView(fileLines.at(i++));
    });
}

QVector<AnimationLine> ParseAnimationText(const QString &text)
{
    // The lines end at CR or CR LF, as SplitLines reads them, without a string for each.
    qsizetype start = 0;
    return parseLines(text.size() / 16, [&]() -> std::optional<QStringView> {
        if (start >= text.size())
            return std::nullopt;
        qsizetype end = text.indexOf(QLatin1Char('\r'), start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + (end + 1 < text.size() && text.at(end + 1) == QLatin1Char('\n') ? 2 : 1);
        return line;
    });
}

namespace {

void appendField(QString &text, const QString &field)
{
    if (field.contains(QLatin1Char('\r'))) {
        QString flattened = field;
        flattened.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        text += flattened;
    } else {
        text += field;
    }
    text += QLatin1String("\r\n");
}

} // namespace

QString AnimationFileText(const QVector<AnimationLine> &lines)
{
    qsizetype size = AnimationFileHeader.size() + 2;
    for (const AnimationLine &line : lines)
        size += line.text.size() + line.time.size() + line.action.size() + 6;
    QString text;
    text.reserve(size);
    appendField(text, AnimationFileHeader);
    for (const AnimationLine &line : lines) {
        appendField(text, line.text);
        appendField(text, line.time);
        appendField(text, line.action);
    }
    return text;
}

std::optional<QVector<AnimationLine>> ReadAnimationFile(const QString &path, Prompts &prompts, bool *cut)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (!LooksLikeText(bytes)) {
        prompts.message(NotTextMessage(path), QStringLiteral("Error"), PromptIcon::Critical);
        return std::nullopt;
    }
    QVector<AnimationLine> lines = ParseAnimationText(DecodeAnsi(bytes));
    if (cut)
        *cut = lines.size() > AnimationModel::MaxLines;
    if (lines.size() > AnimationModel::MaxLines) {
        lines.resize(AnimationModel::MaxLines);
        prompts.message(LineLimitMessage(), AppTitle, PromptIcon::Exclamation);
    }
    return lines;
}

QString NotTextMessage(const QString &path)
{
    return QStringLiteral("%1 is not an animation: it holds bytes that no text file holds (it may be a picture, "
                          "a program or a damaged file). Nothing was opened.")
        .arg(QDir::toNativeSeparators(path));
}

bool LoadAnimation(AnimationModel &model, const QString &path, Prompts &prompts)
{
    model.clear();
    const std::optional<QVector<AnimationLine>> lines = ReadAnimationFile(path, prompts);
    if (lines)
        model.setLines(*lines);
    return lines.has_value();
}

QString SaveErrorMessage(const TextWriteResult &result)
{
    return QStringLiteral("Error saving script!\n%1\n%2").arg(result.errorCode).arg(result.errorString);
}

bool SaveAnimation(const AnimationModel &model, const QString &path, Prompts &prompts)
{
    const TextWriteResult result = WriteTextFile(path, AnimationFileText(model.lines()));
    if (!result.ok) {
        prompts.message(SaveErrorMessage(result), QStringLiteral("Error"), PromptIcon::Critical);
        return false;
    }
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    return true;
}
