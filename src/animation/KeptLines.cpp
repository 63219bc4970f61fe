#include "animation/KeptLines.h"

#include <QDataStream>

qint64 TextBytes(const QString &text)
{
    return text.isEmpty() ? 0 : 32 + 2 * text.size();
}

namespace {

qint64 bytesOf(const QVector<AnimationLine> &lines)
{
    qint64 bytes = lines.size() * qint64(sizeof(AnimationLine));
    for (const AnimationLine &line : lines)
        bytes += TextBytes(line.text) + TextBytes(line.time) + TextBytes(line.action);
    return bytes;
}

void put(QByteArray &bytes, const QString &text)
{
    const qsizetype size = text.size();
    bytes.append(reinterpret_cast<const char *>(&size), sizeof size);
    bytes.append(reinterpret_cast<const char *>(text.constData()), size * qsizetype(sizeof(QChar)));
}

// The next text of packed at position, or a null text when the block is cut short.
QString take(const QByteArray &packed, qsizetype &position)
{
    qsizetype size = 0;
    if (position + qsizetype(sizeof size) > packed.size())
        return {};
    memcpy(&size, packed.constData() + position, sizeof size);
    position += sizeof size;
    const qsizetype bytes = size * qsizetype(sizeof(QChar));
    if (size < 0 || position + bytes > packed.size())
        return {};
    QString text(reinterpret_cast<const QChar *>(packed.constData() + position), size);
    position += bytes;
    return text;
}

} // namespace

QByteArray PackLines(const QVector<AnimationLine> &lines)
{
    QByteArray raw;
    qsizetype size = 0;
    for (const AnimationLine &line : lines)
        size += 3 * qsizetype(sizeof(qsizetype)) + 2 * (line.text.size() + line.time.size() + line.action.size());
    raw.reserve(size);
    for (const AnimationLine &line : lines) {
        put(raw, line.text);
        put(raw, line.time);
        put(raw, line.action);
    }
    return qCompress(raw, 1);  // the fastest level: effects repeat themselves, which any level finds
}

QVector<AnimationLine> UnpackLines(const QByteArray &packed, int count)
{
    const QByteArray raw = qUncompress(packed);
    QVector<AnimationLine> lines;
    lines.reserve(count);
    qsizetype position = 0;
    for (int i = 0; i < count; ++i) {
        AnimationLine line{take(raw, position), take(raw, position), take(raw, position)};
        // Times and actions repeat from line to line: share the text instead of a copy per line.
        if (!lines.isEmpty()) {
            if (line.time == lines.constLast().time)
                line.time = lines.constLast().time;
            if (line.action == lines.constLast().action)
                line.action = lines.constLast().action;
        }
        lines.append(std::move(line));
    }
    return lines;
}

KeptLines::KeptLines(const QVector<AnimationLine> &lines)
    : m_lines(lines), m_size(static_cast<int>(lines.size())), m_bytes(bytesOf(lines))
{
}

const QVector<AnimationLine> &KeptLines::lines() const
{
    if (!m_unpacked) {
        m_lines = UnpackLines(*m_packed, m_size);
        m_unpacked = true;
    }
    return m_lines;
}

void KeptLines::pack(const QVector<AnimationLine> &live,
                     QHash<const void *, std::shared_ptr<const QByteArray>> &packs) const
{
    if (!m_unpacked || m_size < PackFrom || m_lines.constData() == live.constData())
        return;
    if (!m_packed) {
        std::shared_ptr<const QByteArray> &block = packs[m_lines.constData()];
        if (!block)
            block = std::make_shared<const QByteArray>(PackLines(m_lines));
        m_packed = block;
    }
    m_lines = {};
    m_unpacked = false;
}

void KeptLines::releaseIfPacked() const
{
    if (m_packed && m_unpacked) {
        m_lines = {};
        m_unpacked = false;
    }
}

void KeptLines::countBuffers(QHash<const void *, qint64> &buffers) const
{
    if (m_unpacked)
        buffers.insert(m_lines.constData(), m_bytes);
    else
        buffers.insert(m_packed.get(), m_packed->size());
}
