#pragma once

#include <QString>

struct FileDialogState;
class Prompts;

// Title of the question and of the failure message while saving a script.
inline const QString SaveScriptTitle = QStringLiteral("Save script");

// The script window's "Save": asks for a .cfg file (starting in generateDir
// when set), never overwrites without a Yes, writes text plus a final CR LF
// atomically. A failed write is reported, not swallowed. True when written.
bool SaveScript(const QString &text, const QString &generateDir, FileDialogState &dialog, Prompts &prompts);
