#include "platform/FreedesktopShell.h"

#include "Version.h"
#include "platform/DesktopQuery.h"
#include "platform/KeyFileLines.h"
#include "platform/RegistryStore.h"
#include "platform/UserDesktopFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

using namespace DesktopQuery;

namespace {

// A default that names the program and nothing else.
bool isOurs(const QString &listValue)
{
    return KeyFileList(listValue) == QStringList{DesktopNames::DesktopId()};
}

// What the buttons wrote, so that the one that takes it back removes exactly that: "+" for a
// line written whole, "=" for an id put into a line that was there, or the line replaced.
const QString RasKey = ShellKeys::RasExtension;
const QString CfgKey = ShellKeys::CfgExtension;
const QString Backup = QStringLiteral("backup");            // .ras: the default line it replaced
const QString OurRemoval = QStringLiteral("removed");       // .ras: Restore's "Removed Associations" entry
const QString OtherDefault = QStringLiteral("other");       // .ras: the default Restore named in the program's place
const QString OurAddition = QStringLiteral("added");        // .cfg: Add's "Added Associations" entry
const QString EditorDefault = QStringLiteral("editor");     // .cfg: the editor Add named the scripts' default
const QString UserRemoval = QStringLiteral("unremoved");    // .cfg: the user's "Removed Associations" line Add changed
const QString ListKey = QStringLiteral("mimeapps.list");      // the groups the buttons made, and the file
const QString FileMade = QStringLiteral("file");

} // namespace

QString DesktopNames::DesktopId()
{
    return QStringLiteral(MARQUEE_APP_ID ".desktop");
}

FreedesktopShell::FreedesktopShell(RegistryStore &store, const QString &executablePath)
    : m_store(store), m_executable(QFileInfo(executablePath).absoluteFilePath())
{
}

QString FreedesktopShell::ExecLine(const QString &executablePath)
{
    // Quoted only when it must be: some readers (xdg-mime) take the first word as it stands.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::none_of(executablePath.begin(), executablePath.end(), [](QChar c) { return reserved.contains(c); }))
        return QString(executablePath).replace(QLatin1Char('%'), QLatin1String("%%")) + QLatin1String(" %f");
    QString quoted;
    for (const QChar c : executablePath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // Then the key file's own escapes: a backslash doubles, a percent sign too.
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return quoted + QLatin1String(" %f");
}

QString FreedesktopShell::userMimeAppsPath() const
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("mimeapps.list"));
}

std::optional<QString> FreedesktopShell::record(const QString &key, const QString &name) const
{
    const auto value = m_store.value(RegHive::ClassesRoot, key + QStringLiteral("\\freedesktop\\") + name, QString());
    return value ? std::optional(value->text) : std::nullopt;
}

void FreedesktopShell::setRecord(const QString &key, const QString &name, const QString &text)
{
    m_store.setValue(RegHive::ClassesRoot, key + QStringLiteral("\\freedesktop\\") + name, QString(), text);
}

void FreedesktopShell::dropRecord(const QString &key, const QString &name)
{
    m_store.deleteKey(RegHive::ClassesRoot, key + QStringLiteral("\\freedesktop\\") + name);
}

void FreedesktopShell::uninstallForUserWhenUnused() const
{
    const KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    const QString id = DesktopNames::DesktopId();
    if (isOurs(list.value(DefaultGroup, DesktopNames::AnimationType))
        || KeyFileList(list.value(AddedGroup, DesktopNames::ScriptType)).contains(id))
        return;
    UserDesktopFiles::Uninstall(ExecLine(m_executable));
}

AssociationStatus FreedesktopShell::associationStatus() const
{
    const QString id = DefaultApplication(DesktopNames::AnimationType);
    if (id.isEmpty())
        return AssociationStatusOf(AssociationState::NotAssociated);
    return AssociationStatusOf(id == DesktopNames::DesktopId() ? AssociationState::Marqueemaster
                                                               : AssociationState::OtherProgram);
}

void FreedesktopShell::insertLine(KeyFileLines &list, const QString &group, const QString &key, const QString &value)
{
    noteMade(group, list.insert(group, key, value));
}

QString FreedesktopShell::addListed(KeyFileLines &list, const QString &group, const QString &key, const QString &id)
{
    const QString made = list.addToList(group, key, id);
    if (made == QLatin1String("="))
        return made;
    noteMade(group, made);
    return QStringLiteral("+");
}

void FreedesktopShell::removeLine(KeyFileLines &list, const QString &group, const QString &key)
{
    list.removeInserted(group, key, record(ListKey, group).value_or(QString()));
    if (!list.hasGroup(group))
        dropRecord(ListKey, group);
}

