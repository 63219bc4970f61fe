#include "app/RecentFilesMenu.h"

#include "app/RecentFiles.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <QDir>

RecentFilesMenu::RecentFilesMenu(RegistryStore &store, Prompts &prompts, std::function<void(const QString &)> open,
                                 QWidget *parent)
    : QMenu(QStringLiteral("Open &Recent"), parent), m_store(store), m_prompts(prompts), m_open(std::move(open))
{
    setObjectName(QStringLiteral("mnuFileRecent"));
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::fill);
    fill();
}

void RecentFilesMenu::fill()
{
    clear();
    const QStringList paths = RecentFiles::load(m_store);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QAction *action = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!FileExists(path)) {
                RecentFiles::remove(m_store, path);
                m_prompts.message(QStringLiteral("File not found!\n%1\nIt was removed from the recent files.").arg(path),
                                  QStringLiteral("Open Recent"), PromptIcon::Exclamation);
                fill();
                return;
            }
            m_open(path);
        });
    }
    if (!paths.isEmpty())
        addSeparator();
    QAction *clearList = addAction(QStringLiteral("&Clear list"));
    clearList->setObjectName(QStringLiteral("mnuFileRecentClear"));
    clearList->setEnabled(!paths.isEmpty());
    connect(clearList, &QAction::triggered, this, [this] {
        RecentFiles::clear(m_store);
        fill();
    });
}
