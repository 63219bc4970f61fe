#pragma once

#include "animation/AnimationLine.h"
#include "platform/TextFile.h"

#include <QVector>

#include <optional>

class AnimationModel;
class Prompts;

// The animation file (.ras): the header line, then three lines per animation
// line (Text, Time, Action). A file with another first line is the older
// layout: one Text per line after the first.
inline const QString AnimationFileHeader = QStringLiteral("#v050#");

// Animation lines from the lines of a file; a record cut short is dropped and
// an Action outside the action list becomes "set name".
QVector<AnimationLine> ParseAnimationFile(const QStringList &fileLines);
// The same from the whole text of a file.
QVector<AnimationLine> ParseAnimationText(const QString &text);

// The whole file text, every line ending in CR LF. A CR LF or CR inside a field
// is written as LF so that the record keeps its three lines.
QString AnimationFileText(const QVector<AnimationLine> &lines);

// The lines of a file, the first MaxLines of them (the user is told when there were more); nothing when the file
// can't be read, or is refused (and the user told) because it isn't text. *cut says whether lines were left out.
std::optional<QVector<AnimationLine>> ReadAnimationFile(const QString &path, Prompts &prompts, bool *cut = nullptr);

// Told when a file to open holds bytes no text file holds.
QString NotTextMessage(const QString &path);

// Empties the model, then fills it from the file. A file that can't be read
// leaves it empty (and gives false). Lines past the model's limit are dropped and the user told.
bool LoadAnimation(AnimationModel &model, const QString &path, Prompts &prompts);

// Writes the model atomically; tells the user about a failure ("Error saving
// script!") or about characters the code page can't hold. True when written.
bool SaveAnimation(const AnimationModel &model, const QString &path, Prompts &prompts);

// "Error saving script!", the error's number and its description, one per line.
QString SaveErrorMessage(const TextWriteResult &result);
