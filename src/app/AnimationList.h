#pragma once

#include "animation/HistoryView.h"

class AnimationModel;
class GameTextDelegate;
class QTreeView;
class QWidget;

// lvwMain: the animation's lines in three columns, the Texts in the game's colours (textDelegate), with a hint
// where to start while it is empty.
struct AnimationList {
    QTreeView *view;
    GameTextDelegate *textDelegate;
};
AnimationList CreateAnimationList(AnimationModel &model, QWidget *parent);

// The current row and the selected rows of the list, for the history; and put back after undo or redo (rows
// that are gone are left out).
void SaveListView(const QTreeView &list, HistoryView &view);
void RestoreListView(QTreeView &list, const HistoryView &view);
