#include "app/MainWindow.h"

#include "about/HelpBrowserWindow.h"
#include "about/HelpPages.h"
#include "animation/PreviewPlayer.h"
#include "app/AnimationList.h"
#include "app/ColorPanel.h"
#include "app/CommandActions.h"
#include "app/FileCommandTable.h"
#include "app/LineCommandTable.h"
#include "app/DroppedFile.h"
#include "app/MainLayout.h"
#include "app/MainStatusBar.h"
#include "app/PreviewEditor.h"
#include "app/RecentFiles.h"
#include "app/RecentFilesMenu.h"
#include "app/ToolCommands.h"
#include "app/ToolbarIcons.h"
#include "app/UndoHistoryDialog.h"
#include "app/WindowGeometry.h"
#include "colors/GameTextDelegate.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/RegistryOps.h"
#include "script/ScriptCheck.h"
#include "script/ScriptLine.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace MainLayoutMetrics;

namespace {
const QString Caption = QStringLiteral("Marqueemaster - by [XKR]OceloT");
}

MainWindow::MainWindow(RegistryStore &store, Prompts *startPrompts, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_qtPrompts(this), m_prompts(&m_qtPrompts)
{
    setObjectName(QStringLiteral("frmMain"));
    m_model.setLinePlayer(PlayLines);
    buildCommands();
    m_menus = BuildMainMenus(*this, *m_actions);
    buildCentralArea();
    buildMenusOfTheDocument();
    BuildMainStatusBar(statusBar(), m_document, m_session, m_list, [this] { return currentRow(); },
                       [this](const QUrl &link) { openHelpLink(link); });
    updateTitle();
    setAcceptDrops(true);
    m_runModal = [](QDialog &dialog) { dialog.exec(); };
    m_player = new PreviewPlayer(m_model, m_prompts, this, ScriptLineInto);
    connect(m_player, &PreviewPlayer::finished, statusBar(), [this](const QString &text) { statusBar()->showMessage(text); });
    connect(m_player, &PreviewPlayer::drawFrame, this, &MainWindow::drawPreview);
    connect(m_player, &PreviewPlayer::playingChanged, this, &MainWindow::playingChanged);
    connect(&m_session, &DocumentSession::documentStarted, this, &MainWindow::setPreview);
    connect(&m_session, &DocumentSession::fileUsed, this, [this](const QString &path) { RecentFiles::add(m_store, path); });
    m_qtPrompts.setExplainer([](const QString &text) {
        const QString page = HelpPageFor(text);
        return page.isEmpty() ? QString() : QStringLiteral("help:") + page;
    });
    QDesktopServices::setUrlHandler(QStringLiteral("help"), this, "openHelpLink");

    setMinimumWidth(MinimumOuterWidth);
    resize(InitialClientSize.width(), InitialClientSize.height() + m_menus.toolbar->sizeHint().height()
                                          + menuBar()->sizeHint().height());

    // Start-up: settings applied, colour panel as the last run left it, preview reset.
    setPrompts(startPrompts);
    loadSettings();
    m_menus.showColors->setChecked(m_settings.showColors);
    if (!m_store.loadError().isEmpty())
        prompts().message(UnreadableSettingsMessage(m_store.loadError()), AppTitle, PromptIcon::Exclamation);
    setPreview();
    m_list->setFocus();
}

MainWindow::~MainWindow()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("help"));
}

void MainWindow::openHelpLink(const QUrl &link)
{
    ShowHelp(this, HelpFactsOf(m_settings.rules(), m_settings.folders()), link.path());
}

void MainWindow::buildCommands()
{
    const DialogHost dialogs{this, [this](QDialog &dialog) { runModal(dialog); }};
    const auto refreshPreview = [this] { setPreview(); };
    Commands commands = FileCommandTable(m_session, [this] { return close(); });
    commands.insert(LineCommandTable({m_model, m_prompts, m_settings, dialogs, [this] { return currentRow(); },
                                      [this](int row) { setCurrentRow(row); }, refreshPreview}));
    commands.insert(ToolCommandTable(
        {m_model, m_settings, m_store, m_scriptDialog, m_prompts, dialogs, [this] { loadSettings(); }}));
    commands.insert(QStringLiteral("btnpreview"), {[this] { m_player->TogglePreview(); }});
    commands.insert(QStringLiteral("mnuEditShowColors"), {[this] { toggleShowColors(); }});
    commands.insert(QStringLiteral("mnuEditShowAsGame"), {refreshPreview});
    commands.insert(QStringLiteral("mnuViewShowCodes"), {[this] { toggleShowCodes(); }});
    m_actions = std::make_unique<CommandActions>(commands, this);
}

void MainWindow::runCommand(const QString &key)
{
    m_actions->trigger(key);
}

void MainWindow::buildCentralArea()
{
    m_area = new QWidget(this);
    m_area->installEventFilter(this);
    setCentralWidget(m_area);
    m_preview = new PreviewBoxWidget(m_area);
    m_preview->setObjectName(QStringLiteral("txtPreview"));
    const auto *asGame = findChild<QAction *>(QStringLiteral("mnuEditShowAsGame"));
    m_editor = new PreviewEditor(m_preview, m_model,
                                 {[this] { return currentRow(); }, [this]() -> const GameRules & { return m_settings.rules(); },
                                  [asGame] { return asGame->isChecked(); },
                                  [this](const QString &note) {
                                      if (auto *label = statusBar()->findChild<QLabel *>(QStringLiteral("lblPreviewNote")))
                                          label->setText(note);
                                  }},
                                 this);
    m_colorPanel = new ColorPanel(m_area);
    connect(m_colorPanel, &ColorPanel::colorClicked, m_editor, &PreviewEditor::applyColor);
    const AnimationList list = CreateAnimationList(m_model, m_area);
    m_list = list.view;
    m_textDelegate = list.textDelegate;
    m_list->installEventFilter(this);
    connect(m_preview, &PreviewBoxWidget::controlPressed, m_list, [this] { m_list->setFocus(); });
    connect(m_list, &QTreeView::clicked, this, &MainWindow::setPreview);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        m_history.endTyping();
        if (current.isValid())
            setPreview();
    });
}

