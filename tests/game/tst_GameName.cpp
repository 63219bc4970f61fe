#include "game/GameName.h"

#include <QTest>

Q_DECLARE_METATYPE(GameName::Verdict)

using GameName::Verdict;

struct NameCase { QString name; QString shown; Verdict verdict; };

class GameNameTest : public QObject {
    Q_OBJECT
private slots:
    void shown_data()
    {
        QTest::addColumn<NameCase>("c");

        const QString name35 = QStringLiteral("^1") + QString(33, QLatin1Char('a'));
        QTest::newRow("plain coloured name") << NameCase{"^1Mar^7quee", "^1Mar^7quee", Verdict::AsWritten};
        QTest::newRow("leading blanks") << NameCase{"  Bob", "Bob", Verdict::Rewritten};
        QTest::newRow("blank after a code stays") << NameCase{"^1 Bob", "^1 Bob", Verdict::AsWritten};
        QTest::newRow("black code removed") << NameCase{"^0Bo^1b", "Bo^1b", Verdict::Rewritten};
        QTest::newRow("^8 and letter code p are black too") << NameCase{"A^8B^pC", "ABC", Verdict::Rewritten};
        QTest::newRow("^^ is a code pair, letter a is red") << NameCase{"A^^B^aC", "A^^B^aC", Verdict::AsWritten};
        QTest::newRow("three blanks kept") << NameCase{"A   B", "A   B", Verdict::AsWritten};
        QTest::newRow("fourth blank dropped") << NameCase{"A      B", "A   B", Verdict::Rewritten};
        QTest::newRow("codes don't break a blank run") << NameCase{"A  ^1  B", "A  ^1 B", Verdict::Rewritten};
        QTest::newRow("35 bytes fit") << NameCase{name35, name35, Verdict::AsWritten};
        QTest::newRow("36th byte cut") << NameCase{name35 + "b", name35, Verdict::Rewritten};
        QTest::newRow("code needing bytes 35-36 ends the name") << NameCase{QString(34, QLatin1Char('a')) + "^1b",
            QString(34, QLatin1Char('a')), Verdict::Rewritten};
        QTest::newRow("code at bytes 34-35 kept, then cut") << NameCase{QString(33, QLatin1Char('a')) + "^1b",
            QString(33, QLatin1Char('a')) + "^1", Verdict::Rewritten};
        QTest::newRow("black codes don't count to the limit") << NameCase{"^0" + QString(35, QLatin1Char('a')),
            QString(35, QLatin1Char('a')), Verdict::Rewritten};
        QTest::newRow("trailing lone caret") << NameCase{"Bob^", "Bob", Verdict::Rewritten};
        QTest::newRow("codes only") << NameCase{"^1^2", "UnnamedPlayer", Verdict::Rewritten};
        QTest::newRow("NUL ends the name") << NameCase{QStringLiteral("Bob") + QChar(0) + "Evil", "Bob", Verdict::Rewritten};
        for (const char *refused : {"Bo\\b", "Bo;b", "Bo\"b"})
            QTest::addRow("%s refused", refused) << NameCase{refused, "UnnamedPlayer", Verdict::Refused};
        QTest::newRow("the client removes foreign bytes, % arrives as .")
            << NameCase{QString::fromUtf8("^1Océlot 100%"), "^1Oclot 100.", Verdict::Rewritten};
        QTest::newRow("a code's foreign byte goes: the next byte is the code")
            << NameCase{QString::fromUtf8("^é1A"), "^1A", Verdict::Rewritten};
    }

    void shown()
    {
        QFETCH(NameCase, c);
        auto [name, shown, verdict] = c;
        const GameName::Result result = GameName::Shown(name);
        QCOMPARE(result.shown, shown);
        QCOMPARE(result.verdict, verdict);
        QCOMPARE(result.reason.isEmpty(), verdict == Verdict::AsWritten);
    }
};

QTEST_GUILESS_MAIN(GameNameTest)
#include "tst_GameName.moc"
