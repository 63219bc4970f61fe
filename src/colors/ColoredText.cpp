#include "colors/ColoredText.h"

#include "colors/ColorCodes.h"
#include "colors/GameColors.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QVector<ColorRun> ColoredRuns(const QString &text, const GameRules &game)
{
    QVector<ColorRun> runs;
    ForEachDrawnPiece(text, game, [&runs](QStringView piece, const QColor &color, bool code) {
        if (code)
            return;
        if (runs.isEmpty() || runs.last().color != color)
            runs.append({QString(), color});
        runs.last().text += piece;
    });
    return runs;
}

void RenderColoredText(const QString &text, QTextDocument &document, const GameRules &game)
{
    const QVector<ColorRun> runs = ColoredRuns(text, game);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setCharFormat(QTextCharFormat());
    for (const ColorRun &run : runs) {
        QTextCharFormat format;
        format.setForeground(run.color);
        cursor.insertText(run.text, format);
    }
    cursor.endEditBlock();
}

QString ColorCodedText(const QTextDocument &document, const QColor &startColor, const QColor &defaultColor,
                       const GameRules &game)
{
    QString result;
    QRgb previous = startColor.rgb();
    bool firstBlock = true;
    auto append = [&](QChar c, QRgb rgb) {
        if (rgb != previous) {
            previous = rgb;
            result += QLatin1Char('^');
            result += CodeFromColor(QColor(rgb), game);
        }
        result += c;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!firstBlock)
            result += QLatin1Char('\n');  // a line break has no colour of its own
        firstBlock = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QRgb rgb = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().rgb()
                                                                              : defaultColor.rgb();
            const QString text = fragment.text();
            for (QChar c : text)
                append(c == QChar::LineSeparator ? QLatin1Char('\n') : c, rgb);
        }
    }
    return result;
}
