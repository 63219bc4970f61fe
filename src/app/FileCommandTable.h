#pragma once

#include "app/Command.h"

#include <functional>

class DocumentSession;

// New, Open, Save, Save As, Import and Exit: each road through the session. closeWindow is false when the
// player kept the program open.
Commands FileCommandTable(DocumentSession &session, std::function<bool()> closeWindow);
