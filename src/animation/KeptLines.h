#pragma once

#include "animation/AnimationLine.h"

#include <QByteArray>
#include <QHash>
#include <QVector>

#include <memory>

// Lines an undo step keeps. While the animation (or a newer step) may use them they stay as they are, sharing
// their texts; once only this older state needs them, large ones are packed: compressed into one block, which
// steps that keep the same state share. A hundred whole-animation steps at the line limit fit in a few
// megabytes instead of a few hundred.
class KeptLines {
public:
    // Fewer lines than this are kept as they are: packing them would save little.
    static constexpr int PackFrom = 1000;

    KeptLines() = default;
    explicit KeptLines(const QVector<AnimationLine> &lines);

    // The lines, unpacked when asked for (and kept so until the next pack()).
    const QVector<AnimationLine> &lines() const;
    int size() const { return m_size; }
    // Packs the lines unless live shares them (the model's lines). packs: blocks already made in this pass, by
    // the lines they were made from, so that two steps keeping one state share its block.
    void pack(const QVector<AnimationLine> &live, QHash<const void *, std::shared_ptr<const QByteArray>> &packs) const;
    // Lets go of the unpacked lines when a block holds them (the animation has moved on to other lines): a jump
    // of many steps at once never holds every state it passes unpacked.
    void releaseIfPacked() const;
    // The memory kept alive, by buffer: the lines while unpacked, else the block.
    void countBuffers(QHash<const void *, qint64> &buffers) const;

private:
    mutable QVector<AnimationLine> m_lines;
    mutable bool m_unpacked = true;
    mutable std::shared_ptr<const QByteArray> m_packed;
    int m_size = 0;
    qint64 m_bytes = 0;  // of the unpacked lines
};

// The memory a text keeps alive, as the history counts it.
qint64 TextBytes(const QString &text);

QByteArray PackLines(const QVector<AnimationLine> &lines);
QVector<AnimationLine> UnpackLines(const QByteArray &packed, int count);
