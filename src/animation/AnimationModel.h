#pragma once

#include "animation/AnimationLine.h"
#include "script/ScriptCheck.h"

#include <QAbstractTableModel>
#include <QVector>

#include <optional>

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
    bool insertLine(int row, const AnimationLine &line);
    bool appendLine(const AnimationLine &line) { return insertLine(count(), line); }
    // Appends in one batch as many lines as fit; returns how many were taken.
    int appendLines(const QVector<AnimationLine> &lines);
    // Replaces every line in one reset; keeps the first MaxLines.
    int setLines(QVector<AnimationLine> lines);
    void removeLine(int row);
    void clear();

    void setText(int row, const QString &text);
    void setTime(int row, const QString &time);
    void setAction(int row, const QString &action);

    // The frame rate the game's timings are counted at (chat flood protection).
    void setFrameRate(int frameRate);
    int frameRate() const { return m_frameRate; }
    // How the game plays the line otherwise than the preview shows, or nothing.
    std::optional<LineMark> gameMark(int row) const;
    // Every such line, in row order; kept until the lines or the frame rate change.
    const QVector<LineMark> &gameMarks() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void changeField(int row, Column column, QString AnimationLine::*field, const QString &value);
    void forgetMarks() const { m_marksValid = false; }

    QVector<AnimationLine> m_lines;
    int m_frameRate = 125;
    // Row -> index into m_marks + 1 (0: plays as written); built on first use after a change.
    mutable QVector<int> m_markOfRow;
    mutable QVector<LineMark> m_marks;
    mutable bool m_marksValid = false;
};
