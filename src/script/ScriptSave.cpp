#include "script/ScriptSave.h"

#include "animation/AnimationFile.h"
#include "platform/FileEnding.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

const QString ScriptFilter = QStringLiteral("RtCW Script (*.cfg)|*.cfg|All Files(*.*)|*.*");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A part an earlier save of ours wrote: our banner, and the part before chained to it.
bool isOurPart(const QByteArray &bytes, const QByteArray &before, int part)
{
    const QByteArray banner = EncodeAnsi(ScriptFileText(ScriptBanner().join(QLatin1String("\r\n"))));
    const QByteArray chain = QByteArray("_") + QByteArray::number(part);
    const QByteArray last = before.trimmed().split('\n').last().trimmed();
    return bytes.startsWith("\r\n" + banner) && last.startsWith("exec ")
           && (last.endsWith(chain) || last.endsWith(chain + ".cfg"));
}

// All or none: a part written before a failed one gets its old bytes back, or goes.
void putBack(const QString &path, const std::optional<QByteArray> &bytes)
{
    if (!bytes) {
        QFile::remove(path);
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size())
        file.commit();
}

} // namespace

QStringList PartPaths(const QString &firstPath, qsizetype count)
{
    QStringList paths;
    for (int part = 1; part <= count; ++part)
        paths << PartPath(firstPath, part);
    return paths;
}

PartsWriteResult WriteScriptParts(const QString &firstPath, const QStringList &parts)
{
    PartsWriteResult result;
    const QStringList paths = PartPaths(firstPath, parts.size());
    const QStringList chained = RechainParts(parts, ExecTargetOf(firstPath).name);

    // What the files held, to put back if a later part can't be written.
    QList<std::optional<QByteArray>> before;
    for (const QString &path : paths)
        before << (QFileInfo::exists(path) ? std::optional(fileBytes(path)) : std::nullopt);
    QStringList stale;
    QByteArray previous = before.last().value_or(QByteArray());
    for (int part = static_cast<int>(parts.size()) + 1;; ++part) {
        const QString path = PartPath(firstPath, part);
        const QByteArray bytes = fileBytes(path);
        if (!QFileInfo::exists(path) || !isOurPart(bytes, previous, part))
            break;
        stale << path;
        previous = bytes;
    }

    for (qsizetype i = 0; i < paths.size(); ++i) {
        const TextWriteResult written = WriteTextFile(paths.at(i), ScriptFileText(chained.at(i)));
        if (!written.ok) {
            for (qsizetype j = 0; j < i; ++j)
                putBack(paths.at(j), before.at(j));
            result.errorMessage = SaveErrorMessage(written);
            return result;
        }
        result.replacedCharacters |= written.replacedCharacters;
        result.written << paths.at(i);
    }
    for (const QString &path : stale) {
        if (QFile::remove(path))
            result.removed << path;
    }
    result.ok = true;
    return result;
}

bool SaveScriptParts(const QStringList &parts, const QString &generateDir, FileDialogState &dialog, Prompts &prompts)
{
    QString path;
    for (;;) {
        dialog.title = QStringLiteral("Save Script");
        dialog.filter = ScriptFilter;
        if (dialog.fileName.isEmpty() && !generateDir.isEmpty())
            dialog.initialDir = generateDir;
        if (!prompts.saveFile(dialog))
            return false;
        path = WithFilterEnding(dialog.fileName, dialog.filter);
        dialog.fileName = path;
        QStringList existing;
        for (const QString &part : PartPaths(path, parts.size())) {
            if (FileExists(part))
                existing << QFileInfo(part).fileName();
        }
        if (existing.isEmpty())
            break;
        const QString question = parts.size() == 1 ? QStringLiteral("File Exists! Overwrite?")
                                                   : QStringLiteral("File Exists! Overwrite?\n") + existing.join('\n');
        const PromptAnswer answer =
            prompts.message(question, SaveScriptTitle, PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Yes)
            break;
        if (answer != PromptAnswer::No)
            return false;
    }

    const PartsWriteResult result = WriteScriptParts(path, parts);
    if (!result.ok) {
        prompts.message(result.errorMessage, SaveScriptTitle, PromptIcon::Critical);
        return false;
    }
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    return true;
}
