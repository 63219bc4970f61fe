#include "script/ScriptSave.h"

#include "animation/AnimationFile.h"
#include "platform/FileEnding.h"
#include "platform/Prompts.h"
#include "platform/SafeSave.h"
#include "platform/TextFile.h"
#include "script/ScriptChainRecord.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QFileInfo>


namespace {

const QString ScriptFilter = QStringLiteral("RtCW Script (*.cfg)|*.cfg|All Files(*.*)|*.*");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// NAME_k.cfg beside firstPath for every k past `parts`, by k.
QMap<int, QString> laterParts(const QString &firstPath, qsizetype parts)
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
    return found;
}

} // namespace

QStringList ChainFileNotes(const PartsWriteResult &result)
{
    QStringList notes;
    for (const QString &path : result.removed)
        notes << QStringLiteral("removed %1: an older part of this script").arg(QDir::toNativeSeparators(path));
    for (const QString &path : result.edited)
        notes << QStringLiteral("kept %1: a part of this script's last save, changed since").arg(QDir::toNativeSeparators(path));
    for (const QString &path : result.kept)
        notes << QStringLiteral("kept %1: numbered as a part, but not written by this script's last save")
                     .arg(QDir::toNativeSeparators(path));
    return notes;
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
    QList<QByteArray> bytes;
    for (const QString &part : chained) {
        bool replaced = false;
        bytes << EncodeAnsi(ScriptFileText(part), &replaced);
        result.replacedCharacters |= replaced;
    }
    const QMap<int, QByteArray> lastSave = ScriptChainRecord::Read(firstPath);
    const SaveAllResult saved = SaveAllBytes(paths, bytes);
    if (!saved.written.ok) {
        result.errorMessage = SaveErrorMessage(saved.written);
        result.errorLine = QStringLiteral("Can't write %1").arg(saved.written.errorString);
        return result;
    }
    result.written = paths;
    // Parts past the new last one go only when the last save wrote them and they still hold its bytes.
    const QMap<int, QString> later = laterParts(firstPath, parts.size());
    for (auto part = later.begin(); part != later.end(); ++part) {
        if (!lastSave.contains(part.key()))
            result.kept << part.value();
        else if (ScriptChainRecord::HashOf(fileBytes(part.value())) != lastSave.value(part.key()))
            result.edited << part.value();
        else if (QFile::remove(part.value()))
            result.removed << part.value();
    }
    ScriptChainRecord::Write(firstPath, bytes);
    result.ok = true;
    return result;
}

bool SaveScriptParts(const std::function<QStringList(const QString &path)> &partsFor, const QString &generateDir,
                     FileDialogState &dialog, Prompts &prompts, QStringList *saved)
{
    QString path;
    QStringList parts;
    for (;;) {
        dialog.title = QStringLiteral("Save Script");
        dialog.filter = ScriptFilter;
        if (dialog.fileName.isEmpty() && !generateDir.isEmpty())
            dialog.initialDir = generateDir;
        if (!prompts.saveFile(dialog))
            return false;
        path = WithFilterEnding(dialog.fileName, dialog.filter);
        dialog.fileName = path;
        parts = partsFor(path);
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
    if (const QStringList notes = ChainFileNotes(result); !notes.isEmpty())
        prompts.message(notes.join(QLatin1Char('\n')), SaveScriptTitle, PromptIcon::Information);
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    if (saved)
        *saved = RechainParts(parts, ExecTargetOf(path).name);
    return true;
}
