#include "script/ScriptSave.h"

#include "animation/AnimationFile.h"
#include "platform/FileEnding.h"
#include "platform/Platform.h"
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

QString scriptFilter(const QString &gameName)
{
    return gameName + QStringLiteral(" Script (*.cfg)|*.cfg|All Files(*.*)|*.*");
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

enum class Standing { LastSaves, ChangedSince, NotOurs };

// Whether the part file still holds what the last save of its chain wrote as that part.
Standing standingOf(int part, const QString &path, const QMap<int, QByteArray> &lastSave)
{
    if (!lastSave.contains(part))
        return Standing::NotOurs;
    return ScriptChainRecord::HashOf(FileBytes(path)) == lastSave.value(part) ? Standing::LastSaves : Standing::ChangedSince;
}

const QString ChangedSince = QStringLiteral("a part of this script's last save, changed since");
const QString NotOurs = QStringLiteral("numbered as a part, but not written by this script's last save");

} // namespace

QStringList ChainFileNotes(const PartsWriteResult &result)
{
    QStringList notes;
    for (const QString &path : result.removed)
        notes << QStringLiteral("removed %1: an older part of this script").arg(QDir::toNativeSeparators(path));
    for (const QString &path : result.edited)
        notes << QStringLiteral("kept %1: %2").arg(QDir::toNativeSeparators(path), ChangedSince);
    for (const QString &path : result.kept)
        notes << QStringLiteral("kept %1: %2").arg(QDir::toNativeSeparators(path), NotOurs);
    return notes;
}

QStringList PartsNotToWriteOver(const QString &firstPath, qsizetype parts)
{
    const QMap<int, QByteArray> lastSave = ScriptChainRecord::Read(firstPath);
    QStringList found;
    for (int part = 2; part <= parts; ++part) {
        const QString path = PartPath(firstPath, part);
        if (!FileExists(path))
            continue;
        if (const Standing standing = standingOf(part, path, lastSave); standing != Standing::LastSaves)
            found << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), standing == Standing::NotOurs ? NotOurs : ChangedSince);
    }
    return found;
}

QStringList PartPaths(const QString &firstPath, qsizetype count)
{
    QStringList paths;
    for (int part = 1; part <= count; ++part)
        paths << PartPath(firstPath, part);
    return paths;
}

PartsWriteResult WriteScriptParts(const QString &firstPath, const QStringList &parts, const GameFolders &folders,
                                  int passes)
{
    PartsWriteResult result;
    const ExecTarget target = ExecTargetOf(firstPath, folders);
    if (const QString problem = ExecPathProblem(target, static_cast<int>(parts.size()), passes); !problem.isEmpty()) {
        result.errorMessage = result.errorLine = problem;
        return result;
    }

    const QStringList paths = PartPaths(firstPath, parts.size());
    const QStringList chained = RechainParts(parts, target.name, passes);
    QList<QByteArray> bytes;
    for (const QString &part : chained) {
        bool replaced = false;
        bytes << EncodeAnsi(ScriptFileText(part), &replaced);
        result.replacedCharacters |= replaced;
    }
    const QMap<int, QByteArray> lastSave = ScriptChainRecord::Read(firstPath);
    const SaveAllResult saved = SaveAllBytes(paths, bytes);
    if (!saved.written.ok) {
        // Where, and what the player can do about it: the error number alone says neither.
        const QString folder = QDir::toNativeSeparators(QFileInfo(firstPath).absolutePath());
        result.errorMessage = SaveErrorMessage(saved.written) + QStringLiteral("\n\n")
                              + (saved.written.folderRefused
                                     ? Platform::FolderRefusedReason(QFileInfo(firstPath).absolutePath())
                                     : QStringLiteral("Nothing was written in %1. Free some space there, or save into "
                                                      "a folder you may write to.").arg(folder));
        result.errorLine = QStringLiteral("Can't write %1 in %2").arg(saved.written.errorString, folder);
        return result;
    }
    result.written = paths;
    // Parts past the new last one go only when the last save wrote them and they still hold its bytes.
    const QMap<int, QString> later = laterParts(firstPath, parts.size());
    for (auto part = later.begin(); part != later.end(); ++part) {
        const Standing standing = standingOf(part.key(), part.value(), lastSave);
        if (standing == Standing::NotOurs)
            result.kept << part.value();
        else if (standing == Standing::ChangedSince)
            result.edited << part.value();
        else if (QFile::remove(part.value()))
            result.removed << part.value();
    }
    ScriptChainRecord::Write(firstPath, bytes);
    result.ok = true;
    return result;
}

