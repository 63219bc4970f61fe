#include "TestStore.h"

#include "settings/RegistryOps.h"
#include "settings/Settings.h"

#include <QFile>
#include <QProcess>
#include <QTest>

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

struct LookupCase { bool classesRoot; QString key; QString name; QString readKey; QString readName; bool found; };

class RegistryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void lookups_data()
    {
        QTest::addColumn<LookupCase>("c");
        QTest::newRow("case ignored") << LookupCase{true, "RtCWAnimationScript\\shell\\open\\command", "",
            "rtcwanimationscript\\SHELL\\Open\\command", "", true};
        QTest::newRow("value name case ignored") << LookupCase{false, "Software/Marqueemaster", "Name",
            "software/marqueemaster", "NAME", true};
        QTest::newRow("slash is part of the name") << LookupCase{false, "Software/Marqueemaster", "Name",
            "Software\\Marqueemaster", "Name", false};
        QTest::newRow("not a subkey of Software") << LookupCase{false, "Software/Marqueemaster", "Name", "Software", "Name",
            false};
        QTest::newRow("default value is its own") << LookupCase{true, ".ras", "", ".ras", "prev_backup", false};
    }

    void lookups()
    {
        QFETCH(LookupCase, c);
        auto [classesRoot, key, name, readKey, readName, found] = c;
        TestStore t;
        const RegHive hive = classesRoot ? RegHive::ClassesRoot : RegHive::CurrentUser;
        const RegHive other = classesRoot ? RegHive::CurrentUser : RegHive::ClassesRoot;
        SetRegValue(*t.store, hive, key, name, "stored");
        QCOMPARE(GetRegValue(*t.store, hive, readKey, readName, "none"), found ? QString("stored") : QString("none"));
        QCOMPARE(GetRegValue(*t.store, other, key, name, "none"), QStringLiteral("none"));
    }

    void deleteKeyTakesSubkeys()
    {
        TestStore t;
        SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster", "", "Import");
        SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster\\command", "", "x %1");
        SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\open", "", "keep");
        DeleteRegKey(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\importmarqueemaster");
        DeleteRegKey(*t.store, RegHive::ClassesRoot, "no\\such\\key");
        t.reopen();
        QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster\\command", ""), QString());
        QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\open", ""), QStringLiteral("keep"));
    }

    void storedValuesReadBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << QByteArray(R"({"type":"REG_SZ","data":"Bob"})") << "Bob";
        QTest::newRow("ends at an embedded nul") << QByteArray(R"({"type":"REG_SZ","data":"Bob\u0000tail"})") << "Bob";
        QTest::newRow("expandable text reads as default") << QByteArray(R"({"type":"REG_EXPAND_SZ","data":"Bob"})") << "";
    }

    void storedValuesReadBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        TestStore t;
        QFile out(t.path());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(R"({"HKEY_CURRENT_USER":{"keys":[{"name":"Software/Marqueemaster","values":[)"
                  + file.replace("{", "{\"name\":\"Name\",") + "]}]}}");
        out.close();
        t.reopen();
        QCOMPARE(LoadSettings(*t.store).name, name);
        SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Clantag", QString::fromUtf8("[\u00c4X]"));
        t.reopen();
        QCOMPARE(LoadSettings(*t.store).clanTag, QString::fromUtf8("[\u00c4X]"));
    }

    void unreadableFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("broken json") << QByteArray("{\"HKEY_CURRENT_USER\": [");
        QTest::newRow("not an object") << QByteArray("[1,2,3]");
        QTest::newRow("deep nesting") << QByteArray(5000, '[');
    }

    void unreadableFileIsKeptAside()
    {
        QFETCH(QByteArray, content);
        TestStore t;
        QFile file(t.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        t.reopen();
        QVERIFY(!t.store->loadError().isEmpty());
        QVERIFY(LoadSettings(*t.store).name.isEmpty());
        SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", "Bob");
        QFile aside(t.path() + ".unreadable");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        t.reopen();
        QCOMPARE(LoadSettings(*t.store).name, QStringLiteral("Bob"));
    }

    // "1" turns a flag on; "0", other text or nothing leaves it off.
    void settingsFlags()
    {
        TestStore t, empty;
        for (const char *name : {"Reverse", "EditItem", "MultiSelect"})
            SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, name, "1");
        const Settings on = LoadSettings(*t.store);
        QVERIFY(on.reverse && on.editItem && on.multiSelect);
        SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Reverse", "0");
        SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "EditItem", "true");
        const Settings off = LoadSettings(*t.store), missing = LoadSettings(*empty.store);
        QVERIFY(!off.reverse && !off.editItem && !missing.reverse && !missing.editItem && !missing.multiSelect);
        QVERIFY(missing.openDir.isEmpty() && missing.saveDir.isEmpty() && missing.generateDir.isEmpty());
    }

    void twoCopiesKeepEachOthersValues_data()
    {
        QTest::addColumn<int>("processes");  // other programs writing at the same time; 0: a second store object
        QTest::addColumn<int>("count");      // values each of them writes
        QTest::newRow("two store objects on one file") << 0 << 1;
        QTest::newRow("another program, then this one") << 1 << 1;
        QTest::newRow("three programs at once") << 2 << 50;
    }

    void twoCopiesKeepEachOthersValues()
    {
        QFETCH(int, processes);
        QFETCH(int, count);
        TestStore t;
        QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Other0_0"), QString());  // this copy has read the file
        std::vector<std::unique_ptr<QProcess>> others;
        for (int i = 0; i < processes; ++i) {
            others.emplace_back(std::make_unique<QProcess>());
            others.back()->start(QCoreApplication::applicationFilePath(),
                                 {"--set", t.path(), QStringLiteral("Other%1_").arg(i), QString::number(count)});
        }
        if (processes == 0)
            QCOMPARE(SetValuesAsAnotherProgram(t.path(), "Other0_", count), 0);
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
                for (int writer = 0; writer < qMax(processes, 1); ++writer) {
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
