#include "animation/RecoveryFile.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationHistory.h"
#include "animation/AnimationModel.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

namespace {

// The first lines: a header, the document's path (percent-encoded, so any name survives the code page) and
// the time; an animation file follows. A file without them is an older copy's: a plain animation.
const QString Header = QStringLiteral("#marqueemaster-recovery#");
const QString PathKey = QStringLiteral("file=");
const QString TimeKey = QStringLiteral("kept=");
const QString BaseKey = QStringLiteral("base=");

// "base=none", or "base=<size>;<modified, UTC>;<MD5 in hex>".
QString baseText(const WatchedFile::Stamp &base)
{
    if (!base.exists)
        return BaseKey + QStringLiteral("none");
    return BaseKey + QString::number(base.size) + u';' + base.modified.toUTC().toString(Qt::ISODateWithMs) + u';'
         + QString::fromLatin1(base.hash.toHex());
}

std::optional<WatchedFile::Stamp> readBase(const QString &line)
{
    const QStringList fields = line.mid(BaseKey.size()).split(u';');
    if (fields == QStringList{QStringLiteral("none")})
        return WatchedFile::Stamp{};
    bool sized = false;
    WatchedFile::Stamp base{true, fields.value(0).toLongLong(&sized),
                            QDateTime::fromString(fields.value(1), Qt::ISODateWithMs).toLocalTime(),
                            QByteArray::fromHex(fields.value(2).toLatin1())};
    if (fields.size() != 3 || !sized || base.hash.size() != 16)
        return std::nullopt;
    return base;
}

} // namespace

QString RecoveryLockPath(const QString &recoveryFile)
{
    return recoveryFile + QStringLiteral(".lock");
}

bool IsRecoveryFileName(const QString &fileName)
{
    return fileName.startsWith(RecoveryPrefix);
}

QString RecoveryFileText(const RecoveredWork &work)
{
    const QString path = QString::fromLatin1(QUrl::toPercentEncoding(work.documentPath, "/"));
    const QString base = work.base ? baseText(*work.base) + QStringLiteral("\r\n") : QString();
    return Header + QStringLiteral("\r\n") + PathKey + path + QStringLiteral("\r\n") + TimeKey
         + work.keptAt.toUTC().toString(Qt::ISODate) + QStringLiteral("\r\n") + base + AnimationFileText(work.lines);
}

std::optional<RecoveredWork> ReadRecoveryFile(const QString &path)
{
    const TextReadResult file = ReadTextLines(path, LineBreaks::CrOrCrLf);
    if (!file.ok)
        return std::nullopt;
    RecoveredWork work;
    QStringList lines = file.lines;
    work.keptAt = QFileInfo(path).lastModified();
    if (lines.value(0) == Header) {
        if (lines.size() < 3 || !lines.at(1).startsWith(PathKey) || !lines.at(2).startsWith(TimeKey))
            return std::nullopt;
        work.documentPath = QUrl::fromPercentEncoding(lines.at(1).mid(PathKey.size()).toLatin1());
        const QDateTime kept = QDateTime::fromString(lines.at(2).mid(TimeKey.size()), Qt::ISODate);
        if (kept.isValid())
            work.keptAt = kept.toLocalTime();
        lines = lines.mid(3);
        if (lines.value(0).startsWith(BaseKey))
            work.base = readBase(lines.takeFirst());
    }
    work.lines = ParseAnimationFile(lines);
    if (work.lines.isEmpty())
        return std::nullopt;
    return work;
}

RecoveryFile::RecoveryFile(const AnimationModel &model, const AnimationHistory &history, const WatchedFile &file,
                           const QString &folder, QObject *parent)
    : QObject(parent), m_model(model), m_history(history), m_file(file), m_folder(folder)
{
    QDir().mkpath(folder);
    // A name no other copy has or had: one whose lock can be taken at once.
    for (int attempt = 0; attempt < 100 && !m_lock; ++attempt) {
        const QString id = QString::number(QRandomGenerator::system()->generate64(), 16);
        m_path = QDir(folder).filePath(RecoveryPrefix + id + QStringLiteral(".ras"));
        auto lock = std::make_unique<QLockFile>(RecoveryLockPath(m_path));
        if (!QFileInfo::exists(m_path) && lock->tryLock(0))
            m_lock = std::move(lock);
    }
    m_worker.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryFile::update);
    // Counted from the first change not yet written, so that steady typing can't put the write off.
    auto changed = [this] {
        if (!m_timer.isActive())
            m_timer.start();
    };
    connect(&history.stack(), &QUndoStack::indexChanged, this, changed);
    connect(&history.stack(), &QUndoStack::cleanChanged, this, changed);
    connect(&history, &AnimationHistory::filePathChanged, this, changed);
}

RecoveryFile::~RecoveryFile()
{
    m_timer.stop();
    m_worker.waitForDone();
    QFile::remove(m_path);
}

void RecoveryFile::flush()
{
    m_timer.stop();
    update();
    m_worker.waitForDone();
}

void RecoveryFile::update()
{
    m_timer.stop();
    const QString path = m_path;
    if (m_history.stack().isClean()) {
        m_worker.start([path] { QFile::remove(path); });
        return;
    }
    // Copying the lines only shares them; the worker encodes and writes.
    RecoveredWork work{m_history.filePath(), QDateTime::currentDateTime(), m_model.lines(), m_file.stamp()};
    const QString folder = QDir::toNativeSeparators(m_folder);
    m_worker.start([this, path, work, folder] {
        const TextWriteResult written = WriteTextFile(path, RecoveryFileText(work));
        const QString message = written.ok ? QString()
            : QStringLiteral("Unsaved changes can't be kept for a crash in %1 (%2): save your work.").arg(folder, written.errorString);
        QMetaObject::invokeMethod(this, [this, message] { emit keepingFailed(message); }, Qt::QueuedConnection);
    });
}
