#include "platform/UserDesktopFiles.h"

#include "platform/SafeSave.h"
#include "platform/TextFile.h"

#include "DesktopFiles.h"
#include "Version.h"
#include "platform/AppIcon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QDir dataHome()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString entryName()
{
    return QStringLiteral("applications/" MARQUEE_APP_ID ".desktop");
}

void runIfPresent(const QString &program, const QString &folder)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo::exists(folder))
        return;
    QProcess process;
    process.start(path, {folder});
    process.waitForFinished(60000);
}

void refreshDatabases()
{
    runIfPresent(QStringLiteral("update-mime-database"), dataHome().filePath(QStringLiteral("mime")));
    runIfPresent(QStringLiteral("update-desktop-database"), dataHome().filePath(QStringLiteral("applications")));
}

// The folders on the way to path that don't exist yet, outermost first, each ending in '/'.
QStringList missingFolders(const QString &path)
{
    QStringList missing;
    for (QString dir = QFileInfo(path).absolutePath(); !QFileInfo::exists(dir) && dir != QDir(dir).filePath(QStringLiteral(".."));
         dir = QFileInfo(dir).absolutePath())
        missing.prepend(dir + QLatin1Char('/'));
    return missing;
}

// A folder the program made holds only what the desktop's tools derived from
// its files once they are gone: the MIME database without packages, the
// applications' cache.
bool onlyDerived(const QDir &dir)
{
    if (dir.dirName() == QLatin1String("mime"))
        return QDir(dir.filePath(QStringLiteral("packages"))).isEmpty();
    const QStringList left = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    return left.isEmpty() || left == QStringList{QStringLiteral("mimeinfo.cache")};
}

bool writeIfChanged(const QString &path, const QByteArray &bytes)
{
    QFile in(path);
    if (in.open(QIODevice::ReadOnly) && in.readAll() == bytes)
        return false;
    in.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return SaveBytes(path, bytes).ok;
}

void writeList(const QStringList &paths)
{
    const QString manifest = UserDesktopFiles::ManifestPath();
    if (paths.isEmpty()) {
        QFile::remove(manifest);
        QDir().rmdir(QFileInfo(manifest).absolutePath());  // only when nothing else is kept there
        return;
    }
    writeIfChanged(manifest, (paths.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

} // namespace

QString UserDesktopFiles::ManifestPath()
{
    return dataHome().filePath(QStringLiteral("Marqueemaster/installed-files"));
}

QStringList UserDesktopFiles::Listed()
{
    QFile in(ManifestPath());
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool UserDesktopFiles::InstalledElsewhere()
{
    const QStringList listed = Listed();
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString entry = QDir(dir).filePath(entryName());
        if (QFileInfo::exists(entry) && !listed.contains(entry))
            return true;
    }
    return false;
}

void UserDesktopFiles::Install(const QString &execLine)
{
    if (InstalledElsewhere())
        return;
    // It declares no type: the user's mimeapps.list lines alone make it a choice, so taking
    // them back leaves nothing that still picks it.
    QStringList lines;
    for (const QString &line : QString::fromUtf8(DesktopEntryText).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Exec=")))
            lines << QStringLiteral("Exec=") + execLine;
        else if (!line.startsWith(QLatin1String("MimeType=")))
            lines << line;
    }
    QByteArray icon;
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    AppIconImage(256).save(&buffer, "PNG");

    const QDir data = dataHome();
    const QList<std::pair<QString, QByteArray>> files = {
        {data.filePath(entryName()), lines.join(QLatin1Char('\n')).toUtf8()},
        {data.filePath(QStringLiteral("mime/packages/" MARQUEE_APP_ID ".xml")), QByteArray(MimePackageText)},
        {data.filePath(QStringLiteral("icons/hicolor/256x256/apps/" MARQUEE_APP_ID ".png")), icon},
    };
    QStringList listed = Listed();
    bool wrote = false;
    for (const auto &[path, bytes] : files) {
        // A file of the same name the program didn't write is someone else's.
        if (QFileInfo::exists(path) && !listed.contains(path))
            continue;
        if (!listed.contains(path)) {
            for (const QString &folder : missingFolders(path)) {
                if (!listed.contains(folder))
                    listed << folder;
            }
            listed << path;
            writeList(listed);  // listed before it exists: a crash can't leave an unlisted file
        }
        wrote = writeIfChanged(path, bytes) || wrote;
    }
    if (wrote)
        refreshDatabases();
}

void UserDesktopFiles::Uninstall()
{
    const QStringList listed = Listed();
    if (listed.isEmpty())
        return;
    for (const QString &path : listed) {
        if (!path.endsWith(QLatin1Char('/')))
            QFile::remove(path);
    }
    // The folders it made, innermost first, while nothing of anyone else's is inside.
    for (auto it = listed.crbegin(); it != listed.crend(); ++it) {
        const QDir dir(*it);
        if (it->endsWith(QLatin1Char('/')) && dir.exists() && onlyDerived(dir))
            QDir(*it).removeRecursively();
    }
    writeList({});
    refreshDatabases();
}