void FreedesktopShell::takeListed(KeyFileLines &list, const QString &group, const QString &key, const QString &id,
                                  const std::optional<QString> &how)
{
    list.takeFromList(group, key, id, how == QLatin1String("=") ? *how : record(ListKey, group).value_or(QString()));
    if (!list.hasGroup(group))
        dropRecord(ListKey, group);
}

void FreedesktopShell::noteMade(const QString &group, const QString &made)
{
    if (made.contains(QLatin1Char('f')))
        setRecord(ListKey, FileMade, QStringLiteral("1"));
    if (made.contains(QLatin1Char('g')))
        setRecord(ListKey, group, made.contains(QLatin1Char('b')) ? QStringLiteral("bg") : QStringLiteral("g"));
}

void FreedesktopShell::saveList(const KeyFileLines &list)
{
    if (list.isEmpty() && record(ListKey, FileMade)) {
        QFile::remove(userMimeAppsPath());
        dropRecord(ListKey, FileMade);
        return;
    }
    list.save(userMimeAppsPath());
}

void FreedesktopShell::associate()
{
    if (associationStatus().IsAssociated)
        return;
    const QString type = DesktopNames::AnimationType;
    const QString id = DesktopNames::DesktopId();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    // Restore's own "Removed Associations" entry goes first: an installed entry may need no more.
    if (takeBackRestoreLines(list)) {
        saveList(list);
        if (associationStatus().IsAssociated)
            return;
    }
    UserDesktopFiles::Install(ExecLine(m_executable));
    const QString previous = list.line(DefaultGroup, type);
    if (previous.isEmpty()) {
        dropRecord(RasKey, Backup);
        insertLine(list, DefaultGroup, type, id + QLatin1Char(';'));
    } else {
        setRecord(RasKey, Backup, previous);
        list.replaceLine(DefaultGroup, type, type + QLatin1Char('=') + id + QLatin1Char(';'));
    }
    saveList(list);
}

bool FreedesktopShell::takeBackRestoreLines(KeyFileLines &list)
{
    const auto removal = record(RasKey, OurRemoval);
    const auto other = record(RasKey, OtherDefault);
    if (removal)
        takeListed(list, RemovedGroup, DesktopNames::AnimationType, DesktopNames::DesktopId(), removal);
    if (other && list.value(DefaultGroup, DesktopNames::AnimationType) == *other)
        removeLine(list, DefaultGroup, DesktopNames::AnimationType);
    dropRecord(RasKey, OurRemoval);
    dropRecord(RasKey, OtherDefault);
    return removal || other;
}

void FreedesktopShell::takeBackDefault(KeyFileLines &list)
{
    const QString type = DesktopNames::AnimationType;
    // Earlier versions kept only the previous default's value, beside the registry's backup.
    const auto earlier = m_store.value(RegHive::ClassesRoot, RasKey, ShellKeys::BackupValue);
    if (isOurs(list.value(DefaultGroup, type))) {
        if (const auto backup = record(RasKey, Backup))
            list.replaceLine(DefaultGroup, type, *backup);
        else if (earlier && !earlier->text.isEmpty())
            list.replaceLine(DefaultGroup, type, type + QLatin1Char('=') + earlier->text);
        else
            removeLine(list, DefaultGroup, type);
    }
    if (earlier && !earlier->text.isEmpty())
        m_store.setValue(RegHive::ClassesRoot, RasKey, ShellKeys::BackupValue, QString());
    dropRecord(RasKey, Backup);
}

void FreedesktopShell::takeBackContextLines(KeyFileLines &list)
{
    const QString type = DesktopNames::ScriptType;
    takeListed(list, AddedGroup, type, DesktopNames::DesktopId(), record(CfgKey, OurAddition));
    // The editor's line goes only while it still names the editor the program wrote.
    const auto editor = record(CfgKey, EditorDefault);
    if (editor && list.value(DefaultGroup, type) == *editor)
        removeLine(list, DefaultGroup, type);
    if (const auto userLine = record(CfgKey, UserRemoval))
        list.replaceLine(RemovedGroup, type, *userLine);
}

void FreedesktopShell::restoreAssociation()
{
    if (!associationStatus().IsAssociated)
        return;
    const QString type = DesktopNames::AnimationType;
    const QString id = DesktopNames::DesktopId();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    takeBackDefault(list);
    saveList(list);
    uninstallForUserWhenUnused();
    // An installed entry that declares the type is still picked: leave it out by name, and name
    // the application the desktop picks then as the default, which every reader of the list
    // (xdg-mime too) takes. With none, the removal alone says it.
    if (associationStatus().IsAssociated) {
        const QString made = addListed(list, RemovedGroup, type, id);
        saveList(list);
        const QString other = DefaultApplication(type);
        if (other.isEmpty()) {
            setRecord(RasKey, OurRemoval, made);
            return;
        }
        takeListed(list, RemovedGroup, type, id, made);
        insertLine(list, DefaultGroup, type, other + QLatin1Char(';'));
        setRecord(RasKey, OtherDefault, other + QLatin1Char(';'));
        saveList(list);
    }
}

