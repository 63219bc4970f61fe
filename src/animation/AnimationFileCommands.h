#pragma once

class AnimationModel;
class Prompts;
struct FileDialogState;
struct Settings;

// File, "Open" (btnopen): asks for a .ras file, starting in OpenDir when set,
// and replaces the animation with it; a path that doesn't exist is reported
// and leaves the animation as it was. True when a file was read.
bool OpenAnimation(AnimationModel &model, FileDialogState &dialog, const Settings &settings, Prompts &prompts);

// File, "Save As" (btnsave): asks for a path, starting in SaveDir when set,
// never overwrites without a Yes, and writes the animation. True when written.
bool SaveAnimationAs(const AnimationModel &model, FileDialogState &dialog, const Settings &settings,
                     Prompts &prompts);
