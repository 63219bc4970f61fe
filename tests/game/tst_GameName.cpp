#include "game/GameName.h"

#include <QTest>

Q_DECLARE_METATYPE(GameName::Verdict)

using GameName::Verdict;

class GameNameTest : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
};

void GameNameTest::shown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Verdict>("verdict");

    const QString name35 = QStringLiteral("^1") + QString(33, QLatin1Char('a'));
    QTest::newRow("plain coloured name") << "^1Mar^7quee" << "^1Mar^7quee" << Verdict::AsWritten;
    QTest::newRow("leading blanks") << "  Bob" << "Bob" << Verdict::Rewritten;
    QTest::newRow("blank after a code stays") << "^1 Bob" << "^1 Bob" << Verdict::AsWritten;
    QTest::newRow("black code removed") << "^0Bo^1b" << "Bo^1b" << Verdict::Rewritten;
    QTest::newRow("^8 and letter code p are black too") << "A^8B^pC" << "ABC" << Verdict::Rewritten;
    QTest::newRow("^^ is a code pair, letter a is red") << "A^^B^aC" << "A^^B^aC" << Verdict::AsWritten;
    QTest::newRow("three blanks kept") << "A   B" << "A   B" << Verdict::AsWritten;
    QTest::newRow("fourth blank dropped") << "A      B" << "A   B" << Verdict::Rewritten;
    QTest::newRow("codes don't break a blank run") << "A  ^1  B" << "A  ^1 B" << Verdict::Rewritten;
    QTest::newRow("35 bytes fit") << name35 << name35 << Verdict::AsWritten;
    QTest::newRow("36th byte cut") << name35 + "b" << name35 << Verdict::Rewritten;
    QTest::newRow("code needing bytes 35-36 ends the name")
        << QString(34, QLatin1Char('a')) + "^1b" << QString(34, QLatin1Char('a')) << Verdict::Rewritten;
    QTest::newRow("code at bytes 34-35 kept, then cut")
        << QString(33, QLatin1Char('a')) + "^1b" << QString(33, QLatin1Char('a')) + "^1" << Verdict::Rewritten;
    QTest::newRow("black codes don't count to the limit")
        << "^0" + QString(35, QLatin1Char('a')) << QString(35, QLatin1Char('a')) << Verdict::Rewritten;
    QTest::newRow("trailing lone caret") << "Bob^" << "Bob" << Verdict::Rewritten;
    QTest::newRow("codes only") << "^1^2" << "UnnamedPlayer" << Verdict::Rewritten;
    QTest::newRow("NUL ends the name") << QStringLiteral("Bob") + QChar(0) + "Evil" << "Bob" << Verdict::Rewritten;
    QTest::newRow("backslash refused") << "Bo\\b" << "UnnamedPlayer" << Verdict::Refused;
    QTest::newRow("semicolon refused") << "Bo;b" << "UnnamedPlayer" << Verdict::Refused;
    QTest::newRow("quote refused") << "Bo\"b" << "UnnamedPlayer" << Verdict::Refused;
    QTest::newRow("code page byte counts once") << QString::fromUtf8("^1Olé") << QString::fromUtf8("^1Olé")
                                                << Verdict::AsWritten;
}

void GameNameTest::shown()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(Verdict, verdict);
    const GameName::Result result = GameName::Shown(name);
    QCOMPARE(result.shown, shown);
    QCOMPARE(result.verdict, verdict);
    QCOMPARE(result.reason.isEmpty(), verdict == Verdict::AsWritten);
}

QTEST_GUILESS_MAIN(GameNameTest)
#include "tst_GameName.moc"
