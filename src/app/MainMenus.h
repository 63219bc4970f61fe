#pragma once

#include <QString>
#include <functional>

class QMainWindow;
class QToolBar;
class QToolButton;
class QAction;

// Every entry of the toolbar, its drop-downs and the menu bar reports its key
// (the toolbar key or the menu item's name) to one dispatch function.
using Dispatch = std::function<void(const QString &key)>;

struct MainMenus {
    QToolBar *toolbar = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *removeButton = nullptr;
    QToolButton *previewButton = nullptr;
    QAction *showColors = nullptr;
    QAction *showCodes = nullptr;
    QAction *gameSpeed = nullptr;
};

// Builds tlbMain and the menu bar of the main window.
MainMenus BuildMainMenus(QMainWindow &window, const Dispatch &dispatch);
