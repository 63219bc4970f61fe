#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

const QString ProgramName = QStringLiteral("Marqueemaster");

QString programLocation(QStandardPaths::StandardLocation location)
{
    const QString asked = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(ProgramName);
    const QString path = QStandardPaths::writableLocation(location);
    QCoreApplication::setApplicationName(asked);
    return path;
}

} // namespace

QString ProgramFolders::Config()
{
    return programLocation(QStandardPaths::AppConfigLocation);
}

QString ProgramFolders::Data()
{
    return programLocation(QStandardPaths::AppDataLocation);
}

QString ProgramFolders::Shared()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(ProgramName);
}

QStringList ProgramFolders::All()
{
    QStringList folders;
    // A system that names no folder gives empty text: never a folder relative to where the program runs.
    for (const QString &folder : {Config(), Data(), Shared()}) {
        if (QDir::isAbsolutePath(folder) && !folders.contains(QDir::cleanPath(folder)))
            folders << QDir::cleanPath(folder);
    }
    return folders;
}
