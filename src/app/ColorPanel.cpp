#include "app/ColorPanel.h"

#include "app/MainLayout.h"
#include "colors/ColorButtonsWidget.h"
#include "colors/MoreColorsButton.h"

using namespace MainLayoutMetrics;

ColorPanel::ColorPanel(QWidget *parent)
    : QWidget(parent), m_buttons(new ColorButtonsWidget(1, 8, 25, 32, this)), m_more(new MoreColorsButton(this)),
      m_panelWidth(PanelWidth)
{
    setObjectName(QStringLiteral("picColors"));
    m_buttons->move((PanelWidth - m_buttons->width()) / 2, 4);
    // As wide as its caption and drop-down arrow need in the style and font in use.
    m_more->setGeometry(PanelWidth - 2, 4, qMax(MoreColorsWidth - 4, m_more->sizeHint().width()), 25);
    hide();
    connect(m_buttons, &ColorButtonsWidget::colorClicked, this, &ColorPanel::colorClicked);
    connect(m_more, &MoreColorsButton::colorChosen, this, &ColorPanel::colorClicked);
}

void ColorPanel::setGame(const GameRules &game)
{
    m_buttons->setGame(game);
    m_more->setGame(game);
    m_panelWidth = m_more->isVisibleTo(this) ? m_more->geometry().right() + 1 + 4 : PanelWidth;
}
