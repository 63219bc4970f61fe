#include "app/CommandActions.h"

#include <QAction>

CommandActions::CommandActions(const Commands &commands, QObject *owner)
{
    for (auto it = commands.constBegin(); it != commands.constEnd(); ++it) {
        auto *action = new QAction(owner);
        QObject::connect(action, &QAction::triggered, owner, it->run);
        m_actions.insert(it.key(), action);
        if (!it->whilePlaying)
            m_notWhilePlaying.append(action);
    }
}

void CommandActions::trigger(const QString &key) const
{
    if (QAction *command = action(key))
        command->trigger();  // a disabled action does nothing
}

void CommandActions::attach(QAction *entry, const QString &key) const
{
    QAction *command = action(key);
    if (!command)
        return;
    QObject::connect(entry, &QAction::triggered, command, [command] { command->trigger(); });
    QObject::connect(command, &QAction::enabledChanged, entry, &QAction::setEnabled);
    entry->setEnabled(command->isEnabled());
}

void CommandActions::setPlaying(bool playing) const
{
    for (QAction *command : m_notWhilePlaying)
        command->setEnabled(!playing);
}
