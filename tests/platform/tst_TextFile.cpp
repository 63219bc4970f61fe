#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

// before: null for no file yet, "<read-only>" for a file nobody may write
struct SaveCase { bool folderTakesNewFiles; QString before; bool saved; bool inPlace; };

struct SplitCase { QString text; bool anyBreak; QStringList lines; };

class TextFileTest : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data()
    {
        QTest::addColumn<SplitCase>("c");
        QTest::newRow("crlf") << SplitCase{"a\r\nb\r\n", false, QStringList{"a", "b"}};
        QTest::newRow("lone cr") << SplitCase{"a\rb", false, QStringList{"a", "b"}};
        QTest::newRow("lone lf stays in the line") << SplitCase{"a\nb\r\nc", false, QStringList{"a\nb", "c"}};
        QTest::newRow("lf ends a line when asked") << SplitCase{"a\nb\r\nc", true, QStringList{"a", "b", "c"}};
        QTest::newRow("empty lines kept") << SplitCase{"\r\n\r\nx\r\n", false, QStringList{"", "", "x"}};
    }

    void splitLines()
    {
        QFETCH(SplitCase, c);
        auto [text, anyBreak, lines] = c;
        QCOMPARE(SplitLines(text, anyBreak ? LineBreaks::CrLfCrOrLf : LineBreaks::CrOrCrLf), lines);
    }

    void saveWhereTheFolderRefusesNewFiles_data()
    {
        QTest::addColumn<SaveCase>("c");
        QTest::newRow("open folder: a new file replaces the old") << SaveCase{true, "old", true, false};
        QTest::newRow("closed folder: the file written in place") << SaveCase{false, "old", true, true};
        QTest::newRow("closed folder, no file to write over") << SaveCase{false, QString(), false, false};
        QTest::newRow("closed folder, read-only file kept") << SaveCase{false, "<read-only>", false, true};
    }

    void saveWhereTheFolderRefusesNewFiles()
    {
    #ifndef Q_OS_UNIX
        QSKIP("Folder permissions are set with chmod.");
    #else
        QFETCH(SaveCase, c);
        auto [folderTakesNewFiles, before, saved, inPlace] = c;
        QTemporaryDir dir;
        const QString path = dir.filePath("a.ras");
        struct stat old{};
        if (!before.isNull()) {
            QVERIFY(WriteTextFile(path, before).ok);
            QVERIFY(chmod(QFile::encodeName(path).constData(), before == QLatin1String("<read-only>") ? 0444 : 0666) == 0);
            QVERIFY(stat(QFile::encodeName(path).constData(), &old) == 0);
        }
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), folderTakesNewFiles ? 0777 : 0555) == 0);
        // Permissions bind nobody with root's rights: save as an ordinary user then.
        const uid_t user = geteuid();
        QVERIFY(user != 0 || seteuid(65534) == 0);
        const TextWriteResult result = WriteTextFile(path, "new");
        QVERIFY(user != 0 || seteuid(0) == 0);
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        QCOMPARE(result.ok, saved);
        QVERIFY(saved || !result.errorString.isEmpty());
        QCOMPARE(ReadTextLines(path, LineBreaks::CrOrCrLf).lines, saved ? QStringList{"new"} : QStringList{before}.mid(0, before.isNull() ? 0 : 1));
        struct stat now{};
        if (stat(QFile::encodeName(path).constData(), &now) == 0)
            QCOMPARE(now.st_ino == old.st_ino, inPlace);
    #endif
    }
};

QTEST_MAIN(TextFileTest)
#include "tst_TextFile.moc"
