#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TextFileTest : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data();
    void splitLines();
    void codePageRoundTrip_data();
    void codePageRoundTrip();
    void unencodableCharactersBecomeQuestionMarks();
    void failedWriteKeepsOldFile();
    void fileExists_data();
    void fileExists();
};

void TextFileTest::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("anyBreak");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << "a\r\nb\r\n" << false << QStringList{"a", "b"};
    QTest::newRow("lone cr") << "a\rb" << false << QStringList{"a", "b"};
    QTest::newRow("lone lf stays in the line") << "a\nb\r\nc" << false << QStringList{"a\nb", "c"};
    QTest::newRow("lf ends a line when asked") << "a\nb\r\nc" << true << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << false << QStringList{"", "", "x"};
    QTest::newRow("cr cr lf") << "a\r\r\nb" << false << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << true << QStringList{};
    QTest::newRow("last line without break") << "a\r\nb" << true << QStringList{"a", "b"};
}

void TextFileTest::splitLines()
{
    QFETCH(QString, text);
    QFETCH(bool, anyBreak);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text, anyBreak ? LineBreaks::CrLfCrOrLf : LineBreaks::CrOrCrLf), lines);
}

void TextFileTest::codePageRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "^1Bob" << QByteArray("^1Bob");
    QTest::newRow("latin accents") << QString::fromUtf8("Jos\u00e9") << QByteArray("Jos\xe9");
    QTest::newRow("euro sign") << QString::fromUtf8("\u20ac") << QByteArray("\x80");
    QTest::newRow("curly quote") << QString::fromUtf8("\u201c") << QByteArray("\x93");
}

void TextFileTest::codePageRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool replaced = true;
    QCOMPARE(EncodeAnsi(text, &replaced), bytes);
    QVERIFY(!replaced);
    QCOMPARE(DecodeAnsi(bytes), text);
}

void TextFileTest::unencodableCharactersBecomeQuestionMarks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.txt");
    const TextWriteResult result = WriteTextFile(path, QString::fromUtf8("a\u4e00b\U0001F600c"));
    QVERIFY(result.ok);
    QVERIFY(result.replacedCharacters);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("a?b?c"));
}

void TextFileTest::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txt");
    QVERIFY(WriteTextFile(path, "old content\r\n").ok);
    // A folder in the file's place cannot be replaced: the write fails.
    const TextWriteResult intoFolder = WriteTextFile(dir.path(), "new");
    QVERIFY(!intoFolder.ok);
    QVERIFY(intoFolder.errorCode != 0);
    QVERIFY(!intoFolder.errorString.isEmpty());
    const TextWriteResult missingFolder = WriteTextFile(dir.filePath("missing/x.txt"), "new");
    QVERIFY(!missingFolder.ok);
    const TextReadResult read = ReadTextLines(path, LineBreaks::CrOrCrLf);
    QVERIFY(read.ok);
    QCOMPARE(read.lines, QStringList{"old content"});
}

void TextFileTest::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << "present.txt" << true;
    QTest::newRow("missing") << "absent.txt" << false;
    QTest::newRow("folder") << "" << false;
}

void TextFileTest::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    QVERIFY(WriteTextFile(dir.filePath("present.txt"), "x").ok);
    QCOMPARE(FileExists(name.isEmpty() ? dir.path() : dir.filePath(name)), exists);
    QVERIFY(!FileExists(QString()));
}

QTEST_MAIN(TextFileTest)
#include "tst_TextFile.moc"
