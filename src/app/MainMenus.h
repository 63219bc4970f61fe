#pragma once

class QMainWindow;
class QToolBar;
class CommandActions;
class QAction;

struct MainMenus {
    QToolBar *toolbar = nullptr;
    QAction *showColors = nullptr;
    QAction *showCodes = nullptr;
    QAction *gameSpeed = nullptr;
};

// Builds tlbMain and the menu bar of the main window: every button and entry shows or runs a command's action.
MainMenus BuildMainMenus(QMainWindow &window, const CommandActions &actions);
