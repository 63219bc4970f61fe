#pragma once

#include "FileFixtures.h"

#include <QCryptographicHash>
#include <QDirIterator>

// Everything under the folder as "path hash", sorted: a file put back with other bytes differs.
inline QStringList FilesWithHashes(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << path + u' ' + QString::fromLatin1(QCryptographicHash::hash(ReadFileBytes(path), QCryptographicHash::Md5).toHex());
    }
    files.sort();
    return files;
}