ContextMenuStatus FreedesktopShell::contextMenuStatus() const
{
    ContextMenuStatus status;
    status.cfgClass = DesktopNames::ScriptType;
    const QString id = DesktopNames::DesktopId();
    const QString entry = desktopEntryPath(id);
    bool added = false;
    bool removed = false;
    for (const QString &dir : mimeAppsDirs()) {
        for (const QString &file : mimeAppsFilesIn(dir)) {
            const KeyFileLines list = KeyFileLines::read(file);
            added = added || (!removed && KeyFileList(list.value(AddedGroup, DesktopNames::ScriptType)).contains(id));
            removed = removed || KeyFileList(list.value(RemovedGroup, DesktopNames::ScriptType)).contains(id);
        }
    }
    status.present = !entry.isEmpty() && (added || (!removed && entryDeclares(entry, DesktopNames::ScriptType)));
    status.canAdd = !status.present;
    status.canRemove = status.present;
    return status;
}

void FreedesktopShell::addContextEntry()
{
    const QString type = DesktopNames::ScriptType;
    const QString id = DesktopNames::DesktopId();
    // A desktop makes an application listed for the exact type its default, ahead of the text
    // editor that opens text/plain: name the editor as the scripts' default first.
    QString editor = DefaultApplication(type);
    if (editor.isEmpty() || editor == id)
        editor = DefaultApplication(QStringLiteral("text/plain"));
    UserDesktopFiles::Install(ExecLine(m_executable));
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    if (list.value(DefaultGroup, type).isEmpty() && !editor.isEmpty() && editor != id) {
        insertLine(list, DefaultGroup, type, editor + QLatin1Char(';'));
        setRecord(CfgKey, EditorDefault, editor + QLatin1Char(';'));
    }
    if (KeyFileList(list.value(RemovedGroup, type)).contains(id)) {
        setRecord(CfgKey, UserRemoval, list.line(RemovedGroup, type));
        list.takeFromList(RemovedGroup, type, id, QStringLiteral("="));
    }
    setRecord(CfgKey, OurAddition, addListed(list, AddedGroup, type, id));
    saveList(list);
}

void FreedesktopShell::removeContextEntry()
{
    const QString type = DesktopNames::ScriptType;
    const QString id = DesktopNames::DesktopId();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    takeBackContextLines(list);
    const QString entry = desktopEntryPath(id);
    // An installed entry that declares the type stays a choice unless it is left out by name.
    if (!record(CfgKey, UserRemoval) && !entry.isEmpty() && entryDeclares(entry, type))
        list.addToList(RemovedGroup, type, id);
    for (const QString &name : {OurAddition, EditorDefault, UserRemoval})
        dropRecord(CfgKey, name);
    saveList(list);
    uninstallForUserWhenUnused();
}

// Only what the buttons wrote: an installed Marqueemaster's own entry and types stay as its package made them.
QStringList FreedesktopShell::traces() const
{
    QStringList traces;
    if (isOurs(KeyFileLines::read(userMimeAppsPath()).value(DefaultGroup, DesktopNames::AnimationType)))
        traces << QStringLiteral("Marqueemaster as the application that opens .ras files");
    if (record(RasKey, OurRemoval) || record(RasKey, OtherDefault))
        traces << QStringLiteral("the lines that leave the installed Marqueemaster out for .ras files");
    if (record(CfgKey, OurAddition))
        traces << QStringLiteral("Marqueemaster in the \"Open With\" list of .cfg files");
    if (QFileInfo::exists(UserDesktopFiles::ManifestPath()))
        traces << QStringLiteral("the desktop entry, file types and icon it gave you (listed in %1)")
                      .arg(QDir::toNativeSeparators(UserDesktopFiles::ManifestPath()));
    return traces;
}

QStringList FreedesktopShell::removeAll()
{
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    takeBackRestoreLines(list);
    takeBackDefault(list);
    takeBackContextLines(list);
    for (const QString &name : {OurAddition, EditorDefault, UserRemoval})
        dropRecord(CfgKey, name);
    saveList(list);
    // Also what an earlier version left without a button to take it back.
    UserDesktopFiles::Uninstall(ExecLine(m_executable));
    QStringList left;
    if (const QString other = DefaultApplication(DesktopNames::AnimationType);
        !other.isEmpty() && other != DesktopNames::DesktopId())
        left << QStringLiteral(".ras files open with %1, another program.").arg(other);
    return left;
}
