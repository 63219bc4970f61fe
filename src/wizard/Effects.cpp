#include "wizard/Effects.h"

#include "animation/LineLimit.h"
#include "colors/ColorCodes.h"
#include "colors/Numbers.h"
#include "game/GameName.h"
#include "platform/Prompts.h"
#include "transforms/Colorize.h"

#include <QRandomGenerator>

#include <functional>

#include <QStringList>
#include <QVector>

#include <cmath>

namespace {

// Collects one effect's frames so that they reach the animation in one batch.
// It takes one line more than the animation has room for, so that the append
// sees the overflow and tells the user.
class FrameBatch {
public:
    explicit FrameBatch(int room) : m_room(room) {}

    // False once the batch is full: the effect should stop building frames.
    bool add(const QString &text)
    {
        if (full())
            return false;
        m_characters += text.size();
        if (m_characters > MaxEffectCharacters) {
            m_tooLarge = true;
            return false;
        }
        m_lines.append(NameLine(text));
        return !full();
    }

    // For a frame that alone would pass the character budget.
    void refuse() { m_tooLarge = true; }

    bool full() const { return m_tooLarge || m_lines.size() > m_room; }

    EffectOutcome appendTo(AnimationModel &model, Prompts &prompts) const
    {
        if (m_tooLarge) {
            model.appendLines(m_lines);
            prompts.message(EffectSizeMessage(), AppTitle, PromptIcon::Exclamation);
            return EffectOutcome::TooLarge;
        }
        const int taken = AppendLinesWithinLimit(model, m_lines, prompts);
        return taken < m_lines.size() ? EffectOutcome::LimitReached : EffectOutcome::Applied;
    }

private:
    int m_room;
    qsizetype m_characters = 0;
    bool m_tooLarge = false;
    QVector<AnimationLine> m_lines;
};

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

// A clan tag behind the name needs a colour of its own, or it would take the
// colour the name ends in.
void guardClanTagColor(QString &clanTag)
{
    if (!IsColorCodeAt(clanTag, 0))
        clanTag.prepend(QStringLiteral("^0"));
}

void wave2(FrameBatch &batch, const QString &name, QString &clanTag, bool reverse)
{
    const qsizetype n = name.size();
    QString previous;
    for (qsizetype i = 1; i <= n; ++i) {
        // A prefix never cuts a code in half.
        if (IsColorCodeAt(name, i - 1))
            ++i;
        QString frame;
        if (reverse) {
            guardClanTagColor(clanTag);
            frame = name.left(i) + clanTag;
        } else {
            frame = clanTag + name.left(i);
        }
        if (frame.size() >= 3 && frame.at(0) == QLatin1Char('^') && frame.at(2) == QLatin1Char('^'))
            frame.remove(0, 2);

        bool append = false;
        if (frame.isEmpty() || withoutTrailingBlanks(frame) == previous)
            append = false;
        else if (frame.size() < 2)
            append = true;
        else
            append = frame.at(frame.size() - 2) != QLatin1Char('^');
        previous = frame;
        if (append && !batch.add(frame))
            return;
    }
}

using GameName::Glyph;

// The glyphs of two texts shown one after the other, split back into the two:
// each keeps the colour in force where it stands in the whole.
std::pair<QVector<Glyph>, QVector<Glyph>> glyphPair(const QString &first, const QString &second, const GameRules &game)
{
    const QVector<Glyph> whole = GameName::Glyphs(first + second, game);
    const qsizetype split = qMin(GameName::Glyphs(first, game).size(), whole.size());
    return {whole.first(split), whole.sliced(split)};
}

QVector<Glyph> fillGlyphs(const QString &fill, qsizetype count)
{
    QVector<Glyph> glyphs;
    for (QChar c : RepeatText(fill, static_cast<int>(count)))
        glyphs.append({c, -1});
    return glyphs;
}

// Keep colours: the clan tag's glyphs at each position p of the name's.
void bounceInColour(const std::function<void(QString)> &add, const bool &more, const QString &name,
                    const QString &clanTag, bool reverse, const GameRules &game)
{
    const auto [first, second] = reverse ? glyphPair(name, clanTag, game) : glyphPair(clanTag, name, game);
    const QVector<Glyph> &nameGlyphs = reverse ? first : second;
    const QVector<Glyph> &tagGlyphs = reverse ? second : first;
    const int length = static_cast<int>(nameGlyphs.size());
    for (int step = 0; step <= length && more; ++step) {
        const int p = reverse ? length - step : step;
        add(GameName::ComposeFitting(nameGlyphs.first(p) + tagGlyphs + nameGlyphs.sliced(p)));
    }
}

// Drops the codes of name and clan tag (also for the effects that follow),
// then moves the clan tag through the name.
void bounceForward(const std::function<void(QString)> &add, const bool &more, QString &name, QString &clanTag,
                   bool reverse)
{
    clanTag = StripColorCodes(clanTag);
    name = StripColorCodes(name);
    // VisibleLength counted in an int, so that a very long name can't wrap it.
    const int visible = static_cast<int>(StripColorCodes(name).size());
    const int length = static_cast<int>(name.size());
    if (!reverse) {
        for (int p = 0; p <= visible && more; ++p) {
            if (p == 0)
                add(clanTag + name);
            else if (visible - p > 0)
                add(name.left(p) + clanTag + name.right(visible - p));
            else
                add(name.left(p) + clanTag);
        }
    } else {
        for (int p = visible; p >= 0 && more; --p) {
            if (p == length)
                add(name + clanTag);
            else
                add(name.left(p) + clanTag + name.right(length - p));
        }
    }
}

void bounce(FrameBatch &batch, const QStringList &existingTexts, int repetitions, QString &name, QString &clanTag,
            bool reverse, bool keepColours, const GameRules &game)
{
    // The return half mirrors the whole animation, earlier effects included.
    QStringList texts = existingTexts;
    bool more = true;
    // By value: the text may be one of texts' own elements, moved by the append.
    auto add = [&](QString text) {
        more = batch.add(text);
        texts.append(std::move(text));
    };
    for (int repetition = 0; repetition < repetitions && more; ++repetition) {
        if (keepColours)
            bounceInColour(add, more, name, clanTag, reverse, game);
        else
            bounceForward(add, more, name, clanTag, reverse);
        const qsizetype lineCount = texts.size();
        for (qsizetype q = lineCount - 1; q >= 1 && more; --q)
            add(texts.at(q - 1));
    }
}

void scroll(FrameBatch &batch, const QString &name, const QString &clanTag, const QString &widthText,
            const QString &fill, bool reverse, bool toLeft, bool keepColours, const GameRules &game)
{
    const std::optional<double> width = NumberValue(widthText);
    if (!IsNumber(widthText) || !width || *width < 0 || *width != std::floor(*width))
        return;
    const qsizetype w = static_cast<qsizetype>(*width);
    const QString text = StripColorCodes(reverse ? name + clanTag : clanTag + name);
    if (w * qMax<qsizetype>(fill.size(), 1) + text.size() > MaxEffectCharacters) {
        batch.refuse();
        return;
    }
    const QVector<Glyph> glyphs = keepColours ? GameName::Glyphs(reverse ? name + clanTag : clanTag + name, game)
                                              : QVector<Glyph>();

    // The same cut as below, on the glyphs: the frame starts with the colour in force there.
    auto colouredFrame = [&](qsizetype i) {
        if (w <= i) {
            QVector<Glyph> piece = glyphs.mid(i - w, w);
            if (piece.size() < w)
                piece += fillGlyphs(fill, w - piece.size());
            return GameName::ComposeFitting(piece);
        }
        return GameName::ComposeFitting(fillGlyphs(fill, w - i) + glyphs.mid(0, i));
    };
    auto frame = [&](qsizetype i) {
        if (keepColours)
            return colouredFrame(i);
        if (w <= i) {
            QString piece = text.mid(i - w, w);
            if (piece.size() < w)
                piece += RepeatText(fill, static_cast<int>(w - piece.size()));
            return piece;
        }
        return RepeatText(fill, static_cast<int>(w - i)) + text.left(i);
    };
    const qsizetype frames = w + (keepColours ? glyphs.size() : text.size());
    for (qsizetype step = 1; step <= frames; ++step) {
        if (!batch.add(frame(toLeft ? step : frames + 1 - step)))
            return;
    }
    batch.add(RepeatText(fill, static_cast<int>(w)));
}

void colourWave(FrameBatch &batch, const QString &name, const QString &clanTag, const QString &pattern,
                const QString &passesText, bool reverse, int room, const GameRules &game)
{
    const std::optional<Colorize::Pattern> chosen = Colorize::PatternFromName(pattern);
    if (!chosen || !IsNumber(passesText))
        return;
    const double passes = std::floor(*NumberValue(passesText));
    if (passes < 1 || passes > MaxColourWavePasses)
        return;
    Colorize::Options options;
    options.pattern = *chosen;
    options.game = game.game;
    options.seed = QRandomGenerator::global()->generate();
    const QStringList frames = Colorize::Wave(reverse ? name + clanTag : clanTag + name, options, int(passes), room,
                                              MaxEffectCharacters);
    for (const QString &frame : frames) {
        if (!batch.add(frame))
            return;
    }
}

} // namespace