namespace {

enum class Step { Go, ChooseAgain, Stop };

// The chosen file's folder exists, or the player has it made now.
Step folderReady(const QString &path, Prompts &prompts)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        return Step::Go;
    QString existing = folder;
    while (!QFileInfo(existing).isDir() && QFileInfo(existing).absolutePath() != existing)
        existing = QFileInfo(existing).absolutePath();
    const QString missing = QDir(existing).relativeFilePath(folder);
    const PromptAnswer answer = prompts.message(
        QStringLiteral("Create the folder %1 in %2?").arg(QDir::toNativeSeparators(missing), QDir::toNativeSeparators(existing)),
        SaveScriptTitle, PromptIcon::Question, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::No)
        return Step::ChooseAgain;
    if (answer != PromptAnswer::Yes)
        return Step::Stop;
    if (!QDir().mkpath(folder)) {
        prompts.message(QStringLiteral("Can't create the folder %1.\nChoose a folder you may write to.")
                            .arg(QDir::toNativeSeparators(folder)),
                        SaveScriptTitle, PromptIcon::Critical);
        return Step::ChooseAgain;
    }
    return Step::Go;
}

// Asked once for every part file the save would replace.
Step overwriteAllowed(const QString &path, const QStringList &parts, Prompts &prompts, PromptButtons buttons)
{
    QStringList existing;
    for (const QString &part : PartPaths(path, parts.size())) {
        if (FileExists(part))
            existing << QFileInfo(part).fileName();
    }
    if (existing.isEmpty())
        return Step::Go;
    const QString question = parts.size() == 1 ? QStringLiteral("File Exists! Overwrite?")
                                               : QStringLiteral("File Exists! Overwrite?\n") + existing.join('\n');
    const PromptAnswer answer = prompts.message(question, SaveScriptTitle, PromptIcon::Question, buttons);
    if (answer == PromptAnswer::Yes)
        return Step::Go;
    return answer == PromptAnswer::No && buttons == PromptButtons::YesNoCancel ? Step::ChooseAgain : Step::Stop;
}

bool writeParts(const QString &path, const QStringList &parts, const ScriptSavePlace &place, Prompts &prompts,
                QStringList *saved)
{
    const PartsWriteResult result = WriteScriptParts(path, parts, place.folders, place.passes);
    if (!result.ok) {
        prompts.message(result.errorMessage, SaveScriptTitle, PromptIcon::Critical);
        return false;
    }
    if (const QStringList notes = ChainFileNotes(result); !notes.isEmpty())
        prompts.message(notes.join(QLatin1Char('\n')), SaveScriptTitle, PromptIcon::Information);
    if (result.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Exclamation);
    if (saved)
        *saved = RechainParts(parts, ExecTargetOf(path, place.folders).name, place.passes);
    return true;
}

} // namespace

bool SaveScriptParts(const std::function<QStringList(const QString &path)> &partsFor, const ScriptSavePlace &place,
                     FileDialogState &dialog, Prompts &prompts, QStringList *saved)
{
    QString path;
    QStringList parts;
    for (;;) {
        dialog.title = QStringLiteral("Save Script");
        dialog.filter = scriptFilter(place.gameName);
        if (dialog.fileName.isEmpty()) {
            if (!place.generateDir.isEmpty())
                dialog.initialDir = place.generateDir;
            else if (QFileInfo(place.folders.homeBase).isDir())
                dialog.initialDir = place.folders.homeBase;
        }
        if (!prompts.saveFile(dialog))
            return false;
        path = WithFilterEnding(dialog.fileName, dialog.filter);
        dialog.fileName = path;
        Step step = folderReady(path, prompts);
        if (step == Step::Go) {
            parts = partsFor(path);
            step = overwriteAllowed(path, parts, prompts, PromptButtons::YesNoCancel);
        }
        if (step == Step::Go)
            break;
        if (step == Step::Stop)
            return false;
    }
    return writeParts(path, parts, place, prompts, saved);
}

bool SaveScriptPartsAt(const QString &path, const std::function<QStringList(const QString &path)> &partsFor,
                       const ScriptSavePlace &place, Prompts &prompts, QStringList *saved)
{
    if (folderReady(path, prompts) != Step::Go)
        return false;
    const QStringList parts = partsFor(path);
    if (overwriteAllowed(path, parts, prompts, PromptButtons::YesNo) != Step::Go)
        return false;
    return writeParts(path, parts, place, prompts, saved);
}
