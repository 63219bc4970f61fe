#include "platform/SafeSave.h"

#include "platform/TextFile.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

namespace {

TextWriteResult failure(const QFileDevice &file)
{
    TextWriteResult result;
    result.errorCode = static_cast<int>(file.error());
    result.errorString = file.errorString();
    return result;
}

TextWriteResult refused(const QString &path, const QString &reason)
{
    TextWriteResult result;
    result.errorCode = static_cast<int>(QFileDevice::OpenError);
    result.errorString = QStringLiteral("The folder %1 does not let new files be created, and %2; the file was not "
                                        "changed.")
                             .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), reason);
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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
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
    TextWriteResult result = failure(file);
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
        TextWriteResult result = failure(file);
        file.cancelWriting();
        if (result.errorCode != QFileDevice::RenameError || patience.hasExpired())
            return result;
        QThread::msleep(10);
    }
}
