#pragma once

#include "animation/AnimationModel.h"
#include "app/MainMenus.h"
#include "platform/Prompts.h"
#include "platform/QtPrompts.h"
#include "platform/RelayPrompts.h"
#include "settings/Settings.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

class QDialog;
class QTreeView;
class PreviewBoxWidget;
class ColorButtonsWidget;
class RegistryStore;
class PreviewPlayer;

// frmMain: owns the animation for the life of the program, shows it in the
// list lvwMain, draws the current line in the preview box, and dispatches
// every toolbar and menu entry to its command.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Start-up messages go to startPrompts when given (tests), else to dialogs.
    explicit MainWindow(RegistryStore &store, Prompts *startPrompts = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    AnimationModel &model() { return m_model; }
    RegistryStore &store() { return m_store; }
    const Settings &settings() const { return m_settings; }
    FileDialogState &fileDialog() { return m_fileDialog; }
    // The script window's own: it never offers an animation's name.
    FileDialogState &scriptDialog() { return m_scriptDialog; }
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

    // Runs the command of a toolbar key or menu item name; unknown keys do nothing.
    void runCommand(const QString &key);

    // Reads the settings and applies "EditItem" and "MultiSelect" to the list.
    void loadSettings();
    // Shows the current line in the preview box, or the empty state.
    void setPreview();
    // Draws a text into the preview box without writing it back into the list.
    void drawPreview(const QString &codedText);
    bool previewUpdating() const { return m_previewUpdating; }
    void setPreviewUpdating(bool updating) { m_previewUpdating = updating; }

    bool showColors() const { return m_showColors; }
    void toggleShowColors();
    // File, New: empties the list at once and shows "Preview".
    void newAnimation();
    // The command line as one path: a .ras file is opened, a .cfg file imported.
    void openCommandLine(const QStringList &arguments);

    // Shows a modal window; tests replace this to look at the window instead of waiting.
    using ModalRunner = std::function<void(QDialog &dialog)>;
    void runModal(QDialog &dialog) { m_runModal(dialog); }
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

signals:
    // The main window closed: the program ends, whatever other window is open.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCentralArea();
    void layOut();
    void previewEdited();
    void playingChanged(bool playing);
    void colorButtonClicked(int index);
    bool eventFilter(QObject *watched, QEvent *event) override;

    RegistryStore &m_store;
    AnimationModel m_model;
    Settings m_settings;
    FileDialogState m_fileDialog;
    FileDialogState m_scriptDialog;
    QtPrompts m_qtPrompts;
    RelayPrompts m_prompts;
    MainMenus m_menus;
    QHash<QString, std::function<void()>> m_commands;
    ModalRunner m_runModal;
    PreviewPlayer *m_player = nullptr;

    QWidget *m_area = nullptr;
    PreviewBoxWidget *m_preview = nullptr;
    QWidget *m_colorPanel = nullptr;
    ColorButtonsWidget *m_colorButtons = nullptr;
    QTreeView *m_list = nullptr;

    bool m_showColors = false;
    bool m_previewUpdating = false;
    int m_listHeight = 0;
};
