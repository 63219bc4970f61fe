#pragma once

// Worked examples of the effects, shared by the generator tests and the
// effects verb tests: each case starts from an empty animation and applies its
// rows in order with one working name and clan tag.

#include "wizard/EffectList.h"

#include <QStringList>
#include <QTest>
#include <QVector>

struct EffectCase {
    const char *tag;
    QString name;
    QString clanTag;
    bool reverse;
    QVector<EffectRow> rows;
    QStringList texts;
    QString nameAfter;
    QString clanTagAfter;
};

inline EffectRow Row(const QString &effect, const QString &param1 = QStringLiteral("0"),
                     const QString &param2 = QStringLiteral("0"))
{
    return {effect, param1, param2};
}

inline const QVector<EffectCase> &EffectCases()
{
    const QString wave = QStringLiteral("Wave 2");
    const QString bounce = QStringLiteral("Bounce");
    const QString left = QStringLiteral("Scroll to Left");
    const QString right = QStringLiteral("Scroll to Right");
    static const QVector<EffectCase> cases{
        // Wave 2
        {"wave: tag in front keeps codes", "^1ab^2c", "[T]", false, {Row(wave)},
         {"[T]^1a", "[T]^1ab", "[T]^1ab^2c"}, "^1ab^2c", "[T]"},
        {"wave: tag behind gets a colour of its own", "^1ab^2c", "[T]", true, {Row(wave)},
         {"^0[T]", "^1a^0[T]", "^1ab^0[T]", "^1ab^2^0[T]", "^1ab^2c^0[T]"}, "^1ab^2c", "^0[T]"},
        {"wave: trailing blank frame suppressed", "ab c", "", false, {Row(wave)}, {"a", "ab", "ab c"}, "ab c", ""},
        {"wave: empty name", "", "[T]", false, {Row(wave)}, {}, "", "[T]"},
        {"wave: reverse with empty tag appends nothing", "ab", "", true, {Row(wave)}, {}, "ab", "^0"},
        {"wave: never ends in a bare code", "^1ab", "", false, {Row(wave)}, {"^1a", "^1ab"}, "^1ab", ""},
        {"wave: code right after code", "^1^2ab", "", false, {Row(wave)}, {"^2a", "^2ab"}, "^1^2ab", ""},
        {"wave: trailing caret is visible", "a^", "", false, {Row(wave)}, {"a", "a^"}, "a^", ""},
        {"wave: tag with its own code is kept", "ab", "^3X", true, {Row(wave)}, {"a^3X", "ab^3X"}, "ab", "^3X"},
        // Bounce
        {"bounce once, tag in front", "^1ab^2c", "[T]", false, {Row(bounce, "1")},
         {"[T]abc", "a[T]bc", "ab[T]c", "abc[T]", "ab[T]c", "a[T]bc", "[T]abc"}, "abc", "[T]"},
        {"bounce once, tag behind", "^1ab^2c", "[T]", true, {Row(bounce, "1")},
         {"abc[T]", "ab[T]c", "a[T]bc", "[T]abc", "a[T]bc", "ab[T]c", "abc[T]"}, "abc", "[T]"},
        {"bounce twice mirrors the whole script", "ab", "[T]", false, {Row(bounce, "2")},
         {"[T]ab", "a[T]b", "ab[T]", "a[T]b", "[T]ab", "[T]ab", "a[T]b", "ab[T]", "a[T]b", "[T]ab", "[T]ab",
          "a[T]b", "ab[T]", "a[T]b", "[T]ab"},
         "ab", "[T]"},
        {"bounce strips codes from the tag", "ab", "^1[T]", false, {Row(bounce, "1.9")},
         {"[T]ab", "a[T]b", "ab[T]", "a[T]b", "[T]ab"}, "ab", "[T]"},
        {"bounce on an empty name", "", "[T]", false, {Row(bounce, "1")}, {"[T]"}, "", "[T]"},
        {"bounce count 0", "^1ab", "[T]", false, {Row(bounce, "0")}, {}, "^1ab", "[T]"},
        {"bounce count below 1", "^1ab", "[T]", false, {Row(bounce, "0.7")}, {}, "^1ab", "[T]"},
        {"bounce negative count", "^1ab", "[T]", false, {Row(bounce, "-2")}, {}, "^1ab", "[T]"},
        {"bounce count not a number", "^1ab", "[T]", false, {Row(bounce, "x")}, {}, "^1ab", "[T]"},
        {"bounce empty count", "^1ab", "[T]", false, {Row(bounce, "")}, {}, "^1ab", "[T]"},
        {"wave then bounce replays the typing", "ab", "[T]", false, {Row(wave), Row(bounce, "1")},
         {"[T]a", "[T]ab", "[T]ab", "a[T]b", "ab[T]", "a[T]b", "[T]ab", "[T]ab", "[T]a"}, "ab", "[T]"},
        {"bounce removes the guard's code", "a", "[T]", true, {Row(wave), Row(bounce, "1")},
         {"a^0[T]", "a[T]", "[T]a", "a[T]", "a^0[T]"}, "a", "[T]"},
        // Scroll
        {"scroll left", "^1ab^2c", "[T]", false, {Row(left, "4", "-")},
         {"---[", "--[T", "-[T]", "[T]a", "T]ab", "]abc", "abc-", "bc--", "c---", "----", "----"}, "^1ab^2c", "[T]"},
        {"scroll right", "^1ab^2c", "[T]", false, {Row(right, "4", "-")},
         {"----", "c---", "bc--", "abc-", "]abc", "T]ab", "[T]a", "-[T]", "--[T", "---[", "----"}, "^1ab^2c", "[T]"},
        {"scroll left, name alone", "abc", "", false, {Row(left, "5", "-")},
         {"----a", "---ab", "--abc", "-abc", "abc--", "bc---", "c----", "-----", "-----"}, "abc", ""},
        {"scroll with tag behind", "^1ab", "[T]", true, {Row(left, "2", "-")},
         {"-a", "ab", "b[", "[T", "T]", "]-", "--", "--"}, "^1ab", "[T]"},
        {"scroll width 0", "ab", "", false, {Row(left, "0", "-")}, {"", "", ""}, "ab", ""},
        {"scroll without fill", "abc", "", false, {Row(left, "5", "")},
         {"a", "ab", "abc", "abc", "abc", "bc", "c", "", ""}, "abc", ""},
        {"scroll with a two-character fill", "ab", "", false, {Row(left, "3", "-=")},
         {"-=-=a", "-=ab", "ab-=", "b-=-=", "-=-=-=", "-=-=-="}, "ab", ""},
        {"scroll width with blanks", "a", "", false, {Row(right, " 1 ", "*")}, {"*", "a", "*"}, "a", ""},
        {"scroll width a fraction", "ab", "", false, {Row(left, "2.5", "-")}, {}, "ab", ""},
        {"scroll width negative", "ab", "", false, {Row(left, "-1", "-")}, {}, "ab", ""},
        {"scroll width not a number", "ab", "", false, {Row(right, "x", "-")}, {}, "ab", ""},
        {"scroll width out of range", "ab", "", false, {Row(right, "40000", "-")}, {}, "ab", ""},
        // Other names
        {"effect names are case-sensitive", "ab", "", false, {Row("wave 2")}, {}, "ab", ""},
        {"unknown effect", "ab", "[T]", false, {Row("Sparkle", "3", "3")}, {}, "ab", "[T]"},
        {"same effect twice", "ab", "", false, {Row(wave), Row(wave)}, {"a", "ab", "a", "ab"}, "ab", ""},
    };
    return cases;
}

inline void AddEffectCaseColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clanTag");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QVector<EffectRow>>("rows");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<QString>("clanTagAfter");
    for (const EffectCase &c : EffectCases())
        QTest::newRow(c.tag) << c.name << c.clanTag << c.reverse << c.rows << c.texts << c.nameAfter
                             << c.clanTagAfter;
}
