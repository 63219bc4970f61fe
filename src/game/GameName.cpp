#include "game/GameName.h"

#include "game/GameConsole.h"
#include "game/GameDrawing.h"
#include "platform/TextFile.h"

#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace GameName {

namespace {

constexpr char Caret = '^';
constexpr int MaxBlanksInRow = 3;

// The rules of the server's rewrite that changed a name.
enum Rule : unsigned {
    LeadingBlanks = 1u << 0,
    BlackCode = 1u << 1,
    BlankRun = 1u << 2,
    TooLong = 1u << 3,
    LoneCaret = 1u << 4,
    NulByte = 1u << 5,
    Foreign = 1u << 7,
    Percent = 1u << 8,
    NothingVisible = 1u << 6,
    SomeForeign = 1u << 9,
    HighToDot = 1u << 10,
};

// What the client sends of a value: foreign bytes removed, '%' (and on most engines
// every byte above 127) turned into '.' on the way.
bool clientChanges(char c) { return static_cast<signed char>(c) < 0 || c == '%'; }

// The bytes the server gets, in `sent` when they differ from `in`.
QByteArrayView sentBytes(QByteArrayView in, QVarLengthArray<char, 256> &sent, unsigned &rules, const GameRules &game)
{
    if (std::none_of(in.begin(), in.end(), clientChanges))
        return in;
    const unsigned foreign = game.filterTo == 0xFF ? Foreign : SomeForeign;
    for (char c : in) {
        const auto byte = static_cast<unsigned char>(c);
        if (game.clientRemoves(byte))
            rules |= foreign;
        else if (c == '%')
            rules |= Percent, sent.append('.');
        else if (byte >= 0x80 && game.wireHighToDot)
            rules |= HighToDot, sent.append('.');
        else
            sent.append(c);
    }
    return QByteArrayView(sent.constData(), sent.size());
}

// The name the server keeps: at most MaxBytes, in a fixed buffer (the check runs on every line).
struct Cleaned {
    char bytes[MaxBytes];
    int size = 0;
    unsigned rules = 0;

    QByteArrayView name() const { return {bytes, size}; }
};

// The byte-by-byte cleaning: each byte is copied while fewer than 35 are out, and looked at against the byte
// copied before it, so a pair can be cut, a caret stays, and a black pair takes its caret back out.
void cleanByteByByte(QByteArrayView in, const GameRules &game, Cleaned &result)
{
    const char *bytes = in.constData();
    qsizetype i = 0;
    for (; i < in.size() && bytes[i] == ' '; ++i)
        result.rules |= LeadingBlanks;  // only true leading blanks
    int n = 0;
    int visible = 0;     // a blank is not visible, nor the caret of a pair
    int blanksInRow = 0;
    for (; i < in.size() && n < MaxBytes; ++i) {
        const char c = bytes[i];
        if (c == '\0') {
            result.rules |= NulByte;  // the game's strings end there
            break;
        }
        if (c == ' ') {
            if (blanksInRow >= MaxBlanksInRow) {
                result.rules |= BlankRun;
                continue;
            }
            ++blanksInRow;
            result.bytes[n++] = c;
            continue;
        }
        if (n > 0 && result.bytes[n - 1] == Caret && game.cleansAsCode(static_cast<unsigned char>(c))) {
            --visible;  // the caret before starts a pair
            if (!game.blackAllowed && game.colorIndex(static_cast<unsigned char>(c)) == 0) {
                result.rules |= BlackCode;
                --n;
                continue;
            }
            result.bytes[n++] = c;
            continue;
        }
        blanksInRow = 0;
        ++visible;
        result.bytes[n++] = c;
    }
    if (n == MaxBytes && i < in.size() && bytes[i] != '\0')
        result.rules |= TooLong;
    result.size = n;
    if (visible <= 0)
        result.rules |= NothingVisible;
}

Cleaned clean(QByteArrayView in, const GameRules &game)
{
    Cleaned result;
    QVarLengthArray<char, 256> sent;
    in = sentBytes(in, sent, result.rules, game);
    if (!game.wholeCodeFits) {
        cleanByteByByte(in, game, result);
        return result;
    }
    // Built in locals: a store through the buffer can't then make the compiler read the size again.
    char out[MaxBytes];
    int n = 0;
    int visible = 0;
    int blanksInRow = 0;
    const char *bytes = in.constData();
    const qsizetype size = in.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (static_cast<unsigned char>(c) > ' ' && c != Caret) {
            // Most bytes: a visible character, which ends a run of blanks.
            blanksInRow = 0;
            if (n >= MaxBytes) {
                result.rules |= TooLong;
                break;
            }
            out[n++] = c;
            ++visible;
            continue;
        }
        if (c == '\0') {
            result.rules |= NulByte;  // the game's strings end there
            break;
        }
        if (c == ' ' && n == 0) {
            result.rules |= LeadingBlanks;
            continue;
        }
        const bool last = i + 1 >= size || bytes[i + 1] == '\0';
        if (c == Caret && last) {
            result.rules |= LoneCaret;
            continue;
        }
        if (c == Caret && !last && game.cleansAsCode(static_cast<unsigned char>(bytes[i + 1]))) {
            const char code = bytes[++i];
            if (!game.blackAllowed && game.colorIndex(static_cast<unsigned char>(code)) == 0) {
                result.rules |= BlackCode;  // removed with its character
                continue;
            }
            if (n > MaxBytes - 2) {
                result.rules |= TooLong;  // a code that does not fit whole ends the name
                break;
            }
            out[n++] = c;
            out[n++] = code;
            continue;
        }
        blanksInRow = c == ' ' ? blanksInRow + 1 : 0;
        if (blanksInRow > MaxBlanksInRow) {
            result.rules |= BlankRun;
            continue;
        }
        if (n > MaxBytes - 1) {
            result.rules |= TooLong;
            break;
        }
        out[n++] = c;
        ++visible;
    }
    std::copy_n(out, n, result.bytes);
    result.size = n;
    if (visible == 0)
        result.rules |= NothingVisible;
    return result;
}

