#include "FakePrompts.h"
#include "platform/TextFile.h"
#include "transforms/LeetTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The file "Create file" writes, byte for byte.
const QByteArray DefaultFileBytes =
    "a=4\r\nb=b\r\nc=(\r\nd=d\r\ne=3\r\nf=f\r\ng=9\r\nh=h\r\ni=|\r\nj=j\r\nk=|<\r\nl=1\r\nm=/\\/\\\r\n"
    "n=n\r\no=0\r\np=p\r\nq=q\r\nr=r\r\ns=$\r\nt=7\r\nu=u\r\nv=\\/\r\nw=\\/\\/\r\nx=)(\r\ny=y\r\nz=z\r\n"
    "A=4\r\nB=B\r\nC=(\r\nD=D\r\nE=3\r\nF=F\r\nG=9\r\nH=H\r\nI=|\r\nJ=J\r\nK=|<\r\nL=1\r\nM=/\\/\\\r\n"
    "N=N\r\nO=0\r\nP=P\r\nQ=Q\r\nR=R\r\nS=$\r\nT=7\r\nU=U\r\nV=\\/\r\nW=\\/\\/\r\nX=)(\r\nY=Y\r\nZ=Z\r\n";

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Entries 1.. as "key=value", to compare whole tables in one go.
QStringList pairsOf(const LeetTable &table)
{
    QStringList pairs;
    for (qsizetype i = 1; i < table.entries().size(); ++i)
        pairs << table.entries().at(i).Key + QLatin1Char('=') + table.entries().at(i).Value;
    return pairs;
}

} // namespace

class LeetTableTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void parseLine_data();
    void parseLine();
    void loadFile_data();
    void loadFile();
    void missingFileKeepsEntries();
    void neverLoadedShowsNothing();
    void loadReplacesWholeTable();
    void filePathIsBesideProgram_data();
    void filePathIsBesideProgram();
    void createOnMissingFileAsksNothing();
    void createOnExistingFile_data();
    void createOnExistingFile();
    void saveThenReload_data();
    void saveThenReload();
    void saveReportsReplacedCharacters();
    void failedWriteKeepsTable_data();
    void failedWriteKeepsTable();
    void hugeLine();

private:
    QTemporaryDir m_dir;
    QString m_path;
    FakePrompts m_prompts;
};

void LeetTableTest::init()
{
    m_prompts.clear();
    m_path = m_dir.filePath(QStringLiteral("leet.ini"));
    QFile::remove(m_path);
}

void LeetTableTest::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isPair");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "a=4" << true << "a" << "4";
    QTest::newRow("blanks at both ends go") << "  a=4  " << true << "a" << "4";
    QTest::newRow("blanks around = stay") << "a = 4" << true << "a " << " 4";
    QTest::newRow("two signs") << ")(=x" << true << ")(" << "x";
    QTest::newRow("value with signs") << "x=)(" << true << "x" << ")(";
    QTest::newRow("value |<") << "k=|<" << true << "k" << "|<";
    QTest::newRow("third piece dropped") << "a=b=c" << true << "a" << "b";
    QTest::newRow("only signs") << "==" << true << "" << "";
    QTest::newRow("empty key") << "=x" << true << "" << "x";
    QTest::newRow("empty value") << "a=" << true << "a" << "";
    QTest::newRow("longer key") << "ph=f" << true << "ph" << "f";
    QTest::newRow("tab is no blank") << "\ta=4" << true << "\ta" << "4";
    QTest::newRow("empty line") << "" << false << "" << "";
    QTest::newRow("blanks only") << "     " << false << "" << "";
    QTest::newRow("section-like line") << "[Leet]" << false << "" << "";
    QTest::newRow("word without sign") << "  hello " << false << "" << "";
}

void LeetTableTest::parseLine()
{
    QFETCH(QString, line);
    QFETCH(bool, isPair);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const std::optional<LeetEntry> pair = ParseLeetLine(line);
    QCOMPARE(pair.has_value(), isPair);
    if (isPair) {
        QCOMPARE(pair->Key, key);
        QCOMPARE(pair->Value, value);
    }
}

