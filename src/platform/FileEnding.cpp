#include "platform/FileEnding.h"

#include <QFileInfo>

QString WithFilterEnding(const QString &path, const QString &pipeFilter)
{
    const QString pattern = pipeFilter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    if (path.isEmpty() || !pattern.startsWith(QLatin1String("*.")) || pattern.indexOf(QLatin1Char('*'), 1) >= 0)
        return path;
    return QFileInfo(path).fileName().contains(QLatin1Char('.')) ? path : path + pattern.mid(1);
}
