#include "FakePrompts.h"
#include "TestLines.h"
#include "animation/AnimationModel.h"
#include "platform/TextFile.h"
#include "transforms/LeetTable.h"
#include "transforms/TextTransforms.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

LeetTable tableOf(const QStringList &lines)
{
    LeetTable table;
    table.setPairs(ParseLeetLines(lines));
    return table;
}

bool writeFile(const QString &path, const QStringList &lines)
{
    return WriteTextFile(path, JoinCrLfLines(lines)).ok;
}

AnimationModel *modelOf(const QStringList &texts, QObject *parent)
{
    auto *model = new AnimationModel(parent);
    model->appendLines(LinesFromTexts(texts));
    return model;
}

} // namespace

class TextTransformsTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void convert_data();
    void convert();
    void convertLongText();
    void randomCaseChangesOnlyCase_data();
    void randomCaseChangesOnlyCase();
    void randomCaseOdds();
    void randomCaseWithoutGivenGenerator();

    void commandsOnEmptyList_data();
    void commandsOnEmptyList();
    void commandsWithoutCurrentLine_data();
    void commandsWithoutCurrentLine();
    void convertLoadsTableOnFirstUse();
    void convertStopsWhenFileMissing();
    void convertUsesLoadedTableWithoutReading();
    void randomizeCaseChangesCurrentLineOnly();

private:
    QTemporaryDir m_dir;
    QString m_leetPath;
    FakePrompts m_prompts;
    int m_previews = 0;
    std::function<void()> m_setPreview = [this] { ++m_previews; };
};

void TextTransformsTest::init()
{
    m_prompts.clear();
    m_previews = 0;
    m_leetPath = m_dir.filePath(QStringLiteral("leet.ini"));
    QFile::remove(m_leetPath);
}

void TextTransformsTest::convert_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    const QStringList defaults = DefaultLeetLines();
    QTest::newRow("default table") << defaults << "Name" << "N4/\\/\\3";
    QTest::newRow("colour code passes") << defaults << "^1Mark" << "^1/\\/\\4r|<";
    QTest::newRow("digits and blanks pass") << defaults << "a 1 b" << "4 1 b";
    QTest::newRow("empty text") << defaults << "" << "";
    QTest::newRow("case matters") << QStringList{"a=4"} << "aA" << "4A";
    QTest::newRow("first of two equal keys wins") << QStringList{"a=1", "a=2"} << "aa" << "11";
    QTest::newRow("empty key matches everywhere") << QStringList{"=x", "a=4"} << "abc" << "xxx";
    QTest::newRow("empty key hides the entries after it") << QStringList{"a=1", "=x", "b=2"} << "abc" << "1xx";
    QTest::newRow("long keys sharing a first letter") << QStringList{"abc=3", "ab=2", "a=1"} << "abcabxa" << "3bc2bx1";
    QTest::newRow("empty value deletes") << QStringList{"a="} << "banana" << "bnn";
    QTest::newRow("long key moves on by one") << QStringList{"ph=f", "h=h"} << "ph" << "fh";
    QTest::newRow("long key rescans its tail") << QStringList{"ab=X"} << "abab" << "XbXb";
    QTest::newRow("long key at the end can't match") << QStringList{"abc=X"} << "xab" << "xab";
    QTest::newRow("order decides, not length") << QStringList{"a=1", "ab=2"} << "ab" << "1b";
    QTest::newRow("no usable entries") << QStringList{} << "Name" << "Name";
    QTest::newRow("key with blank, blank looked at again") << QStringList{"a =4"} << "a a" << "4 a";
    QTest::newRow("surrogate pair passes") << QStringList{"a=4"} << "a\U0001F600a" << "4\U0001F6004";
}

void TextTransformsTest::convert()
{
    QFETCH(QStringList, table);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(ConvertTextToLeet(text, tableOf(table)), result);
}

void TextTransformsTest::convertLongText()
{
    const QString text = QString(1024 * 1024, QLatin1Char('e'));
    const QString result = ConvertTextToLeet(text, tableOf(DefaultLeetLines()));
    QCOMPARE(result, QString(1024 * 1024, QLatin1Char('3')));
}

