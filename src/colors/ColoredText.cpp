#include "colors/ColoredText.h"

#include "colors/ColorCodes.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QVector<ColorRun> ColoredRuns(const QString &text)
{
    QVector<ColorRun> runs;
    QColor color = ColorFromCode(QLatin1Char('7'));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) == QLatin1Char('^')) {
            if (IsColorCodeAt(text, i)) {
                color = ColorFromCode(text.at(i + 1));
                i += 2;
            } else if (i + 2 < n && text.at(i + 1) == QLatin1Char('^') && text.at(i + 2) == QLatin1Char('0')) {
                color = ColorFromCode(QLatin1Char('0'));
                i += 3;
            }
        }
        if (i >= n)
            break;
        if (runs.isEmpty() || runs.last().color != color)
            runs.append({QString(), color});
        runs.last().text += text.at(i);
    }
    return runs;
}

void RenderColoredText(const QString &text, QTextDocument &document)
{
    const QVector<ColorRun> runs = ColoredRuns(text);
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

QString ColorCodedText(const QTextDocument &document, const QColor &startColor, const QColor &defaultColor)
{
    QString result;
    QRgb previous = startColor.rgb();
    bool firstBlock = true;
    auto append = [&](QChar c, QRgb rgb) {
        if (rgb != previous) {
            previous = rgb;
            result += QLatin1Char('^');
            result += CodeFromColor(QColor(rgb));
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
