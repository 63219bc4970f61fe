#include "animation/Settings.h"

#include "game/GameConsole.h"
#include "platform/RegistryOps.h"

namespace {

int storedNumber(const QString &stored, int fallback, int lowest, int highest)
{
    bool ok = false;
    const int value = stored.trimmed().toInt(&ok);
    return ok ? qBound(lowest, value, highest) : fallback;
}

} // namespace

int FrameRateValue(const QString &stored)
{
    return storedNumber(stored, GameConsole::DefaultFrameRate, 1, 1000);
}

int PartLimitValue(const QString &stored, const GameRules &game)
{
    return storedNumber(stored, GameConsole::DefaultPartLimit, GameConsole::MinPartLimit, game.maxPartBytes());
}

Game GameValue(const QString &stored)
{
    return Games::FromKey(stored.trimmed()).value_or(Game::Rtcw);
}

Settings LoadSettings(const RegistryStore &store)
{
    auto text = [&](const char *name) {
        return GetRegValue(store, RegHive::CurrentUser, SettingsKey, QLatin1String(name));
    };
    auto flag = [&](const char *name) { return text(name) == QLatin1String("1"); };

    Settings settings;
    settings.openDir = text("OpenDir");
    settings.saveDir = text("SaveDir");
    settings.generateDir = text("GenerateDir");
    settings.name = text("Name");
    settings.clanTag = text("Clantag");
    settings.reverse = flag("Reverse");
    settings.editItem = flag("EditItem");
    settings.multiSelect = flag("MultiSelect");
    settings.frameRate = FrameRateValue(text("FrameRate"));
    settings.game = GameValue(text("Game"));
    settings.partLimit = PartLimitValue(text("PartLimit"), settings.rules());
    settings.showColors = flag("ShowColors");
    settings.wizardStyle = flag("WizardStyle") ? 1 : 0;
    settings.gameSpeed = flag("PlayAtGameSpeed");
    return settings;
}

QString UnreadableSettingsMessage(const QString &reason)
{
    return QStringLiteral("The saved settings could not be read (%1). The program starts with its default settings; "
                          "the unreadable file is kept beside the new one when settings are next saved.")
        .arg(reason);
}
