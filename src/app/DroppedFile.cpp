#include "app/DroppedFile.h"

#include "animation/StartupFile.h"

#include <QMimeData>
#include <QUrl>

QString DroppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    const QString path = data->urls().first().toLocalFile();
    return StartupFileKindOf(path) == StartupFileKind::None ? QString() : path;
}
