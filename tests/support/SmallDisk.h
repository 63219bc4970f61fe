#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#endif

// Runs work in a child process, after prepare (there) said yes, and hands back what work returned: nothing when
// the child ended otherwise. A write past a file size limit fails there instead of ending the child.
inline std::optional<QByteArray> InChildProcess(const std::function<bool()> &prepare,
                                                const std::function<QByteArray()> &work)
{
#ifndef Q_OS_UNIX
    Q_UNUSED(prepare) Q_UNUSED(work)
    return std::nullopt;
#else
    int ends[2];
    if (pipe(ends) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        signal(SIGXFSZ, SIG_IGN);
        if (!prepare())
            _exit(4);
        const QByteArray result = work();
        const bool sent = write(ends[1], result.constData(), size_t(result.size())) == result.size();
        _exit(sent ? 0 : 5);
    }
    close(ends[1]);
    QFile pipeEnd;
    pipeEnd.open(ends[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray result = pipeEnd.readAll();
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return result;
#endif
}

// Runs work in a child process that sees folder as a disk of `bytes` bytes (a tmpfs in a mount namespace of
// its own, gone with the child). Nothing where no such disk can be made: a system without namespaces, or one
// that forbids them to this user.
inline std::optional<QByteArray> OnSmallDisk(const QString &folder, qint64 bytes, const std::function<QByteArray()> &work)
{
#ifndef Q_OS_LINUX
    Q_UNUSED(folder) Q_UNUSED(bytes)
    return InChildProcess([] { return false; }, work);
#else
    const QByteArray mountPoint = QFile::encodeName(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    return InChildProcess([&] {
        const auto put = [](const char *path, const QByteArray &text) {
            const int file = open(path, O_WRONLY);
            const bool ok = file >= 0 && write(file, text.constData(), size_t(text.size())) == text.size();
            if (file >= 0)
                close(file);
            return ok;
        };
        bool own = unshare(CLONE_NEWNS) == 0;
        if (!own)  // an ordinary user: as root of a user namespace of its own
            own = unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && put("/proc/self/setgroups", "deny")
               && put("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
               && put("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1");
        return own && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && mount("tmpfs", mountPoint.constData(), "tmpfs", 0, options.constData()) == 0;
    }, work);
#endif
}
