#include "platform/UserDesktopFiles.h"

#include "platform/SafeSave.h"
#include "platform/TextFile.h"

#include "DesktopFiles.h"
#include "Version.h"
#include "platform/AppIcon.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

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
// its files once they are gone: the MIME database of no package at all (its
// files and empty folders), the applications' cache. Anything else in it is
// someone else's, and keeps the folder.
bool onlyDerived(const QDir &dir)
{
    static const QStringList mimeDatabase = {
        QStringLiteral("XMLnamespaces"), QStringLiteral("aliases"), QStringLiteral("generic-icons"),
        QStringLiteral("globs"), QStringLiteral("globs2"), QStringLiteral("icons"), QStringLiteral("magic"),
        QStringLiteral("mime.cache"), QStringLiteral("subclasses"), QStringLiteral("treemagic"),
        QStringLiteral("types"), QStringLiteral("version")};
    const bool mime = dir.dirName() == QLatin1String("mime");
    const QFileInfoList left = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return std::all_of(left.begin(), left.end(), [&](const QFileInfo &entry) {
        if (entry.isDir() && !entry.isSymLink())
            return mime && QDir(entry.filePath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        return mime ? mimeDatabase.contains(entry.fileName()) : entry.fileName() == QLatin1String("mimeinfo.cache");
    });
}

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return in.readAll();
}

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A line of the manifest: a folder the program made (its path ends in '/'), a file with the
// hash of the bytes the program wrote there (an earlier version listed files without one), or a
// cache the desktop's tools made only because the program's files came ("derived-" and what else
// was in its folder then).
struct Record {
    QString path;
    QByteArray hash;
    bool derived() const { return hash.startsWith("derived-"); }
};

QString applicationsCache()
{
    return dataHome().filePath(QStringLiteral("applications/mimeinfo.cache"));
}

// The other applications' entries beside the program's, as a short stamp: the cache is theirs too
// once that changes.
QByteArray derivedStamp()
{
    QStringList others = QDir(dataHome().filePath(QStringLiteral("applications")))
                             .entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
    others.removeAll(QFileInfo(entryName()).fileName());
    return "derived-" + QCryptographicHash::hash(others.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha256)
                            .toHex()
                            .left(16);
}

QList<Record> readManifest()
{
    // "<hash>  <path>", as sha256sum writes it, or the path alone
    static const QRegularExpression hashed(QStringLiteral("^([0-9a-f]{64}|derived-[0-9a-f]{16})  (.+)$"));
    QList<Record> records;
    const QString text = QString::fromUtf8(readBytes(UserDesktopFiles::ManifestPath()).value_or(QByteArray()));
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = hashed.match(line);
        records << (match.hasMatch() ? Record{match.captured(2), match.captured(1).toLatin1()} : Record{line, {}});
    }
    return records;
}

void writeManifest(const QList<Record> &records)
{
    const QString manifest = UserDesktopFiles::ManifestPath();
    if (records.isEmpty()) {
        QFile::remove(manifest);
        QDir().rmdir(QFileInfo(manifest).absolutePath());  // only when nothing else is kept there
        return;
    }
    QByteArray text;
    for (const Record &record : records)
        text += (record.hash.isEmpty() ? QByteArray() : record.hash + "  ") + record.path.toUtf8() + '\n';
    const auto before = readBytes(manifest);
    if (before != text && QDir().mkpath(QFileInfo(manifest).absolutePath()))
        SaveBytes(manifest, text);
}

bool listed(const QList<Record> &records, const QString &path)
{
    return std::any_of(records.begin(), records.end(), [&](const Record &record) { return record.path == path; });
}

struct OurFile {
    QString path;
    QByteArray bytes;
};

// The package and the icon say who wrote them: cmake --install writes the same
// ones, and an installation's copy must never hold the program's bytes. (The
// entry differs anyway: it starts the build and declares no type.)
const char WrittenBy[] = "Written by Marqueemaster run from its build folder, while one of its buttons needs it";

QList<OurFile> ourFiles(const QString &execLine)
{
    // It declares no type: the user's mimeapps.list lines alone make it a choice, so taking
    // them back leaves nothing that still picks it.
    QStringList lines;
    for (const QString &line : QString::fromUtf8(DesktopEntryText).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Exec=")))
            lines << QStringLiteral("Exec=") + execLine;
        else if (!line.startsWith(QLatin1String("MimeType=")))
            lines << line;
    }
    QByteArray package(MimePackageText);
    package.insert(package.indexOf('\n') + 1, QByteArray("<!-- ") + WrittenBy + " -->\n");
    QImage image = AppIconImage(256);
    image.setText(QStringLiteral("Comment"), QLatin1String(WrittenBy));
    QByteArray icon;
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    const QDir data = dataHome();
    return {
        {data.filePath(entryName()), lines.join(QLatin1Char('\n')).toUtf8()},
        {data.filePath(QStringLiteral("mime/packages/" MARQUEE_APP_ID ".xml")), package},
        {data.filePath(QStringLiteral("icons/hicolor/256x256/apps/" MARQUEE_APP_ID ".png")), icon},
    };
}

