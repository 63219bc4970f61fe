#include "game/GameFolders.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The folders exec reads, per engine: a mod folder before the base folder.
QStringList gameFoldersOf(Game game)
{
    switch (game) {
    case Game::Rtcw:
    case Game::IoRtcw:
        return {QStringLiteral("main")};
    case Game::Et:
        return {QStringLiteral("etmain")};
    case Game::EtLegacy:
        return {QStringLiteral("legacy"), QStringLiteral("etmain")};  // legacy: the mod it starts with
    }
    return {};
}

// Every game's base and mod folder names: a path through one of them has the game's layout after it.
const QStringList &gameFoldersOfAnyGame()
{
    static const QStringList names{QStringLiteral("main"), QStringLiteral("etmain"), QStringLiteral("legacy")};
    return names;
}

QString under(const QString &folder, const QString &name)
{
    return QDir::cleanPath(folder + QLatin1Char('/') + name);
}

bool holds(const QString &folder, const QString &filePath)
{
    const QString parent = QDir::cleanPath(folder) + QLatin1Char('/');
    return QDir::cleanPath(filePath).startsWith(parent, Platform::FileNamesIgnoreCase() ? Qt::CaseInsensitive
                                                                                         : Qt::CaseSensitive);
}

} // namespace

QString GameHomeOf(const GameRules &game, const GamePlaces &places)
{
    const QString &home = places.home;
    switch (places.os) {
    case HostOs::Linux:
        switch (game.game) {
        case Game::Rtcw:
        case Game::IoRtcw: return under(home, QStringLiteral(".wolf"));
        case Game::Et: return under(home, QStringLiteral(".etwolf"));
        case Game::EtLegacy: return under(home, QStringLiteral(".etlegacy"));
        }
        break;
    case HostOs::Windows:
        // RtCW 1.4 and ET 2.60b keep everything in their install folder.
        if (places.documents.isEmpty())
            return {};
        switch (game.game) {
        case Game::IoRtcw: return under(places.documents, QStringLiteral("RTCW"));
        case Game::EtLegacy: return under(places.documents, QStringLiteral("ETLegacy"));
        default: return {};
        }
    case HostOs::MacOs: {
        const QString support = under(home, QStringLiteral("Library/Application Support"));
        switch (game.game) {
        case Game::Rtcw: return under(support, QStringLiteral("WolfensteinMP"));
        case Game::IoRtcw: return under(support, QStringLiteral("RTCW"));
        case Game::Et: return under(support, QStringLiteral("Wolfenstein ET"));
        case Game::EtLegacy: return under(support, QStringLiteral("etlegacy"));
        }
        break;
    }
    }
    return {};
}

GameFolders GameFoldersOf(const GameRules &game, const GamePlaces &places)
{
    GameFolders folders;
    const QStringList names = gameFoldersOf(game.game);
    folders.baseName = names.last();
    const QString home = places.home.isEmpty() && places.documents.isEmpty() ? QString() : GameHomeOf(game, places);
    // An install counts for a game when it holds the game's base folder.
    QStringList installs;
    for (const QString &install : places.installs) {
        const QString clean = QDir::cleanPath(install);
        if (!install.isEmpty() && QFileInfo(under(clean, folders.baseName)).isDir() && !installs.contains(clean))
            installs << clean;
    }
    auto add = [&](const QString &root, const QString &name, bool isHome) {
        const QString path = under(root, name);
        if (std::none_of(folders.search.cbegin(), folders.search.cend(),
                         [&](const GameFolder &folder) { return folder.path == path; }))
            folders.search.append({path, isHome});
    };
    // Each engine searches home before install for a folder name, and a mod's folders before the base's.
    for (const QString &name : names) {
        if (!home.isEmpty())
            add(home, name, true);
        for (const QString &install : installs) {
            if (name == folders.baseName || QFileInfo(under(install, name)).isDir())  // a mod the install has
                add(install, name, false);
        }
    }
    if (!home.isEmpty())
        folders.homeBase = under(home, folders.baseName);
    else if (!installs.isEmpty())
        folders.homeBase = under(installs.first(), folders.baseName);
    return folders;
}

QString GameFolders::folderHolding(const QString &filePath) const
{
    for (const GameFolder &folder : search) {
        if (holds(folder.path, filePath))
            return folder.path;
    }
    return {};
}

std::optional<QString> GameFolders::execPathOf(const QString &filePath) const
{
    const QString folder = folderHolding(filePath);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir(folder).relativeFilePath(QDir::cleanPath(filePath));
}

QString GameFolders::intoGameFolder(const QString &filePath) const
{
    const QStringList parts = QDir::cleanPath(QDir::fromNativeSeparators(filePath)).split(QLatin1Char('/'));
    qsizetype after = parts.size() - 1;  // the file name alone
    for (qsizetype i = parts.size() - 2; i >= 0; --i) {
        if (gameFoldersOfAnyGame().contains(parts.at(i))) {
            after = i + 1;
            break;
        }
    }
    return under(homeBase, parts.mid(after).join(QLatin1Char('/')));
}
