#include "app/ToolCommands.h"

#include "about/AboutDialog.h"
#include "about/HelpBrowserWindow.h"
#include "about/HelpDialog.h"
#include "animation/Settings.h"
#include "colors/ColorEditorDialog.h"
#include "script/ScriptWindow.h"
#include "settings/OptionsDialog.h"
#include "transforms/LeetTable.h"
#include "wizard/WizardWindow.h"

#include <QCoreApplication>

namespace {

// A modal window made by make, shown by the host.
template <typename Make>
std::function<void()> modal(const DialogHost &host, Make make)
{
    return [host, make] {
        auto dialog = make(host.parent);
        host.run(*dialog);
    };
}

// Stores one value changed by `change` and tells the window.
template <typename Change>
void changeSetting(const ToolTarget &t, SettingsValue value, Change change)
{
    Settings settings = t.settings;
    change(settings);
    SaveSetting(t.store, settings, value);
    t.settingsChanged();
}

} // namespace

Commands ToolCommandTable(const ToolTarget &t)
{
    auto wizard = [t] {
        WizardWindow *window = ShowWizardWindow(t.model, t.settings, t.prompts, t.dialogs.parent);
        // The style chosen is the next wizard's, in this run and the next.
        QObject::disconnect(window, &WizardWindow::styleChosen, window, nullptr);
        QObject::connect(window, &WizardWindow::styleChosen, window, [t](int style) {
            changeSetting(t, SettingsValue::WizardStyle, [style](Settings &settings) { settings.wizardStyle = style; });
        });
    };
    auto gameSpeed = [t] {
        changeSetting(t, SettingsValue::GameSpeed, [](Settings &settings) { settings.gameSpeed = !settings.gameSpeed; });
    };
    auto script = modal(t.dialogs, [t](QWidget *parent) {
        auto window = std::make_unique<ScriptWindow>(t.model, t.settings, t.scriptDialog, t.prompts, parent);
        // The passes are the next script's too, and the list marks what they play.
        QObject::connect(window.get(), &ScriptWindow::passesChosen, window.get(), [t](int passes) {
            changeSetting(t, SettingsValue::Passes, [passes](Settings &settings) { settings.passes = passes; });
        });
        return window;
    });
    auto options = modal(t.dialogs, [t](QWidget *parent) {
        return std::make_unique<OptionsDialog>(t.store, ProcessLeetTable(), SystemLeetFile(),
                                               QCoreApplication::applicationFilePath(), t.prompts, t.settingsChanged,
                                               parent);
    });
    auto colorEditor = modal(t.dialogs, [t](QWidget *parent) {
        return std::make_unique<ColorEditorDialog>(t.settings.rules(), parent);
    });
    auto about = modal(t.dialogs, [](QWidget *parent) { return std::make_unique<AboutDialog>(parent); });
    auto contact = modal(t.dialogs, [](QWidget *parent) { return std::make_unique<HelpDialog>(parent); });
    QWidget *parent = t.dialogs.parent;

    return {
        {QStringLiteral("btnwizard"), {wizard}},
        {QStringLiteral("btngenerate"), {script}},
        {QStringLiteral("mnuAnimGameSpeed"), {gameSpeed}},
        {QStringLiteral("mnuEditOptions"), {options}},
        {QStringLiteral("mnuHelpColor"), {colorEditor}},
        {QStringLiteral("mnuHelpHelp"), {contact}},
        {QStringLiteral("mnuHelpAbout"), {about}},
        {QStringLiteral("mnuHelpContents"),
         {[parent, &settings = t.settings] { ShowHelp(parent, HelpFactsOf(settings.rules(), settings.folders())); }}},
    };
}
