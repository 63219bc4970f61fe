#pragma once

#include <QVector>

#include <optional>
#include <utility>

// Where the user was when a step began or ended: undo and redo put it back.
struct HistoryView {
    std::optional<int> currentRow;
    QVector<std::pair<int, int>> selectedRows;  // first and last row of each selected run
    int cursor = -1;                            // the preview box's cursor and the other end of its selection
    int anchor = -1;

    bool operator==(const HistoryView &) const = default;
};
