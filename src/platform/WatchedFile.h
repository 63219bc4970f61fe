#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>

// One file the program keeps open, and whether another program changed or removed it since the program last
// read or wrote it. The program's own writes are remembered (remember()), so they never count as a change.
class WatchedFile final : public QObject {
    Q_OBJECT
public:
    enum class Change { None, Changed, Removed };

    // What a file held at one moment: enough to tell later whether its bytes changed.
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QByteArray hash;  // MD5 of the bytes

        static Stamp Of(const QString &path);
        // How the file at path differs from this stamp now.
        Change changeOf(const QString &path) const;
    };

    explicit WatchedFile(QObject *parent = nullptr);

    // Watches path (none when empty) and takes its bytes as they are now for the program's own.
    void remember(const QString &path);
    // Watches path, taking the bytes stamp describes for the program's own (work kept before a crash).
    void remember(const QString &path, const Stamp &stamp);
    const QString &path() const { return m_path; }
    const Stamp &stamp() const { return m_stamp; }
    Change change() const;

signals:
    // Another program changed or removed the file; sent once per change seen.
    void changedOutside(WatchedFile::Change change);

private:
    void look();
    void watch();

    QFileSystemWatcher m_watcher;
    QString m_path;
    Stamp m_stamp;
    Change m_reported = Change::None;
};
