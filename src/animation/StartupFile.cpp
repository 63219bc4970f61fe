#include "animation/StartupFile.h"

#include "platform/TextFile.h"

QString StartupPath(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

StartupFileKind StartupFileKindOf(const QString &path)
{
    if (path.isEmpty() || !FileExists(path))
        return StartupFileKind::None;
    if (path.endsWith(QLatin1String("ras"), Qt::CaseInsensitive))
        return StartupFileKind::Animation;
    if (path.endsWith(QLatin1String("cfg"), Qt::CaseInsensitive))
        return StartupFileKind::Script;
    return StartupFileKind::None;
}
