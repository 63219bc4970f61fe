#include "platform/WatchedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

std::optional<size_t> hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return qHash(file.readAll());
}

} // namespace

WatchedFile::WatchedFile(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &WatchedFile::look);
    // A file replaced by renaming (as every safe save does) or removed leaves the file watch: the folder tells.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &WatchedFile::look);
}

void WatchedFile::remember(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    m_reported = Change::None;
    const QFileInfo info(path);
    m_existed = !path.isEmpty() && info.isFile();
    m_size = m_existed ? info.size() : -1;
    m_modified = m_existed ? info.lastModified() : QDateTime();
    m_hash = m_existed ? hashOf(path).value_or(0) : 0;
    watch();
}

void WatchedFile::watch()
{
    if (m_path.isEmpty())
        return;
    const QFileInfo info(m_path);
    if (info.isFile() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    if (m_watcher.directories().isEmpty() && info.absoluteDir().exists())
        m_watcher.addPath(info.absolutePath());
}

WatchedFile::Change WatchedFile::change() const
{
    if (m_path.isEmpty())
        return Change::None;
    const QFileInfo info(m_path);
    if (!info.isFile())
        return m_existed ? Change::Removed : Change::None;
    if (!m_existed)
        return Change::Changed;
    if (info.size() == m_size && info.lastModified() == m_modified)
        return Change::None;
    return hashOf(m_path) == m_hash ? Change::None : Change::Changed;
}

void WatchedFile::look()
{
    watch();
    const Change now = change();
    if (now == m_reported)
        return;
    m_reported = now;
    if (now != Change::None)
        emit changedOutside(now);
}