void LeetTableTest::loadFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("pairs");
    QTest::newRow("CR LF") << QByteArray("a=4\r\ne=3\r\n") << QStringList{"a=4", "e=3"};
    QTest::newRow("LF only") << QByteArray("a=4\ne=3\n") << QStringList{"a=4", "e=3"};
    QTest::newRow("CR only") << QByteArray("a=4\re=3\r") << QStringList{"a=4", "e=3"};
    QTest::newRow("mixed line ends") << QByteArray("a=4\r\ne=3\ng=9\rt=7") << QStringList{"a=4", "e=3", "g=9", "t=7"};
    QTest::newRow("no line end at the end") << QByteArray("a=4\r\ne=3") << QStringList{"a=4", "e=3"};
    QTest::newRow("blank lines skipped") << QByteArray("\r\n  \r\na=4\r\n\r\n") << QStringList{"a=4"};
    QTest::newRow("line without sign does not stop reading")
        << QByteArray("[Leet]\r\na=4\r\nnothing here\r\ne=3\r\n") << QStringList{"a=4", "e=3"};
    QTest::newRow("duplicates kept in order") << QByteArray("a=1\r\na=2\r\n") << QStringList{"a=1", "a=2"};
    QTest::newRow("code page bytes") << QByteArray("\xe9=e\r\n\x80=E\r\n") << QStringList{"\u00e9=e", "\u20ac=E"};
    QTest::newRow("only blank lines") << QByteArray("\r\n   \r\n\n") << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void LeetTableTest::loadFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, pairs);
    writeBytes(m_path, bytes);
    LeetTable table;
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    QVERIFY(table.leetLoaded());
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(pairsOf(table), pairs);
    // Entry 0 is always there after a load, and empty.
    QVERIFY(!table.entries().isEmpty());
    QVERIFY(table.entries().first().Key.isEmpty() && table.entries().first().Value.isEmpty());
}

void LeetTableTest::missingFileKeepsEntries()
{
    writeBytes(m_path, "a=4\r\n");
    LeetTable table;
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    QVERIFY(QFile::remove(m_path));

    QVERIFY(!LoadLeetTable(table, m_path, m_prompts));
    QVERIFY(!table.leetLoaded());
    QCOMPARE(pairsOf(table), QStringList{"a=4"});
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0].text, QStringLiteral("File leet.ini not found!"));
    QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Error loading LEET file"));
    QCOMPARE(m_prompts.messages[0].icon, PromptIcon::Exclamation);
    QCOMPARE(m_prompts.messages[0].buttons, PromptButtons::Ok);
    // "Reload" after the failure still shows the last good table.
    QCOMPARE(ReloadLeetTable(table, m_path, m_prompts), QStringLiteral("a=4\r\n"));
}

void LeetTableTest::neverLoadedShowsNothing()
{
    LeetTable table;
    QVERIFY(!LoadLeetTable(table, m_dir.filePath(QStringLiteral("nowhere/leet.ini")), m_prompts));
    QVERIFY(table.entries().isEmpty());
    QCOMPARE(LeetTableText(table), QString());
    // A folder named leet.ini is no leet file either.
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("leet.ini")));
    QVERIFY(!LoadLeetTable(table, m_path, m_prompts));
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("leet.ini")));
}

void LeetTableTest::loadReplacesWholeTable()
{
    writeBytes(m_path, "a=4\r\ne=3\r\ng=9\r\n");
    LeetTable table;
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    writeBytes(m_path, "o=0\r\n");
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    QCOMPARE(pairsOf(table), QStringList{"o=0"});
    QCOMPARE(LeetTableText(table), QStringLiteral("o=0\r\n"));
}

void LeetTableTest::filePathIsBesideProgram_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("folder") << "/opt/marquee" << "/opt/marquee/leet.ini";
    QTest::newRow("folder ending in a separator") << "/opt/marquee/" << "/opt/marquee/leet.ini";
    QTest::newRow("root") << "/" << "/leet.ini";
}

void LeetTableTest::filePathIsBesideProgram()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(LeetFilePathIn(folder), path);

    // The program's folder, not the working folder.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    const QFileInfo file(LeetFilePath());
    QDir::setCurrent(previous);
    QCOMPARE(file.fileName(), QStringLiteral("leet.ini"));
    QCOMPARE(file.absolutePath(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
}

void LeetTableTest::createOnMissingFileAsksNothing()
{
    LeetTable table;
    const std::optional<QString> text = CreateLeetFile(table, m_path, m_prompts);
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(readBytes(m_path), DefaultFileBytes);
    QVERIFY(text);
    QCOMPARE(text->toLatin1(), DefaultFileBytes);
    QVERIFY(table.leetLoaded());
    QCOMPARE(table.entries().size(), 53);
    QCOMPARE(table.entries().at(13).Key, QStringLiteral("m"));
    QCOMPARE(table.entries().at(13).Value, QStringLiteral("/\\/\\"));
}

void LeetTableTest::createOnExistingFile_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("reset");
    QTest::newRow("yes resets") << PromptAnswer::Yes << true;
    QTest::newRow("no keeps everything") << PromptAnswer::No << false;
}

