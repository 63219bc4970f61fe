#include "colors/GameTextDelegate.h"

#include "colors/GameColors.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

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
    // Laid out here rather than by the style, which lays the whole text out to place it: twice per row.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    QRect textRect = item.rect.adjusted(margin + 2, 0, -margin - 2, 0);
    if (!item.icon.isNull()) {
        const QSize size = item.decorationSize;
        const QRect iconRect(item.rect.right() - margin - size.width() + 1,
                             item.rect.top() + (item.rect.height() - size.height()) / 2, size.width(), size.height());
        item.icon.paint(painter, iconRect);
        textRect.setRight(iconRect.left() - margin);
    }
    painter->setClipRect(textRect);
    painter->setFont(item.font);
    const QFontMetricsF metrics(item.font);
    const qreal baseline = textRect.top() + (textRect.height() - metrics.height()) / 2 + metrics.ascent();
    // Every row is measured as it is drawn: with a fixed pitch, Latin-1 text by counting.
    const qreal pitch = QFontInfo(item.font).fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('x')) : 0;
    qreal x = textRect.left();
    QString text = item.text;
    text.replace(QLatin1Char('\r'), QChar(0x21B5)).replace(QLatin1Char('\n'), QChar(0x21B5));
    ForEachDrawnPiece(text, *m_game, [&](QStringView piece, const QColor &color, bool code) {
        if (x > textRect.right() || (code && !m_showCodes))
            return;
        painter->setPen(code ? codeColor(color) : color);
        const QString characters = QString::fromRawData(piece.data(), piece.size());
        painter->drawText(QPointF(x, baseline), characters);
        const bool latin = std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.unicode() < 0x100; });
        x += pitch > 0 && latin ? pitch * piece.size() : metrics.horizontalAdvance(characters);
    });
    painter->restore();
}
