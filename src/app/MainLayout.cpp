#include "app/MainLayout.h"

using namespace MainLayoutMetrics;

MainGeometry LayOutMainWindow(const QSize &area, bool showColors, int previousListHeight, int panelWidth)
{
    MainGeometry geometry;
    const int width = area.width();
    if (showColors) {
        const int previewWidth = qMax(0, width - panelWidth);
        geometry.preview = QRect(0, PreviewTop, previewWidth, PreviewHeight);
        geometry.colorPanel = QRect(previewWidth, PreviewTop, panelWidth, PreviewHeight);
    } else {
        geometry.preview = QRect(0, PreviewTop, width, PreviewHeight);
    }
    const int listHeight = area.height() - ListTop;
    geometry.list = QRect(0, ListTop, width, listHeight > 0 ? listHeight : previousListHeight);
    return geometry;
}
