#include "UnderWine.h"
#include "OptionsUnderTest.h"
#include "platform/FreedesktopShell.h"
#include "platform/ShellIntegration.h"

#include <QDir>
#include <QListWidget>
#include <QSettings>
#include <QSpinBox>

#ifdef Q_OS_WIN
#include "platform/WinRegistryStore.h"
#endif

namespace {

const QString Command = QStringLiteral("/opt/marquee/marqueemaster %1");

// Passes everything to the temporary store and notes each setting written, in order.
class RecordingStore final : public RegistryStore {
public:
    explicit RecordingStore(RegistryStore &inner) : m_inner(inner) {}
    std::optional<RegValue> value(RegHive h, const QString &key, const QString &name) const override { return m_inner.value(h, key, name); }
    bool keyExists(RegHive h, const QString &key) const override { return m_inner.keyExists(h, key); }
    QString saveError() const override { return refuse ? QStringLiteral("The disk is full") : QString(); }
    bool refuse = false;  // every write fails, as on a full disk
    QStringList writes;

protected:
    bool storeValue(RegHive hive, const QString &key, const QString &name, const QString &text) override
    {
        writes << (key == SettingsKey && hive == RegHive::CurrentUser ? name : key + '\\' + name) + '=' + text;
        return !refuse && m_inner.setValue(hive, key, name, text);
    }
    bool removeKey(RegHive hive, const QString &key) override { return m_inner.deleteKey(hive, key); }
    bool removeValue(RegHive hive, const QString &key, const QString &name) override { return m_inner.deleteValue(hive, key, name); }

private:
    RegistryStore &m_inner;
};

} // namespace

// stored: settings before; steps: Down (+) or Up (-) presses on the Game box; writes: what OK stores
// fps: the frame rate shown once the game is chosen; typed: a frame rate typed then, or none
// folders: the first rows of the game's folders shown then (@home, @store: the test's folders)
struct GameCase {
    QStringList stored; int steps; QString title; int partMaximum; QString writes; Game loaded; int fps;
    QString typed = {}; QStringList folders = {};
};

class OptionsDialogTest : public QObject {
    Q_OBJECT
    TestStore m_store;

