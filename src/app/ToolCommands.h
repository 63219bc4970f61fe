#pragma once

#include "app/Command.h"

#include <functional>

class AnimationModel;
class Prompts;
class RegistryStore;
struct FileDialogState;
struct Settings;

// What the windows the main window opens act on.
struct ToolTarget {
    AnimationModel &model;
    const Settings &settings;
    RegistryStore &store;
    FileDialogState &scriptDialog;  // the script window's own: it never offers an animation's name
    Prompts &prompts;
    DialogHost dialogs;
    std::function<void()> settingsChanged;  // a setting was stored: read them again
};

// The wizard, the script window, Options, the colour name editor, game-speed play and the help windows.
Commands ToolCommandTable(const ToolTarget &target);
