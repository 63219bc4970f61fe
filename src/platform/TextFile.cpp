#include "platform/TextFile.h"

#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The bytes of `text` in the ANSI code page; false when some character has none there.
bool encodeStrict(QStringView text, QByteArray &bytes)
{
#ifdef Q_OS_WIN
    // Qt's System encoder stores what the code page lacks as a look-alike ("best fit") and reports no error,
    // so a user's Omega would reach the game as an O without a word. Ask Windows itself, refusing look-alikes.
    const UINT codePage = GetACP();
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL *usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;  // UTF-8 refuses this argument
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = int(text.size());
    const int size = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, nullptr, usedDefaultOut);
    bytes.resize(size);
    if (size > 0)
        WideCharToMultiByte(codePage, flags, wide, length, bytes.data(), size, nullptr, usedDefaultOut);
    return !usedDefault && (size > 0 || length == 0);
#else
    QStringEncoder encoder("windows-1252");
    bytes = encoder.encode(text);
    return !encoder.hasError();
#endif
}

QStringDecoder ansiDecoder()
{
#ifdef Q_OS_WIN
    return QStringDecoder(QStringConverter::System);
#else
    return QStringDecoder("windows-1252");
#endif
}

// Slow path, only taken when some character has no byte in the code page.
QByteArray encodeReplacing(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (encodeStrict(QStringView(text).mid(i, width), bytes) && !bytes.isEmpty())
            out.append(bytes);
        else
            out.append('?');
        i += width - 1;
    }
    return out;
}

} // namespace

QByteArray EncodeAnsi(const QString &text, bool *replacedCharacters)
{
    // ASCII is the same in every ANSI code page; setting up an encoder costs more than short texts take.
    if (QtPrivate::isAscii(QStringView(text))) {
        if (replacedCharacters)
            *replacedCharacters = false;
        return text.toLatin1();
    }
    QByteArray bytes;
    const bool replaced = !encodeStrict(text, bytes);
    if (replacedCharacters)
        *replacedCharacters = replaced;
    return replaced ? encodeReplacing(text) : bytes;
}

void EncodeAnsiInto(QStringView text, QByteArray &bytes)
{
    if (!QtPrivate::isAscii(text)) {
        bytes = EncodeAnsi(text.toString());
        return;
    }
    bytes.resize(text.size());
    std::transform(text.begin(), text.end(), bytes.data(), [](QChar c) { return static_cast<char>(c.unicode()); });
}

QString DecodeAnsi(QByteArrayView bytes)
{
    if (QtPrivate::isAscii(QLatin1StringView(bytes)))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder = ansiDecoder();
    return decoder.decode(bytes);
}

QStringList SplitLines(const QString &text, LineBreaks breaks)
{
    // A whole animation is about a hundred thousand lines: find the ends with Qt's vectorised search and make
    // room for the list once.
    const bool lf = breaks == LineBreaks::CrLfCrOrLf;
    QStringList lines;
    lines.reserve(text.count(QLatin1Char('\r')) + (lf ? text.count(QLatin1Char('\n')) : 0) + 1);
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\r'), start);
        if (lf) {
            const qsizetype feed = text.indexOf(QLatin1Char('\n'), start);
            if (feed >= 0 && (end < 0 || feed < end))
                end = feed;
        }
        if (end < 0) {
            lines << text.mid(start);
            break;
        }
        lines << text.mid(start, end - start);
        start = end + (text.at(end) == QLatin1Char('\r') && end + 1 < n && text.at(end + 1) == QLatin1Char('\n') ? 2 : 1);
    }
    return lines;
}

bool LooksLikeText(QByteArrayView bytes)
{
    qsizetype control = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return false;
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != 0x1a)
            ++control;
    }
    return control * 20 <= bytes.size();
}

TextReadResult ReadTextLines(const QString &path, LineBreaks breaks)
{
    TextReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errorString = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.errorString = file.errorString();
        return result;
    }
    result.binary = !LooksLikeText(bytes);
    result.lines = SplitLines(DecodeAnsi(bytes), breaks);
    result.ok = true;
    return result;
}

TextWriteResult WriteTextFile(const QString &path, const QString &text)
{
    bool replaced = false;
    const QByteArray bytes = EncodeAnsi(text, &replaced);
    TextWriteResult result = SaveBytes(path, bytes);
    result.replacedCharacters = replaced;
    return result;
}

QString JoinCrLfLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size() + 2;
    QString text;
    text.reserve(total);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QString ReplacedCharactersNotice(const QString &path)
{
    return QStringLiteral("Some characters can't be stored in %1 and were written as '?'.")
        .arg(QFileInfo(path).fileName());
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFileInfo info(path);
    if (info.isDir())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
