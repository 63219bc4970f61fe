#include "colors/MoreColorsButton.h"

#include "colors/GameColors.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace {

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

MoreColorsButton::MoreColorsButton(QWidget *parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("cmdMoreColors"));
    setText(QStringLiteral("More"));
    setToolTip(QStringLiteral("More colours"));
    setFocusPolicy(Qt::TabFocus);  // reached by Tab; a click leaves the focus (and the selection) in the text box
    setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuMoreColors"));
    setMenu(menu);
    setGame(Games::Rtcw);
}

void MoreColorsButton::setGame(const GameRules &game, int shownByButtons)
{
    menu()->clear();
    setVisible(game.colors > shownByButtons);
    for (int index = 0; index < game.colors; ++index) {
        const QString name = GameColorName(game, index);
        QAction *action = menu()->addAction(swatch(GameColor(game, index)),
                                            name.isEmpty() ? GameCode(index) : GameCode(index) + QLatin1String("   ") + name);
        action->setObjectName(QStringLiteral("mnuColor%1").arg(index));
        connect(action, &QAction::triggered, this, [this, index] { emit colorChosen(index); });
    }
}
