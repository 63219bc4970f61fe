#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class MainWindow;

// The one table from toolbar key or menu item name to the command it runs.
QHash<QString, std::function<void()>> BuildCommandTable(MainWindow &window);

// The commands that add or remove lines, greyed everywhere while the animation plays.
const QStringList &CommandsNotWhilePlaying();
