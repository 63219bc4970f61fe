#pragma once

#include <QString>

#include <functional>
#include <optional>

class AnimationModel;
class Prompts;
struct Settings;

// Edit, Paste: one new line (Time "15", "set name") after the current row, as
// the only row of an empty list, or at the end when no row is current. The
// current row stays where it is; the preview is refreshed at the end.

// Edit, Paste, From Clipboard: the clipboard's whole plain text as one Text.
void PasteFromClipboard(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                        const std::function<void()> &setPreview);

// Edit, Paste, Default name: the stored name and clan tag.
void PasteDefaultName(AnimationModel &model, std::optional<int> currentRow, const Settings &settings,
                      Prompts &prompts, const std::function<void()> &setPreview);

// Clan tag then name, or name then clan tag when Reverse is on.
QString DefaultNameText(const Settings &settings);

// The shared step of both commands, for any text.
void PasteLine(AnimationModel &model, std::optional<int> currentRow, const QString &text, Prompts &prompts,
               const std::function<void()> &setPreview);
