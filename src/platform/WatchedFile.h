#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>

// One file the program keeps open, and whether another program changed or removed it since the program last
// read or wrote it. The program's own writes are remembered (remember()), so they never count as a change.
class WatchedFile final : public QObject {
    Q_OBJECT
public:
    enum class Change { None, Changed, Removed };

    explicit WatchedFile(QObject *parent = nullptr);

    // Watches path (none when empty) and takes its bytes as they are now for the program's own.
    void remember(const QString &path);
    const QString &path() const { return m_path; }
    Change change() const;

signals:
    // Another program changed or removed the file; sent once per change seen.
    void changedOutside(WatchedFile::Change change);

private:
    void look();
    void watch();

    QFileSystemWatcher m_watcher;
    QString m_path;
    bool m_existed = false;
    qint64 m_size = -1;
    QDateTime m_modified;
    size_t m_hash = 0;
    Change m_reported = Change::None;
};
