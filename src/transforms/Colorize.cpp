#include "transforms/Colorize.h"

#include "colors/Numbers.h"
#include "game/GameName.h"

#include <QRegularExpression>

#include <QRandomGenerator>

#include <cmath>

namespace Colorize {

namespace {

int wrap(int value, int period)
{
    const int r = value % period;
    return r < 0 ? r + period : r;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

// The colours of one frame, one per unit, for a name of unitCount units. A
// pattern repeats after period units, so it moves back to the start in period frames.
class Sequence {
public:
    Sequence(const Options &options, const QVector<int> &colors, int unitCount)
        : m_pattern(options.pattern), m_colors(colors), m_units(qMax(unitCount, 1))
    {
        switch (m_pattern) {
        case Pattern::Rainbow:
            m_start = qMax(0, int(RainbowColors().indexOf(colors.value(0, 1))));
            m_step = options.backwards ? -1 : 1;
            m_period = int(RainbowColors().size());
            break;
        case Pattern::Alternate:
            m_period = 2;
            break;
        case Pattern::Gradient:
            m_period = m_units;
            break;
        case Pattern::Random:
            m_period = m_units;
            drawRandom(options.seed);
            break;
        }
    }

    int period() const { return m_period; }

    int color(int unit, int frame) const
    {
        const int j = wrap(unit - frame, m_period);
        switch (m_pattern) {
        case Pattern::Rainbow:
            return RainbowColors().at(wrap(m_start + m_step * j, m_period));
        case Pattern::Alternate:
            return m_colors.at(j % 2);
        case Pattern::Gradient:
            return m_colors.at(int(qint64(j) * m_colors.size() / m_units));
        case Pattern::Random:
            return m_random.at(j);
        }
        return m_colors.first();
    }

private:
    // A cycle with no colour twice in a row, the last unit also differing
    // from the first, since the wave brings them side by side.
    void drawRandom(quint32 seed)
    {
        QRandomGenerator generator(seed);
        m_random.reserve(m_units);
        auto allowed = [this](int j, bool avoidFirst) {
            QVector<int> choices;
            for (int c : m_colors) {
                if (j > 0 && c == m_random.at(j - 1))
                    continue;
                if (avoidFirst && j > 1 && j == m_units - 1 && c == m_random.first())
                    continue;
                choices.append(c);
            }
            return choices;
        };
        for (int j = 0; j < m_units; ++j) {
            QVector<int> choices = allowed(j, true);
            if (choices.isEmpty())
                choices = allowed(j, false);
            if (choices.isEmpty())
                choices = m_colors;  // a single colour
            m_random.append(choices.at(int(generator.bounded(quint32(choices.size())))));
        }
    }

    Pattern m_pattern;
    QVector<int> m_colors;
    int m_units;
    int m_start = 0;
    int m_step = 1;
    int m_period = 1;
    QVector<int> m_random;
};

// Which unit each glyph belongs to (-1 for blanks): characters, or words,
// taken group at a time.
QVector<int> unitsOf(const QVector<GameName::Glyph> &glyphs, bool byWord, int group, int &unitCount)
{
    QVector<int> units(glyphs.size(), -1);
    int index = -1;
    bool inWord = false;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (isBlank(glyphs.at(i).character)) {
            inWord = false;
            continue;
        }
        if (!byWord || !inWord)
            ++index;
        inWord = true;
        units[i] = index / group;
    }
    unitCount = index < 0 ? 0 : index / group + 1;
    return units;
}

QVector<int> colorsFor(const Options &options)
{
    return options.colors.isEmpty() || !Problem(options).isEmpty() ? DefaultColors(options.pattern) : options.colors;
}

// Frames 0..frameCount-1 of the pattern (frameCount 0: one pass), grouped
// into fewer, longer units until every frame fits when fitting is on.
QStringList frames(const QString &text, const Options &options, int passes, int maxFrames = INT_MAX,
                   qsizetype maxCharacters = PTRDIFF_MAX)
{
    QVector<GameName::Glyph> glyphs = GameName::Glyphs(text, Games::Of(options.game));
    for (GameName::Glyph &glyph : glyphs)
        glyph.color = -1;  // existing codes are replaced
    const QString plain = GameName::ComposeGlyphs(glyphs);
    const QVector<int> colors = colorsFor(options);
    int baseUnits = 0;
    unitsOf(glyphs, options.byWord, 1, baseUnits);
    if (baseUnits == 0)
        return passes > 0 ? QStringList() : QStringList{plain};

    // Below that, not even one code fits beside the characters.
    const bool room = !options.fit || GameName::ByteLength(plain) <= GameName::MaxBytes - 2;
    for (int group = 1; room && group <= baseUnits; ++group) {
        int unitCount = 0;
        const QVector<int> units = unitsOf(glyphs, options.byWord, group, unitCount);
        if (group > 1 && unitCount == int((baseUnits + group - 2) / (group - 1)))
            continue;  // the same grouping as the last try
        const Sequence sequence(options, colors, unitCount);
        const int frameCount = passes > 0 ? sequence.period() * passes : 1;
        QStringList result;
        result.reserve(frameCount);
        bool fits = true;
        qsizetype characters = 0;
        for (int frame = 0; frame < frameCount && fits; ++frame) {
            if (frame > maxFrames || characters > maxCharacters)
                break;
            for (qsizetype i = 0; i < glyphs.size(); ++i)
                glyphs[i].color = units.at(i) < 0 ? -1 : sequence.color(units.at(i), frame);
            result.append(GameName::ComposeGlyphs(glyphs));
            characters += result.last().size();
            fits = !options.fit || GameName::ByteLength(result.last()) <= GameName::MaxBytes;
        }
        if (fits)
            return result;
    }
    // The characters stay uncoloured rather than lose any of them.
    return passes > 0 ? QStringList(qMin(passes, maxFrames), plain) : QStringList{plain};
}

} // namespace

const QStringList &PatternNames()
{
    static const QStringList names{QStringLiteral("Rainbow"), QStringLiteral("Alternate"),
                                   QStringLiteral("Gradient"), QStringLiteral("Random")};
    return names;
}

std::optional<Pattern> PatternFromName(const QString &name)
{
    for (qsizetype i = 0; i < PatternNames().size(); ++i) {
        if (PatternNames().at(i).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<Pattern>(i);
    }
    return std::nullopt;
}

const QVector<int> &RainbowColors()
{
    static const QVector<int> colors{1, 3, 2, 5, 4, 6};
    return colors;
}

QVector<int> DefaultColors(Pattern pattern)
{
    switch (pattern) {
    case Pattern::Rainbow:
        return {1};
    case Pattern::Alternate:
        return {1, 4};
    case Pattern::Gradient:
        return {1, 3};
    case Pattern::Random:
        break;
    }
    return {1, 2, 3, 4, 5, 6, 7};
}

std::optional<QVector<int>> ColorsFromText(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    QVector<int> colors;
    for (const QString &piece : text.split(separators, Qt::SkipEmptyParts)) {
        const std::optional<double> value = NumberValue(piece);
        if (!value || *value != std::floor(*value) || std::abs(*value) > 1000)
            return std::nullopt;
        colors.append(int(*value));
    }
    return colors;
}

QString ColorsText(const QVector<int> &colors)
{
    QStringList pieces;
    for (int c : colors)
        pieces.append(QString::number(c));
    return pieces.join(QLatin1Char(','));
}

QString Problem(const Options &options)
{
    const GameRules &game = Games::Of(options.game);
    for (int c : options.colors) {
        if (game.blackAllowed && (c < 0 || c >= game.colors))
            return QStringLiteral("Colours are 0 to %1 on %2.").arg(game.colors - 1).arg(QLatin1String(game.title));
        if (!game.blackAllowed && (c < 1 || c > 7))
            return QStringLiteral("Colours are 1 to 7 (the server removes black, 0).");
    }
    const qsizetype count = options.colors.size();
    if (count == 0)
        return {};
    switch (options.pattern) {
    case Pattern::Rainbow:
        if (!RainbowColors().contains(options.colors.first()))
            return QStringLiteral("A rainbow starts at one of the colours 1 to 6.");
        break;
    case Pattern::Alternate:
        if (count != 2)
            return QStringLiteral("Alternate takes two colours.");
        break;
    case Pattern::Gradient:
        if (count > MaxGradientColors)
            return QStringLiteral("A gradient takes up to %1 colours.").arg(MaxGradientColors);
        break;
    case Pattern::Random:
        break;
    }
    return {};
}

QString Apply(const QString &text, const Options &options)
{
    return frames(text, options, 0).value(0);
}

QStringList Wave(const QString &text, const Options &options, int passes, int maxFrames, qsizetype maxCharacters)
{
    return passes < 1 ? QStringList() : frames(text, options, passes, maxFrames, maxCharacters);
}

} // namespace Colorize
