#pragma once

#include "animation/AnimationHistory.h"
#include "animation/AnimationModel.h"
#include "animation/Document.h"
#include "animation/DocumentSession.h"
#include "app/MainMenus.h"
#include "platform/Prompts.h"
#include "platform/QtPrompts.h"
#include "platform/RelayPrompts.h"
#include "script/ScriptImport.h"
#include "animation/Settings.h"
#include "app/PreviewEditor.h"
#include "app/WindowGeometry.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class ColorPanel;
class CommandActions;
class GameTextDelegate;
class PreviewBoxWidget;
class PreviewPlayer;
class QDialog;
class QTreeView;
class RegistryStore;
struct RecoveredWork;

// frmMain: owns the animation for the life of the program, shows it in the
// list lvwMain, draws the current line in the preview box, and dispatches
// every toolbar and menu entry to its command.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Start-up messages go to startPrompts when given (tests), else to dialogs.
    explicit MainWindow(RegistryStore &store, Prompts *startPrompts = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    Document &document() { return m_document; }
    AnimationModel &model() { return m_model; }
    AnimationHistory &history() { return m_history; }
    // The .ras file the animation came from or was last saved to; empty when none.
    const QString &filePath() const { return m_document.filePath(); }
    RegistryStore &store() { return m_store; }
    const Settings &settings() const { return m_settings; }
    DocumentSession &session() { return m_session; }
    Prompts &prompts() { return m_prompts; }
    // Tests talk to the window through scripted prompts; nullptr restores the dialogs.
    void setPrompts(Prompts *prompts) { m_prompts.setTarget(prompts ? prompts : &m_qtPrompts); }
    QTreeView *list() const { return m_list; }
    PreviewBoxWidget *previewBox() const { return m_preview; }
    const MainMenus &menus() const { return m_menus; }
    PreviewPlayer &player() { return *m_player; }

    // The row of the current line, or nothing (empty list, no row selected).
    std::optional<int> currentRow() const;
    void setCurrentRow(int row);

    // Runs the command of a toolbar key or menu item name as its controls do (not while greyed); unknown keys
    // do nothing.
    void runCommand(const QString &key);

    // Reads the settings and applies "EditItem" and "MultiSelect" to the list.
    void loadSettings();
    // Shows the current line in the preview box, or the empty state.
    void setPreview() { m_editor->showCurrentLine(); }
    // Draws a text into the preview box without writing it back into the list.
    void drawPreview(const QString &codedText) { m_editor->draw(codedText); }
    bool previewUpdating() const { return m_editor->updating(); }

    bool showColors() const { return m_settings.showColors; }
    void toggleShowColors();
    // View, "Show codes in the list": the codes among the coloured Texts, or the colours alone.
    void toggleShowCodes();
    // The document's roads, each through the session (which asks about unsaved work once). True when done.
    // The command line as one path: a .ras file is opened, a .cfg file imported.
    void openCommandLine(const QStringList &arguments) { m_session.openStartupFile(arguments); }
    bool openFile(const QString &path) { return m_session.openFile(path); }
    // Work a recovery file kept, as a new document with unsaved changes. False when the user cancelled.
    bool restoreRecovered(const RecoveredWork &work) { return m_session.restore(work); }
    // A line at the bottom of the window, until the next one.
    // Edit, "Undo History...": the steps, the saved one marked; a click goes to a step.
    // The size and position of the last run, kept on a screen; false when none was stored.
    bool restoreWindowGeometry() { return RestoreWindowGeometry(*this, m_store); }

    // Shows a modal window; tests replace this to look at the window instead of waiting.
    using ModalRunner = std::function<void(QDialog &dialog)>;
    void runModal(QDialog &dialog) { m_runModal(dialog); }
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    // A "help:page.html" link from a message or the status bar: the help window on that page.
    Q_INVOKABLE void openHelpLink(const QUrl &link);

signals:
    // The main window closed: the program ends, whatever other window is open.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildCommands();
    void buildCentralArea();
    void buildMenusOfTheDocument();
    void updateTitle();
    HistoryView currentView() const;
    void restoreView(const HistoryView &view);
    void layOut();
    void playingChanged(bool playing);
    bool eventFilter(QObject *watched, QEvent *event) override;

    RegistryStore &m_store;
    Document m_document;
    AnimationModel &m_model = m_document.model();
    AnimationHistory &m_history = m_document.history();
    Settings m_settings;
    FileDialogState m_scriptDialog;
    QtPrompts m_qtPrompts;
    RelayPrompts m_prompts;
    DocumentSession m_session{m_document, m_settings, m_prompts, ImportScriptReader()};
    MainMenus m_menus;
    std::unique_ptr<CommandActions> m_actions;
    ModalRunner m_runModal;
    PreviewPlayer *m_player = nullptr;

    QWidget *m_area = nullptr;
    PreviewBoxWidget *m_preview = nullptr;
    PreviewEditor *m_editor = nullptr;
    ColorPanel *m_colorPanel = nullptr;
    GameTextDelegate *m_textDelegate = nullptr;
    QTreeView *m_list = nullptr;

    int m_listHeight = 0;
};
