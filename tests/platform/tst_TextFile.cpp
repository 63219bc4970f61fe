#include "FileFixtures.h"
#include "SmallDisk.h"

#include "UnderWine.h"

#include "platform/SafeSave.h"
#include "platform/Platform.h"
#include "platform/QtPrompts.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTimer>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif

// before: null for no file yet, "<read-only>" for a file nobody may write; sizeLimit: the largest file the
// saving process may write (0: none); sameFile: the path still names the old file (written in place or kept)
struct SaveCase { bool folderTakesNewFiles; QString before, text; int sizeLimit; bool saved, sameFile; QString reason; };

Q_DECLARE_METATYPE(PromptButtons)
Q_DECLARE_METATYPE(PromptAnswer)

class TextFileTest : public QObject {
    Q_OBJECT
private slots:
    // A file dialog opens on its last file, else its folder, else where a player keeps files: never in the folder
    // the program was started from (double-clicked on Windows, that is the program's own folder).
    void dialogStartPath_data()
    {
        Columns<QString, QString, QString>("initialDir", "fileName", "opens");  // opens: "~" the player's files
        const QString docs = QDir::tempPath() + "/docs";
        QTest::newRow("nothing used yet") << "" << "" << "~";
        QTest::newRow("its folder") << docs << "" << docs;
        QTest::newRow("its last file") << docs << QDir::tempPath() + "/games/a.ras" << QDir::tempPath() + "/games/a.ras";
        QTest::newRow("a bare name in its folder") << docs << "a.ras" << docs + "/a.ras";
        QTest::newRow("a bare name, no folder yet") << "" << "a.ras" << "~/a.ras";
    }
    void dialogStartPath()
    {
        auto [initialDir, fileName, opens] = Fetch<QString, QString, QString>("initialDir", "fileName", "opens");
        opens.replace("~", Platform::PlayerFilesFolder());
        QCOMPARE(QDir::cleanPath(DialogStartPath({{}, {}, fileName, initialDir})), QDir::cleanPath(opens));
    }

