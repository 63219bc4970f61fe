#pragma once

#include <QUrl>

#include <functional>
#include <optional>

class Document;
class DocumentSession;
class QStatusBar;
class QTreeView;

// The main window's status bar: "Line 3 of 40" (or the count), a link to what a marked line's mark means, a
// lasting warning while unsaved work can't be kept for a crash, and what happened to the document (changed on
// disk, older undo steps dropped).
void BuildMainStatusBar(QStatusBar *bar, Document &document, DocumentSession &session, QTreeView *list,
                        std::function<std::optional<int>()> currentRow, std::function<void(const QUrl &)> openHelp);
