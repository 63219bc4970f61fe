#include "transforms/TextTransforms.h"

#include "animation/AnimationModel.h"
#include "platform/Prompts.h"
#include "transforms/LeetTable.h"

#include <QHash>
#include <QRandomGenerator>

namespace {

// The other case of a character, when it is one plain UTF-16 unit.
QChar caseOf(QChar c, bool upper)
{
    if (c.isSurrogate())
        return c;
    const char32_t mapped = upper ? QChar::toUpper(char32_t(c.unicode())) : QChar::toLower(char32_t(c.unicode()));
    if (mapped > 0xFFFF || QChar::isSurrogate(mapped))
        return c;
    return QChar(char16_t(mapped));
}

} // namespace

QString ConvertTextToLeet(const QString &text, const LeetTable &table)
{
    const QVector<LeetEntry> &entries = table.entries();
    // Entries by the first character of their key, in table order, so each
    // position looks only at keys that can start there. The first empty key
    // matches everywhere, so nothing after it is ever used.
    qsizetype firstEmpty = -1;
    QHash<char16_t, QVector<qsizetype>> byFirst;
    for (qsizetype e = 1; e < entries.size(); ++e) {
        if (entries.at(e).Key.isEmpty()) {
            firstEmpty = e;
            break;
        }
        byFirst[entries.at(e).Key.at(0).unicode()].append(e);
    }

    const QStringView view(text);
    QString result;
    result.reserve(text.size() + text.size() / 2);
    for (qsizetype i = 0; i < view.size(); ++i) {
        const QStringView rest = view.mid(i);
        const LeetEntry *match = nullptr;
        const auto candidates = byFirst.constFind(view.at(i).unicode());
        if (candidates != byFirst.cend()) {
            for (const qsizetype e : *candidates) {
                if (rest.startsWith(entries.at(e).Key)) {
                    match = &entries.at(e);
                    break;
                }
            }
        }
        if (!match && firstEmpty > 0)
            match = &entries.at(firstEmpty);
        if (match)
            result += match->Value;
        else
            result += view.at(i);
    }
    return result;
}

QString RandomizeTextCase(const QString &text, QRandomGenerator &generator)
{
    QString result = text;
    QChar *out = result.data();
    for (qsizetype i = 0; i < result.size(); ++i) {
        const bool lower = generator.bounded(100) < 49;
        out[i] = caseOf(out[i], !lower);
    }
    return result;
}

namespace {

// The shared road of the commands that rewrite the current line's Text: an
// empty list is told, no current line does nothing, a transform that gives no
// text (cancelled, no table) changes nothing.
void rewriteCurrentText(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                        const QString &emptyMessage, const QString &title,
                        const std::function<std::optional<QString>(const QString &)> &transform,
                        const std::function<void()> &setPreview)
{
    if (model.isEmpty()) {
        prompts.message(emptyMessage, title, PromptIcon::Exclamation);
        return;
    }
    if (!model.validRow(currentRow))
        return;
    const std::optional<QString> text = transform(model.line(*currentRow).text);
    if (!text)
        return;
    model.setText(*currentRow, *text);
    if (setPreview)
        setPreview();
}

} // namespace

void ConvertToLeet(AnimationModel &model, std::optional<int> currentRow, LeetTable &table, const QString &leetPath,
                   Prompts &prompts, const std::function<void()> &setPreview)
{
    rewriteCurrentText(
        model, currentRow, prompts, QStringLiteral("There are no lines to edit"), QStringLiteral("Convert to leet"),
        [&](const QString &text) -> std::optional<QString> {
            if (!table.leetLoaded() && !LoadLeetTable(table, leetPath, prompts))
                return std::nullopt;
            return ConvertTextToLeet(text, table);
        },
        setPreview);
}

void RandomizeCase(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                   const std::function<void()> &setPreview, QRandomGenerator &generator)
{
    rewriteCurrentText(
        model, currentRow, prompts, QStringLiteral("No items to edit!"), QStringLiteral("Randomize Case"),
        [&generator](const QString &text) -> std::optional<QString> { return RandomizeTextCase(text, generator); },
        setPreview);
}

void RandomizeCase(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                   const std::function<void()> &setPreview)
{
    RandomizeCase(model, currentRow, prompts, setPreview, *QRandomGenerator::global());
}

void ColorizeLine(AnimationModel &model, std::optional<int> currentRow, Prompts &prompts,
                  const std::function<std::optional<QString>(const QString &)> &choose,
                  const std::function<void()> &setPreview)
{
    rewriteCurrentText(model, currentRow, prompts, QStringLiteral("There are no lines to edit"),
                       QStringLiteral("Colorize"), choose, setPreview);
}
