#pragma once

#include "animation/AnimationLine.h"
#include "animation/LineMarkCache.h"

#include <QAbstractTableModel>
#include <QVector>

#include <optional>

class AnimationChangeListener;

// The animation: the one store of its lines, shown by the main list. Rows count
// from 0. It holds at most MaxLines lines; the adding operations stop there
// and say how many lines they took.
class AnimationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MaxLines = 32767;
    static constexpr int MaxShownCharacters = 2048;  // of a Text, in the list
    enum Column { TextColumn = 0, TimeColumn = 1, ActionColumn = 2, ColumnCount = 3 };

    explicit AnimationModel(QObject *parent = nullptr);

    int count() const { return static_cast<int>(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const AnimationLine &line(int row) const { return m_lines.at(row); }
    const QVector<AnimationLine> &lines() const { return m_lines; }
    int roomLeft() const { return MaxLines - count(); }
    // The row when it names a line, otherwise nothing: commands check the current row with it.
    std::optional<int> validRow(std::optional<int> row) const
    {
        return row && *row >= 0 && *row < count() ? row : std::nullopt;
    }

    // False (and nothing inserted) when the animation is full.
    bool insertLine(int row, const AnimationLine &line) { return insertLines(row, {line}) == 1; }
    bool appendLine(const AnimationLine &line) { return insertLine(count(), line); }
    // Inserts in one batch as many lines as fit; returns how many were taken.
    int insertLines(int row, const QVector<AnimationLine> &lines);
    int appendLines(const QVector<AnimationLine> &lines) { return insertLines(count(), lines); }
    // Replaces every line in one reset; keeps the first MaxLines.
    int setLines(QVector<AnimationLine> lines);
    void removeLine(int row) { removeLines(row, 1); }
    void removeLines(int row, int count);
    void clear() { removeLines(0, count()); }

    void setText(int row, const QString &text);
    void setTime(int row, const QString &time);
    void setAction(int row, const QString &action);

    // The frame rate the game's timings are counted at (chat flood protection).
    void setFrameRate(int frameRate);
    int frameRate() const { return m_frameRate; }
    // The game the marks are worked out for.
    void setGame(Game game);
    Game game() const { return m_game; }
    // How many times the script plays the lines: a later pass can mark a line the first doesn't.
    void setPasses(int passes);
    int passes() const { return m_passes; }
    // Without a player the lines carry no marks.
    void setLinePlayer(LinePlayer player) { m_marks.setPlayer(player); }
    bool hasLinePlayer() const { return m_marks.hasPlayer(); }
    // How the game plays the line otherwise than the preview shows, or nothing. Never waits: just after a change
    // to a long animation it answers from the marks known before, until gameMarksArrived().
    std::optional<LineMark> gameMark(int row) const;
    // The play of every line; kept until the lines, the frame rate or the game change.
    const GameVerdict &gameVerdict() const;
    const QVector<LineMark> &gameMarks() const { return gameVerdict().marks; }
    // True when gameVerdict() answers at once.
    bool gameVerdictKnown() const { return m_marks.known(); }

signals:
    // A long animation's marks, played on a worker after a change, are known: gameMark() may answer otherwise.
    void gameMarksArrived();

public:

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Every change is reported here before the view hears of it (the undo history listens).
    void setListener(AnimationChangeListener *listener) { m_listener = listener; }
    AnimationChangeListener *listener() const { return m_listener; }

private:
    void changeField(int row, Column column, QString AnimationLine::*field, const QString &value);
    void forgetMarks() { m_marks.forget(true); }
    void remark();

    QVector<AnimationLine> m_lines;
    AnimationChangeListener *m_listener = nullptr;
    int m_frameRate = 125;
    Game m_game = Game::Rtcw;
    int m_passes = 1;
    LineMarkCache m_marks;
};

// Hears of each change the model's operations make, and of the named steps around them.
class AnimationChangeListener {
public:
    virtual ~AnimationChangeListener() = default;
    virtual void linesInserted(int row, const QVector<AnimationLine> &lines) = 0;
    virtual void linesRemoved(int row, const QVector<AnimationLine> &lines) = 0;
    virtual void linesReplaced(const QVector<AnimationLine> &before, const QVector<AnimationLine> &after) = 0;
    virtual void fieldChanged(int row, AnimationModel::Column column, const QString &before,
                              const QString &after) = 0;
    virtual void beginStep(const QString &name, bool typing) = 0;
    virtual void endStep() = 0;
};

// Everything the model changes while one of these lives is one step, named after
// the user's command ("Bounce", "Delete all lines"). Steps nest: the outer one names them.
class AnimationStep {
public:
    enum Kind { Command, Typing };
    AnimationStep(AnimationModel &model, const QString &name, Kind kind = Command) : m_listener(model.listener())
    {
        if (m_listener)
            m_listener->beginStep(name, kind == Typing);
    }
    ~AnimationStep()
    {
        if (m_listener)
            m_listener->endStep();
    }
    AnimationStep(const AnimationStep &) = delete;
    AnimationStep &operator=(const AnimationStep &) = delete;

private:
    AnimationChangeListener *m_listener;
};
