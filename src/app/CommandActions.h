#pragma once

#include "app/Command.h"

#include <QHash>
#include <QString>

class QAction;
class QObject;

// One QAction per command. The toolbar button shows it; every menu entry of the command triggers it and is
// enabled with it, so a command is greyed or not in one place.
class CommandActions {
public:
    CommandActions(const Commands &commands, QObject *owner);

    // The command's action; nullptr for a key no command has.
    QAction *action(const QString &key) const { return m_actions.value(key); }
    // Runs the command as its controls do: not while it is greyed.
    void trigger(const QString &key) const;
    // Makes a menu entry run the command of key and follow its enabled state (no command: nothing).
    void attach(QAction *entry, const QString &key) const;
    // Greys the commands that may not run while the animation plays, or enables them again.
    void setPlaying(bool playing) const;

private:
    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_notWhilePlaying;
};
