#include "transforms/LeetTable.h"
#include "platform/ProgramFolders.h"

#include "InstallPaths.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString LeetFileName = QStringLiteral("leet.ini");

// Only spaces count as blanks here; a tab is part of the key or value.
QStringView trimBlanks(QStringView line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && line.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && line.at(end - 1) == QLatin1Char(' '))
        --end;
    return line.mid(start, end - start);
}

// The text box gives LF line ends; the file always gets CR LF.
QString withCrLfLineEnds(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8 + 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

// Writes leet.ini; tells the user and returns false when that fails.
bool writeLeetFile(const QString &path, const QString &text, Prompts &prompts)
{
    QDir().mkpath(QFileInfo(path).absolutePath());  // the user's data folder may not exist yet
    const TextWriteResult written = WriteTextFile(path, text);
    if (!written.ok) {
        prompts.message(LeetWriteFailedMessage(path, written.errorString), QStringLiteral("Error saving LEET file"),
                        PromptIcon::Exclamation);
        return false;
    }
    if (written.replacedCharacters)
        prompts.message(ReplacedCharactersNotice(path), AppTitle, PromptIcon::Information);
    return true;
}

} // namespace

void LeetTable::setPairs(const QVector<LeetEntry> &pairs)
{
    QVector<LeetEntry> entries;
    entries.reserve(pairs.size() + 1);
    entries.append(LeetEntry{});
    entries.append(pairs);
    m_entries = std::move(entries);
    m_loaded = true;
}

LeetTable &ProcessLeetTable()
{
    static LeetTable table;
    return table;
}

QStringList LeetFileLocation::places() const
{
    QStringList places;
    for (const QString &place : {userCopy, besideProgram, installed}) {
        if (!place.isEmpty() && !places.contains(place))
            places << place;
    }
    return places;
}

QString LeetFileLocation::readPath() const
{
    for (const QString &place : places()) {
        if (FileExists(place))
            return place;
    }
    return userCopy;
}

LeetFileLocation SystemLeetFile()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {LeetFilePathIn(program.path()), LeetFilePathIn(ProgramFolders::Shared()),
            QDir::cleanPath(program.filePath(QStringLiteral(MARQUEE_SHARED_DATA "/leet.ini")))};
}

QString LeetFilePath()
{
    return SystemLeetFile().readPath();
}

QString LeetFilePathIn(const QString &folder)
{
    return QDir(folder).filePath(LeetFileName);
}

std::optional<LeetEntry> ParseLeetLine(const QString &line)
{
    const QStringView trimmed = trimBlanks(line);
    if (trimmed.isEmpty())
        return std::nullopt;
    const qsizetype first = trimmed.indexOf(QLatin1Char('='));
    if (first < 0)
        return std::nullopt;  // not a pair ("[Leet]", a stray word): deleting such text would surprise
    const qsizetype second = trimmed.indexOf(QLatin1Char('='), first + 1);
    const qsizetype valueEnd = second < 0 ? trimmed.size() : second;
    return LeetEntry{trimmed.left(first).toString(), trimmed.mid(first + 1, valueEnd - first - 1).toString()};
}

QVector<LeetEntry> ParseLeetLines(const QStringList &lines)
{
    QVector<LeetEntry> pairs;
    pairs.reserve(lines.size());
    for (const QString &line : lines) {
        if (std::optional<LeetEntry> pair = ParseLeetLine(line))
            pairs.append(std::move(*pair));
    }
    return pairs;
}

QStringList DefaultLeetLines()
{
    static const char *const lookAlikes[26] = {
        "4", "b", "(", "d", "3", "f", "9", "h", "|", "j", "|<", "1", "/\\/\\",
        "n", "0", "p", "q", "r", "$", "7", "u", "\\/", "\\/\\/", ")(", "y", "z",
    };
    QStringList lines;
    lines.reserve(52);
    for (const bool upper : {false, true}) {
        for (int i = 0; i < 26; ++i) {
            const QChar letter = QLatin1Char(char((upper ? 'A' : 'a') + i));
            QString value = QString::fromLatin1(lookAlikes[i]);
            // Letters without a look-alike map to themselves, in their own case.
            if (value.size() == 1 && value.at(0).isLetter())
                value = letter;
            lines << QString(letter) + QLatin1Char('=') + value;
        }
    }
    return lines;
}

bool LoadLeetTable(LeetTable &table, const QString &path, Prompts &prompts)
{
    TextReadResult read;
    if (FileExists(path))
        read = ReadTextLines(path, LineBreaks::CrLfCrOrLf);
    if (!read.ok) {
        prompts.message(QStringLiteral("File leet.ini not found!"), QStringLiteral("Error loading LEET file"),
                        PromptIcon::Exclamation);
        table.markLoadFailed();
        return false;
    }
    table.setPairs(ParseLeetLines(read.lines));
    return true;
}

QString LeetTableText(const LeetTable &table)
{
    QStringList lines;
    const QVector<LeetEntry> &entries = table.entries();
    for (qsizetype i = 1; i < entries.size(); ++i)
        lines << entries.at(i).Key + QLatin1Char('=') + entries.at(i).Value;
    return JoinCrLfLines(lines);
}

QString ReloadLeetTable(LeetTable &table, const QString &path, Prompts &prompts)
{
    LoadLeetTable(table, path, prompts);
    return LeetTableText(table);
}

bool SaveLeetText(LeetTable &table, const LeetFileLocation &file, const QString &text, Prompts &prompts)
{
    const QString &path = file.userCopy;
    if (!writeLeetFile(path, withCrLfLineEnds(text) + QLatin1String("\r\n"), prompts))
        return false;
    return LoadLeetTable(table, path, prompts);
}

std::optional<QString> CreateLeetFile(LeetTable &table, const LeetFileLocation &file, Prompts &prompts)
{
    const QString &path = file.userCopy;
    if (FileExists(file.readPath())
        && prompts.message(QStringLiteral("File leet.ini exists, are you sure you want to reset the file?"),
                           QStringLiteral("Reset leet.ini"), PromptIcon::None, PromptButtons::YesNo)
               != PromptAnswer::Yes)
        return std::nullopt;
    if (!writeLeetFile(path, JoinCrLfLines(DefaultLeetLines()), prompts))
        return std::nullopt;
    return ReloadLeetTable(table, path, prompts);
}

QString LeetWriteFailedMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Can't write %1:\n%2\n\nThe leet table in use has not changed.")
        .arg(QDir::toNativeSeparators(path), reason);
}