    // A value under HKEY_CLASSES_ROOT, "<none>" when missing.
    QString classValue(const QString &key, const QString &name = QString()) const
    {
        const std::optional<RegValue> value = m_store.store->value(RegHive::ClassesRoot, key, name);
        return value ? value->text : QStringLiteral("<none>");
    }

private slots:
    // On freedesktop systems the "Registry Options" page reads the desktop's folders: never the user's.
    void init()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            qputenv(name, m_store.dir.filePath(QLatin1String(name)).toUtf8());
            QDir(qEnvironmentVariable(name)).removeRecursively();
        }
        QFile::remove(m_store.path());
        m_store.reopen();
    }

    // The command a file type or desktop entry starts the program with: quoted only where the path needs it.
    void programCommand_data()
    {
        Columns<QString, QString, QString>("kind", "executable", "command");  // kind: Windows', a desktop entry's Exec, or here
        QTest::newRow("folder with blanks, quoted") << "windows" << "C:\\Program Files\\mm.exe" << "\"C:\\Program Files\\mm.exe\" \"%1\"";
        QTest::newRow("Qt's forward slashes") << "windows" << "C:/Games/Mm/marqueemaster.exe" << "\"C:\\Games\\Mm\\marqueemaster.exe\" \"%1\"";
        QTest::newRow("drive root, dots in names") << "windows" << "D:\\marquee.v2.EXE" << "\"D:\\marquee.v2.exe\" \"%1\"";
        QTest::newRow("Exec, plain") << "exec" << "/opt/mm/marqueemaster" << "/opt/mm/marqueemaster %f";
        QTest::newRow("Exec, blank") << "exec" << "/home/a b/mm" << "\"/home/a b/mm\" %f";
        QTest::newRow("Exec: dollar, quote, backslash") << "exec" << "/x/$\"\\" << "\"/x/\\\\$\\\\\"\\\\\\\\\" %f";
        QTest::newRow("Exec: percent") << "exec" << "/x/100%" << "/x/100%% %f";
#ifndef Q_OS_WIN
        QTest::newRow("here: the executable's path") << "here" << "/opt/marquee/marqueemaster" << Command;
#endif
    }
    void programCommand()
    {
        auto [kind, executable, command] = Fetch<QString, QString, QString>("kind", "executable", "command");
        QCOMPARE(kind == "exec" ? FreedesktopShell::ExecLine(executable)
                                : kind == "windows" ? WindowsProgramCommand(executable) : ProgramCommand(executable), command);
    }

    // What .ras and .cfg name before; the status reads "text|canAssociate canRestore IsAssociated".
    void shellEntries_data()
    {
        Columns<QString, QString, QString>("previous", "cfgClass", "status");
        QTest::newRow("not associated, .cfg without class") << "" << "" << "[Not associated yet]|100";
        QTest::newRow("another program, .cfg without class") << "OtherApp.Document" << "" << "Associated with [other program]|110";
        QTest::newRow("other case is another program") << "RtCWAnimationScript" << "RtCW.Config.1" << "Associated with [other program]|110";
    }
    void shellEntries()
    {
        auto [previous, cfgClass, status] = Fetch<QString, QString, QString>("previous", "cfgClass", "status");
        const auto statusNow = [this] {
            const AssociationStatus s = ReadAssociationStatus(*m_store.store);
            return QStringLiteral("%1|%2%3%4").arg(s.text).arg(s.canAssociate).arg(s.canRestore).arg(s.IsAssociated);
        };
        const auto present = [this] { return ReadContextMenuStatus(*m_store.store).present; };
        if (!previous.isEmpty())
            SetRegValue(*m_store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString(), previous);
        const QString cls = cfgClass.isEmpty() ? QStringLiteral("cfgfile") : cfgClass;
        const QString entry = cls + QStringLiteral("\\shell\\ImportMarqueemaster");
        SetRegValue(*m_store.store, RegHive::ClassesRoot, QStringLiteral(".cfg"), cfgClass.isEmpty() ? QStringLiteral("Content Type") : QString(), cls);
        SetRegValue(*m_store.store, RegHive::ClassesRoot, cls + QStringLiteral("\\shell\\open\\command"), QString(), QStringLiteral("notepad %1"));
        SetRegValue(*m_store.store, RegHive::ClassesRoot, entry + QStringLiteral("\\command"), QString(), Command);  // without a caption: no entry
        QCOMPARE(statusNow(), status);
        QVERIFY(!present() && ReadContextMenuStatus(*m_store.store).cfgClass == cfgClass);

        const QByteArray untouched = ReadFileBytes(m_store.path());
        RestoreRasAssociation(*m_store.store);  // not ours: nothing to restore
        AddContextMenuEntry(*m_store.store, Command);  // no .cfg class: nowhere to add it
        QCOMPARE(ReadFileBytes(m_store.path()) == untouched, cfgClass.isEmpty());
        QCOMPARE(present(), !cfgClass.isEmpty());
        QCOMPARE(classValue(entry), cfgClass.isEmpty() ? QStringLiteral("<none>") : QStringLiteral("Import script in &Marqueemaster"));
        AssociateRasFiles(*m_store.store, Command);
        AssociateRasFiles(*m_store.store, QStringLiteral("elsewhere %1"));  // already ours: changes nothing
        QCOMPARE(statusNow(), QStringLiteral("Associated with Marqueemaster|011"));
        QCOMPARE(classValue(QStringLiteral(".ras")), QStringLiteral("RtcwAnimationScript"));
        QCOMPARE(classValue(ShellKeys::RasCommandKey), Command);
        QCOMPARE(classValue(QStringLiteral("RtcwAnimationScript\\DefaultIcon")), QStringLiteral("/opt/marquee/marqueemaster,0"));
        QCOMPARE(ProgramIconOf(WindowsProgramCommand("C:\\Program Files\\mm.exe")), QStringLiteral("C:\\Program Files\\mm.exe,0"));
        const QString backup = previous.isEmpty() ? QStringLiteral("<none>") : previous;
        QCOMPARE(classValue(QStringLiteral(".ras"), QStringLiteral("prev_backup")), backup);

        m_store.reopen();  // as the next run finds it
        RestoreRasAssociation(*m_store.store);
        RemoveContextMenuEntry(*m_store.store);
        QCOMPARE(statusNow(), status);
        QCOMPARE(classValue(QStringLiteral(".ras")), backup);  // no backup: .ras is gone
        QCOMPARE(classValue(QStringLiteral(".ras"), QStringLiteral("prev_backup")), backup);
        QCOMPARE(classValue(ShellKeys::RasCommandKey), Command);
        QVERIFY(!present());
        QCOMPARE(classValue(entry + QStringLiteral("\\command")), cfgClass.isEmpty() ? Command : QStringLiteral("<none>"));
        QCOMPARE(classValue(cls + QStringLiteral("\\shell\\open\\command")), QStringLiteral("notepad %1"));
        SetRegValue(*m_store.store, RegHive::ClassesRoot, entry.toUpper(), QString(), QStringLiteral("x"));  // key names in any case
        QCOMPARE(present(), !cfgClass.isEmpty());
    }

    // OK writes only what the user changed: clearing the Save folder (browse, browse and cancel), picking a
    // script folder, typing "X" after the clan tag and ticking "multi select". Meanwhile another copy changes
    // the name, which stays. There is no leet.ini. A write that fails is said when OK is pressed, and the window
    // stays open with the player's choices for the next OK.
    void okWritesWhatTheUserChanged_data()
    {
        Columns<QStringList, QString, bool>("stored", "written", "diskFull");  // diskFull: at the first OK
        const QString changed = "MultiSelect=1,Clantag=X,GenerateDir=/scripts";
        QTest::newRow("first run: no key") << QStringList{} << changed << false;
        QTest::newRow("everything set") << QStringList{"OpenDir=/o", "SaveDir=/s", "GenerateDir=/g", "Name=^1Name", "Clantag=[C]", "Reverse=1", "EditItem=1", "MultiSelect=1"}
            << "MultiSelect=0,Clantag=[C]X,SaveDir=,GenerateDir=/scripts" << false;
        QTest::newRow("the disk full at first") << QStringList{} << changed << true;
    }
    void okWritesWhatTheUserChanged()
    {
        auto [stored, written, diskFull] = Fetch<QStringList, QString, bool>("stored", "written", "diskFull");
        StoreSettings(*m_store.store, stored);
        RecordingStore recorder(*m_store.store);
        FakePrompts prompts;  // there is no leet.ini
        QStringList writesWhenSaved;
        const OptionsUnderTest child(recorder, m_store.dir.filePath("leet.ini"), QString(), prompts, 0,
                                     [&] { writesWhenSaved << recorder.writes.join(','); });
        QCOMPARE(MessagesOf(prompts), QStringList({"Error loading LEET file|File leet.ini not found!",
                                                     "Leet file not found|Click 'Create File' on the Edit 133t tab"}));
        QCOMPARE(qobject_cast<QLineEdit *>(child["txtSave"])->text(), stored.filter(QStringLiteral("SaveDir=")).join(QString()).mid(8));
        prompts.folderAnswers = {QStringLiteral("/picked"), QString(), QStringLiteral("/scripts")};
        for (const char *button : {"cmdBrowse2", "cmdBrowse2", "cmdBrowse3"})
            child.click(button);
        QTest::keyClicks(child["txtClan"], QStringLiteral("X"));
        child.click("chkMultiSelect");
        QVERIFY(recorder.writes.isEmpty());
        JsonRegistryStore otherCopy(m_store.path());
        SetRegValue(otherCopy, RegHive::CurrentUser, SettingsKey, QStringLiteral("Name"), QStringLiteral("^2Other"));
        prompts.clear();
        if (diskFull) {
            recorder.refuse = true;
            child.click("cmdOK");
            QCOMPARE(prompts.messageTexts(), QStringList{"The settings could not be saved: The disk is full."});
            QVERIFY(child.dialog.isVisible());
            QVERIFY(writesWhenSaved.isEmpty());
            recorder.refuse = false;
            recorder.writes.clear();
        }
        child.click("cmdOK");
        QVERIFY(!child.dialog.isVisible());
        QCOMPARE(recorder.writes.join(','), written);
        QCOMPARE(writesWhenSaved, QStringList{written});  // told once, after every write
        m_store.reopen();
        QCOMPARE(LoadSettings(*m_store.store).generateDir, QStringLiteral("/scripts"));
        QCOMPARE(LoadSettings(*m_store.store).name, QStringLiteral("^2Other"));
    }

    // The frame rate follows the game (its stock com_maxfps) until the player sets another. The game's folders are
    // shown in exec's order, marked there or not; an install folder browsed to joins them and is stored by OK.
    void gameChoice_data()
    {
        QTest::addColumn<GameCase>("c");
        const QString etHome = "\u2713 @home/.etwolf/etmain (home)";
        QTest::newRow("first run: RtCW 1.4, two down to ET")
            << GameCase{{}, 2, "Enemy Territory 2.60b", 131071, "Game=et", Game::Et, 85, "", {etHome}};
        QTest::newRow("ioRTCW's 76 frames") << GameCase{{}, 1, "ioRTCW", 131071, "Game=iortcw", Game::IoRtcw, 76};
        QTest::newRow("back to RtCW: the part limit comes down to its buffer")
            << GameCase{{"Game=etlegacy", "PartLimit=100000"}, -3, "RtCW 1.4", 16383, "Game=rtcw,PartLimit=16383",
                        Game::Rtcw, 85};
        QTest::newRow("a large part limit kept on ET: Legacy")
            << GameCase{{"Game=etlegacy", "PartLimit=100000"}, 0, "ET: Legacy", 131071, "", Game::EtLegacy, 125};
        QTest::newRow("an unknown game reads as RtCW 1.4") << GameCase{{"Game=quake3"}, 0, "RtCW 1.4", 16383, "", Game::Rtcw, 85};
        QTest::newRow("the player's frame rate stays; ET: Legacy's own folders first, not there yet")
            << GameCase{{"FrameRate=200"}, 3, "ET: Legacy", 131071, "Game=etlegacy", Game::EtLegacy, 200, "",
                        {"\u2717 @home/.etlegacy/legacy (home, not there yet)"}};
        QTest::newRow("a frame rate typed is kept")
            << GameCase{{}, 3, "ET: Legacy", 131071, "Game=etlegacy,FrameRate=85", Game::EtLegacy, 125, "85"};
        QTest::newRow("the game's own rate typed follows the game again")
            << GameCase{{"FrameRate=200"}, 0, "RtCW 1.4", 16383, "FrameRate=", Game::Rtcw, 200, "85"};
        QTest::newRow("an install folder browsed to")
            << GameCase{{"Game=et"}, 0, "Enemy Territory 2.60b", 131071, "InstallFolders=@store/Enemy Territory", Game::Et, 85,
                        "", {etHome, "\u2713 @store/Enemy Territory/etmain (install)"}};
    }
    void gameChoice()
    {
        QFETCH(GameCase, c);
        const TemporaryHome home;
        QVERIFY(QDir(home.path()).mkpath(".etwolf/etmain") && QDir(m_store.dir.path()).mkpath("Enemy Territory/etmain"));
        StoreSettings(*m_store.store, c.stored);
        WriteFileBytes(m_store.dir.filePath("leet.ini"), "a=4");
        RecordingStore recorder(*m_store.store);
        FakePrompts prompts;
        OptionsUnderTest options(recorder, m_store.dir.filePath("leet.ini"), QString(), prompts, -1);
        if (c.folders.join(QString()).contains("(install)")) {
            prompts.folderAnswers = {m_store.dir.filePath("Enemy Territory")};
            options.click("cmdInstallFolder");
        }
        auto *game = Named<QComboBox>(options.dialog, "cboGame");
        QVERIFY(TabTo(options.dialog, game));
        for (int i = 0; i < qAbs(c.steps); ++i)
            QTest::keyClick(game, c.steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(game->currentText(), c.title);
        QCOMPARE(Named<QSpinBox>(options.dialog, "spnPartLimit")->maximum(), c.partMaximum);
        auto *fps = Named<QSpinBox>(options.dialog, "spnFrameRate");
        QCOMPARE(fps->value(), c.fps);
        if (!c.typed.isEmpty()) {
            QVERIFY(TabTo(options.dialog, fps));
            QTest::keyClick(fps, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(fps, c.typed);
        }
        auto *list = Named<QListWidget>(options.dialog, "lstGameFolders");
        for (int i = 0; i < c.folders.size(); ++i) {
            QString row = QString(c.folders.at(i)).replace("@home", home.path()).replace("@store", m_store.dir.path());
            row = QDir::toNativeSeparators(row);
            if (!UnderWine())
                QCOMPARE(list->item(i)->text(), row);
            else if (!c.folders.at(i).contains("@home"))  // (Wine's home is another)
                QVERIFY2(!list->findItems(row, Qt::MatchExactly).isEmpty(), qPrintable(row));
        }
        options.click("cmdOK");
        QCOMPARE(recorder.writes.join(','), QString(c.writes).replace("@store", m_store.dir.path()));
        m_store.reopen();
        QCOMPARE(LoadSettings(*m_store.store).game, c.loaded);
    }

    // The Registry Options buttons, clicked, on Windows' own registry: the user's classes get the association
    // and the menu entry, and the restore puts back what was there, read as Windows reads it.
    void buttonsOnTheSystemRegistry_data()
    {
        QTest::addColumn<QString>("previous");  // the program .ras named before, empty: none
        QTest::newRow("no program before") << QString();
        QTest::newRow("another program's files") << QStringLiteral("OtherApp.Document");
    }
    void buttonsOnTheSystemRegistry()
    {
#ifndef Q_OS_WIN
        QSKIP("the Windows registry");
#else
        if (!UnderWine())
            QSKIP("would change this user's file associations: runs in Wine's registry of the test run");
        QFETCH(QString, previous);
        QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
        const QString cfgClass = QStringLiteral("MarqueemasterTest.Config");
        classes.remove(ShellKeys::RasExtension);
        classes.remove(cfgClass);
        if (!previous.isEmpty()) {
            classes.setValue(".ras/Default", previous);
            classes.setValue(".ras/Content Type", "text/plain");
        }
        classes.setValue(".cfg/Default", cfgClass);
        classes.sync();
        const auto value = [&](QString key) { classes.sync(); return classes.value(key.replace(u'\\', u'/'), "<none>").toString(); };
        const QString entry = cfgClass + ShellKeys::ContextEntry + "/Default";

        WinRegistryStore system;
        FakePrompts prompts;
        const QString program = QCoreApplication::applicationFilePath();
        const OptionsUnderTest options(system, m_store.dir.filePath("leet.ini"), program, prompts, 2);
        const OptionsDialog &dialog = options.dialog;
        const auto click = [&](const char *name) { options.click(name); };
        click("cmdAssociate");
        click("cmdAddContext");
        QCOMPARE(value(".ras/Default"), ShellKeys::RasClass);
        QCOMPARE(value(".ras/prev_backup"), previous.isEmpty() ? "<none>" : previous);
        QCOMPARE(value(ShellKeys::RasCommandKey + "/Default"), WindowsProgramCommand(program));
        QCOMPARE(value(entry), ShellKeys::ContextCaption);
        QCOMPARE(dialog.findChild<QLineEdit *>("txtAssociation")->text(), "Associated with Marqueemaster");

        click("cmdRestore");
        click("cmdRemoveContext");
        QCOMPARE(value(".ras/Default"), previous.isEmpty() ? "<none>" : previous);
        QCOMPARE(value(".ras/Content Type"), previous.isEmpty() ? "<none>" : "text/plain");
        QCOMPARE(value(entry), "<none>");
        QCOMPARE(value(".cfg/Default"), cfgClass);
        QCOMPARE(dialog.findChild<QLineEdit *>("txtAssociation")->text(),
                 previous.isEmpty() ? "[Not associated yet]" : "Associated with [other program]");
        // A fresh Windows: .cfg names no file type, so Add says why it can't, and changes nothing.
        classes.remove(ShellKeys::CfgExtension);
        classes.sync();
        click("cmdAddContext");
        QVERIFY(prompts.messageTexts().last().startsWith("Windows knows no file type for .cfg files"));
        QCOMPARE(value(".cfg/Default"), "<none>");
        classes.remove(ShellKeys::RasExtension);
        classes.remove(ShellKeys::RasClass);
        classes.remove(cfgClass);
#endif
    }

    // The page's control gets the focus by Tab and is pressed by the key: a focused button takes Enter from OK.
    // "state" lists what the window shows afterwards: the Open folder, the leet box and file. (The Registry
    // Options buttons, clicked, are the shell tests'.)
    void pageControls_data()
    {
        Columns<QString, int, QString, int, QStringList>("before", "page", "control", "key", "state");  // before: a leet.ini text
        const int enter = Qt::Key_Return, space = Qt::Key_Space;
        const QStringList open{"window=1", "settings=0"};
        QTest::newRow("Enter on Browse browses") << "" << 0 << "cmdBrowse1" << enter << open + QStringList{"txtOpen=/picked"};
        QTest::newRow("Enter in a text box presses OK") << "" << 1 << "txtName" << enter << QStringList{"window=0", "settings=1"};
        QTest::newRow("Create file, Enter") << "" << 3 << "cmdCreate" << enter << open + QStringList{"txtLeet=a=4", "file=a=4"};
        QTest::newRow("Reload, Space: the file as it is now") << "a=1" << 3 << "cmdReload" << space << open + QStringList{"txtLeet=o=0", "file=o=0"};
        QTest::newRow("Save changes, Enter") << "a=1" << 3 << "cmdSave" << enter << open + QStringList{"txtLeet=q=7", "file=q=7"};
    }
    void pageControls()
    {
        auto [before, page, control, key, state] = Fetch<QString, int, QString, int, QStringList>("before", "page", "control", "key", "state");
        const QString leetPath = m_store.dir.filePath("leet.ini");
        QFile::remove(leetPath);
        if (before.contains(u'='))
            WriteFileBytes(leetPath, before.toLatin1());
        RecordingStore recorder(*m_store.store);
        FakePrompts prompts;
        prompts.folderAnswers = {QStringLiteral("/picked")};
        OptionsUnderTest options(recorder, leetPath, QString(), prompts, page);
        OptionsDialog &dialog = options.dialog;
        QWidget *target = options[control];
        QVERIFY(TabTo(dialog, target));
        auto *box = dialog.findChild<QPlainTextEdit *>("txtLeet");
        if (control == QLatin1String("cmdSave"))
            box->setPlainText(QStringLiteral("q=7"));
        if (control == QLatin1String("cmdReload"))
            WriteFileBytes(leetPath, "o=0\r\n");
        QTest::keyClick(target, Qt::Key(key));
        const QStringList shown{"window=" + QString::number(dialog.isVisible()),
                                "settings=" + QString::number(dialog.result() == QDialog::Accepted),
                                "txtLeet=" + box->toPlainText().section(u'\n', 0, 0),
                                "file=" + QString::fromLatin1(ReadFileBytes(leetPath)).section(u'\r', 0, 0),
                                "txtOpen=" + Named<QLineEdit>(dialog, "txtOpen")->text()};
        for (const QString &expected : state)
            QVERIFY2(shown.contains(expected), qPrintable(expected + " not in " + shown.join(u',')));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "tst_OptionsDialog.moc"
