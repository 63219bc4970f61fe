#pragma once

#include <QColor>
#include <QWidget>

// A row of square colour buttons named cmdColor0, cmdColor1, ...; button k
// stands for the colour code k + 1.
class ColorButtonsWidget : public QWidget {
    Q_OBJECT
public:
    // The buttons' colours, left to right; size and spacing in pixels.
    ColorButtonsWidget(const QList<QColor> &colors, int buttonSize, int spacing, QWidget *parent = nullptr);

signals:
    void colorClicked(int index);
};

// The colours of the codes 1 to count: red, green, yellow, blue, cyan, magenta,
// white, black, red.
QList<QColor> CodeColors(int count);
