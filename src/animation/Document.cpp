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
    {
        AnimationStep step(m_model, QStringLiteral("Restore unsaved changes"));
        m_model.setLines(work.lines);
    }
    if (isModified() && m_recovery)
        m_recovery->flush();
}

void Document::markSaved(const QString &path)
{
    m_history.markSaved(path);
    m_file.remember(path);
}

void Document::keepRecoveryIn(const QString &folder)
{
    m_recovery = std::make_unique<RecoveryFile>(m_model, m_history, folder);
}
