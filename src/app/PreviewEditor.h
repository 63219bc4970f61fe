#pragma once

#include "animation/HistoryView.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class AnimationModel;
class PreviewBoxWidget;
struct GameRules;

// txtPreview as the player uses it: it shows the current line (or, with "Show as the game shows it", what the
// game shows, locked), writes typing back into that line as undo steps, colours the selection from the colour
// buttons, and shows frames while the animation plays without writing them anywhere.
class PreviewEditor final : public QObject {
    Q_OBJECT
public:
    struct Access {
        std::function<std::optional<int>()> currentRow;
        std::function<const GameRules &()> rules;
        std::function<bool()> showAsGame;
        std::function<void(const QString &)> note;  // says whether and how the line's Text can be typed here
    };
    PreviewEditor(PreviewBoxWidget *box, AnimationModel &model, Access access, QObject *parent);

    // The current line, or the empty state.
    void showCurrentLine();
    // A text drawn without writing it back into the list.
    void draw(const QString &codedText);
    bool updating() const { return m_updating; }
    void setUpdating(bool updating) { m_updating = updating; }
    // Colours the selection (or what is typed next) with the game colour at index, as an undo step.
    void applyColor(int index);
    // After playing: the last frame stays ms, read-only, then the current line again.
    void showCurrentLineAfter(int ms);
    // Where the cursor was before the last edit (or is), for the history; and put back after undo or redo.
    void saveCursor(HistoryView &view) const;
    void restoreCursor(const HistoryView &view);

private:
    void edited();

    PreviewBoxWidget *m_box;
    AnimationModel &m_model;
    Access m_access;
    bool m_updating = false;
    std::optional<std::pair<int, int>> m_cursorBeforeEdit;  // anchor and cursor before the box's last edit
};
