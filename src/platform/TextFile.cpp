#include "platform/TextFile.h"

#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

QStringEncoder ansiEncoder()
{
#ifdef Q_OS_WIN
    return QStringEncoder(QStringConverter::System);
#else
    return QStringEncoder("windows-1252");
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
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder encoder = ansiEncoder();
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, width));
        if (encoder.hasError() || bytes.isEmpty())
            out.append('?');
        else
            out.append(bytes);
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
    QStringEncoder encoder = ansiEncoder();
    QByteArray bytes = encoder.encode(text);
    const bool replaced = encoder.hasError();
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
