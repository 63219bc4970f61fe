#pragma once

#include <QString>

class QMimeData;

// The one local .ras or .cfg file a drag carries, or empty text.
QString DroppedFile(const QMimeData *data);
