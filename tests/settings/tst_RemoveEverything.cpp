#include "BuiltPrograms.h"
#include "FolderContents.h"
#include "OptionsUnderTest.h"
#include "UnderWine.h"

#include "platform/FreedesktopShell.h"
#include "platform/ProgramFolders.h"
#include "platform/ShellIntegration.h"
#include "platform/SystemShell.h"
#include "platform/WinRegistryStore.h"
#include "settings/ProgramTraces.h"

#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>

namespace {

enum class Running { Alone, WithUnsavedWork, AnotherCopy };

// What a removal must give back as it was before the first start.
QString snapshot(const RegistryStore &store)
{
    QString text = QStringLiteral("settings key: %1\n").arg(store.keyExists(RegHive::CurrentUser, SettingsKey));
#ifdef Q_OS_WIN
    QTemporaryDir dir;
    const QString exported = dir.filePath("classes.reg");
    if (QProcess::execute("reg", {"export", "HKCU\\Software\\Classes", QDir::toNativeSeparators(exported), "/y"}) != 0)
        return "reg export failed";
    text += QString::fromLatin1(ReadFileBytes(exported).toHex());
    for (const QString &folder : ProgramFolders::All())
        text += '\n' + folder + '\n' + FilesWithHashes(folder).join('\n');
#else
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        text += '\n' + FilesWithHashes(qEnvironmentVariable(name)).join('\n');
#endif
    return text;
}

} // namespace

Q_DECLARE_METATYPE(Running)
Q_DECLARE_METATYPE(PromptAnswer)

class RemoveEverythingTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_previous = QStringLiteral("OtherApp.Document");

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(name, m_dir.filePath(QLatin1String(name)).toUtf8());
        QVERIFY(WriteFileBytes(m_dir.filePath("leet.ini"), "a=4\r\n"));
    }

    // A player used the program (settings, a leet table, unsaved and kept files, the association over another
    // program's, the .cfg menu entry), then removes everything from the Registry Options page: all of it is as
    // before the first start, the other program's association included, and nothing comes back.
    void removesWhatTheProgramMade_data()
    {
        Columns<bool, Running, PromptAnswer>("another", "running", "answer");  // another: .ras was another program's
        QTest::newRow("nothing before") << false << Running::Alone << PromptAnswer::Remove;
        QTest::newRow("another program's .ras") << true << Running::Alone << PromptAnswer::Remove;
        QTest::newRow("this window's unsaved work stays until it ends") << false << Running::WithUnsavedWork << PromptAnswer::Remove;
        QTest::newRow("another copy running: nothing removed") << true << Running::AnotherCopy << PromptAnswer::Remove;
        QTest::newRow("Cancel: nothing removed") << false << Running::Alone << PromptAnswer::Cancel;
    }
    void removesWhatTheProgramMade()
    {
        auto [another, running, answer] = Fetch<bool, Running, PromptAnswer>("another", "running", "answer");
        for (const QString &folder : ProgramFolders::All())
            QDir(folder).removeRecursively();
#ifdef Q_OS_WIN
        if (!UnderWine())
            QSKIP("would change this user's settings and file associations: runs in Wine's registry of the test run");
        WinRegistryStore store;
        QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
        classes.remove(ShellKeys::RasExtension);
        classes.remove(ShellKeys::RasClass);
        if (another)
            classes.setValue(".ras/Default", m_previous);
        classes.setValue(".cfg/Default", "MarqueemasterTest.Config");
        classes.setValue("MarqueemasterTest.Config/shell/open/command/Default", "notepad.exe \"%1\"");
        classes.sync();
        const QString left = ".ras files keep the file type " + m_previous;
#else
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            QDir(qEnvironmentVariable(name)).removeRecursively();
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME"), data = qEnvironmentVariable("XDG_DATA_HOME");
        QDir().mkpath(data + "/applications");
        QDir().mkpath(config);
        WriteFileBytes(data + "/applications/other.desktop",
                       "[Desktop Entry]\nType=Application\nName=Other\nExec=sh %f\n"
                       "MimeType=application/x-marqueemaster-animation;text/x-rtcw-script;\n");
        if (another)
            WriteFileBytes(config + "/mimeapps.list", "[Default Applications]\napplication/x-marqueemaster-animation=other.desktop\n");
        JsonRegistryStore store(QDir(ProgramFolders::Config()).filePath("registry.json"));
        const QString left = ".ras files open with other.desktop";
#endif
        const QString before = snapshot(store);

        StoreSettings(store, {"RecentFile1=/games/a.ras", "Game=2"});
        QDir().mkpath(ProgramFolders::Shared());
        QVERIFY(WriteFileBytes(QDir(ProgramFolders::Shared()).filePath("leet.ini"), "a=4\r\n"));
        QDir().mkpath(ProgramFolders::Data());
        QVERIFY(WriteFileBytes(QDir(ProgramFolders::Data()).filePath("before-save-1f-a.ras"), "x"));
        const QString work = QDir(ProgramFolders::Data()).filePath("unsaved-1.ras");
        QVERIFY(WriteFileBytes(work, "Kept\r\n"));
        // A copy that crashed long ago left its lock: nobody holds it.
        QVERIFY(WriteFileBytes(work + ".old.lock", "999999\nmarqueemaster\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        QLockFile ownLock(work + ".lock");
        if (running == Running::WithUnsavedWork)
            QVERIFY(ownLock.tryLock(0));
        QProcess other;
        if (running == Running::AnotherCopy) {
            other.start(DesktopProgram(), {});
            QVERIFY(other.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QDir(ProgramFolders::Data()).entryList({"*.lock"}).size() == 2, 20000);  // its own and the old one
        }

        FakePrompts prompts;
        prompts.answers = {answer};
        {
            OptionsUnderTest options(store, m_dir.filePath("leet.ini"), DesktopProgram(), prompts, 2);
            options.click("cmdAssociate");
            options.click("cmdAddContext");
            options.click("cmdRemoveAll");
            QCOMPARE(options.dialog.isVisible(), running == Running::AnotherCopy || answer == PromptAnswer::Cancel);
        }
        const QStringList messages = prompts.messageTexts();
        if (running == Running::AnotherCopy || answer == PromptAnswer::Cancel) {
            other.kill();
            other.waitForFinished();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.first().startsWith(answer == PromptAnswer::Cancel ? "This removes:" : "Another Marqueemaster is running. Close it first"),
                     qPrintable(messages.first()));
            QVERIFY(SystemDesktopShell(store, DesktopProgram())->associationStatus().IsAssociated);
            QCOMPARE(GetRegValue(store, RegHive::CurrentUser, SettingsKey, "Game"), "2");
            QVERIFY(QFileInfo::exists(QDir(ProgramFolders::Shared()).filePath("leet.ini")));
            SystemDesktopShell(store, DesktopProgram())->removeAll();  // leaves the next row's start clean
            return;
        }
        QCOMPARE(messages.size(), 2);
        for (const QString &listed : QStringList{".ras files", ".cfg files", "its settings", QDir::toNativeSeparators(ProgramFolders::Shared())})
            QVERIFY2(messages.first().contains(listed), qPrintable(messages.first()));
        QVERIFY2(messages.last().contains(left) == another, qPrintable(messages.last()));
        QVERIFY(!store.setValue(RegHive::CurrentUser, SettingsKey, "Game", "1"));  // nothing is written back

        if (running == Running::WithUnsavedWork) {
            QVERIFY2(messages.last().contains("keeps this window's unsaved work until Marqueemaster ends"), qPrintable(messages.last()));
            QCOMPARE(ReadFileBytes(work), "Kept\r\n");
            QVERIFY(snapshot(store) != before);
            // What the program does when it ends.
            ownLock.unlock();
            QFile::remove(work);
            RemoveProgramFolders(ProgramFolders::All());
        }
        QCOMPARE(snapshot(store), before);
    }

    // A relative XDG folder (a slip in a profile) names no folder of the program: the removal never reaches into the
    // folder it was started from.
    void foldersAreNeverRelative()
    {
        const QByteArray data = qgetenv("XDG_DATA_HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", "relative-data");
        qputenv("XDG_CONFIG_HOME", "relative-config");
        const QStringList folders = ProgramFolders::All();
        qputenv("XDG_DATA_HOME", data);
        qputenv("XDG_CONFIG_HOME", config);
        for (const QString &folder : folders)
            QVERIFY2(QDir::isAbsolutePath(folder), qPrintable(folder));
    }

    // Installed by a package, the program's own entry opens .ras files: the removal takes back only what the
    // buttons wrote (Restore's lines that left the installation out, Add's), so the installation opens them again.
    void anInstallationKeepsWhatItsPackageMade_data()
    {
        Columns<QStringList>("clicks");
        QTest::newRow("Add") << QStringList{"cmdAddContext"};
        QTest::newRow("Restore, then Add") << QStringList{"cmdRestore", "cmdAddContext"};
    }
    void anInstallationKeepsWhatItsPackageMade()
    {
#ifdef Q_OS_WIN
        QSKIP("a freedesktop installation");
#else
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            QDir(qEnvironmentVariable(name)).removeRecursively();
        const QString system = m_dir.filePath("system");
        QDir().mkpath(system + "/applications");
        QVERIFY(WriteFileBytes(system + "/applications/" + DesktopNames::DesktopId(),
                               "[Desktop Entry]\nType=Application\nName=Marqueemaster\nExec=sh %f\n"
                               "MimeType=application/x-marqueemaster-animation;\n"));
        QVERIFY(WriteFileBytes(system + "/applications/mimeinfo.cache",  // as update-desktop-database makes it
                               "[MIME Cache]\napplication/x-marqueemaster-animation=" + DesktopNames::DesktopId().toUtf8() + ";\n"));
        const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", system.toUtf8());
        JsonRegistryStore store(QDir(ProgramFolders::Config()).filePath("registry.json"));
        const std::unique_ptr<DesktopShell> shell = SystemDesktopShell(store, DesktopProgram());
        const bool installedOpensThem = shell->associationStatus().IsAssociated;
        const QString before = snapshot(store);
        FakePrompts prompts;
        prompts.answers = {PromptAnswer::Remove};
        {
            OptionsUnderTest options(store, m_dir.filePath("leet.ini"), DesktopProgram(), prompts, 2);
            QFETCH(QStringList, clicks);
            for (const QString &button : clicks << "cmdRemoveAll")
                options.click(button);
        }
        const bool stillOpensThem = shell->associationStatus().IsAssociated;
        const QString after = snapshot(store);
        qputenv("XDG_DATA_DIRS", dataDirs);
        QVERIFY(installedOpensThem && stillOpensThem);
        QCOMPARE(after, before);
#endif
    }
};

QTEST_MAIN(RemoveEverythingTest)
#include "tst_RemoveEverything.moc"
