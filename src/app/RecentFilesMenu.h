#pragma once

#include <QMenu>

#include <functional>

class Prompts;
class RegistryStore;

// File, "Open Recent": the recent files, numbered, and "Clear list". A file that is gone when chosen is said
// and taken off the list; any other is handed to open.
class RecentFilesMenu final : public QMenu {
    Q_OBJECT
public:
    RecentFilesMenu(RegistryStore &store, Prompts &prompts, std::function<void(const QString &)> open,
                    QWidget *parent);

private:
    void fill();

    RegistryStore &m_store;
    Prompts &m_prompts;
    std::function<void(const QString &)> m_open;
};
