#include "platform/KeyFileLines.h"

#include "platform/SafeSave.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

KeyFileLines KeyFileLines::read(const QString &path)
{
    KeyFileLines file;
    QFile in(path);
    if (in.open(QIODevice::ReadOnly)) {
        file.m_existed = true;
        file.m_read = in.readAll();
        file.m_lines = QString::fromUtf8(file.m_read).split(QLatin1Char('\n'));
    }
    if (!file.m_lines.isEmpty() && file.m_lines.last().isEmpty())
        file.m_lines.removeLast();
    return file;
}

bool KeyFileLines::save(const QString &path) const
{
    QByteArray bytes = m_lines.join(QLatin1Char('\n')).toUtf8();
    // A file whose last line had no line end keeps it so.
    if (!m_lines.isEmpty() && (m_read.isEmpty() || m_read.endsWith('\n')))
        bytes += '\n';
    if (m_existed && bytes == m_read)
        return true;
    if (!m_existed && bytes.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return SaveBytes(path, bytes).ok;
}

qsizetype KeyFileLines::groupStart(const QString &group) const
{
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).trimmed() == header)
            return i + 1;
    }
    return -1;
}

qsizetype KeyFileLines::groupEnd(qsizetype start) const
{
    qsizetype i = start;
    while (i < m_lines.size() && !m_lines.at(i).trimmed().startsWith(QLatin1Char('[')))
        ++i;
    return i;
}

qsizetype KeyFileLines::keyLine(const QString &group, const QString &key) const
{
    const qsizetype start = groupStart(group);
    if (start < 0)
        return -1;
    const qsizetype end = groupEnd(start);
    for (qsizetype i = start; i < end; ++i) {
        const QString &line = m_lines.at(i);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && QStringView(line).left(equals).trimmed() == key)
            return i;
    }
    return -1;
}

QString KeyFileLines::value(const QString &group, const QString &key) const
{
    const QString text = line(group, key);
    return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString KeyFileLines::line(const QString &group, const QString &key) const
{
    const qsizetype at = keyLine(group, key);
    return at < 0 ? QString() : m_lines.at(at);
}

void KeyFileLines::replaceLine(const QString &group, const QString &key, const QString &text)
{
    const qsizetype at = keyLine(group, key);
    if (at >= 0)
        m_lines[at] = text;
}

QString KeyFileLines::insert(const QString &group, const QString &key, const QString &value)
{
    QString added = m_lines.isEmpty() && !m_existed ? QStringLiteral("f") : QString();
    qsizetype start = groupStart(group);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) {
            m_lines << QString();
            added += QLatin1Char('b');
        }
        m_lines << QLatin1Char('[') + group + QLatin1Char(']');
        added += QLatin1Char('g');
        start = m_lines.size();
    }
    // After the group's last key, before the blank lines that part it from the next group.
    qsizetype at = groupEnd(start);
    while (at > start && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, key + QLatin1Char('=') + value);
    return added;
}

void KeyFileLines::removeInserted(const QString &group, const QString &key, const QString &made)
{
    const qsizetype line = keyLine(group, key);
    if (line < 0)
        return;
    m_lines.removeAt(line);
    qsizetype start = groupStart(group);
    if (!made.contains(QLatin1Char('g')))
        return;  // the group was there before
    for (qsizetype i = start; i < groupEnd(start); ++i) {
        if (!m_lines.at(i).trimmed().isEmpty())
            return;  // it holds other keys now
    }
    --start;
    const bool blank = made.contains(QLatin1Char('b')) && start > 0 && m_lines.at(start - 1).trimmed().isEmpty();
    m_lines.remove(blank ? start - 1 : start, blank ? 2 : 1);
}

QString KeyFileLines::addToList(const QString &group, const QString &key, const QString &id)
{
    const qsizetype at = keyLine(group, key);
    if (at < 0)
        return insert(group, key, id + QLatin1Char(';'));
    if (KeyFileList(value(group, key)).contains(id))
        return QStringLiteral("=");
    QString &text = m_lines[at];
    qsizetype valueStart = text.indexOf(QLatin1Char('=')) + 1;
    while (valueStart < text.size() && text.at(valueStart).isSpace())
        ++valueStart;
    text.insert(valueStart, id + QLatin1Char(';'));
    return QStringLiteral("=");
}

void KeyFileLines::takeFromList(const QString &group, const QString &key, const QString &id, const QString &made)
{
    const qsizetype at = keyLine(group, key);
    if (at < 0)
        return;
    QStringList ids = KeyFileList(value(group, key));
    if (!ids.removeAll(id))
        return;
    if (ids.isEmpty() && made != QLatin1String("="))
        return removeInserted(group, key, made);
    // The id's own piece, with its ';', wherever it stands; the rest as written.
    QString &text = m_lines[at];
    const qsizetype valueStart = text.indexOf(QLatin1Char('=')) + 1;
    qsizetype from = valueStart;
    while (from < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(';'), from);
        if (end < 0)
            end = text.size();
        const QStringView piece = QStringView(text).mid(from, end - from);
        if (piece.trimmed() == id) {
            const qsizetype idAt = from + piece.indexOf(id);
            text.remove(idAt, qMin(end + 1, text.size()) - idAt);
            return;
        }
        from = end + 1;
    }
}

QStringList KeyFileList(const QString &value)
{
    QStringList ids;
    for (const QString &piece : value.split(QLatin1Char(';'))) {
        if (!piece.trimmed().isEmpty())
            ids << piece.trimmed();
    }
    return ids;
}
