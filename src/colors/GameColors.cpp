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
int codeLength(const QString &text, qsizetype i, const GameRules &game)
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
        "mid orange", "light orange", "mid cyan", "mid purple"};
    index &= game.colors - 1;
    return index < 20 ? QLatin1String(names[index]) : QString();
}

QVector<DrawnPiece> DrawnPieces(const QString &text, const GameRules &game)
{
    const QColor own = GameColor(game, 7);
    QVector<DrawnPiece> pieces;
    QColor color = own;
    auto add = [&pieces](QStringView characters, const QColor &pieceColor, bool code) {
        if (!pieces.isEmpty() && !code && !pieces.last().code && pieces.last().color == pieceColor)
            pieces.last().text += characters;
        else
            pieces.append({characters.toString(), pieceColor, code});
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const int length = codeLength(text, i, game);
        if (length > 0) {
            const QChar last = text.at(i + length - 1);
            color = DrawingOf(game).starKeepsColor && last == QLatin1Char('*') ? own
                                                                     : GameColor(game, game.colorIndex(codeByte(last)));
            add(QStringView(text).mid(i, length), color, true);
            i += length;
            // The program's RtCW drawing shows the character after a code whatever it is.
            if (!DrawingOf(game).digitCodesOnly) {
                --i;
                continue;
            }
            if (i >= n)
                break;
        }
        add(QStringView(text).mid(i, 1), color, false);
    }
    return pieces;
}

QColor GameBackdrop()
{
    return QColor(128, 128, 128);
}
