// The main window's file keeping: Save in place, the title with its modified
// mark, the exit question, Open Recent, dropped files and the window's geometry.
#include "app/MainWindow.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationFileCommands.h"
#include "animation/StartupFile.h"
#include "app/RecentFiles.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/TextFile.h"
#include "platform/SilentPrompts.h"
#include "script/ScriptImport.h"
#include "platform/RegistryStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUndoStack>

namespace {

const QString Caption = QStringLiteral("Marqueemaster - by [XKR]OceloT");
const QString GeometryValue = QStringLiteral("WindowGeometry");

// The one local .ras or .cfg file a drag carries, or empty text.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    const QString path = data->urls().first().toLocalFile();
    return StartupFileKindOf(path) == StartupFileKind::None ? QString() : path;
}

} // namespace

void MainWindow::buildUndoAndRecentMenus()
{
    QUndoStack &stack = m_history.stack();
    QAction *undo = stack.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuEditUndo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = stack.createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuEditRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto *history = new QAction(QStringLiteral("Undo &History..."), this);
    history->setObjectName(QStringLiteral("mnuEditUndoHistory"));
    connect(history, &QAction::triggered, this, &MainWindow::showUndoHistory);
    if (QMenu *edit = menuBar()->findChild<QMenu *>(QStringLiteral("mnuEdit"))) {
        QAction *first = edit->actions().value(0);
        edit->insertActions(first, {undo, redo, history});
        edit->insertSeparator(first);
    }
    m_preview->setUndoActions(undo, redo);
    connect(&stack, &QUndoStack::cleanChanged, this, &MainWindow::updateTitle);
    connect(&m_history, &AnimationHistory::filePathChanged, this, &MainWindow::updateTitle);
    connect(&m_history, &AnimationHistory::olderStepsDropped, this, [this] {
        if (!std::exchange(m_droppedStepsTold, true))
            showStatus(QStringLiteral("Older undo steps were dropped to save memory"));
    });
    connect(&m_document, &Document::changedOnDisk, this, [this](WatchedFile::Change change) {
        showStatus(QStringLiteral("%1 was %2 by another program.")
                       .arg(m_document.displayName(),
                            change == WatchedFile::Change::Removed ? QStringLiteral("removed") : QStringLiteral("changed")));
    });
    m_history.setViewAccess([this] { return currentView(); }, [this](const HistoryView &view) { restoreView(view); });

    QMenu *file = menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
    QAction *import = file ? file->findChild<QAction *>(QStringLiteral("mnuFileImport")) : nullptr;
    if (!file || !import)
        return;
    m_recentMenu = new QMenu(QStringLiteral("Open &Recent"), file);
    m_recentMenu->setObjectName(QStringLiteral("mnuFileRecent"));
    file->insertMenu(import, m_recentMenu);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList paths = RecentFiles::load(m_store);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!FileExists(path)) {
                RecentFiles::remove(m_store, path);
                prompts().message(QStringLiteral("File not found!\n%1\nIt was removed from the recent files.").arg(path),
                                  QStringLiteral("Open Recent"), PromptIcon::Exclamation);
                fillRecentMenu();
                return;
            }
            openFile(path);
        });
    }
    if (!paths.isEmpty())
        m_recentMenu->addSeparator();
    QAction *clear = m_recentMenu->addAction(QStringLiteral("&Clear list"));
    clear->setObjectName(QStringLiteral("mnuFileRecentClear"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        RecentFiles::clear(m_store);
        fillRecentMenu();
    });
}

void MainWindow::updateTitle()
{
    const QString path = m_document.filePath();
    const QString name = path.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + QFileInfo(path).fileName();
    setWindowTitle(Caption + name + QStringLiteral("[*]"));
    setWindowModified(m_document.isModified());
}

bool MainWindow::openFile(const QString &path)
{
    if (!confirmClose() || !CheckAnimationExists(path, prompts()))
        return false;
    const std::optional<QVector<AnimationLine>> lines = ReadAnimationFile(path, prompts());
    if (!lines)  // refused as not text (and told), or it went between the two looks
        return FileExists(path) ? false : CheckAnimationExists(path, prompts());
    m_droppedStepsTold = false;
    m_document.start(*lines, path);
    RecentFiles::add(m_store, path);
    setPreview();
    return true;
}

bool MainWindow::importScript(const QString &path)
{
    AnimationStep step(m_model, QStringLiteral("Import"));
    if (!ImportScript(m_model, path, prompts()))
        return false;
    m_history.changeFilePath(QString());
    return true;
}

bool MainWindow::restoreRecovered(const RecoveredWork &work)
{
    if (!confirmClose())
        return false;
    SilentPrompts quiet;  // the file as it is now only lies under the restored lines
    const QVector<AnimationLine> saved =
        work.documentPath.isEmpty() ? QVector<AnimationLine>() : ReadAnimationFile(work.documentPath, quiet).value_or(QVector<AnimationLine>());
    m_droppedStepsTold = false;
    m_document.restore(saved, work);
    setPreview();
    return true;
}

void MainWindow::newAnimation()
{
    if (!confirmClose())
        return;
    m_droppedStepsTold = false;
    m_document.start({}, QString());
    setPreview();
}

bool MainWindow::open()
{
    if (!confirmClose())
        return false;
    const QString path = ChooseAnimationToOpen(m_fileDialog, m_settings, prompts());
    return !path.isEmpty() && openFile(path);
}

bool MainWindow::confirmOverwriteChanged()
{
    const QString text = QStringLiteral("%1 was changed by another program since it was opened. Overwrite it?")
                             .arg(m_document.displayName());
    switch (prompts().message(text, AppTitle, PromptIcon::Exclamation, PromptButtons::OverwriteSaveAsCancel)) {
    case PromptAnswer::Overwrite: return true;
    case PromptAnswer::SaveAs: saveAs(); return false;
    default: return false;
    }
}

bool MainWindow::save()
{
    if (m_document.filePath().isEmpty())
        return saveAs();
    if (m_document.changeOnDisk() == WatchedFile::Change::Changed && !confirmOverwriteChanged())
        return !m_document.isModified();  // saved under another name, or not at all
    const QString path = m_document.filePath();
    if (!SaveAnimation(m_model, path, prompts()))
        return false;
    m_document.markSaved(path);
    RecentFiles::add(m_store, path);
    return true;
}

bool MainWindow::saveAs()
{
    if (!SaveAnimationAs(m_model, m_fileDialog, m_settings, prompts()))
        return false;
    m_document.markSaved(m_fileDialog.fileName);
    RecentFiles::add(m_store, m_fileDialog.fileName);
    return true;
}

bool MainWindow::confirmClose()
{
    if (!m_document.isModified())
        return true;
    switch (prompts().message(QStringLiteral("Save changes to the animation?"), AppTitle, PromptIcon::Question,
                              PromptButtons::SaveDiscardCancel)) {
    case PromptAnswer::Save: return save();
    case PromptAnswer::Discard: return true;
    default: return false;
    }
}

bool MainWindow::restoreWindowGeometry()
{
    const std::optional<RegValue> stored = m_store.value(RegHive::CurrentUser, SettingsKey, GeometryValue);
    // Qt moves a window whose stored place is on no screen now back onto one.
    return stored && stored->isText && restoreGeometry(QByteArray::fromBase64(stored->text.toLatin1()));
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openCommandLine({path});
}
