#include "animation/Document.h"

#include <QFileInfo>

Document::Document(QObject *parent) : QObject(parent)
{
    connect(&m_file, &WatchedFile::changedOutside, this, &Document::changedOnDisk);
}

Document::~Document() = default;

QString Document::displayName() const
{
    return filePath().isEmpty() ? QStringLiteral("untitled") : QFileInfo(filePath()).fileName();
}

void Document::start(const QVector<AnimationLine> &lines, const QString &path)
{
    m_history.startOver(lines, path);
    m_file.remember(path);
}

void Document::restore(const QVector<AnimationLine> &saved, const RecoveredWork &work)
{
    start(saved, work.documentPath);
    // Measured against the file as it was under the work: a change made since counts as another program's.
    if (work.base)
        m_file.remember(work.documentPath, *work.base);
    {
        AnimationStep step(m_model, QStringLiteral("Restore unsaved changes"));
        m_model.setLines(work.lines);
    }
    if (isModified() && m_recovery)
        m_recovery->flush();
    if (const WatchedFile::Change change = changeOnDisk(); change != WatchedFile::Change::None)
        emit changedOnDisk(change);
}

void Document::markSaved(const QString &path)
{
    m_history.markSaved(path);
    m_file.remember(path);
}

void Document::keepRecoveryIn(const QString &folder)
{
    m_recovery = std::make_unique<RecoveryFile>(m_model, m_history, m_file, folder);
    connect(m_recovery.get(), &RecoveryFile::keepingFailed, this, &Document::recoveryTrouble);
}
