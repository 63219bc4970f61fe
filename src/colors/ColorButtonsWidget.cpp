#include "colors/ColorButtonsWidget.h"

#include "colors/ColorCodes.h"

#include <QPushButton>

ColorButtonsWidget::ColorButtonsWidget(const QList<QColor> &colors, int buttonSize, int spacing, QWidget *parent)
    : QWidget(parent)
{
    for (qsizetype i = 0; i < colors.size(); ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdColor%1").arg(i));
        button->setGeometry(static_cast<int>(i) * spacing, 0, buttonSize, buttonSize);
        button->setFocusPolicy(Qt::NoFocus);  // keep the text box's selection while colouring
        button->setToolTip(QStringLiteral("^%1").arg(i + 1));
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }"
                                             "QPushButton:pressed { border: 2px inset #202020; }")
                                  .arg(colors.at(i).name()));
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { emit colorClicked(index); });
    }
    setFixedSize(static_cast<int>(colors.size() - 1) * spacing + buttonSize, buttonSize);
}

QList<QColor> CodeColors(int count)
{
    QList<QColor> colors;
    for (int code = 1; code <= count; ++code)
        colors << ColorFromCode(QString::number(code));
    return colors;
}
