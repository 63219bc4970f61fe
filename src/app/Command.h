#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <functional>

// A command of the main window: what it runs, and whether it may run while the animation plays (those that add
// or remove lines may not: the player walks the list).
struct Command {
    std::function<void()> run;
    bool whilePlaying = true;
};
// Commands by the toolbar key or menu item name that runs them.
using Commands = QHash<QString, Command>;

// Where a command's own window opens: over parent, shown modally by run (tests look instead of waiting).
struct DialogHost {
    QWidget *parent = nullptr;
    std::function<void(QDialog &)> run;
};
