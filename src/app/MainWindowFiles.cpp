// The main window's file keeping: Save in place, the title with its modified
// mark, the exit question, Open Recent, dropped files and the window's geometry.
#include "app/MainWindow.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationFileCommands.h"
#include "animation/StartupFile.h"
#include "app/RecentFiles.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/TextFile.h"
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
    if (QMenu *edit = menuBar()->findChild<QMenu *>(QStringLiteral("mnuEdit"))) {
        QAction *first = edit->actions().value(0);
        edit->insertActions(first, {undo, redo});
        edit->insertSeparator(first);
    }
    m_preview->setUndoActions(undo, redo);
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    m_history.setRowAccess([this] { return currentRow(); },
                           [this](std::optional<int> row) {
                               if (row)
                                   setCurrentRow(*row);
                               setPreview();
                           });

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
            openCommandLine({path});
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

void MainWindow::setFilePath(const QString &path, bool saved)
{
    m_filePath = path;
    if (saved)
        m_history.stack().setClean();
    if (!path.isEmpty())
        RecentFiles::add(m_store, path);
    const QString name = path.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + QFileInfo(path).fileName();
    setWindowTitle(Caption + name + QStringLiteral("[*]"));
    setWindowModified(!m_history.stack().isClean());
}

bool MainWindow::open()
{
    bool opened = false;
    {
        AnimationStep step(m_model, QStringLiteral("Open"));
        opened = OpenAnimation(m_model, m_fileDialog, m_settings, prompts());
    }
    if (opened)
        setFilePath(m_fileDialog.fileName, true);
    return opened;
}

bool MainWindow::save()
{
    if (m_filePath.isEmpty())
        return saveAs();
    if (!SaveAnimation(m_model, m_filePath, prompts()))
        return false;
    setFilePath(m_filePath, true);
    return true;
}

bool MainWindow::saveAs()
{
    if (!SaveAnimationAs(m_model, m_fileDialog, m_settings, prompts()))
        return false;
    setFilePath(m_fileDialog.fileName, true);
    return true;
}

bool MainWindow::confirmClose()
{
    if (m_history.stack().isClean())
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