void TextTransformsTest::randomCaseChangesOnlyCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "Marqueemaster";
    QTest::newRow("no case") << "123 !?^1^^0 $";
    QTest::newRow("accented") << "\u00e9\u00c9\u00fc\u00dc\u0151\u0150";
    QTest::newRow("sharp s has a longer upper case") << "stra\u00dfe \u00df\u00df\u00df";
    QTest::newRow("n with apostrophe") << "\u0149\u0149\u0149";
    QTest::newRow("ligature") << "\ufb00\ufb01\ufb02";
    QTest::newRow("title case letters") << "\u01c5\u01c8\u01cb";
    QTest::newRow("Greek with final sigma") << "\u03a3\u03c3\u03c2\u0390";
    QTest::newRow("surrogate pairs") << "a\U00010400b\U00010428c\U0001F600";
    QTest::newRow("lone surrogates") << QString(QChar(0xD801)) + QLatin1String("x") + QString(QChar(0xDC28));
}

void TextTransformsTest::randomCaseChangesOnlyCase()
{
    QFETCH(QString, text);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator generator(seed);
        const QString result = RandomizeTextCase(text, generator);
        QCOMPARE(result.size(), text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            const QChar r = result.at(i);
            if (c.isSurrogate()) {
                QCOMPARE(r, c);
                continue;
            }
            QVERIFY2(r == c || r == c.toLower() || r == c.toUpper(),
                     qPrintable(QStringLiteral("position %1: U+%2 became U+%3")
                                    .arg(i)
                                    .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                    .arg(r.unicode(), 4, 16, QLatin1Char('0'))));
        }
    }
}

void TextTransformsTest::randomCaseOdds()
{
    const int n = 20000;
    QRandomGenerator generator(20240611);
    const QString result = RandomizeTextCase(QString(n, QLatin1Char('m')), generator);
    const qsizetype upper = result.count(QLatin1Char('M'));
    QCOMPARE(upper + result.count(QLatin1Char('m')), qsizetype(n));
    // 51 in 100 upper: some 10,200 of 20,000, give or take a few hundred.
    QVERIFY2(upper > 9800 && upper < 10600, qPrintable(QString::number(upper)));
}

void TextTransformsTest::randomCaseWithoutGivenGenerator()
{
    AnimationModel *model = modelOf({QString(2000, QLatin1Char('q'))}, this);
    RandomizeCase(*model, 0, m_prompts, m_setPreview);
    const QString first = model->line(0).text;
    RandomizeCase(*model, 0, m_prompts, m_setPreview);
    const qsizetype upper = first.count(QLatin1Char('Q'));
    QVERIFY2(upper > 600 && upper < 1400, qPrintable(QString::number(upper)));
    QVERIFY(model->line(0).text.compare(first, Qt::CaseSensitive) != 0);
}

void TextTransformsTest::commandsOnEmptyList_data()
{
    QTest::addColumn<bool>("leet");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("leet") << true << "There are no lines to edit" << "Convert to leet";
    QTest::newRow("random case") << false << "No items to edit!" << "Randomize Case";
}

void TextTransformsTest::commandsOnEmptyList()
{
    QFETCH(bool, leet);
    QFETCH(QString, text);
    QFETCH(QString, title);
    AnimationModel model;
    LeetTable table;
    if (leet)
        ConvertToLeet(model, std::nullopt, table, m_leetPath, m_prompts, m_setPreview);
    else
        RandomizeCase(model, std::nullopt, m_prompts, m_setPreview);
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0].text, text);
    QCOMPARE(m_prompts.messages[0].title, title);
    QCOMPARE(m_prompts.messages[0].icon, PromptIcon::Exclamation);
    QCOMPARE(m_previews, 0);
    QVERIFY(model.isEmpty());
}

