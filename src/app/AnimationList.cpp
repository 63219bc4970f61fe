#include "app/AnimationList.h"

#include "animation/AnimationModel.h"
#include "app/EmptyListHint.h"
#include "app/MarkAtRightDelegate.h"
#include "colors/GameTextDelegate.h"

#include <QHeaderView>
#include <QTreeView>

AnimationList CreateAnimationList(AnimationModel &model, QWidget *parent)
{
    auto *list = new QTreeView(parent);
    list->setObjectName(QStringLiteral("lvwMain"));
    list->setModel(&model);
    list->setItemDelegate(new MarkAtRightDelegate(list));
    auto *textDelegate = new GameTextDelegate(list);
    list->setItemDelegateForColumn(AnimationModel::TextColumn, textDelegate);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSortingEnabled(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionsClickable(false);
    list->header()->setSectionsMovable(false);
    list->setColumnWidth(AnimationModel::TextColumn, 333);
    list->setColumnWidth(AnimationModel::TimeColumn, 96);
    list->setColumnWidth(AnimationModel::ActionColumn, 96);
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPointSizeF(9.75);
    list->setFont(listFont);
    ShowHintWhenEmpty(list, QStringLiteral("Start with the Wizard (Ctrl+W), or add a line (Insert)"));
    // Lines added to an empty list: the first line becomes the current line.
    AnimationModel *lines = &model;
    const auto selectFirstWhenNew = [list, lines] {
        if (!lines->isEmpty() && !list->currentIndex().isValid())
            list->setCurrentIndex(lines->index(0, AnimationModel::TextColumn));
    };
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, list,
                     [lines, selectFirstWhenNew](const QModelIndex &, int first, int last) {
                         if (first == 0 && last == lines->count() - 1)
                             selectFirstWhenNew();
                     });
    QObject::connect(&model, &QAbstractItemModel::modelReset, list, selectFirstWhenNew);
    return {list, textDelegate};
}

void SaveListView(const QTreeView &list, HistoryView &view)
{
    const QModelIndex current = list.currentIndex();
    view.currentRow = current.isValid() && current.row() < list.model()->rowCount() ? std::optional(current.row()) : std::nullopt;
    for (const QItemSelectionRange &range : list.selectionModel()->selection()) {
        if (view.selectedRows.isEmpty() || view.selectedRows.last() != std::pair(range.top(), range.bottom()))
            view.selectedRows.append({range.top(), range.bottom()});
    }
}

void RestoreListView(QTreeView &list, const HistoryView &view)
{
    const QAbstractItemModel &model = *list.model();
    const int count = model.rowCount();
    if (view.currentRow)
        list.setCurrentIndex(model.index(*view.currentRow, AnimationModel::TextColumn));
    else
        list.selectionModel()->clearCurrentIndex();
    if (view.selectedRows.isEmpty())
        return;
    QItemSelection selection;
    for (const auto &[first, last] : view.selectedRows)
        if (first < count)
            selection.select(model.index(first, 0), model.index(qMin(last, count - 1), AnimationModel::ColumnCount - 1));
    list.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}
