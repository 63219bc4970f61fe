#include "settings/GameOptionsWidget.h"

#include "game/GameConsole.h"
#include "platform/RegistryOps.h"
#include "animation/Settings.h"

#include "platform/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

GameOptionsWidget::GameOptionsWidget(RegistryStore &store, Prompts &prompts, QWidget *parent)
    : QWidget(parent), m_store(store), m_read(LoadSettings(store))
{
    m_game = new QComboBox(this);
    m_game->setObjectName(QStringLiteral("cboGame"));
    for (const GameRules *rules : Games::All)
        m_game->addItem(QLatin1String(rules->title), QLatin1String(rules->key));
    m_game->setCurrentIndex(m_game->findData(Games::KeyOf(m_read.game)));
    m_frameRate = new QSpinBox(this);
    m_frameRate->setObjectName(QStringLiteral("spnFrameRate"));
    m_frameRate->setRange(1, 1000);
    m_frameRate->setValue(m_read.fps());
    m_partLimit = new QSpinBox(this);
    m_partLimit->setObjectName(QStringLiteral("spnPartLimit"));
    m_partLimit->setRange(GameConsole::MinPartLimit, m_read.rules().maxPartBytes());
    m_partLimit->setSuffix(QStringLiteral(" bytes"));
    m_partLimit->setValue(m_read.partLimit);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);

    // The player's own install first; the folders the system knows of come after it by themselves.
    m_install = new QLineEdit(QDir::toNativeSeparators(m_read.installFolders.value(0)), this);
    m_install->setObjectName(QStringLiteral("txtInstallFolder"));
    m_install->setPlaceholderText(QStringLiteral("holds main or etmain"));
    auto *browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("cmdInstallFolder"));
    connect(browse, &QPushButton::clicked, this, [this, &prompts] {
        if (const QString folder = prompts.browseFolder(QStringLiteral("The game's install folder")); !folder.isEmpty())
            m_install->setText(QDir::toNativeSeparators(folder));
    });
    connect(m_install, &QLineEdit::textChanged, this, &GameOptionsWidget::showFolders);
    auto *installRow = new QHBoxLayout;
    installRow->addWidget(m_install, 1);
    installRow->addWidget(browse);
    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("lstGameFolders"));

    showGame();
    connect(m_game, &QComboBox::currentIndexChanged, this, &GameOptionsWidget::showGame);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Game"), m_game);
    layout->addRow(QStringLiteral("Frame rate (com_maxfps)"), m_frameRate);
    layout->addRow(QStringLiteral("Script part size limit"), m_partLimit);
    layout->addRow(m_note);
    auto *installLabel = new QLabel(QStringLiteral("&Install folder"), this);
    installLabel->setBuddy(m_install);
    layout->addRow(installLabel, installRow);
    // The whole width: the folders' paths are long.
    auto *foldersLabel = new QLabel(QStringLiteral("Where %1's exec looks for scripts, first to last:"), this);
    foldersLabel->setObjectName(QStringLiteral("lblGameFolders"));
    foldersLabel->setBuddy(m_folders);
    layout->addRow(foldersLabel);
    layout->addRow(m_folders);
    showFolders();
}

QStringList GameOptionsWidget::chosenInstalls() const
{
    const QString typed = QDir::fromNativeSeparators(m_install->text().trimmed());
    return typed.isEmpty() ? QStringList() : QStringList{typed};
}

void GameOptionsWidget::showFolders()
{
    const GameFolders folders = GameFoldersOf(chosen(), SystemGamePlaces(chosenInstalls()));
    m_folders->clear();
    for (const GameFolder &folder : folders.search) {
        const bool there = QFileInfo(folder.path).isDir();
        auto *item = new QListWidgetItem(QStringLiteral("%1 %2 (%3%4)")
                               .arg(there ? QStringLiteral("\u2713") : QStringLiteral("\u2717"),
                                    QDir::toNativeSeparators(folder.path),
                                    folder.home ? QStringLiteral("home") : QStringLiteral("install"),
                                    there ? QString() : QStringLiteral(", not there yet")),
                                         m_folders);
        item->setToolTip(item->text());
    }
    if (auto *label = findChild<QLabel *>(QStringLiteral("lblGameFolders")))
        label->setText(QStringLiteral("Where %1's exec looks for scripts, first to last:").arg(QLatin1String(chosen().title)));
    if (folders.search.isEmpty())
        m_folders->addItem(QStringLiteral("None known: %1 reads scripts from its install folder - choose it above.")
                               .arg(QLatin1String(chosen().title)));
}

const GameRules &GameOptionsWidget::chosen() const
{
    return Games::Of(GameValue(m_game->currentData().toString()));
}

void GameOptionsWidget::showGame()
{
    // The part limit can't pass what this game's exec accepts.
    const GameRules &rules = chosen();
    m_partLimit->setMaximum(rules.maxPartBytes());
    // The stock frame rate of the game shown before follows the game; one the player chose stays.
    if (m_frameRate->value() == m_shownRules->defaultFps)
        m_frameRate->setValue(rules.defaultFps);
    m_shownRules = &rules;
    m_note->setText(QStringLiteral("%1's command buffer holds %L2 bytes; what a script part leaves free is room "
                                   "for your own key binds while it plays.")
                        .arg(QLatin1String(rules.title))
                        .arg(rules.bufferBytes));
    if (m_folders)
        showFolders();
}

bool GameOptionsWidget::save()
{
    // Only what the user changed: an untouched page leaves the store as it was.
    Settings chosen = m_read;
    chosen.game = GameValue(m_game->currentData().toString());
    // The game's own rate is stored as none, so it follows the next game chosen.
    chosen.frameRate = m_frameRate->value() == chosen.rules().defaultFps ? 0 : m_frameRate->value();
    chosen.partLimit = m_partLimit->value();
    chosen.installFolders = chosenInstalls();
    return SaveChangedSettings(m_store, m_read, chosen,
                               {SettingsValue::Game, SettingsValue::FrameRate, SettingsValue::PartLimit,
                                SettingsValue::InstallFolders});
}
