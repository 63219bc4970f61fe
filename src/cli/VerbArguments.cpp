#include "cli/VerbArguments.h"

#include "animation/Settings.h"
#include "platform/RegistryStore.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString shownName(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString usageOf(const VerbOption &option)
{
    const QString shown = shownName(option.names.first()) + (option.value.isEmpty() ? QString() : QLatin1Char(' ') + option.value);
    return option.required ? shown : QLatin1Char('[') + shown + QLatin1Char(']');
}

// What the parser is given: an argument that can't be an option ("-=XKR=-", "-3", "-") is moved behind "--" as
// the text or file it is, keeping its order; an option's value stays where it is.
QStringList withTextsLast(const VerbSyntax &syntax, const QStringList &arguments)
{
    static const QRegularExpression optionLike(QStringLiteral("^--?[A-Za-z][A-Za-z0-9-]*(=.*)?$"));
    const auto takesValue = [&](const QString &argument) {
        const QString name = argument.section(QLatin1Char('-'), argument.startsWith(QLatin1String("--")) ? 2 : 1);
        return std::any_of(syntax.options.cbegin(), syntax.options.cend(), [&](const VerbOption &option) {
            return !option.value.isEmpty() && option.names.contains(name);
        });
    };
    QStringList options;
    QStringList texts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            texts += arguments.mid(i + 1);
            break;
        }
        if (!optionLike.match(argument).hasMatch()) {
            texts << argument;
            continue;
        }
        options << argument;
        if (!argument.contains(QLatin1Char('=')) && takesValue(argument)) {
            if (i + 1 == arguments.size())
                return options;  // its value is missing: that is what the parser will say
            options << arguments.at(++i);
        }
    }
    return texts.isEmpty() ? options : options + QStringList{QStringLiteral("--")} + texts;
}

} // namespace

bool VerbArguments::isSet(const QString &name) const
{
    return count(name) > 0;
}

std::optional<QString> VerbArguments::value(const QString &name) const
{
    for (auto given = options.crbegin(); given != options.crend(); ++given) {
        if (given->first == name)
            return given->second;
    }
    return std::nullopt;
}

qsizetype VerbArguments::count(const QString &name) const
{
    return std::count_if(options.cbegin(), options.cend(), [&](const auto &given) { return given.first == name; });
}

std::optional<VerbArguments> ParseVerbArguments(const VerbSyntax &syntax, const QStringList &arguments,
                                                CliStreams &streams)
{
    QCommandLineParser parser;
    // "-o" is one option, never -o as two letters; and "-3" after an option that takes a value is that value.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const VerbOption &option : syntax.options) {
        QCommandLineOption parsed(option.names, option.about, option.value);
        parser.addOption(parsed);
    }
    if (!parser.parse(QStringList{QStringLiteral("marqueemaster-cli")} + withTextsLast(syntax, arguments))) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            streams.err << "Unknown option: " << shownName(unknown.first()) << '\n';
            return std::nullopt;
        }
        // The one other failure: an option without its value, named in quotes.
        static const QRegularExpression named(QStringLiteral("'-{1,2}([^']+)'"));
        const QString name = named.match(parser.errorText()).captured(1);
        const auto option = std::find_if(syntax.options.cbegin(), syntax.options.cend(),
                                         [&](const VerbOption &o) { return o.names.contains(name); });
        if (option == syntax.options.cend())
            streams.err << parser.errorText() << '\n';
        else if (!option->missing.isEmpty())
            streams.err << option->missing << '\n';
        else
            streams.err << shownName(name) << " needs a value\n";
        return std::nullopt;
    }
    VerbArguments result;
    result.positional = parser.positionalArguments();
    // The names in the order given; each option's values in that order too.
    QHash<QString, qsizetype> used;
    for (const QString &name : parser.optionNames()) {
        const auto option = std::find_if(syntax.options.cbegin(), syntax.options.cend(),
                                         [&](const VerbOption &o) { return o.names.contains(name); });
        const QString key = option->names.first();
        const QStringList values = parser.values(key);
        result.options.append({key, option->value.isEmpty() ? QString() : values.value(used[key]++)});
    }
    return result;
}

QString VerbUsage(const QString &verb, const VerbSyntax &syntax)
{
    constexpr int Width = 100;
    const QString indent(verb.size() + 1, QLatin1Char(' '));
    QString text = verb;
    qsizetype lineStart = 0;
    auto add = [&](const QString &word) {
        if (text.size() - lineStart + 1 + word.size() > Width) {
            text += QLatin1Char('\n');
            lineStart = text.size();
            text += indent;
        } else {
            text += QLatin1Char(' ');
        }
        text += word;
    };
    if (!syntax.positional.isEmpty())
        add(syntax.positional);
    for (const VerbOption &option : syntax.options) {
        if (!option.inTail)
            add(usageOf(option));
    }
    if (!syntax.usageTail.isEmpty())
        add(syntax.usageTail);
    return text;
}

QString VerbHelp(const QString &verb, const VerbSyntax &syntax)
{
    QString text;
    for (const VerbOption &option : syntax.options) {
        QStringList names;
        for (const QString &name : option.names)
            names << shownName(name);
        const QString shown = names.join(QStringLiteral(", ")) + (option.value.isEmpty() ? QString() : QLatin1Char(' ') + option.value);
        text += QStringLiteral("  %1  %2\n").arg(shown, -32).arg(option.about);
    }
    Q_UNUSED(verb);
    return text.isEmpty() ? text : QStringLiteral("Options:\n") + text;
}

VerbOption GameOption()
{
    return {{QStringLiteral("game")}, Games::Keys(), QStringLiteral("the game it plays in (default: the one chosen in Options)"),
            false, QStringLiteral("--game takes one of %1").arg(Games::Keys())};
}

std::optional<Game> ChosenGame(const VerbArguments &arguments, CliStreams &streams)
{
    const std::optional<QString> key = arguments.value(QStringLiteral("game"));
    if (!key)
        return LoadSettings(SystemRegistryStore()).game;
    const std::optional<Game> game = Games::FromKey(*key);
    if (!game || arguments.count(QStringLiteral("game")) > 1) {
        UsageError(streams, QStringLiteral("--game takes one of %1").arg(Games::Keys()));
        return std::nullopt;
    }
    return game;
}
