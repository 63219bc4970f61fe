#pragma once

#include <QString>

#include <functional>
#include <optional>

class AnimationModel;
class LeetTable;
class Prompts;
class QRandomGenerator;

// Replaces pieces of the text by their look-alikes: at each position the first
// entry (in table order) whose key starts there, case exact, gives its value;
// otherwise the character stays. The scan moves on by one character also after
// a longer key, so the rest of that key is looked at again ("ph=f", "h=h": "ph"
// gives "fh").
QString ConvertTextToLeet(const QString &text, const LeetTable &table);

// Gives each character lower case (49 in 100) or upper case (51 in 100).
// Nothing changes but case: a character whose other case is not a single
// UTF-16 unit (a surrogate half, or a mapping to a longer text) stays as it is,
// so the length never changes.
QString RandomizeTextCase(const QString &text, QRandomGenerator &generator);

// "Leet converter" (btneditleet): converts the current line's Text. Loads the
// table on first use; a failed load ends the command quietly (the loader
// has told the user). With lines but no current line nothing happens.
void ConvertToLeet(AnimationModel &model, std::optional<int> currentRow, LeetTable &table, const QString &leetPath,
                   Prompts &prompts, const std::function<void()> &setPreview);

// "Randomize case" (btneditrandomcase) on the current line's Text.
void RandomizeCase(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                   const std::function<void()> &setPreview);
void RandomizeCase(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                   const std::function<void()> &setPreview, QRandomGenerator &generator);

// "Colorize" (btneditcolorize) on the current line's Text: choose gets the
// Text and gives the recoloured one, or nothing when the user cancels.
void ColorizeLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                  const std::function<std::optional<QString>(const QString &)> &choose,
                  const std::function<void()> &setPreview);
