#include "colors/Numbers.h"

#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<double> NumberValue(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;

    qsizetype i = begin;
    bool negative = false;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    int digits = 0;
    for (; i < end && isAsciiDigit(text.at(i)); ++i, ++digits)
        value = value * 10 + (text.at(i).unicode() - '0');
    if (i < end && text.at(i) == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < end && isAsciiDigit(text.at(i)); ++i, ++digits, scale /= 10)
            value += (text.at(i).unicode() - '0') * scale;
    }
    if (digits == 0 || i != end || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<qint16> ToInt16(const QString &text)
{
    const std::optional<double> value = NumberValue(text);
    return value ? ToInt16(*value) : std::nullopt;
}

std::optional<qint16> ToInt16(double value)
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

bool IsNumber(const QString &text)
{
    return ToInt16(text).has_value();
}
