#pragma once

#include "game/GameRules.h"

#include <QStyledItemDelegate>

// Draws a column of Texts as the game draws them: the game's colours on its grey, the colour codes dimmed
// (or left out) so they can still be read. Only the rows a view paints are drawn; editing edits the raw text.
// A row's mark stands at the right end of its cell, so every Text starts in one column.
class GameTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setGame(const GameRules &game) { m_game = &game; }
    void setShowCodes(bool show) { m_showCodes = show; }
    bool showCodes() const { return m_showCodes; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const GameRules *m_game = &Games::Rtcw;
    bool m_showCodes = true;
};
