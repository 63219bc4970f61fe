#pragma once

#include <QWidget>

class ColorButtonsWidget;
class MoreColorsButton;
struct GameRules;

// picColors beside the preview: the chosen game's colour buttons and "More colours" when it has more.
class ColorPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ColorPanel(QWidget *parent);
    void setGame(const GameRules &game);
    // The room it needs: wider with "More colours".
    int panelWidth() const { return m_panelWidth; }

signals:
    void colorClicked(int index);

private:
    ColorButtonsWidget *m_buttons;
    MoreColorsButton *m_more;
    int m_panelWidth;
};