// Whether a listed file still holds what the program wrote there. A file listed
// without a hash is the program's only while it holds what it writes now: any
// other bytes may be an installation's.
bool stillOurs(const QList<Record> &records, const QString &path, const QList<OurFile> &files)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return false;
    const QByteArray hash = hashOf(*bytes);
    return std::any_of(records.begin(), records.end(), [&](const Record &record) {
        if (record.path != path)
            return false;
        if (!record.hash.isEmpty())
            return record.hash == hash;
        return std::any_of(files.begin(), files.end(), [&](const OurFile &file) { return file.path == path && file.bytes == *bytes; });
    });
}

// Listed files that are gone, or that someone else has written over since, are no longer listed.
bool dropOthers(QList<Record> &records, const QList<OurFile> &files)
{
    const QList<Record> all = records;
    return records.removeIf([&](const Record &record) {
               if (record.derived())
                   return !QFileInfo::exists(record.path);
               return !record.path.endsWith(QLatin1Char('/')) && !stillOurs(all, record.path, files);
           }) > 0;
}

bool installedElsewhere(const QList<Record> &records)
{
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString entry = QDir(dir).filePath(entryName());
        if (QFileInfo::exists(entry) && !listed(records, entry))
            return true;
    }
    return false;
}

} // namespace

QString UserDesktopFiles::ManifestPath()
{
    return dataHome().filePath(QStringLiteral("Marqueemaster/installed-files"));
}

void UserDesktopFiles::Install(const QString &execLine)
{
    const QList<OurFile> files = ourFiles(execLine);
    QList<Record> records = readManifest();
    if (dropOthers(records, files))
        writeManifest(records);
    if (installedElsewhere(records))
        return;
    bool wrote = false;
    for (const auto &[path, bytes] : files) {
        if (listed(records, path) ? readBytes(path) == bytes : QFileInfo::exists(path))
            continue;  // already written, or someone else's
        if (!listed(records, path)) {
            for (const QString &folder : missingFolders(path)) {
                if (!listed(records, folder))
                    records << Record{folder, {}};
            }
        }
        // Listed with its new bytes before it changes (beside the old ones): a crash can't leave a file of ours
        // that the list doesn't own.
        const QByteArray hash = hashOf(bytes);
        records << Record{path, hash};
        writeManifest(records);
        if (QDir().mkpath(QFileInfo(path).absolutePath()) && SaveBytes(path, bytes).ok) {
            const QString &written = path;  // (a lambda can't capture a structured binding before C++20's fix)
            records.removeIf([&](const Record &record) { return record.path == written && record.hash != hash; });
            wrote = true;
        } else {
            records.removeLast();
        }
    }
    writeManifest(records);
    if (!wrote)
        return;
    const bool hadCache = QFileInfo::exists(applicationsCache());
    refreshDatabases();
    if (!hadCache && QFileInfo::exists(applicationsCache())) {
        records << Record{applicationsCache(), derivedStamp()};
        writeManifest(records);
    }
}

void UserDesktopFiles::Uninstall(const QString &execLine)
{
    const QList<Record> records = readManifest();
    if (records.isEmpty())
        return;
    const QList<OurFile> files = ourFiles(execLine);
    bool removed = false;
    for (const Record &record : records) {
        if (!record.path.endsWith(QLatin1Char('/')) && !record.derived() && stillOurs(records, record.path, files))
            removed = QFile::remove(record.path) || removed;
    }
    // First, so that the MIME database left behind describes no package of ours.
    if (removed)
        refreshDatabases();
    // The cache goes only while the folder is as the program found it: no installation took the entry's
    // place, no other application came.
    const bool entryGone = !QFileInfo::exists(dataHome().filePath(entryName()));
    for (const Record &record : records) {
        if (record.derived() && entryGone && record.hash == derivedStamp())
            QFile::remove(record.path);
    }
    // The folders it made, innermost first, while nothing of anyone else's is inside.
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        const QDir dir(it->path);
        if (it->path.endsWith(QLatin1Char('/')) && dir.exists() && onlyDerived(dir))
            QDir(it->path).removeRecursively();
    }
    writeManifest({});
}
