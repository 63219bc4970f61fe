#include "colors/ColorButtonsWidget.h"

#include "colors/GameColors.h"

#include <QKeyEvent>
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
    setFocusPolicy(Qt::TabFocus);
    setGame(Games::Rtcw);
}

void ColorButtonsWidget::setGame(const GameRules &game)
{
    m_game = &game;
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int code = m_firstCode + i;
        const QString name = GameColorName(game, code);
        m_buttons.at(i)->setToolTip(name.isEmpty() ? GameCode(code) : GameCode(code) + QLatin1Char(' ') + name);
    }
    restyle();
}

void ColorButtonsWidget::restyle()
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        // The marked button, while the row has the focus: a white frame inside a black one, seen on any colour.
        const bool marked = hasFocus() && i == m_current;
        m_buttons.at(i)->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: %2; }"
                           "QPushButton:pressed { border: 2px inset #202020; }")
                .arg(GameColor(*m_game, m_firstCode + i).name(),
                     marked ? QStringLiteral("3px double #ffffff") : QStringLiteral("1px solid #404040")));
    }
    setAccessibleName(m_buttons.value(m_current) ? m_buttons.at(m_current)->toolTip() : QString());
}

void ColorButtonsWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Right ? 1 : -1;
        m_current = static_cast<int>((m_current + step + m_buttons.size()) % m_buttons.size());
        restyle();
        return;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit colorClicked(m_firstCode + m_current);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ColorButtonsWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    restyle();
}

void ColorButtonsWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    restyle();
}
