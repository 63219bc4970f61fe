#include "platform/DesktopQuery.h"

#include "platform/KeyFileLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QStandardPaths>

namespace DesktopQuery {

QStringList applicationDirs()
{
    QStringList dirs;
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dirs << QDir(dir).filePath(QStringLiteral("applications"));
    return dirs;
}

QStringList mimeAppsDirs()
{
    return QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) + applicationDirs();
}

QStringList mimeAppsFilesIn(const QString &dir)
{
    QStringList files;
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << QDir(dir).filePath(desktop.toLower() + QStringLiteral("-mimeapps.list"));
    files << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    return files;
}

QString desktopEntryPath(const QString &id, const QStringList &dirs)
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

namespace {

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

} // namespace

QString DefaultApplication(const QString &mimeType)
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

} // namespace DesktopQuery