void LeetTableTest::createOnExistingFile()
{
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, reset);
    writeBytes(m_path, "a=@\r\n");
    LeetTable table;
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    m_prompts.answers = {answer};

    const std::optional<QString> text = CreateLeetFile(table, m_path, m_prompts);

    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0].text, QStringLiteral("File leet.ini exists, are you sure you want to reset the file?"));
    QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Reset leet.ini"));
    QCOMPARE(m_prompts.messages[0].icon, PromptIcon::None);
    QCOMPARE(m_prompts.messages[0].buttons, PromptButtons::YesNo);
    QCOMPARE(text.has_value(), reset);
    QCOMPARE(readBytes(m_path), reset ? DefaultFileBytes : QByteArray("a=@\r\n"));
    QCOMPARE(pairsOf(table).first(), reset ? QStringLiteral("a=4") : QStringLiteral("a=@"));
}

void LeetTableTest::saveThenReload_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<QString>("reloaded");
    QTest::newRow("LF from the text box")
        << "a=4\n  b=8  \n\nc=(" << QByteArray("a=4\r\n  b=8  \r\n\r\nc=(\r\n") << "a=4\r\nb=8\r\nc=(\r\n";
    QTest::newRow("text ending in a line break")
        << "a=4\n" << QByteArray("a=4\r\n\r\n") << "a=4\r\n";
    QTest::newRow("CR LF kept single") << "a=4\r\ne=3" << QByteArray("a=4\r\ne=3\r\n") << "a=4\r\ne=3\r\n";
    QTest::newRow("empty box") << "" << QByteArray("\r\n") << "";
}

void LeetTableTest::saveThenReload()
{
    QFETCH(QString, boxText);
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, reloaded);
    LeetTable table;
    QVERIFY(SaveLeetText(table, m_path, boxText, m_prompts));
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(readBytes(m_path), fileBytes);
    QVERIFY(table.leetLoaded());
    QCOMPARE(ReloadLeetTable(table, m_path, m_prompts), reloaded);
}

void LeetTableTest::saveReportsReplacedCharacters()
{
    LeetTable table;
    QVERIFY(SaveLeetText(table, m_path, QStringLiteral("o=\u263a\n\u20ac=E"), m_prompts));
    QCOMPARE(readBytes(m_path), QByteArray("o=?\r\n\x80=E\r\n"));
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0].text, ReplacedCharactersNotice(m_path));
}

void LeetTableTest::failedWriteKeepsTable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder without write access") << "readonly";
    QTest::newRow("folder is a file") << "notafolder";
    QTest::newRow("leet.ini is a folder") << "isafolder";
}

void LeetTableTest::failedWriteKeepsTable()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = QDir(dir.path()).filePath(QStringLiteral("leet.ini"));
    writeBytes(path, "a=4\r\n");
    LeetTable table;
    QVERIFY(LoadLeetTable(table, path, m_prompts));

    if (kind == QLatin1String("readonly")) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(QDir(dir.path()).filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user can write into any folder");
        }
    } else if (kind == QLatin1String("notafolder")) {
        path = QDir(dir.path()).filePath(QStringLiteral("leet.ini/leet.ini"));
    } else {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("leet.ini")));
    }

    QVERIFY(!SaveLeetText(table, path, QStringLiteral("e=3"), m_prompts));
    QVERIFY(!CreateLeetFile(table, path, m_prompts).has_value());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(table.leetLoaded());
    QCOMPARE(pairsOf(table), QStringList{"a=4"});
    QVERIFY(m_prompts.messages.size() >= 2);
    for (const FakePrompts::Message &message : m_prompts.messages) {
        if (message.title == QLatin1String("Reset leet.ini"))
            continue;
        QCOMPARE(message.title, QStringLiteral("Error saving LEET file"));
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        QCOMPARE(message.icon, PromptIcon::Exclamation);
    }
    if (kind == QLatin1String("readonly"))
        QCOMPARE(readBytes(path), QByteArray("a=4\r\n"));
}

void LeetTableTest::hugeLine()
{
    const QByteArray big(1024 * 1024, 'x');
    writeBytes(m_path, "a=" + big + "\r\n" + big + "\r\n" + big + "=4\r\ne=3");
    LeetTable table;
    QVERIFY(LoadLeetTable(table, m_path, m_prompts));
    QCOMPARE(table.entries().size(), 4);
    QCOMPARE(table.entries().at(1).Value.size(), big.size());
    QCOMPARE(table.entries().at(2).Key.size(), big.size());
    QCOMPARE(table.entries().at(3).Key, QStringLiteral("e"));
    QCOMPARE(LeetTableText(table).size(), 2 * (big.size() + 4) + 5);
}

QTEST_MAIN(LeetTableTest)
#include "tst_LeetTable.moc"
