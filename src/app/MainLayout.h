#pragma once

#include <QRect>
#include <QSize>

// Where the preview box, the colour panel and the list stand in the area
// below the toolbar, in pixels.
struct MainGeometry {
    QRect preview;
    QRect colorPanel;  // empty when the panel is hidden
    QRect list;
};

namespace MainLayoutMetrics {
constexpr int PreviewTop = 2;
constexpr int PreviewHeight = 33;
constexpr int PanelWidth = 257;  // the eight buttons (249) with room on both sides: flush at the edge, black looked cut off
constexpr int MoreColorsWidth = 44;  // "More colours" beside them, for the games with 32: at least this wide
constexpr int ListTop = PreviewTop + PreviewHeight;
constexpr int MinimumOuterWidth = 539;
constexpr QSize InitialClientSize(531, 451);
} // namespace MainLayoutMetrics

// The list keeps its previous height when the area leaves it none.
// The colour panel is panelWidth wide (wider when it holds "More colours").
MainGeometry LayOutMainWindow(const QSize &area, bool showColors, int previousListHeight,
                              int panelWidth = MainLayoutMetrics::PanelWidth);
