#include "colors/ColorCodes.h"

#include <array>

namespace {

constexpr std::array<QRgb, 10> kColorTable = {
    qRgb(0, 0, 0),       // 0 black
    qRgb(255, 0, 0),     // 1 red
    qRgb(0, 255, 0),     // 2 green
    qRgb(255, 255, 0),   // 3 yellow
    qRgb(0, 0, 255),     // 4 blue
    qRgb(0, 255, 255),   // 5 cyan
    qRgb(255, 0, 255),   // 6 magenta
    qRgb(255, 255, 255), // 7 white
    qRgb(0, 0, 0),       // 8 black
    qRgb(255, 0, 0),     // 9 red
};

// Tested in this order; black last so that it always comes back as "0".
constexpr std::array<std::pair<QRgb, char>, 8> kReverseOrder = {{
    {qRgb(255, 255, 255), '7'},
    {qRgb(255, 0, 0), '1'},
    {qRgb(0, 255, 0), '2'},
    {qRgb(255, 255, 0), '3'},
    {qRgb(0, 0, 255), '4'},
    {qRgb(0, 255, 255), '5'},
    {qRgb(255, 0, 255), '6'},
    {qRgb(0, 0, 0), '0'},
}};

} // namespace

QColor ColorFromCode(QChar code)
{
    if (code >= QLatin1Char('0') && code <= QLatin1Char('9'))
        return QColor(kColorTable[code.unicode() - '0']);
    return QColor(kColorTable[7]);
}

QColor ColorFromCode(const QString &code)
{
    return code.size() == 1 ? ColorFromCode(code.at(0)) : QColor(kColorTable[7]);
}

QString CodeFromColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    for (const auto &[tableColor, code] : kReverseOrder) {
        if (qRed(rgb) == qRed(tableColor) && qGreen(rgb) == qGreen(tableColor) && qBlue(rgb) == qBlue(tableColor))
            return QString(QLatin1Char(code));
    }
    return QStringLiteral("7");
}

QString StripColorCodes(const QString &text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (IsColorCodeAt(text, i))
            i += 2;
        if (i < n)
            result += text.at(i);
    }
    return result;
}

qint16 VisibleLength(const QString &text)
{
    const qsizetype length = StripColorCodes(text).size();
    return static_cast<qint16>(qMin<qsizetype>(length, 32767));
}
