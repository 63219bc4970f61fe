#include "colors/GameColors.h"

#include "game/GameDrawing.h"

namespace {

constexpr QLatin1Char Caret('^');

// The byte a character stands for when the game reads it as a code: characters past Latin-1 are
// some byte from 128 up.
unsigned char codeByte(QChar c)
{
    return static_cast<unsigned char>(c.unicode() > 0xFF ? 0x80 : c.unicode());
}

// How many characters at i make a code, or 0. The program's own RtCW drawing: a digit, or "^^0" for
// black; any other game: the characters its drawing takes, never a second caret.
int codeLength(QStringView text, qsizetype i, const GameRules &game)
{
    if (text.at(i) != Caret || i + 1 >= text.size())
        return 0;
    const QChar next = text.at(i + 1);
    if (DrawingOf(game).digitCodesOnly) {
        if (next.isDigit() && next.unicode() < 0x80)
            return 2;
        return next == Caret && i + 2 < text.size() && text.at(i + 2) == QLatin1Char('0') ? 3 : 0;
    }
    return next != Caret && game.drawsAsCode(codeByte(next)) ? 2 : 0;
}

} // namespace

QColor GameColor(const GameRules &game, int index)
{
    return QColor(QRgb(Games::ColorRgb(index & (game.colors - 1))));
}

std::optional<int> GameColorIndex(const GameRules &game, const QColor &color)
{
    const unsigned rgb = color.rgb() & 0xFFFFFF;
    for (int index = 0; index < game.colors; ++index) {
        if (Games::ColorRgb(index) == rgb)
            return index;
    }
    return std::nullopt;
}

QString GameCode(int index)
{
    return QString(Caret) + Games::CodeChar(index);
}

QString GameColorName(const GameRules &game, int index)
{
    static const char *const names[32] = {
        "black", "red", "green", "yellow", "blue", "cyan", "magenta", "white",
        "orange", "mid grey", "light grey", "light grey", "mid green", "mid yellow", "mid blue", "mid red",
        "mid orange", "light orange", "mid cyan", "mid purple",
        // The source names no more; these say what each looks like.
        "azure", "violet", "steel blue", "pale green", "dark green", "crimson", "dark red", "brown",
        "ochre", "olive", "cream", "light yellow"};
    index &= game.colors - 1;
    return QLatin1String(names[index]);
}

void ForEachDrawnPiece(QStringView text, const GameRules &game,
                       const std::function<void(QStringView piece, const QColor &color, bool code)> &visit)
{
    const GameDrawing &drawing = DrawingOf(game);
    const QColor own = GameColor(game, 7);
    QColor color = own;
    const qsizetype n = text.size();
    qsizetype start = 0;  // of the characters not handed yet, all in `color`
    for (qsizetype i = 0; i < n; ++i) {
        const int length = codeLength(text, i, game);
        if (length == 0)
            continue;
        if (i > start)
            visit(text.sliced(start, i - start), color, false);
        const QChar last = text.at(i + length - 1);
        color = drawing.starKeepsColor && last == QLatin1Char('*') ? own
                                                                   : GameColor(game, game.colorIndex(codeByte(last)));
        visit(text.sliced(i, length), color, true);
        // The program's RtCW drawing shows the character after a code whatever it is.
        start = i + length;
        i = drawing.digitCodesOnly ? start : start - 1;
    }
    if (start < n)
        visit(text.sliced(start), color, false);
}

QColor GameBackdrop()
{
    return QColor(128, 128, 128);
}