// Undo, Redo and Undo History at the top of Edit; Open Recent above Import; the title and the history's view.
void MainWindow::buildMenusOfTheDocument()
{
    const auto [undo, redo] = AddUndoEntries(menuBar()->findChild<QMenu *>(QStringLiteral("mnuEdit")), m_history.stack(), this);
    m_preview->setUndoActions(undo, redo);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, &MainWindow::updateTitle);
    connect(&m_history, &AnimationHistory::filePathChanged, this, &MainWindow::updateTitle);
    m_history.setViewAccess([this] { return currentView(); }, [this](const HistoryView &view) { restoreView(view); });
    QMenu *file = menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
    file->insertMenu(file->findChild<QAction *>(QStringLiteral("mnuFileImport")),
                     new RecentFilesMenu(m_store, m_prompts, [this](const QString &path) { openFile(path); }, file));
}

std::optional<int> MainWindow::currentRow() const
{
    const QModelIndex index = m_list->currentIndex();
    if (!index.isValid() || index.row() >= m_model.count())
        return std::nullopt;
    return index.row();
}

void MainWindow::setCurrentRow(int row)
{
    m_list->setCurrentIndex(m_model.index(row, AnimationModel::TextColumn));
}

void MainWindow::loadSettings()
{
    m_settings = LoadSettings(m_store);
    m_model.setFrameRate(m_settings.fps());
    m_model.setGame(m_settings.game);
    m_model.setPasses(m_settings.passes);
    m_menus.gameSpeed->setChecked(m_settings.gameSpeed);
    m_player->setGameSpeed(m_settings.gameSpeed, m_settings.fps(), m_settings.rules(), m_settings.passes);
    m_list->setEditTriggers(m_settings.editItem ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                                : QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(m_settings.multiSelect ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
    // The game's colours everywhere at once: buttons, "More colours", preview, list.
    m_colorPanel->setGame(m_settings.rules());
    m_textDelegate->setGame(m_settings.rules());
    m_textDelegate->setShowCodes(m_settings.showCodes);
    m_menus.showCodes->setChecked(m_settings.showCodes);
    layOut();
    setPreview();
    m_list->viewport()->update();
}

void MainWindow::playingChanged(bool playing)
{
    QAction *play = m_actions->action(QStringLiteral("btnpreview"));
    play->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    play->setIcon(ToolbarIcon(playing ? 10 : 8));
    m_actions->setPlaying(playing);
    m_editor->setUpdating(playing);
    if (!playing)  // the last frame stays for its Time
        m_editor->showCurrentLineAfter(m_player->timer()->interval());
}

void MainWindow::toggleShowColors()
{
    m_settings.showColors = !m_settings.showColors;
    m_menus.showColors->setChecked(m_settings.showColors);
    SaveSetting(m_store, m_settings, SettingsValue::ShowColors);
    layOut();
}

void MainWindow::toggleShowCodes()
{
    m_settings.showCodes = !m_settings.showCodes;
    m_menus.showCodes->setChecked(m_settings.showCodes);
    m_textDelegate->setShowCodes(m_settings.showCodes);
    SaveSetting(m_store, m_settings, SettingsValue::ShowCodes);
    m_list->viewport()->update();
}

void MainWindow::layOut()
{
    if (isMinimized())
        return;
    const MainGeometry geometry = LayOutMainWindow(m_area->size(), m_settings.showColors, m_listHeight, m_colorPanel->panelWidth());
    m_preview->setGeometry(geometry.preview);
    m_colorPanel->setVisible(m_settings.showColors);
    if (m_settings.showColors)
        m_colorPanel->setGeometry(geometry.colorPanel);
    m_list->setGeometry(geometry.list);
    m_listHeight = geometry.list.height();
}

void MainWindow::updateTitle()
{
    const QString path = m_document.filePath();
    const QString name = path.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + QFileInfo(path).fileName();
    setWindowTitle(Caption + name + QStringLiteral("[*]"));
    setWindowModified(m_document.isModified());
}

HistoryView MainWindow::currentView() const
{
    HistoryView view;
    SaveListView(*m_list, view);
    m_editor->saveCursor(view);
    return view;
}

void MainWindow::restoreView(const HistoryView &view)
{
    RestoreListView(*m_list, view);
    m_editor->restoreCursor(view);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_session.confirmClose()) {
        event->ignore();
        return;
    }
    SaveWindowGeometry(*this, m_store);
    QMainWindow::closeEvent(event);
    emit closed();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openCommandLine({path});
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && event->type() == QEvent::Resize) {
        layOut();
    } else if (watched == m_list && event->type() == QEvent::KeyPress) {
        // Space plays, Enter edits the row: the keys a list of frames invites.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_list->hasFocus())  // not a key an open in-place editor passed on
                runCommand(key == Qt::Key_Space ? QStringLiteral("btnpreview") : QStringLiteral("btnedit"));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
