#include "platform/FreedesktopShell.h"

#include "DesktopFiles.h"
#include "Version.h"
#include "platform/AppIcon.h"
#include "platform/KeyFileLines.h"
#include "platform/RegistryOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
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

// The mimeapps.list files in the order the desktop consults them.
QStringList mimeAppsFiles()
{
    QStringList names;
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        names << desktop.toLower() + QStringLiteral("-mimeapps.list");
    names << QStringLiteral("mimeapps.list");
    QStringList files;
    const QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) + applicationDirs();
    for (const QString &dir : dirs) {
        for (const QString &name : names)
            files << QDir(dir).filePath(name);
    }
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

void runIfPresent(const QString &program, const QString &folder)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return;
    QProcess process;
    process.start(path, {folder});
    process.waitForFinished(60000);
}

bool writeText(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

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
    for (const QString &file : mimeAppsFiles()) {
        const QString id = firstInstalled(KeyFileList(KeyFileLines::read(file).value(DefaultGroup, mimeType)));
        if (!id.isEmpty())
            return id;
    }
    // No explicit default: the desktop takes an application that declares the type.
    for (const QString &dir : applicationDirs()) {
        const QString cache = QDir(dir).filePath(QStringLiteral("mimeinfo.cache"));
        const QString id = firstInstalled(KeyFileList(KeyFileLines::read(cache).value(QStringLiteral("MIME Cache"), mimeType)));
        if (!id.isEmpty())
            return id;
    }
    for (const QString &dir : applicationDirs()) {
        const QStringList entries = QDir(dir).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString &entry : entries) {
            if (entryDeclares(QDir(dir).filePath(entry), mimeType) && !firstInstalled({entry}).isEmpty())
                return entry;
        }
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

void FreedesktopShell::installForUser() const
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList systemDirs = applicationDirs();
    systemDirs.removeAll(QDir(dataHome).filePath(QStringLiteral("applications")));
    if (!desktopEntryPath(DesktopNames::DesktopId(), systemDirs).isEmpty())
        return;  // installed: the system's entry and MIME package are in place

    QStringList lines = QString::fromUtf8(DesktopEntryText).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.startsWith(QLatin1String("Exec=")))
            line = QStringLiteral("Exec=") + ExecLine(m_executable);
    }
    const QDir data(dataHome);
    writeText(data.filePath(QStringLiteral("applications/") + DesktopNames::DesktopId()), lines.join(QLatin1Char('\n')).toUtf8());
    writeText(data.filePath(QStringLiteral("mime/packages/" MARQUEE_APP_ID ".xml")), QByteArray(MimePackageText));
    const QString iconPath = data.filePath(QStringLiteral("icons/hicolor/256x256/apps/" MARQUEE_APP_ID ".png"));
    if (QDir().mkpath(QFileInfo(iconPath).absolutePath()))
        AppIconImage(256).save(iconPath);
    runIfPresent(QStringLiteral("update-mime-database"), data.filePath(QStringLiteral("mime")));
    runIfPresent(QStringLiteral("update-desktop-database"), data.filePath(QStringLiteral("applications")));
}

void FreedesktopShell::uninstallForUserWhenUnused() const
{
    const KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    const QString id = DesktopNames::DesktopId();
    if (isOurs(list.value(DefaultGroup, DesktopNames::AnimationType))
        || KeyFileList(list.value(AddedGroup, DesktopNames::ScriptType)).contains(id))
        return;
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QString entry = data.filePath(QStringLiteral("applications/") + id);
    if (!QFileInfo::exists(entry))
        return;
    QFile::remove(entry);
    QFile::remove(data.filePath(QStringLiteral("mime/packages/" MARQUEE_APP_ID ".xml")));
    QFile::remove(data.filePath(QStringLiteral("icons/hicolor/256x256/apps/" MARQUEE_APP_ID ".png")));
    runIfPresent(QStringLiteral("update-mime-database"), data.filePath(QStringLiteral("mime")));
    runIfPresent(QStringLiteral("update-desktop-database"), data.filePath(QStringLiteral("applications")));
}

