#pragma once

#include <QString>

class AnimationModel;
class Prompts;
struct FileDialogState;
struct Settings;

// File, "Open" (btnopen): asks for a .ras file, starting in OpenDir when set; a path
// that doesn't exist is reported. The path chosen, or empty text.
QString ChooseAnimationToOpen(FileDialogState &dialog, const Settings &settings, Prompts &prompts);

// Tells the user that path can't be opened; true when it can.
bool CheckAnimationExists(const QString &path, Prompts &prompts);

// File, "Save As" (btnsave): asks for a path, starting in SaveDir when set,
// never overwrites without a Yes, and writes the animation. True when written.
bool SaveAnimationAs(const AnimationModel &model, FileDialogState &dialog, const Settings &settings,
                     Prompts &prompts);
