#include "app/MainWindow.h"

#include "app/RecentFiles.h"

#include "about/HelpBrowserWindow.h"
#include "about/HelpPages.h"
#include "app/CommandTable.h"
#include "app/EmptyListHint.h"
#include "app/MainLayout.h"
#include "app/MarkAtRightDelegate.h"
#include "colors/ColoredText.h"
#include "colors/GameTextDelegate.h"
#include "colors/PreviewBoxWidget.h"
#include "animation/PreviewPlayer.h"
#include "app/ToolbarIcons.h"
#include "platform/RegistryStore.h"
#include "script/ScriptCheck.h"
#include "script/ScriptLine.h"
#include "animation/Settings.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace MainLayoutMetrics;

MainWindow::MainWindow(RegistryStore &store, Prompts *startPrompts, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_qtPrompts(this), m_prompts(&m_qtPrompts)
{
    setObjectName(QStringLiteral("frmMain"));
    m_model.setLineMarker(MarkLines);
    m_menus = BuildMainMenus(*this, [this](const QString &key) { runCommand(key); });
    buildCentralArea();
    buildUndoAndRecentMenus();
    buildStatusBar();
    updateTitle();
    setAcceptDrops(true);
    m_runModal = [](QDialog &dialog) { dialog.exec(); };
    m_player = new PreviewPlayer(m_model, m_prompts, this, ScriptLineInto);
    connect(m_player, &PreviewPlayer::finished, this, &MainWindow::showStatus);
    connect(m_player, &PreviewPlayer::drawFrame, this, &MainWindow::drawPreview);
    connect(m_player, &PreviewPlayer::playingChanged, this, &MainWindow::playingChanged);
    m_commands = BuildCommandTable(*this);
    connect(&m_session, &DocumentSession::documentStarted, this, [this] {
        m_droppedStepsTold = false;
        setPreview();
    });
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
    m_showColors = m_settings.showColors;
    m_menus.showColors->setChecked(m_showColors);
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
    ShowHelp(this, link.path());
}

void MainWindow::buildCentralArea()
{
    m_area = new QWidget(this);
    m_area->installEventFilter(this);
    setCentralWidget(m_area);

    m_preview = new PreviewBoxWidget(m_area);
    m_preview->setObjectName(QStringLiteral("txtPreview"));
    connect(m_preview->document(), &QTextDocument::contentsChanged, this, &MainWindow::previewEdited);

    buildColorPanel();

    m_list = new QTreeView(m_area);
    m_list->setObjectName(QStringLiteral("lvwMain"));
    m_list->setModel(&m_model);
    m_list->setItemDelegate(new MarkAtRightDelegate(m_list));
    m_textDelegate = new GameTextDelegate(m_list);
    m_list->setItemDelegateForColumn(AnimationModel::TextColumn, m_textDelegate);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSortingEnabled(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionsClickable(false);
    m_list->header()->setSectionsMovable(false);
    m_list->setColumnWidth(AnimationModel::TextColumn, 333);
    m_list->setColumnWidth(AnimationModel::TimeColumn, 96);
    m_list->setColumnWidth(AnimationModel::ActionColumn, 96);
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPointSizeF(9.75);
    m_list->setFont(listFont);
    m_list->installEventFilter(this);
    ShowHintWhenEmpty(m_list, QStringLiteral("Start with the Wizard (Ctrl+W), or add a line (Insert)"));
    connect(m_preview, &PreviewBoxWidget::controlPressed, m_list, [this] { m_list->setFocus(); });
    connect(m_list, &QTreeView::clicked, this, &MainWindow::setPreview);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                m_history.endTyping();
                if (current.isValid())
                    setPreview();
            });
    // Lines added to an empty list: the first line becomes the current line.
    auto selectFirstWhenNew = [this] {
        if (!m_model.isEmpty() && !m_list->currentIndex().isValid())
            setCurrentRow(0);
    };
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this, selectFirstWhenNew](const QModelIndex &, int first, int last) {
                if (first == 0 && last == m_model.count() - 1)
                    selectFirstWhenNew();
            });
    connect(&m_model, &QAbstractItemModel::modelReset, this, selectFirstWhenNew);
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

void MainWindow::runCommand(const QString &key)
{
    const auto it = m_commands.constFind(key);
    if (it != m_commands.constEnd() && *it)
        (*it)();
}

