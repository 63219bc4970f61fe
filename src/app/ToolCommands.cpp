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

} // namespace

Commands ToolCommandTable(const ToolTarget &t)
{
    auto wizard = [t] {
        WizardWindow *window = ShowWizardWindow(t.model, t.settings, t.prompts, t.dialogs.parent);
        // The style chosen is the next wizard's, in this run and the next.
        QObject::disconnect(window, &WizardWindow::styleChosen, window, nullptr);
        QObject::connect(window, &WizardWindow::styleChosen, window, [t](int style) {
            Settings settings = t.settings;
            settings.wizardStyle = style;
            SaveSetting(t.store, settings, SettingsValue::WizardStyle);
            t.settingsChanged();
        });
    };
    auto gameSpeed = [t] {
        Settings settings = t.settings;
        settings.gameSpeed = !settings.gameSpeed;
        SaveSetting(t.store, settings, SettingsValue::GameSpeed);
        t.settingsChanged();
    };
    auto script = modal(t.dialogs, [t](QWidget *parent) {
        return std::make_unique<ScriptWindow>(t.model, t.settings, t.scriptDialog, t.prompts, parent);
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
