#pragma once

#include <QStyledItemDelegate>

// Draws a row's mark at the right end of its cell, so every Text in the list
// starts in one column whether its row is marked or not.
class MarkAtRightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->decorationPosition = QStyleOptionViewItem::Right;
    }
};