AssociationStatus FreedesktopShell::associationStatus() const
{
    const QString id = DefaultApplication(DesktopNames::AnimationType);
    if (id.isEmpty())
        return AssociationStatusOf(AssociationState::NotAssociated);
    return AssociationStatusOf(id == DesktopNames::DesktopId() ? AssociationState::Marqueemaster
                                                               : AssociationState::OtherProgram);
}

void FreedesktopShell::associate()
{
    if (associationStatus().IsAssociated)
        return;
    installForUser();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    const QString previous = list.value(DefaultGroup, DesktopNames::AnimationType);
    if (!previous.isEmpty() && !isOurs(previous))
        SetRegValue(m_store, RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue, previous);
    list.setValue(DefaultGroup, DesktopNames::AnimationType, DesktopNames::DesktopId() + QLatin1Char(';'));
    list.write(userMimeAppsPath());
}

void FreedesktopShell::restoreAssociation()
{
    if (!associationStatus().IsAssociated)
        return;
    const QString backup = GetRegValue(m_store, RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue);
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    if (backup.isEmpty())
        list.remove(DefaultGroup, DesktopNames::AnimationType);
    else
        list.setValue(DefaultGroup, DesktopNames::AnimationType, backup);
    list.write(userMimeAppsPath());
    uninstallForUserWhenUnused();
}

ContextMenuStatus FreedesktopShell::contextMenuStatus() const
{
    ContextMenuStatus status;
    status.cfgClass = DesktopNames::ScriptType;
    const QString id = DesktopNames::DesktopId();
    const QString entry = desktopEntryPath(id);
    bool added = false;
    bool removed = false;
    for (const QString &file : mimeAppsFiles()) {
        const KeyFileLines list = KeyFileLines::read(file);
        added = added || KeyFileList(list.value(AddedGroup, DesktopNames::ScriptType)).contains(id);
        removed = removed || KeyFileList(list.value(RemovedGroup, DesktopNames::ScriptType)).contains(id);
    }
    status.present = !entry.isEmpty() && !removed && (added || entryDeclares(entry, DesktopNames::ScriptType));
    status.canAdd = !status.present;
    status.canRemove = status.present;
    return status;
}

void FreedesktopShell::addContextEntry()
{
    // A desktop makes an application listed for the exact type its default, ahead of the text
    // editor that opens text/plain: name the editor as the scripts' default first.
    QString editor = DefaultApplication(DesktopNames::ScriptType);
    if (editor.isEmpty() || editor == DesktopNames::DesktopId())
        editor = DefaultApplication(QStringLiteral("text/plain"));
    installForUser();
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    if (list.value(DefaultGroup, DesktopNames::ScriptType).isEmpty() && !editor.isEmpty()
        && editor != DesktopNames::DesktopId())
        list.setValue(DefaultGroup, DesktopNames::ScriptType, editor + QLatin1Char(';'));
    list.removeFromList(RemovedGroup, DesktopNames::ScriptType, DesktopNames::DesktopId());
    list.addToList(AddedGroup, DesktopNames::ScriptType, DesktopNames::DesktopId());
    list.write(userMimeAppsPath());
}

void FreedesktopShell::removeContextEntry()
{
    KeyFileLines list = KeyFileLines::read(userMimeAppsPath());
    list.removeFromList(AddedGroup, DesktopNames::ScriptType, DesktopNames::DesktopId());
    const QString entry = desktopEntryPath(DesktopNames::DesktopId());
    if (!entry.isEmpty() && entryDeclares(entry, DesktopNames::ScriptType))
        list.addToList(RemovedGroup, DesktopNames::ScriptType, DesktopNames::DesktopId());
    list.write(userMimeAppsPath());
    uninstallForUserWhenUnused();
}
