#include "platform/FreedesktopShell.h"

#include "Version.h"
#include "platform/KeyFileLines.h"
#include "platform/RegistryStore.h"
#include "platform/UserDesktopFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString DefaultGroup = QStringLiteral("Default Applications");
const QString AddedGroup = QStringLiteral("Added Associations");
const QString RemovedGroup = QStringLiteral("Removed Associations");

QStringList applicationDirs()
{
    QStringList dirs;
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dirs << QDir(dir).filePath(QStringLiteral("applications"));
    return dirs;
}

// The folders whose mimeapps.list files the desktop consults, in its order.
QStringList mimeAppsDirs()
{
    return QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) + applicationDirs();
}

// The type, then its parents in the MIME database ("text/plain" for a script).
QStringList typeAndParents(const QString &type)
{
    QMultiHash<QString, QString> parents;
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        QFile file(QDir(dir).filePath(QStringLiteral("mime/subclasses")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QList<QByteArray> pair = line.split(' ');
            if (pair.size() == 2)
                parents.insert(QString::fromUtf8(pair[0]), QString::fromUtf8(pair[1]));
        }
    }
    QStringList types{type};
    for (qsizetype i = 0; i < types.size(); ++i) {
        for (const QString &parent : parents.values(types.at(i))) {
            if (!types.contains(parent))
                types << parent;
        }
    }
    return types;
}

// A folder's mimeapps.list files: the desktop's own first.
QStringList mimeAppsFilesIn(const QString &dir)
{
    QStringList files;
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << QDir(dir).filePath(desktop.toLower() + QStringLiteral("-mimeapps.list"));
    files << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    return files;
}

// The desktop entry of that id in the first application folder that has one.
QString desktopEntryPath(const QString &id, const QStringList &dirs = applicationDirs())
{
    for (const QString &dir : dirs) {
        const QString path = QDir(dir).filePath(id);
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

bool entryDeclares(const QString &entryPath, const QString &mimeType)
{
    return KeyFileList(KeyFileLines::read(entryPath).value(QStringLiteral("Desktop Entry"), QStringLiteral("MimeType")))
        .contains(mimeType);
}

// The program an entry starts (TryExec, else Exec's first word), as the desktop
// reads it: string escapes first, then the quoting of arguments.
QString entryProgram(const QString &entryPath)
{
    const KeyFileLines entry = KeyFileLines::read(entryPath);
    const QString group = QStringLiteral("Desktop Entry");
    QString value = entry.value(group, QStringLiteral("TryExec"));
    if (value.isEmpty())
        value = entry.value(group, QStringLiteral("Exec"));
    value.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    QString program;
    const bool quoted = value.startsWith(QLatin1Char('"'));
    for (qsizetype i = quoted ? 1 : 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (quoted ? c == QLatin1Char('"') : c.isSpace())
            break;
        if (quoted && c == QLatin1Char('\\') && i + 1 < value.size())
            program += value.at(++i);
        else
            program += c;
    }
    return program;
}

// Listed and startable: the desktop passes over an entry whose program is missing.
QString firstInstalled(const QStringList &ids)
{
    for (const QString &id : ids) {
        const QString path = desktopEntryPath(id);
        if (!path.isEmpty() && !QStandardPaths::findExecutable(entryProgram(path)).isEmpty())
            return id;
    }
    return QString();
}

// Another program's default is kept as the registry keeps the ".ras" backup.
bool isOurs(const QString &listValue)
{
    return KeyFileList(listValue) == QStringList{DesktopNames::DesktopId()};
}

// What the buttons wrote, so that the one that takes it back removes exactly that: "+" for a
// line written whole, "=" for an id put into a line that was there, or the line replaced.
const QString RasKey = ShellKeys::RasExtension;
const QString CfgKey = ShellKeys::CfgExtension;
const QString Backup = QStringLiteral("backup");            // .ras: the default line it replaced
const QString OurRemoval = QStringLiteral("removed");       // .ras: Restore's "Removed Associations" line
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

QString FreedesktopShell::DefaultApplication(const QString &mimeType)
{
    // Type by type, from the exact one to its parents, as long as nothing is found; what
    // a folder removes stays removed for the parents too.
    QStringList removed;
    const QStringList appDirs = applicationDirs();
    for (const QString &type : typeAndParents(mimeType)) {
        QStringList found;
        for (const QString &dir : mimeAppsDirs()) {
            for (const QString &file : mimeAppsFilesIn(dir))
                found << KeyFileList(KeyFileLines::read(file).value(DefaultGroup, type));
        }
        for (const QString &dir : mimeAppsDirs()) {
            for (const QString &file : mimeAppsFilesIn(dir)) {
                const KeyFileLines list = KeyFileLines::read(file);
                for (const QString &id : KeyFileList(list.value(AddedGroup, type))) {
                    if (!removed.contains(id))
                        found << id;
                }
                removed << KeyFileList(list.value(RemovedGroup, type));
            }
            if (!appDirs.contains(dir))
                continue;
            // Declared types count as the desktop's cache of them lists them.
            const QString cache = QDir(dir).filePath(QStringLiteral("mimeinfo.cache"));
            for (const QString &id : KeyFileList(KeyFileLines::read(cache).value(QStringLiteral("MIME Cache"), type))) {
                if (!removed.contains(id))
                    found << id;
            }
        }
        const QString id = firstInstalled(found);
        if (!id.isEmpty())
            return id;
    }
    return QString();
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
    UserDesktopFiles::Uninstall();
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
    if (const auto removal = record(RasKey, OurRemoval)) {
        takeListed(list, RemovedGroup, type, id, removal);
        dropRecord(RasKey, OurRemoval);
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

void FreedesktopShell::restoreAssociation()
{
    if (!associationStatus().IsAssociated)
        return;
    const QString type = DesktopNames::AnimationType;
    const QString id = DesktopNames::DesktopId();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    if (isOurs(list.value(DefaultGroup, type))) {
        if (const auto backup = record(RasKey, Backup))
            list.replaceLine(DefaultGroup, type, *backup);
        else
            removeLine(list, DefaultGroup, type);
    }
    dropRecord(RasKey, Backup);
    saveList(list);
    uninstallForUserWhenUnused();
    // An installed entry that declares the type is still picked: leave it out by name.
    if (associationStatus().IsAssociated) {
        setRecord(RasKey, OurRemoval, addListed(list, RemovedGroup, type, id));
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
    takeListed(list, AddedGroup, type, id, record(CfgKey, OurAddition));
    // The editor's line goes only while it still names the editor the program wrote.
    const auto editor = record(CfgKey, EditorDefault);
    if (editor && list.value(DefaultGroup, type) == *editor)
        removeLine(list, DefaultGroup, type);
    const QString entry = desktopEntryPath(id);
    if (const auto userLine = record(CfgKey, UserRemoval))
        list.replaceLine(RemovedGroup, type, *userLine);
    else if (!entry.isEmpty() && entryDeclares(entry, type))
        list.addToList(RemovedGroup, type, id);
    for (const QString &name : {OurAddition, EditorDefault, UserRemoval})
        dropRecord(CfgKey, name);
    saveList(list);
    uninstallForUserWhenUnused();
}