void TextTransformsTest::commandsWithoutCurrentLine_data()
{
    QTest::addColumn<bool>("leet");
    QTest::addColumn<int>("row");
    QTest::newRow("leet, no row") << true << -100;
    QTest::newRow("leet, row past the end") << true << 2;
    QTest::newRow("random case, no row") << false << -100;
    QTest::newRow("random case, negative row") << false << -1;
}

void TextTransformsTest::commandsWithoutCurrentLine()
{
    QFETCH(bool, leet);
    QFETCH(int, row);
    QVERIFY(writeFile(m_leetPath, DefaultLeetLines()));
    AnimationModel *model = modelOf({"abc", "def"}, this);
    const std::optional<int> current = row == -100 ? std::nullopt : std::optional<int>(row);
    LeetTable table;
    if (leet)
        ConvertToLeet(*model, current, table, m_leetPath, m_prompts, m_setPreview);
    else
        RandomizeCase(*model, current, m_prompts, m_setPreview);
    QCOMPARE(TextsOf(*model), QStringList({"abc", "def"}));
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(m_previews, 0);
}

void TextTransformsTest::convertLoadsTableOnFirstUse()
{
    QVERIFY(writeFile(m_leetPath, DefaultLeetLines()));
    AnimationModel *model = modelOf({"Name", "Mark", ""}, this);
    model->setTime(1, QStringLiteral("30"));
    model->setAction(1, QStringLiteral("say"));
    LeetTable table;

    ConvertToLeet(*model, 1, table, m_leetPath, m_prompts, m_setPreview);
    QVERIFY(table.leetLoaded());
    QCOMPARE(TextsOf(*model), QStringList({"Name", "/\\/\\4r|<", ""}));
    QCOMPARE(model->line(1).time, QStringLiteral("30"));
    QCOMPARE(model->line(1).action, QStringLiteral("say"));
    QCOMPARE(m_previews, 1);

    ConvertToLeet(*model, 2, table, m_leetPath, m_prompts, m_setPreview);
    QCOMPARE(model->line(2).text, QString());
    QVERIFY(m_prompts.messages.isEmpty());
}

void TextTransformsTest::convertStopsWhenFileMissing()
{
    AnimationModel *model = modelOf({"Name"}, this);
    LeetTable table;
    ConvertToLeet(*model, 0, table, m_leetPath, m_prompts, m_setPreview);
    QCOMPARE(m_prompts.messageTexts(), QStringList{"File leet.ini not found!"});
    QCOMPARE(model->line(0).text, QStringLiteral("Name"));
    QCOMPARE(m_previews, 0);
    QVERIFY(!table.leetLoaded());
}

void TextTransformsTest::convertUsesLoadedTableWithoutReading()
{
    QVERIFY(writeFile(m_leetPath, {"a=4"}));
    AnimationModel *model = modelOf({"aa", "aa"}, this);
    LeetTable table;
    ConvertToLeet(*model, 0, table, m_leetPath, m_prompts, m_setPreview);
    // Edits of the file outside the program wait for a reload.
    QVERIFY(writeFile(m_leetPath, {"a=@"}));
    ConvertToLeet(*model, 1, table, m_leetPath, m_prompts, m_setPreview);
    QCOMPARE(TextsOf(*model), QStringList({"44", "44"}));
    QVERIFY(QFile::remove(m_leetPath));
    ConvertToLeet(*model, 1, table, m_leetPath, m_prompts, m_setPreview);
    QVERIFY(m_prompts.messages.isEmpty());
}

void TextTransformsTest::randomizeCaseChangesCurrentLineOnly()
{
    const QString text(500, QLatin1Char('k'));
    AnimationModel *model = modelOf({text, text, text}, this);
    QRandomGenerator generator(7);
    RandomizeCase(*model, 1, m_prompts, m_setPreview, generator);
    QCOMPARE(model->line(0).text, text);
    QCOMPARE(model->line(2).text, text);
    QCOMPARE(model->line(1).text.toLower(), text);
    QVERIFY(model->line(1).text != text);
    QCOMPARE(m_previews, 1);
    QVERIFY(m_prompts.messages.isEmpty());
}

QTEST_MAIN(TextTransformsTest)
#include "tst_TextTransforms.moc"
