#include "animation/AnimationFile.h"

#include "animation/LineLimit.h"
#include "platform/Prompts.h"

#include <QDir>

QVector<AnimationLine> ParseAnimationFile(const QStringList &fileLines)
{
    QVector<AnimationLine> lines;
    if (fileLines.isEmpty())
        return lines;
    if (fileLines.first() == AnimationFileHeader) {
        lines.reserve((fileLines.size() - 1) / 3);
        for (qsizetype i = 1; i + 2 < fileLines.size(); i += 3) {
            const QString &action = fileLines.at(i + 2);
            lines.append({fileLines.at(i), fileLines.at(i + 1), IsAction(action) ? action : QStringLiteral("set name")});
        }
    } else {
        lines.reserve(fileLines.size() - 1);
        for (qsizetype i = 1; i < fileLines.size(); ++i)
            lines.append(NameLine(fileLines.at(i)));
    }
    return lines;
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

std::optional<QVector<AnimationLine>> ReadAnimationFile(const QString &path, Prompts &prompts)
{
    const TextReadResult file = ReadTextLines(path, LineBreaks::CrOrCrLf);
    if (!file.ok)
        return std::nullopt;
    if (file.binary) {
        prompts.message(NotTextMessage(path), QStringLiteral("Error"), PromptIcon::Critical);
        return std::nullopt;
    }
    QVector<AnimationLine> lines = ParseAnimationFile(file.lines);
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
