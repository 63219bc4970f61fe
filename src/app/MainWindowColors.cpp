// The colours of the chosen game on the main window: the colour buttons and "More colours" beside the
// preview, the preview itself and the list's Texts.
#include "app/MainWindow.h"

#include "app/MainLayout.h"
#include "colors/ColorButtonsWidget.h"
#include "colors/GameColors.h"
#include "colors/GameTextDelegate.h"
#include "colors/MoreColorsButton.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/RegistryOps.h"
#include "platform/RegistryStore.h"

#include <QAction>
#include <QTreeView>

using namespace MainLayoutMetrics;

void MainWindow::buildColorPanel()
{
    m_colorPanel = new QWidget(m_area);
    m_colorPanel->setObjectName(QStringLiteral("picColors"));
    m_colorButtons = new ColorButtonsWidget(1, 8, 25, 32, m_colorPanel);
    m_colorButtons->move((PanelWidth - m_colorButtons->width()) / 2, 4);
    m_moreColors = new MoreColorsButton(m_colorPanel);
    m_moreColors->setGeometry(PanelWidth - 2, 4, MoreColorsWidth - 4, 25);
    m_colorPanel->hide();
    m_panelWidth = PanelWidth;
    connect(m_colorButtons, &ColorButtonsWidget::colorClicked, this, &MainWindow::colorButtonClicked);
    connect(m_moreColors, &MoreColorsButton::colorChosen, this, &MainWindow::colorButtonClicked);
}

void MainWindow::colorButtonClicked(int index)
{
    if (m_preview->document()->isEmpty())
        return;
    AnimationStep step(m_model, QStringLiteral("Color"));
    m_preview->applyColor(GameColor(m_settings.rules(), index));
}

void MainWindow::applyGame()
{
    const GameRules &game = m_settings.rules();
    m_colorButtons->setGame(game);
    m_moreColors->setGame(game);
    m_panelWidth = m_moreColors->isVisibleTo(m_colorPanel) ? PanelWidth + MoreColorsWidth : PanelWidth;
    m_textDelegate->setGame(game);
    const bool showCodes = GetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QStringLiteral("ShowCodes"))
                           != QLatin1String("0");  // on unless turned off
    m_textDelegate->setShowCodes(showCodes);
    m_menus.showCodes->setChecked(showCodes);
    layOut();
    setPreview();
    m_list->viewport()->update();
}

void MainWindow::toggleShowCodes()
{
    const bool showCodes = !m_textDelegate->showCodes();
    m_menus.showCodes->setChecked(showCodes);
    m_textDelegate->setShowCodes(showCodes);
    m_store.setValue(RegHive::CurrentUser, SettingsKey, QStringLiteral("ShowCodes"), FlagText(showCodes));
    m_list->viewport()->update();
}
