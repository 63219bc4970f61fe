#include "platform/WatchedFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    // Not a secret, only a change to notice, on files of a megabyte: the quickest hash Qt has.
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

} // namespace

WatchedFile::Stamp WatchedFile::Stamp::Of(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    return {true, info.size(), info.lastModified(), hashOf(path)};
}

WatchedFile::Change WatchedFile::Stamp::changeOf(const QString &path) const
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return exists ? Change::Removed : Change::None;
    if (!exists)
        return Change::Changed;
    if (info.size() != size)
        return Change::Changed;
    if (info.lastModified() == modified)
        return Change::None;
    return hashOf(path) == hash ? Change::None : Change::Changed;
}

WatchedFile::WatchedFile(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &WatchedFile::look);
    // A file replaced by renaming (as every safe save does) or removed leaves the file watch: the folder tells.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &WatchedFile::look);
}

void WatchedFile::remember(const QString &path)
{
    remember(path, Stamp::Of(path));
}

void WatchedFile::remember(const QString &path, const Stamp &stamp)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    m_stamp = stamp;
    m_reported = Change::None;
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
    return m_path.isEmpty() ? Change::None : m_stamp.changeOf(m_path);
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
