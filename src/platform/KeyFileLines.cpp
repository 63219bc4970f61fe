#include "platform/KeyFileLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

KeyFileLines KeyFileLines::read(const QString &path)
{
    KeyFileLines file;
    QFile in(path);
    if (in.open(QIODevice::ReadOnly))
        file.m_lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    if (!file.m_lines.isEmpty() && file.m_lines.last().isEmpty())
        file.m_lines.removeLast();
    return file;
}

bool KeyFileLines::write(const QString &path) const
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QString text = m_lines.join(QLatin1Char('\n'));
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    out.write(text.toUtf8());
    return out.commit();
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
    const qsizetype line = keyLine(group, key);
    if (line < 0)
        return QString();
    const QString &text = m_lines.at(line);
    return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void KeyFileLines::setValue(const QString &group, const QString &key, const QString &value)
{
    const QString text = key + QLatin1Char('=') + value;
    const qsizetype line = keyLine(group, key);
    if (line >= 0) {
        m_lines[line] = text;
        return;
    }
    qsizetype start = groupStart(group);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << QLatin1Char('[') + group + QLatin1Char(']');
        start = m_lines.size();
    }
    // After the group's last key, before the blank lines that part it from the next group.
    qsizetype at = groupEnd(start);
    while (at > start && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, text);
}

void KeyFileLines::remove(const QString &group, const QString &key)
{
    const qsizetype line = keyLine(group, key);
    if (line < 0)
        return;
    m_lines.removeAt(line);
    // A group left without keys goes too, with the blank lines before it.
    qsizetype start = groupStart(group);
    const qsizetype end = groupEnd(start);
    for (qsizetype i = start; i < end; ++i) {
        if (!m_lines.at(i).trimmed().isEmpty())
            return;
    }
    --start;
    while (start > 0 && m_lines.at(start - 1).trimmed().isEmpty())
        --start;
    m_lines.remove(start, end - start);
}

void KeyFileLines::addToList(const QString &group, const QString &key, const QString &id)
{
    QStringList ids = KeyFileList(value(group, key));
    if (ids.contains(id))
        return;
    ids.prepend(id);
    setValue(group, key, ids.join(QLatin1Char(';')) + QLatin1Char(';'));
}

void KeyFileLines::removeFromList(const QString &group, const QString &key, const QString &id)
{
    QStringList ids = KeyFileList(value(group, key));
    if (!ids.removeAll(id))
        return;
    if (ids.isEmpty())
        remove(group, key);
    else
        setValue(group, key, ids.join(QLatin1Char(';')) + QLatin1Char(';'));
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
