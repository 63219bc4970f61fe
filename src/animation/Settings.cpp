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
    return storedNumber(stored, 0, 0, 1000);
}

int PartLimitValue(const QString &stored, const GameRules &game)
{
    return storedNumber(stored, GameConsole::DefaultPartLimit, GameConsole::MinPartLimit, game.maxPartBytes());
}

Game GameValue(const QString &stored)
{
    return Games::FromKey(stored.trimmed()).value_or(Game::Rtcw);
}

namespace {

QString nameOf(SettingsValue value)
{
    switch (value) {
    case SettingsValue::OpenDir: return QStringLiteral("OpenDir");
    case SettingsValue::SaveDir: return QStringLiteral("SaveDir");
    case SettingsValue::GenerateDir: return QStringLiteral("GenerateDir");
    case SettingsValue::Name: return QStringLiteral("Name");
    case SettingsValue::ClanTag: return QStringLiteral("Clantag");
    case SettingsValue::Reverse: return QStringLiteral("Reverse");
    case SettingsValue::EditItem: return QStringLiteral("EditItem");
    case SettingsValue::MultiSelect: return QStringLiteral("MultiSelect");
    case SettingsValue::FrameRate: return QStringLiteral("FrameRate");
    case SettingsValue::Game: return QStringLiteral("Game");
    case SettingsValue::PartLimit: return QStringLiteral("PartLimit");
    case SettingsValue::ShowColors: return QStringLiteral("ShowColors");
    case SettingsValue::ShowCodes: return QStringLiteral("ShowCodes");
    case SettingsValue::WizardStyle: return QStringLiteral("WizardStyle");
    case SettingsValue::GameSpeed: return QStringLiteral("PlayAtGameSpeed");
    case SettingsValue::WindowGeometry: return QStringLiteral("WindowGeometry");
    case SettingsValue::InstallFolders: return QStringLiteral("InstallFolders");
    case SettingsValue::Passes: return QStringLiteral("ScriptRepeat");
    }
    return {};
}

} // namespace

Settings LoadSettings(const RegistryStore &store)
{
    auto text = [&](SettingsValue value) {
        return GetRegValue(store, RegHive::CurrentUser, SettingsKey, nameOf(value));
    };
    auto flag = [&](SettingsValue value) { return text(value) == QLatin1String("1"); };

    Settings settings;
    settings.openDir = text(SettingsValue::OpenDir);
    settings.saveDir = text(SettingsValue::SaveDir);
    settings.generateDir = text(SettingsValue::GenerateDir);
    settings.name = text(SettingsValue::Name);
    settings.clanTag = text(SettingsValue::ClanTag);
    settings.reverse = flag(SettingsValue::Reverse);
    settings.editItem = flag(SettingsValue::EditItem);
    settings.multiSelect = flag(SettingsValue::MultiSelect);
    settings.frameRate = FrameRateValue(text(SettingsValue::FrameRate));
    settings.game = GameValue(text(SettingsValue::Game));
    settings.partLimit = PartLimitValue(text(SettingsValue::PartLimit), settings.rules());
    settings.showColors = flag(SettingsValue::ShowColors);
    settings.showCodes = text(SettingsValue::ShowCodes) != QLatin1String("0");  // on unless turned off
    settings.wizardStyle = flag(SettingsValue::WizardStyle) ? 1 : 0;
    settings.gameSpeed = flag(SettingsValue::GameSpeed);
    settings.windowGeometry = QByteArray::fromBase64(text(SettingsValue::WindowGeometry).toLatin1());
    settings.installFolders = text(SettingsValue::InstallFolders).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    settings.passes = storedNumber(text(SettingsValue::Passes), 1, 1, GameConsole::MaxPasses);
    return settings;
}

QString StoredText(const Settings &settings, SettingsValue value)
{
    switch (value) {
    case SettingsValue::OpenDir: return settings.openDir;
    case SettingsValue::SaveDir: return settings.saveDir;
    case SettingsValue::GenerateDir: return settings.generateDir;
    case SettingsValue::Name: return settings.name;
    case SettingsValue::ClanTag: return settings.clanTag;
    case SettingsValue::Reverse: return FlagText(settings.reverse);
    case SettingsValue::EditItem: return FlagText(settings.editItem);
    case SettingsValue::MultiSelect: return FlagText(settings.multiSelect);
    case SettingsValue::FrameRate: return settings.frameRate > 0 ? QString::number(settings.frameRate) : QString();
    case SettingsValue::Game: return Games::KeyOf(settings.game);
    case SettingsValue::PartLimit: return QString::number(settings.partLimit);
    case SettingsValue::ShowColors: return FlagText(settings.showColors);
    case SettingsValue::ShowCodes: return FlagText(settings.showCodes);
    case SettingsValue::WizardStyle: return QString::number(settings.wizardStyle);
    case SettingsValue::GameSpeed: return FlagText(settings.gameSpeed);
    case SettingsValue::WindowGeometry: return QString::fromLatin1(settings.windowGeometry.toBase64());
    case SettingsValue::InstallFolders: return settings.installFolders.join(QLatin1Char('\n'));  // no path holds one
    case SettingsValue::Passes: return QString::number(settings.passes);
    }
    return {};
}

bool SaveSetting(RegistryStore &store, const Settings &settings, SettingsValue value)
{
    return SetRegValue(store, RegHive::CurrentUser, SettingsKey, nameOf(value), StoredText(settings, value));
}

bool SaveChangedSettings(RegistryStore &store, const Settings &shown, const Settings &chosen,
                         const QList<SettingsValue> &values)
{
    bool saved = true;
    for (const SettingsValue value : values)
        if (StoredText(chosen, value) != StoredText(shown, value))
            saved &= SaveSetting(store, chosen, value);
    return saved;
}

QString UnreadableSettingsMessage(const QString &reason)
{
    return QStringLiteral("The saved settings could not be read (%1). The program starts with its default settings; "
                          "the unreadable file is kept beside the new one when settings are next saved.")
        .arg(reason);
}
