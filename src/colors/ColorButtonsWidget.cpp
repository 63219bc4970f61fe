#include "colors/ColorButtonsWidget.h"

#include "colors/ColorCodes.h"

#include <QToolButton>

ColorButtonsWidget::ColorButtonsWidget(const QList<QColor> &colors, int buttonSize, int spacing, QWidget *parent)
    : QWidget(parent)
{
    for (qsizetype i = 0; i < colors.size(); ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("cmdColor%1").arg(i));
        button->setGeometry(static_cast<int>(i) * spacing, 0, buttonSize, buttonSize);
        button->setAutoRaise(false);
        button->setToolTip(QStringLiteral("^%1").arg(i + 1));
        button->setStyleSheet(QStringLiteral("QToolButton { background-color: %1; border: 1px solid #404040; }"
                                             "QToolButton:pressed { border: 2px inset #202020; }")
                                  .arg(colors.at(i).name()));
        const int index = static_cast<int>(i);
        connect(button, &QToolButton::clicked, this, [this, index] { emit colorClicked(index); });
    }
    setFixedSize(static_cast<int>(colors.size() - 1) * spacing + buttonSize, buttonSize);
}

QList<QColor> MainPanelColors()
{
    QList<QColor> colors;
    for (char code : {'1', '2', '3', '4', '5', '6', '7', '8'})
        colors << ColorFromCode(QLatin1Char(code));
    return colors;
}
