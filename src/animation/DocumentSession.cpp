#include "animation/DocumentSession.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationFileCommands.h"
#include "animation/Document.h"
#include "animation/RecoveryFile.h"
#include "animation/StartupFile.h"
#include "platform/SilentPrompts.h"
#include "platform/TextFile.h"

#include <QFileInfo>

DocumentSession::DocumentSession(Document &document, const Settings &settings, Prompts &prompts, ScriptReader read,
                                 QObject *parent)
    : QObject(parent), m_document(document), m_settings(settings), m_prompts(prompts), m_read(std::move(read))
{
}

bool DocumentSession::confirmClose()
{
    if (!m_document.isModified())
        return true;
    const QString path = m_document.filePath();
    const QString question = path.isEmpty() ? QStringLiteral("Save changes to the animation?")
                                            : QStringLiteral("Save changes to %1?").arg(QFileInfo(path).fileName());
    switch (m_prompts.message(question, AppTitle, PromptIcon::Question, PromptButtons::SaveDiscardCancel)) {
    case PromptAnswer::Save: return save();
    case PromptAnswer::Discard: return true;
    default: return false;
    }
}

bool DocumentSession::newDocument()
{
    if (!confirmClose())
        return false;
    m_untitledName.clear();
    m_document.start({}, QString());
    emit documentStarted();
    return true;
}

bool DocumentSession::open()
{
    if (!confirmClose())
        return false;
    const QString path = ChooseAnimationToOpen(m_dialog, m_settings, m_prompts);
    return !path.isEmpty() && load(path);
}

bool DocumentSession::openFile(const QString &path)
{
    return confirmClose() && CheckAnimationExists(path, m_prompts) && load(path);
}

bool DocumentSession::load(const QString &path)
{
    bool cut = false;
    const std::optional<QVector<AnimationLine>> lines = ReadAnimationFile(path, m_prompts, &cut);
    if (!lines)  // refused as not text (and told), or it went between the two looks
        return FileExists(path) ? false : CheckAnimationExists(path, m_prompts);
    if (cut) {
        // Saving these lines over the file would lose the rest of it: they open untitled and unsaved.
        m_untitledName.clear();
        m_document.start({}, QString());
        AnimationStep step(m_document.model(), QStringLiteral("Open the first lines"));
        m_document.model().setLines(*lines);
        emit documentStarted();
        return true;
    }
    m_document.start(*lines, path);
    emit documentStarted();
    emit fileUsed(path);
    return true;
}

bool DocumentSession::importChosen()
{
    if (!confirmClose())
        return false;
    m_dialog.title = QStringLiteral("Import file");
    m_dialog.filter = QStringLiteral("RtCW Scripts (*.cfg)|*.cfg");
    if (!m_prompts.openFile(m_dialog))
        return false;
    if (!FileExists(m_dialog.fileName)) {
        m_prompts.message(QStringLiteral("File not found!"), QStringLiteral("Import error"), PromptIcon::Critical,
                          PromptButtons::Ok);
        return false;
    }
    return importScript(m_dialog.fileName);
}

bool DocumentSession::importFile(const QString &path)
{
    return confirmClose() && importScript(path);
}

void DocumentSession::openStartupFile(const QStringList &arguments)
{
    const QString path = StartupPath(arguments);
    // A name given but no such file: told, rather than an empty window that looks as if it opened.
    if (!path.isEmpty() && !CheckAnimationExists(path, m_prompts))
        return;
    switch (StartupFileKindOf(path)) {
    case StartupFileKind::Animation: openFile(path); break;
    case StartupFileKind::Script: importFile(path); break;
    case StartupFileKind::None: break;
    }
}

bool DocumentSession::importScript(const QString &path)
{
    AnimationStep step(m_document.model(), QStringLiteral("Import"));
    if (!m_read || !m_read(m_document.model(), path, m_prompts))
        return false;
    m_document.history().changeFilePath(QString());
    m_untitledName = path;
    return true;
}

QString DocumentSession::offeredName() const
{
    return m_document.filePath().isEmpty() ? m_untitledName : m_document.filePath();
}

bool DocumentSession::confirmOverwriteChanged()
{
    const QString text = QStringLiteral("%1 was changed by another program since it was opened. Overwrite it?")
                             .arg(m_document.displayName());
    switch (m_prompts.message(text, AppTitle, PromptIcon::Exclamation, PromptButtons::OverwriteSaveAsCancel)) {
    case PromptAnswer::Overwrite: return true;
    case PromptAnswer::SaveAs: saveAs(); return false;
    default: return false;
    }
}

bool DocumentSession::save()
{
    if (m_document.filePath().isEmpty())
        return saveAs();
    if (m_document.changeOnDisk() == WatchedFile::Change::Changed && !confirmOverwriteChanged())
        return !m_document.isModified();  // saved under another name, or not at all
    const QString path = m_document.filePath();
    if (!SaveAnimation(m_document.model(), path, m_prompts))
        return false;
    m_document.markSaved(path);
    emit fileUsed(path);
    return true;
}

bool DocumentSession::saveAs()
{
    m_dialog.fileName = offeredName();
    if (!SaveAnimationAs(m_document.model(), m_dialog, m_settings, m_prompts))
        return false;
    m_untitledName.clear();
    m_document.markSaved(m_dialog.fileName);
    emit fileUsed(m_dialog.fileName);
    return true;
}

bool DocumentSession::restore(const RecoveredWork &work)
{
    if (!confirmClose())
        return false;
    SilentPrompts quiet;  // the file as it is now only lies under the restored lines
    const QVector<AnimationLine> saved = work.documentPath.isEmpty()
        ? QVector<AnimationLine>()
        : ReadAnimationFile(work.documentPath, quiet).value_or(QVector<AnimationLine>());
    m_untitledName.clear();
    m_document.restore(saved, work);
    emit documentStarted();
    return true;
}
