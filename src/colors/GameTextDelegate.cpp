#include "colors/GameTextDelegate.h"

#include "colors/GameColors.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int CodeAlpha = 120;      // a code in the colour it sets, faint beside the text it colours
constexpr int SelectionAlpha = 110;  // the selection tints the grey rather than hiding the colours

// A code in the colour it sets, faint; a colour as grey as the backdrop would hide its code: darker then.
QColor codeColor(QColor color)
{
    const QColor backdrop = GameBackdrop();
    const int distance = qAbs(color.red() - backdrop.red()) + qAbs(color.green() - backdrop.green())
                         + qAbs(color.blue() - backdrop.blue());
    if (distance < 90)
        color = QColor(64, 64, 64);
    color.setAlpha(CodeAlpha);
    return color;
}

} // namespace

void GameTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->decorationPosition = QStyleOptionViewItem::Right;
}

void GameTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();

    painter->save();
    painter->fillRect(item.rect, GameBackdrop());
    if (item.state & QStyle::State_Selected) {
        QColor tint = item.palette.color(QPalette::Highlight);
        tint.setAlpha(SelectionAlpha);
        painter->fillRect(item.rect, tint);
    }
    if (!item.icon.isNull())
        item.icon.paint(painter, style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, widget));

    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
    painter->setClipRect(textRect);
    painter->setFont(item.font);
    const QFontMetrics metrics(item.font);
    const int baseline = textRect.top() + (textRect.height() - metrics.height()) / 2 + metrics.ascent();
    int x = textRect.left();
    QString text = item.text;
    text.replace(QLatin1Char('\r'), QChar(0x21B5)).replace(QLatin1Char('\n'), QChar(0x21B5));
    for (const DrawnPiece &piece : DrawnPieces(text, *m_game)) {
        if (x > textRect.right())
            break;
        if (piece.code && !m_showCodes)
            continue;
        QColor color = piece.color;
        if (piece.code)
            color = codeColor(color);
        painter->setPen(color);
        painter->drawText(x, baseline, piece.text);
        x += metrics.horizontalAdvance(piece.text);
    }
    painter->restore();
}
