#include "platform/SafeSave.h"
#include "platform/ProgramFolders.h"

#include "platform/TextFile.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QThread>

#include <memory>
#include <optional>
#include <vector>

namespace {

// The reason a write failed, naming the file. A full disk is said as such: the system's own words for it are
// often lost by the time the failed write is seen ("Unknown error").
TextWriteResult failure(const QFileDevice &file, qint64 wanted = 0)
{
    TextWriteResult result;
    // A write cut short sets no error of its own: it is a write error all the same, with a number to quote.
    const bool cutShort = file.error() == QFileDevice::NoError;
    result.errorCode = static_cast<int>(cutShort ? QFileDevice::WriteError : file.error());
    QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
    const bool full = file.error() != QFileDevice::OpenError && file.error() != QFileDevice::RenameError
                      && storage.isValid() && storage.bytesAvailable() < wanted;
    const QString reason = full       ? QStringLiteral("The disk is full")
                           : cutShort ? QStringLiteral("only part of it could be written (no room, or a limit on file size)")
                                      : file.errorString();
    result.errorString = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.fileName()), reason);
    const QFileInfo folder(QFileInfo(file.fileName()).absolutePath());
    result.folderRefused = file.error() == QFileDevice::OpenError && folder.isDir() && !folder.isWritable();
    return result;
}

TextWriteResult refused(const QString &path, const QString &reason)
{
    TextWriteResult result;
    result.errorCode = static_cast<int>(QFileDevice::OpenError);
    result.errorString = QStringLiteral("%1: the folder does not let new files be created, and %2; the file was not "
                                        "changed.")
                             .arg(QDir::toNativeSeparators(path), reason);
    return result;
}

// QSaveFile::commit() misses a failure of the last buffered write (a full disk, a size limit) and renames a
// cut file over the old one: the bytes are pushed out and checked before it.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size() && file.flush();
}

bool openToOverwrite(QFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::ExistingOnly);
}

// Writes all of bytes over the open file from its start and cuts it there; unbuffered, so that a failed write
// leaves nothing behind to be written later.
bool overwrite(QFile &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size() && file.resize(bytes.size());
}

TextWriteResult writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile reader(path);
    if (!reader.open(QIODevice::ReadOnly))
        return failure(reader);
    const QByteArray old = reader.readAll();
    if (reader.error() != QFileDevice::NoError)
        return failure(reader);
    reader.close();
    // The copy goes where the user's own files go, which takes new files.
    const QString folder = ProgramFolders::Data();
    const QString copyPath = BeforeSaveCopyPath(folder, path);
    QSaveFile copy(copyPath);
    if (!QDir().mkpath(folder) || !copy.open(QIODevice::WriteOnly) || !writeAll(copy, old) || !copy.commit())
        return refused(path, QStringLiteral("no safe copy of the old file could be made in %1 (%2)")
                                 .arg(QDir::toNativeSeparators(folder), copy.errorString()));
    QFile file(path);
    if (!openToOverwrite(file)) {  // (a read-only file): not touched, so the copy is not needed
        QFile::remove(copyPath);
        return failure(file);
    }
    if (overwrite(file, bytes)) {
        QFile::remove(copyPath);
        TextWriteResult result;
        result.ok = true;
        return result;
    }
    TextWriteResult result = failure(file, bytes.size());
    file.close();
    QFile back(path);
    if (openToOverwrite(back) && overwrite(back, old))
        QFile::remove(copyPath);
    else  // the copy is all that is left of the old file: say where it is
        result.errorString += QStringLiteral("\nThe old file is kept in %1.").arg(QDir::toNativeSeparators(copyPath));
    return result;
}

} // namespace

QString BeforeSaveCopyPath(const QString &folder, const QString &path)
{
    const QByteArray hash = QCryptographicHash::hash(QFileInfo(path).absoluteFilePath().toUtf8(),
                                                     QCryptographicHash::Sha1).toHex().left(12);
    const QString base = QStringLiteral("before-save-%1-%2").arg(QString::fromLatin1(hash), QFileInfo(path).fileName());
    QString copy = QDir(folder).filePath(base);
    for (int n = 2; QFileInfo::exists(copy); ++n)  // an earlier failed save's copy is all some user has left
        copy = QDir(folder).filePath(base + QStringLiteral(".%1").arg(n));
    return copy;
}

TextWriteResult SaveBytes(const QString &path, const QByteArray &bytes)
{
    // On Windows a file some other program is reading (another copy of this one, a virus scanner) can't be
    // replaced until it lets go, a matter of milliseconds: try the rename again for a while before failing.
    QDeadlineTimer patience(2000);
    for (;;) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            // No temporary file: a folder that refuses new files. Only an existing file can be written there.
            if (!QFileInfo(path).isFile() || !QFileInfo(QFileInfo(path).absolutePath()).isDir())
                return failure(file);
            return writeInPlace(path, bytes);
        }
        if (writeAll(file, bytes) && file.commit()) {
            TextWriteResult result;
            result.ok = true;
            return result;
        }
        TextWriteResult result = failure(file, bytes.size());
        file.cancelWriting();
        if (result.errorCode != QFileDevice::RenameError || patience.hasExpired())
            return result;
        QThread::msleep(10);
    }
}

namespace {

// Puts back the first `count` files as they were: new ones removed first, so that the old bytes find room.
void putBack(const QStringList &paths, const QList<std::optional<QByteArray>> &before, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        if (!before.at(i))
            QFile::remove(paths.at(i));
    for (qsizetype i = 0; i < count; ++i)
        if (before.at(i))
            SaveBytes(paths.at(i), *before.at(i));
}

// One file after another, each put back when a later one fails: for folders that refuse new files.
SaveAllResult saveOneByOne(const QStringList &paths, const QList<QByteArray> &bytes,
                           const QList<std::optional<QByteArray>> &before)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const TextWriteResult written = SaveBytes(paths.at(i), bytes.at(i));
        if (!written.ok) {
            putBack(paths, before, i);
            return {written, paths.at(i)};
        }
    }
    return {TextWriteResult{true}, QString()};
}

} // namespace

SaveAllResult SaveAllBytes(const QStringList &paths, const QList<QByteArray> &bytes)
{
    QList<std::optional<QByteArray>> before;
    for (const QString &path : paths) {
        QFile old(path);
        before << (old.open(QIODevice::ReadOnly) ? std::optional(old.readAll()) : std::nullopt);
    }
    // Every file is written whole beside its place before any takes it: a full disk changes nothing.
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        auto file = std::make_unique<QSaveFile>(paths.at(i));
        if (!file->open(QIODevice::WriteOnly))
            return file->error() == QFileDevice::OpenError && QFileInfo(paths.at(i)).isFile()
                ? saveOneByOne(paths, bytes, before)
                : SaveAllResult{failure(*file), paths.at(i)};
        if (!writeAll(*file, bytes.at(i)))
            return {failure(*file, bytes.at(i).size()), paths.at(i)};  // the staged files go with the list
        staged.push_back(std::move(file));
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (staged.at(i)->commit())
            continue;
        const TextWriteResult again = SaveBytes(paths.at(i), bytes.at(i));  // patient with a file held open
        if (!again.ok) {
            putBack(paths, before, i);
            return {again, paths.at(i)};
        }
    }
    return {TextWriteResult{true}, QString()};
}
