#include "colors/ColorButtonsWidget.h"

#include "colors/GameColors.h"

#include <QPushButton>

ColorButtonsWidget::ColorButtonsWidget(int firstCode, int count, int buttonSize, int spacing, QWidget *parent)
    : QWidget(parent), m_firstCode(firstCode)
{
    for (int i = 0; i < count; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdColor%1").arg(i));
        button->setGeometry(i * spacing, 0, buttonSize, buttonSize);
        button->setFocusPolicy(Qt::NoFocus);  // keep the text box's selection while colouring
        connect(button, &QPushButton::clicked, this, [this, i] { emit colorClicked(m_firstCode + i); });
        m_buttons << button;
    }
    setFixedSize((count - 1) * spacing + buttonSize, buttonSize);
    setGame(Games::Rtcw);
}

void ColorButtonsWidget::setGame(const GameRules &game)
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int code = m_firstCode + i;
        const QString name = GameColorName(game, code);
        m_buttons.at(i)->setToolTip(name.isEmpty() ? GameCode(code) : GameCode(code) + QLatin1Char(' ') + name);
        m_buttons.at(i)->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }"
                                                      "QPushButton:pressed { border: 2px inset #202020; }")
                                           .arg(GameColor(game, code).name()));
    }
}
