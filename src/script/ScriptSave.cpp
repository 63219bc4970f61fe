#include "script/ScriptSave.h"

#include "platform/SafeSave.h"
#include "platform/TextFile.h"

#include "animation/AnimationFile.h"
#include "platform/FileEnding.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QFileInfo>

#include <optional>

namespace {

const QString ScriptFilter = QStringLiteral("RtCW Script (*.cfg)|*.cfg|All Files(*.*)|*.*");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file an earlier save of ours wrote: it starts with our banner.
bool isOurs(const QString &path)
{
    static const QByteArray banner = "\r\n" + EncodeAnsi(ScriptBanner().join(QLatin1String("\r\n")));
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(banner.size()) == banner;
}

// NAME_k.cfg beside firstPath for every k past `parts`, in the order of k.
QStringList laterParts(const QString &firstPath, qsizetype parts)
{
    const QFileInfo second(PartPath(firstPath, 2));
    const QString stem = second.fileName().chopped(5);  // without "2.cfg"
    QMap<int, QString> found;
    for (const QString &name : second.dir().entryList({QStringLiteral("*.cfg")}, QDir::Files)) {
        bool number = false;
        const int part = name.startsWith(stem) ? QStringView(name).sliced(stem.size()).chopped(4).toInt(&number) : 0;
        if (number && part > parts && PartPath(firstPath, part) == second.dir().filePath(name))
            found.insert(part, second.dir().filePath(name));
    }
    return found.values();
}

// All or none: a part written before a failed one gets its old bytes back, or goes.
void putBack(const QString &path, const std::optional<QByteArray> &bytes)
{
    if (!bytes) {
        QFile::remove(path);
        return;
    }
    SaveBytes(path, *bytes);
}

} // namespace

QString KeptFilesNotice(const QStringList &kept)
{
    return QStringLiteral("These files are numbered as parts of this script but are not ours, so they were kept:\n")
           + kept.join(QLatin1Char('\n'));
}

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
    if (const QString problem = ExecPathProblem(ExecTargetOf(firstPath), static_cast<int>(parts.size()));
        !problem.isEmpty()) {
        result.errorMessage = result.errorLine = problem;
        return result;
    }

    const QStringList paths = PartPaths(firstPath, parts.size());
    const QStringList chained = RechainParts(parts, ExecTargetOf(firstPath).name);

    // What the files held, to put back if a later part can't be written.
    QList<std::optional<QByteArray>> before;
    for (const QString &path : paths)
        before << (QFileInfo::exists(path) ? std::optional(fileBytes(path)) : std::nullopt);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const TextWriteResult written = WriteTextFile(paths.at(i), ScriptFileText(chained.at(i)));
        if (!written.ok) {
            for (qsizetype j = 0; j < i; ++j)
                putBack(paths.at(j), before.at(j));
            result.errorMessage = SaveErrorMessage(written);
            result.errorLine = QStringLiteral("Can't write %1: %2").arg(paths.at(i), written.errorString);
            return result;
        }
        result.replacedCharacters |= written.replacedCharacters;
        result.written << paths.at(i);
    }
    // Parts past the new last one: ours go, chained or not; a file of the player's own stays.
    for (const QString &path : laterParts(firstPath, parts.size())) {
        if (!isOurs(path))
            result.kept << path;
        else if (QFile::remove(path))
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
    if (!result.kept.isEmpty())
        prompts.message(KeptFilesNotice(result.kept), SaveScriptTitle, PromptIcon::Information);
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    return true;
}
