// The main window's file keeping: Save in place, the title with its modified
// mark, the exit question, Open Recent, dropped files and the window's geometry.
#include "app/MainWindow.h"

#include "animation/StartupFile.h"
#include "app/RecentFiles.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/TextFile.h"
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
    return m_session.openFile(path);
}

bool MainWindow::importScript(const QString &path)
{
    return m_session.importFile(path, ImportScriptReader());
}

bool MainWindow::restoreRecovered(const RecoveredWork &work)
{
    return m_session.restore(work);
}

void MainWindow::newAnimation()
{
    m_session.newDocument();
}

bool MainWindow::open()
{
    return m_session.open();
}

bool MainWindow::save()
{
    return m_session.save();
}

bool MainWindow::saveAs()
{
    return m_session.saveAs();
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