void MainWindow::loadSettings()
{
    m_settings = LoadSettings(m_store);
    m_model.setFrameRate(m_settings.frameRate);
    m_model.setGame(m_settings.game);
    m_menus.gameSpeed->setChecked(m_settings.gameSpeed);
    m_player->setGameSpeed(m_settings.gameSpeed, m_settings.frameRate, m_settings.rules());
    m_list->setEditTriggers(m_settings.editItem ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                                : QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(m_settings.multiSelect ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
    applyGame();
}

void MainWindow::setPreview()
{
    const bool wasUpdating = m_previewUpdating;
    m_previewUpdating = true;
    if (m_model.isEmpty()) {
        m_preview->showPlaceholder();
    } else {
        const std::optional<int> row = currentRow();
        // Edit, "Show as the game shows it": the game's version, locked so the Text never changes by itself.
        const auto *asGame = findChild<QAction *>(QStringLiteral("mnuEditShowAsGame"));
        const std::optional<LineMark> mark = row && asGame && asGame->isChecked() ? m_model.gameMark(*row) : std::nullopt;
        // With no current line there is no row to write edits into: keep it locked.
        m_preview->setReadOnly(!row || (asGame && asGame->isChecked()));
        RenderColoredText(mark ? mark->shown : row ? m_model.line(*row).text : QString(), *m_preview->document(),
                          m_settings.rules());
        m_preview->moveCursor(QTextCursor::End);
    }
    m_previewUpdating = wasUpdating;
}

void MainWindow::drawPreview(const QString &codedText)
{
    const bool wasUpdating = m_previewUpdating;
    m_previewUpdating = true;
    RenderColoredText(codedText, *m_preview->document(), m_settings.rules());
    m_previewUpdating = wasUpdating;
}

void MainWindow::previewEdited()
{
    if (m_previewUpdating)
        return;
    const std::optional<int> row = currentRow();
    if (!row)
        return;
    AnimationStep step(m_model, QStringLiteral("Typing"), AnimationStep::Typing);
    m_cursorBeforeEdit.reset();  // the step ends where the cursor is now
    m_model.setText(*row, ColorCodedText(*m_preview->document(), Qt::white, Qt::white, m_settings.rules()));
}

void MainWindow::playingChanged(bool playing)
{
    m_menus.previewButton->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    m_menus.previewButton->setIcon(ToolbarIcon(playing ? 10 : 8));
    for (const QString &command : CommandsNotWhilePlaying())
        m_menus.setCommandEnabled(command, !playing);
    m_previewUpdating = playing;
    if (!playing) {
        // The last frame stays for its Time, read-only: typing must not write the played text into the current
        // line. Then the box shows the current line again.
        m_preview->setReadOnly(true);
        QTimer::singleShot(m_player->timer()->interval(), this, [this] {
            if (!m_player->isPlaying())
                setPreview();
        });
    }
}

void MainWindow::toggleShowColors()
{
    m_showColors = !m_showColors;
    if (m_menus.showColors)
        m_menus.showColors->setChecked(m_showColors);
    m_store.setValue(RegHive::CurrentUser, SettingsKey, QStringLiteral("ShowColors"), FlagText(m_showColors));
    layOut();
}

void MainWindow::layOut()
{
    if (isMinimized())
        return;
    const MainGeometry geometry = LayOutMainWindow(m_area->size(), m_showColors, m_listHeight, m_panelWidth);
    m_preview->setGeometry(geometry.preview);
    m_colorPanel->setVisible(m_showColors);
    if (m_showColors)
        m_colorPanel->setGeometry(geometry.colorPanel);
    m_list->setGeometry(geometry.list);
    m_listHeight = geometry.list.height();
}

void MainWindow::rememberWizardStyle(int style)
{
    m_settings.wizardStyle = style;
    m_store.setValue(RegHive::CurrentUser, SettingsKey, QStringLiteral("WizardStyle"), QString::number(style));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_session.confirmClose()) {
        event->ignore();
        return;
    }
    m_store.setValue(RegHive::CurrentUser, SettingsKey, QStringLiteral("WindowGeometry"),
                     QString::fromLatin1(saveGeometry().toBase64()));
    QMainWindow::closeEvent(event);
    emit closed();
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