    // Every question's answers but OK and Cancel have their own Alt key (Escape and Enter are theirs), and the key
    // gives that answer.
    void questionsAnsweredByAltKeys_data()
    {
        Columns<PromptButtons, QString, QList<PromptAnswer>>("buttons", "keys", "answers");  // each Alt letter and its answer
        using A = PromptAnswer;
        QTest::newRow("save changes on exit") << PromptButtons::SaveDiscardCancel << "SD" << QList{A::Save, A::Discard};
        QTest::newRow("yes, no or cancel") << PromptButtons::YesNoCancel << "YN" << QList{A::Yes, A::No};
        QTest::newRow("yes or no") << PromptButtons::YesNo << "YN" << QList{A::Yes, A::No};
        QTest::newRow("file exists") << PromptButtons::OverwriteSaveAsCancel << "OA" << QList{A::Overwrite, A::SaveAs};
        QTest::newRow("restore") << PromptButtons::RestoreNotNowDelete << "RND" << QList{A::Restore, A::NotNow, A::Delete};
        QTest::newRow("remove everything") << PromptButtons::RemoveCancel << "R" << QList{A::Remove};
    }
    void questionsAnsweredByAltKeys()
    {
        auto [buttons, keys, answers] = Fetch<PromptButtons, QString, QList<PromptAnswer>>("buttons", "keys", "answers");
        if (UnderWine())  // the keys are the same code on every system; Wine drops some of them on a new box
            QSKIP("Wine's message boxes miss some Alt keys pressed by a test");
        QWidget parent;
        QtPrompts prompts(&parent);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const QChar key = keys.at(i);  // (a lambda can't capture a structured binding in clang 14)
            // The key once the box is up; a box the key leaves open is closed after a while, so the row fails.
            QTimer press;
            int ticks = 0;
            connect(&press, &QTimer::timeout, [&] {
                // This question's box: the one before may still be the active modal widget for a moment.
                QWidget *box = QApplication::activeModalWidget();
                if (!box || !box->isVisible() || box->windowTitle() != QLatin1String("Title"))
                    return;
                if (!box->isActiveWindow()) {
                    box->activateWindow();  // a mnemonic reaches only the active window
                } else if (!box->property("pressed").toBool()) {
                    box->setProperty("pressed", true);
                    QTest::keyClick(box, Qt::Key(key.unicode()), Qt::AltModifier);
                }
                if (++ticks > 200)
                    qobject_cast<QDialog *>(box)->reject();
            });
            press.start(10);
            QCOMPARE(prompts.message("Question?", "Title", PromptIcon::Question, buttons), answers.at(i));
        }
    }

    void splitLines_data()
    {
        Columns<QString, bool, QStringList>("text", "anyBreak", "lines");
        QTest::newRow("crlf") << "a\r\nb\r\n" << false << QStringList{"a", "b"};
        QTest::newRow("lone cr") << "a\rb" << false << QStringList{"a", "b"};
        QTest::newRow("lone lf stays in the line") << "a\nb\r\nc" << false << QStringList{"a\nb", "c"};
        QTest::newRow("lf ends a line when asked") << "a\nb\r\nc" << true << QStringList{"a", "b", "c"};
        QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << false << QStringList{"", "", "x"};
    }

    void splitLines()
    {
        auto [text, anyBreak, lines] = Fetch<QString, bool, QStringList>("text", "anyBreak", "lines");
        QCOMPARE(SplitLines(text, anyBreak ? LineBreaks::CrLfCrOrLf : LineBreaks::CrOrCrLf), lines);
    }

    void saveWhereTheFolderRefusesNewFiles_data()
    {
        QTest::addColumn<SaveCase>("c");
        const QString big(6000, 'n');
        QTest::newRow("open folder: a new file replaces the old") << SaveCase{true, "old", "new", 0, true, false, ""};
        QTest::newRow("closed folder: the file written in place") << SaveCase{false, "old", "new", 0, true, true, ""};
        QTest::newRow("closed folder, no file to write over") << SaveCase{false, QString(), "new", 0, false, false, ""};
        QTest::newRow("closed folder, read-only file kept") << SaveCase{false, "<read-only>", "new", 0, false, true, ""};
        QTest::newRow("open folder, the disk fills up") << SaveCase{true, "old", big, 4096, false, true, ""};
        QTest::newRow("closed folder, the disk fills up: old bytes put back") << SaveCase{false, "old", big, 4096, false, true, "only part of it could be written"};
        QTest::newRow("closed folder, no room for a safe copy: refused")
            << SaveCase{false, QString(5000, 'o'), big, 4096, false, true, "does not let new files be created"};
    }

    // The save runs in a child process as an ordinary user, with a file size limit standing for a full disk.
    void saveWhereTheFolderRefusesNewFiles()
    {
    #ifndef Q_OS_UNIX
        QSKIP("Folder permissions and size limits are set the Unix way.");
    #else
        QFETCH(SaveCase, c);
        QTemporaryDir dir, data;
        const QString path = dir.filePath("a.ras");
        struct stat old{};
        if (!c.before.isNull()) {
            QVERIFY(WriteTextFile(path, c.before).ok);
            QVERIFY(chmod(QFile::encodeName(path).constData(), c.before == QLatin1String("<read-only>") ? 0444 : 0666) == 0);
            QVERIFY(stat(QFile::encodeName(path).constData(), &old) == 0);
        }
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), c.folderTakesNewFiles ? 0777 : 0555) == 0);
        QVERIFY(chmod(QFile::encodeName(data.path()).constData(), 0777) == 0);
        const std::optional<QByteArray> result = InChildProcess([&] {
            const rlimit limit{rlim_t(c.sizeLimit), rlim_t(c.sizeLimit)};
            setenv("XDG_DATA_HOME", QFile::encodeName(data.path()).constData(), 1);
            // Permissions bind nobody with root's rights: save as an ordinary user then.
            return (c.sizeLimit == 0 || setrlimit(RLIMIT_FSIZE, &limit) == 0) && (geteuid() != 0 || setuid(65534) == 0);
        }, [&] {
            const TextWriteResult written = WriteTextFile(path, c.text);
            return QByteArray(written.ok ? "saved:" : written.errorCode != 0 ? "failed:" : "failed, number 0:") + written.errorString.toUtf8();
        });
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        QVERIFY(result);
        const QString error = QString::fromUtf8(result->mid(result->indexOf(':') + 1));
        QVERIFY2(result->startsWith(c.saved ? "saved:" : "failed:"), result->constData());  // a failure has a number to quote
        QVERIFY(c.saved || !error.isEmpty());
        QVERIFY2(error.contains(c.reason), qPrintable(error));
        // The old file was put back or never touched: no copy is kept, and none is spoken of.
        QVERIFY2(!error.contains("The old file is kept"), qPrintable(error));
        QDirIterator copies(data.path(), {"before-save-*"}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY2(!copies.hasNext(), qPrintable(copies.hasNext() ? copies.next() : QString()));
        const QStringList expected = c.saved ? QStringList{c.text} : QStringList{c.before}.mid(0, c.before.isNull() ? 0 : 1);
        QCOMPARE(ReadTextLines(path, LineBreaks::CrOrCrLf).lines, expected);
        struct stat now{};
        if (stat(QFile::encodeName(path).constData(), &now) == 0)
            QCOMPARE(now.st_ino == old.st_ino, c.sameFile);
    #endif
    }

    // Each file has a safe copy of its own, and an earlier failed save's copy is never written over.
    void safeCopiesAreTheFilesOwn()
    {
        QTemporaryDir data, x, y;
        const QString inX = BeforeSaveCopyPath(data.path(), x.filePath("a.ras"));
        const QString inY = BeforeSaveCopyPath(data.path(), y.filePath("a.ras"));
        QVERIFY(inX != inY);
        QVERIFY2(QFileInfo(inX).fileName().startsWith("before-save-") && inX.endsWith("-a.ras"), qPrintable(inX));
        QCOMPARE(BeforeSaveCopyPath(data.path(), x.filePath("a.ras")), inX);
        QVERIFY(WriteFileBytes(inX, "left by a failed save"));
        const QString next = BeforeSaveCopyPath(data.path(), x.filePath("a.ras"));
        QVERIFY(next != inX && next != inY);
    }
};

QTEST_MAIN(TextFileTest)
#include "tst_TextFile.moc"