QString RepeatText(const QString &text, int count)
{
    return count < 1 ? QString() : text.repeated(count);
}

QString EffectSizeMessage()
{
    return QStringLiteral("The effect's lines would take more than %1 characters. The lines past that limit were not added.")
        .arg(MaxEffectCharacters);
}

EffectOutcome ApplyEffect(AnimationModel &model, QString &name, const QString &effect, const QString &param1,
                          const QString &param2, QString &clanTag, bool reverse, Prompts &prompts, bool keepColours,
                          const GameRules &game)
{
    FrameBatch batch(model.roomLeft());
    if (effect == EffectWave2) {
        wave2(batch, name, clanTag, reverse);
    } else if (effect == EffectBounce) {
        if (!IsNumber(param1))
            return EffectOutcome::Applied;
        const double repetitions = std::floor(*NumberValue(param1));
        if (repetitions <= 0)
            return EffectOutcome::Applied;
        if (repetitions >= 5
            && prompts.message(QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT ") + param1
                                   + QStringLiteral(" times?"),
                               QStringLiteral("Processing effect list..."), PromptIcon::Question,
                               PromptButtons::YesNo)
                   != PromptAnswer::Yes)
            return EffectOutcome::Applied;
        QStringList existing;
        existing.reserve(model.count());
        for (const AnimationLine &line : model.lines())
            existing.append(line.text);
        bounce(batch, existing, static_cast<int>(repetitions), name, clanTag, reverse, keepColours, game);
    } else if (effect == EffectScrollLeft || effect == EffectScrollRight) {
        scroll(batch, name, clanTag, param1, param2, reverse, effect == EffectScrollLeft, keepColours, game);
    } else if (effect == EffectColourWave) {
        colourWave(batch, name, clanTag, param1, param2, reverse, model.roomLeft(), game);
    } else {
        return EffectOutcome::Applied;
    }
    return batch.appendTo(model, prompts);
}
