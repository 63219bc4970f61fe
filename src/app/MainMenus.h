#pragma once

#include <QMultiHash>
#include <QObject>
#include <QVariant>
#include <QString>
#include <functional>

class QMainWindow;
class QToolBar;
class QToolButton;
class QAction;

// Every entry of the toolbar, its drop-downs and the menu bar reports the command it runs (the toolbar key, or
// the menu item's name when no button runs it) to one dispatch function.
using Dispatch = std::function<void(const QString &key)>;

struct MainMenus {
    QToolBar *toolbar = nullptr;
    QToolButton *previewButton = nullptr;
    QAction *showColors = nullptr;
    QAction *showCodes = nullptr;
    QAction *gameSpeed = nullptr;
    QMultiHash<QString, QObject *> controls;  // every button and menu entry, by the command it runs

    // Enables or greys every control of a command together.
    void setCommandEnabled(const QString &command, bool enabled) const
    {
        for (auto it = controls.constFind(command); it != controls.constEnd() && it.key() == command; ++it)
            (*it)->setProperty("enabled", enabled);
    }
};

// Builds tlbMain and the menu bar of the main window.
MainMenus BuildMainMenus(QMainWindow &window, const Dispatch &dispatch);
