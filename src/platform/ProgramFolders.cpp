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
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(ProgramName);
}

QStringList ProgramFolders::All()
{
    QStringList folders = {QDir::cleanPath(Config()), QDir::cleanPath(Data()), QDir::cleanPath(Shared())};
    folders.removeDuplicates();
    return folders;
}