QString shownText(const Cleaned &cleaned)
{
    return cleaned.rules & NothingVisible ? Unnamed : DecodeAnsi(cleaned.name());
}

QString joinTexts(unsigned rules)
{
    static const struct {
        Rule rule;
        const char *text;
    } texts[] = {
        {NothingVisible, "no visible character: shown as UnnamedPlayer"},
        {TooLong, "cut at 35 bytes (colour codes count)"},
        {BlackCode, "black colour codes are removed; the letters after them stay"},
        {LeadingBlanks, "leading blanks are dropped"},
        {BlankRun, "more than three blanks in a row are dropped"},
        {LoneCaret, "a lone ^ at the end is dropped"},
        {NulByte, "the name ends at a NUL character"},
        {Foreign, "the client removes every character above 127 (foreign characters)"},
        {SomeForeign, "the client removes characters 128 to 160 and 255 (foreign characters)"},
        {HighToDot, "characters above 127 reach the server as ."},
        {Percent, "% reaches the server as ."},
    };
    QStringList parts;
    for (const auto &entry : texts) {
        if (rules & entry.rule)
            parts.append(QString::fromLatin1(entry.text));
    }
    return parts.join(QStringLiteral("; "));
}

constexpr unsigned AllRules = (HighToDot << 1) - 1;

// Every combination's text is built once and shared: many lines of an animation break the same rules.
const QString &describe(unsigned rules)
{
    static const auto texts = [] {
        std::array<QString, AllRules + 1> all;
        for (unsigned r = 0; r <= AllRules; ++r)
            all[r] = joinTexts(r);
        return all;
    }();
    return texts[rules & AllRules];
}

} // namespace

QChar RefusedCharacter(const QString &name)
{
    for (QChar c : name) {
        if (c == u'\\' || c == u';' || c == u'"')
            return c;
    }
    return {};
}

namespace {

char refusedByte(QByteArrayView name)
{
    static constexpr auto refused = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {'\\', ';', '"'})
            table[c] = true;
        return table;
    }();
    for (char c : name) {
        if (refused[static_cast<unsigned char>(c)])
            return c;
    }
    return 0;
}

QString refusedReason(char refused)
{
    return QStringLiteral("the client can't send a name holding %1: shown as UnnamedPlayer").arg(QLatin1Char(refused));
}

} // namespace

int ByteLength(const QString &name)
{
    return static_cast<int>(EncodeAnsi(name).size());
}

QVector<Glyph> Glyphs(const QString &name, const GameRules &game)
{
    QVector<Glyph> glyphs;
    glyphs.reserve(name.size());
    int color = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char(Caret)) {
            if (i + 1 >= name.size()) {
                if (game.keepsTrailingCaret)
                    glyphs.append({c, color});
                continue;
            }
            const QChar next = name.at(i + 1);
            const auto code = static_cast<unsigned char>(next.unicode() > 0xFF ? 0x80 : next.unicode());
            if (game.drawsAsCode(code)) {
                ++i;
                const int index = game.colorIndex(code);
                if (code == '*' && DrawingOf(game).starKeepsColor)
                    color = -1;  // back to the name's own colour
                else if (index != 0 || game.blackAllowed)
                    color = index;
                continue;
            }
        }
        glyphs.append({c, color});
    }
    return glyphs;
}

