#include "FileFixtures.h"
#include "TestStore.h"
#include "UnderWine.h"

#include "app/RecentFiles.h"
#include "platform/TextFile.h"

#include "platform/WinRegistryStore.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// A second running copy of the program: sets "<who>0" ... "<who>N-1" in the store file.
int SetValuesAsAnotherProgram(const QString &path, const QString &who, int count)
{
    JsonRegistryStore store(path);
    for (int i = 0; i < count; ++i) {
        if (!store.setValue(RegHive::CurrentUser, SettingsKey, who + QString::number(i), who))
            return 1;
    }
    return 0;
}

} // namespace

struct LookupCase { bool classesRoot; QString key; QString name; QString readKey; QString readName; bool found; QString text; };

// Keys go under prefix, so a store that is the user's own is left as it was found.
void checkLookup(RegistryStore &store, const LookupCase &c, const QString &prefix)
{
    const RegHive hive = c.classesRoot ? RegHive::ClassesRoot : RegHive::CurrentUser;
    const RegHive other = c.classesRoot ? RegHive::CurrentUser : RegHive::ClassesRoot;
    SetRegValue(store, hive, prefix + c.key, c.name, c.text);
    // The text comes back as given (the registry's terminating NUL is no part of it): written back, nothing changes.
    for (int write = 0; write < 2; ++write) {
        const std::optional<RegValue> read = store.value(hive, prefix + c.key, c.name);
        QVERIFY(read && read->isText);
        QCOMPARE(read->text, c.text);
        QVERIFY(store.setValue(hive, prefix + c.key, c.name, read->text));
    }
    QCOMPARE(GetRegValue(store, hive, prefix + c.readKey, c.readName, "none"), c.found ? c.text : QString("none"));
    QCOMPARE(GetRegValue(store, other, prefix + c.key, c.name, "none"), QStringLiteral("none"));
    // Deleted by the names it is read by, the value goes and its key stays.
    QCOMPARE(store.deleteValue(hive, prefix + c.readKey, c.readName), c.found);
    QCOMPARE(GetRegValue(store, hive, prefix + c.key, c.name, "none"), c.found ? QString("none") : c.text);
    QVERIFY(store.keyExists(hive, prefix + c.key));
    QVERIFY(!store.keyExists(other, prefix + c.key));
    SetRegValue(store, hive, prefix + c.key, c.name, c.text);
}

class RegistryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void lookups_data()
    {
        QTest::addColumn<LookupCase>("c");
        // A path under a profile named in letters no one code page has.
        QTest::newRow("case ignored, a path") << LookupCase{true, "RtCWAnimationScript\\shell\\open\\command", "",
            "rtcwanimationscript\\SHELL\\Open\\command", "", true, "C:\\Users\\\u0418\u0432\u0430\u043d\\\u010capek.ras"};
        QTest::newRow("value name case ignored, accented")
            << LookupCase{false, "Software/Marqueemaster", "Name", "software/marqueemaster", "NAME", true, "J\u00e9r\u00f4me.ras"};
        QTest::newRow("slash is part of the name, long")
            << LookupCase{false, "Software/Marqueemaster", "Name", "Software\\Marqueemaster", "Name", false, QString(2000, u'x')};
        QTest::newRow("default value is its own, empty") << LookupCase{true, ".ras", "", ".ras", "prev_backup", false, ""};
    }

    void lookups()
    {
        QFETCH(LookupCase, c);
        TestStore t;
        checkLookup(*t.store, c, QString());
#ifdef Q_OS_WIN
        // The same in the real registry, under a key of the test's own; the classes a user writes are the
        // user's own, which need no administrator.
        WinRegistryStore system;
        const QString scratch = QStringLiteral("MarqueemasterTest%1\\").arg(QCoreApplication::applicationPid());
        checkLookup(system, c, scratch);
        const QString written = (c.classesRoot ? QStringLiteral("Software\\Classes\\") : QString()) + scratch + c.key;
        QCOMPARE(GetRegValue(system, RegHive::CurrentUser, written, c.name, "none"), c.text);
        QVERIFY(system.deleteKey(RegHive::CurrentUser, scratch) || system.deleteKey(RegHive::ClassesRoot, scratch));
        QCOMPARE(GetRegValue(system, c.classesRoot ? RegHive::ClassesRoot : RegHive::CurrentUser, scratch + c.key, c.name, "none"), "none");
#endif
    }

    // Open Recent as the next start reads it: each file once, at the top, and there to open.
    void recentFilesReadBack()
    {
        QTemporaryDir dir;
        const QString plain = QDir::toNativeSeparators(dir.filePath("plain.ras"));
        const QString other = QDir::toNativeSeparators(dir.filePath("other one.ras"));
        QVERIFY(WriteFileBytes(plain, "#v050#\r\n") && WriteFileBytes(other, "#v050#\r\n"));
        const auto check = [&](RegistryStore &store) {
            RecentFiles::clear(store);
            RecentFiles::add(store, plain);
            RecentFiles::add(store, other);
            RecentFiles::add(store, plain);  // opened again
            const QStringList recent = RecentFiles::load(store);
            QCOMPARE(recent, (QStringList{QDir::fromNativeSeparators(plain), QDir::fromNativeSeparators(other)}));
            QVERIFY(FileExists(recent.first()));
            // The same file, its name in capitals: on Windows, where names ignore case, it is listed once.
            RecentFiles::add(store, QDir::toNativeSeparators(dir.filePath("PLAIN.RAS")));
#ifdef Q_OS_WIN
            QCOMPARE(RecentFiles::load(store).size(), 2);
#else
            QCOMPARE(RecentFiles::load(store).size(), 3);
#endif
            RecentFiles::clear(store);
        };
        TestStore t;
        check(*t.store);
#ifdef Q_OS_WIN
        if (UnderWine()) {  // the program's own registry settings, in Wine's registry of this test run
            WinRegistryStore system;
            check(system);
        }
#endif
    }

    // The store file as found: values read back, or an unreadable file kept aside and started afresh.
    void storeFile_data()
    {
        Columns<QByteArray, QString>("file", "name");  // name: "<unreadable>": the file is put aside
        const auto name = [](const QByteArray &value) {
            return R"({"HKEY_CURRENT_USER":{"keys":[{"name":"Software/Marqueemaster","values":[{"name":"Name",)" + value + "}]}]}}";
        };
        QTest::newRow("text") << name(R"("type":"REG_SZ","data":"Bob")") << "Bob";
        QTest::newRow("ends at an embedded nul") << name(R"("type":"REG_SZ","data":"Bob\u0000tail")") << "Bob";
        QTest::newRow("expandable text reads as default") << name(R"("type":"REG_EXPAND_SZ","data":"Bob")") << "";
        QTest::newRow("broken json") << QByteArray("{\"HKEY_CURRENT_USER\": [") << "<unreadable>";
        QTest::newRow("not an object") << QByteArray("[1,2,3]") << "<unreadable>";
        QTest::newRow("deep nesting") << QByteArray(5000, '[') << "<unreadable>";
    }
    // Every setting is stored under the name and in the form earlier versions read, and read back as written.
    void settingsAsStored()
    {
        const Settings chosen{.openDir = "/o d", .saveDir = "/s", .generateDir = "/g", .name = "^1N\u00e4me",
                              .clanTag = "[C]", .reverse = true, .editItem = true, .multiSelect = true,
                              .frameRate = 333, .partLimit = 4096, .showColors = true, .wizardStyle = 1,
                              .game = Game::EtLegacy, .gameSpeed = true, .showCodes = false,
                              .windowGeometry = "\x01\xff geometry"};
        TestStore t;
        using V = SettingsValue;
        const QList<V> all{V::OpenDir, V::SaveDir, V::GenerateDir, V::Name, V::ClanTag, V::Reverse, V::EditItem,
                           V::MultiSelect, V::FrameRate, V::Game, V::PartLimit, V::ShowColors, V::ShowCodes,
                           V::WizardStyle, V::GameSpeed, V::WindowGeometry};
        QVERIFY(SaveChangedSettings(*t.store, Settings(), chosen, all));
        const QStringList stored{"OpenDir=/o d", "SaveDir=/s", "GenerateDir=/g", "Name=^1N\u00e4me", "Clantag=[C]",
                                 "Reverse=1", "EditItem=1", "MultiSelect=1", "FrameRate=333", "Game=etlegacy",
                                 "PartLimit=4096", "ShowColors=1", "ShowCodes=0", "WizardStyle=1", "PlayAtGameSpeed=1",
                                 "WindowGeometry=Af8gZ2VvbWV0cnk="};
        for (const QString &value : stored)
            QCOMPARE(value.section('=', 0, 0) + '=' + GetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, value.section('=', 0, 0)), value);
        t.reopen();
        const Settings read = LoadSettings(*t.store);
        for (const V value : all)
            QCOMPARE(StoredText(read, value), StoredText(chosen, value));
    }

    void storeFile()
    {
        auto [file, name] = Fetch<QByteArray, QString>("file", "name");
        const bool unreadable = name == QLatin1String("<unreadable>");
        TestStore t;
        QVERIFY(WriteFileBytes(t.path(), file));
        t.reopen();
        QCOMPARE(t.store->loadError().isEmpty(), !unreadable);
        QCOMPARE(LoadSettings(*t.store).name, unreadable ? QString() : name);
        SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Clantag", QString::fromUtf8("[\u00c4X]"));
        QCOMPARE(ReadFileBytes(t.path() + ".unreadable"), unreadable ? file : QByteArray("<missing>"));
        t.reopen();
        QCOMPARE(LoadSettings(*t.store).clanTag, QString::fromUtf8("[\u00c4X]"));
        if (unreadable) {  // a second unreadable file is kept beside the first, never over it
            QVERIFY(WriteFileBytes(t.path(), "broken again"));
            SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", "x");
            QCOMPARE(ReadFileBytes(t.path() + ".unreadable"), file);
            QCOMPARE(ReadFileBytes(t.path() + ".unreadable-2"), QByteArray("broken again"));
        }
    }

    void twoCopiesKeepEachOthersValues_data()
    {
        // processes: other programs writing at the same time; count: values each of them writes
        Columns<int, int>("processes", "count");
        QTest::newRow("another program, then this one") << 1 << 1;
        QTest::newRow("three programs at once") << 2 << 50;
    }

    void twoCopiesKeepEachOthersValues()
    {
        auto [processes, count] = Fetch<int, int>("processes", "count");
        TestStore t;
        QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Other0_0"), QString());  // this copy has read the file
        std::vector<std::unique_ptr<QProcess>> others;
        for (int i = 0; i < processes; ++i) {
            others.emplace_back(std::make_unique<QProcess>());
            others.back()->start(QCoreApplication::applicationFilePath(),
                                 {"--set", t.path(), QStringLiteral("Other%1_").arg(i), QString::number(count)});
        }
        if (processes == 1)
            QVERIFY(others.front()->waitForFinished(60000));
        for (int i = 0; i < count; ++i)
            QVERIFY(t.store->setValue(RegHive::CurrentUser, SettingsKey, "This" + QString::number(i), "this"));
        for (const auto &other : others) {
            QVERIFY(other->state() == QProcess::NotRunning || other->waitForFinished(60000));
            QCOMPARE(other->exitCode(), 0);
        }
        JsonRegistryStore fresh(t.path());
        for (const JsonRegistryStore *store : {t.store.get(), &fresh}) {
            for (int i = 0; i < count; ++i) {
                QCOMPARE(GetRegValue(*store, RegHive::CurrentUser, SettingsKey, "This" + QString::number(i)), QStringLiteral("this"));
                for (int writer = 0; writer < processes; ++writer) {
                    const QString who = QStringLiteral("Other%1_").arg(writer);
                    QCOMPARE(GetRegValue(*store, RegHive::CurrentUser, SettingsKey, who + QString::number(i)), who);
                }
            }
        }
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("--set"))
        return SetValuesAsAnotherProgram(arguments.value(2), arguments.value(3), arguments.value(4).toInt());
    RegistryStoreTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_RegistryStore.moc"