QString ComposeGlyphs(const QVector<Glyph> &glyphs)
{
    constexpr int White = 7;
    QString text;
    text.reserve(glyphs.size() * 3);
    int inForce = -1;
    for (const Glyph &glyph : glyphs) {
        const int wanted = glyph.color < 0 && inForce >= 0 ? White : glyph.color;
        if (glyph.character != QLatin1Char(' ') && wanted != inForce) {
            text += QLatin1Char(Caret);
            text += Games::CodeChar(wanted);
            inForce = wanted;
        }
        text += glyph.character;
    }
    return text;
}

QString ComposeFitting(QVector<Glyph> glyphs)
{
    QString text = ComposeGlyphs(glyphs);
    while (ByteLength(text) > MaxBytes) {
        // The runs of one colour among the visible glyphs: the shortest takes a neighbour's colour, one code less.
        QVector<std::pair<qsizetype, qsizetype>> runs;  // first and last glyph of each
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs.at(i).character == QLatin1Char(' '))
                continue;
            if (runs.isEmpty() || glyphs.at(runs.last().second).color != glyphs.at(i).color)
                runs.append({i, i});
            else
                runs.last().second = i;
        }
        if (runs.size() < 2) {
            // Not even one code fits beside the characters: they go without.
            for (Glyph &glyph : glyphs)
                glyph.color = -1;
            return ComposeGlyphs(glyphs);
        }
        auto visible = [&](const std::pair<qsizetype, qsizetype> &run) {
            return std::count_if(glyphs.begin() + run.first, glyphs.begin() + run.second + 1,
                                 [](const Glyph &g) { return g.character != QLatin1Char(' '); });
        };
        qsizetype shortest = 0;
        for (qsizetype r = 1; r < runs.size(); ++r) {
            if (visible(runs.at(r)) < visible(runs.at(shortest)))
                shortest = r;
        }
        const int color = glyphs.at((shortest > 0 ? runs.at(shortest - 1) : runs.at(1)).first).color;
        for (qsizetype i = runs.at(shortest).first; i <= runs.at(shortest).second; ++i)
            glyphs[i].color = color;
        text = ComposeGlyphs(glyphs);
    }
    return text;
}

namespace {

// Why the engine drops a player who sets this name, or null: a refused or
// empty name leaves the user info without one, and a long one is refused whole.
const char *dropReason(QByteArrayView name, const GameRules &game)
{
    if (!game.dropsBadName)
        return nullptr;
    if (refusedByte(name))
        return "the client can't send a name holding \\ ; or \": the server drops the player";
    QVarLengthArray<char, 256> sent;
    unsigned rules = 0;
    const QByteArrayView received = sentBytes(GameConsole::GameText(name), sent, rules, game);
    if (received.isEmpty())
        return "an empty name: the server drops the player";
    if (received.size() > MaxBytes)
        return "over 35 bytes: the server drops the player";
    return nullptr;
}

} // namespace

QString ServerCleanName(const QString &name, const GameRules &game)
{
    return shownText(clean(EncodeAnsi(name), game));
}

Result Shown(const QString &name, const GameRules &game)
{
    return ShownBytes(EncodeAnsi(name), game);
}

Verdict VerdictOf(QByteArrayView name, const GameRules &game)
{
    if (dropReason(name, game))
        return Verdict::Dropped;
    if (refusedByte(name))
        return Verdict::Refused;
    return clean(name, game).rules == 0 ? Verdict::AsWritten : Verdict::Rewritten;
}

Result ShownBytes(QByteArrayView name, const GameRules &game)
{
    if (const char *reason = dropReason(name, game))
        return {Verdict::Dropped, QString(), QString::fromLatin1(reason)};
    const char refused = refusedByte(name);
    if (refused) {
        static const QString reasons[] = {refusedReason('\\'), refusedReason(';'), refusedReason('"')};
        return {Verdict::Refused, Unnamed, reasons[refused == '\\' ? 0 : refused == ';' ? 1 : 2]};
    }
    const Cleaned cleaned = clean(name, game);
    if (cleaned.rules == 0)
        return {Verdict::AsWritten, shownText(cleaned), {}};
    return {Verdict::Rewritten, shownText(cleaned), describe(cleaned.rules)};
}

} // namespace GameName
