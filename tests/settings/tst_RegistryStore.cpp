#include "TestStore.h"

#include "settings/RegistryOps.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTest>

class RegistryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void keysAndValuesIgnoreCase();
    void slashIsPartOfTheKeyName();
    void defaultValueHasEmptyName();
    void deleteKeyTakesSubkeys();
    void valuesSurviveReopening();
    void nonTextValueReadsAsDefault();
    void textEndsAtEmbeddedNul();
    void unreadableFileIsKeptAside_data();
    void unreadableFileIsKeptAside();
    void settingsDefaultsAndFlags_data();
    void settingsDefaultsAndFlags();
    void hivesAreSeparate();
};

void RegistryStoreTest::keysAndValuesIgnoreCase()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::ClassesRoot, "RtCWAnimationScript\\shell\\open\\command", "", "prog %1");
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "rtcwanimationscript\\SHELL\\Open\\command", ""),
             QStringLiteral("prog %1"));
    SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", "Bob");
    QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, "software/marqueemaster", "NAME"), QStringLiteral("Bob"));
}

void RegistryStoreTest::slashIsPartOfTheKeyName()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::CurrentUser, "Software/Marqueemaster", "Name", "Bob");
    QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, "Software\\Marqueemaster", "Name", "none"),
             QStringLiteral("none"));
    QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, "Software", "Name", "none"), QStringLiteral("none"));
}

void RegistryStoreTest::defaultValueHasEmptyName()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::ClassesRoot, ".ras", "", "RtcwAnimationScript");
    SetRegValue(*t.store, RegHive::ClassesRoot, ".ras", "prev_backup", "Other");
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, ".ras", ""), QStringLiteral("RtcwAnimationScript"));
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, ".ras", "prev_backup"), QStringLiteral("Other"));
}

void RegistryStoreTest::deleteKeyTakesSubkeys()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster", "", "Import");
    SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster\\command", "", "x %1");
    SetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\open", "", "keep");
    DeleteRegKey(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\importmarqueemaster");
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster\\command", ""), QString());
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\ImportMarqueemaster", ""), QString());
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "cfgfile\\shell\\open", ""), QStringLiteral("keep"));
    DeleteRegKey(*t.store, RegHive::ClassesRoot, "no\\such\\key");  // never fails loudly
}

void RegistryStoreTest::valuesSurviveReopening()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Clantag", QString::fromUtf8("[\u00c4X]"));
    t.reopen();
    QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Clantag"), QString::fromUtf8("[\u00c4X]"));
    QVERIFY(t.store->loadError().isEmpty());
}

void RegistryStoreTest::nonTextValueReadsAsDefault()
{
    TestStore t;
    QFile file(t.path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"HKEY_CURRENT_USER":{"keys":[{"name":"Software/Marqueemaster","values":[
        {"name":"EditItem","type":"REG_DWORD","data":"1"},
        {"name":"Name","type":"REG_EXPAND_SZ","data":"Bob"}]}]}})");
    file.close();
    t.reopen();
    QCOMPARE(GetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", "dflt"), QStringLiteral("dflt"));
    const Settings settings = LoadSettings(*t.store);
    QVERIFY(!settings.editItem);
    QVERIFY(settings.name.isEmpty());
}

void RegistryStoreTest::textEndsAtEmbeddedNul()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", QStringLiteral("Bob") + QChar(0) + "tail");
    t.reopen();
    QCOMPARE(LoadSettings(*t.store).name, QStringLiteral("Bob"));
}

void RegistryStoreTest::unreadableFileIsKeptAside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("broken json") << QByteArray("{\"HKEY_CURRENT_USER\": [");
    QTest::newRow("not an object") << QByteArray("[1,2,3]");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage", 12);
    QTest::newRow("deep nesting") << QByteArray(5000, '[');
}

void RegistryStoreTest::unreadableFileIsKeptAside()
{
    QFETCH(QByteArray, content);
    TestStore t;
    QFile file(t.path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    t.reopen();
    QVERIFY(!t.store->loadError().isEmpty());
    const Settings settings = LoadSettings(*t.store);
    QVERIFY(settings.name.isEmpty() && !settings.multiSelect);
    SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, "Name", "Bob");
    QFile aside(t.path() + ".unreadable");
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), content);
    t.reopen();
    QVERIFY(t.store->loadError().isEmpty());
    QCOMPARE(LoadSettings(*t.store).name, QStringLiteral("Bob"));
}

void RegistryStoreTest::settingsDefaultsAndFlags_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("one") << "1" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("minus one") << "-1" << false;
    QTest::newRow("one with blank") << "1 " << false;
    QTest::newRow("missing") << QString() << false;
}

void RegistryStoreTest::settingsDefaultsAndFlags()
{
    QFETCH(QString, stored);
    QFETCH(bool, on);
    TestStore t;
    const Settings first = LoadSettings(*t.store);
    QVERIFY(first.openDir.isEmpty() && first.saveDir.isEmpty() && first.generateDir.isEmpty());
    QVERIFY(!first.reverse && !first.editItem && !first.multiSelect);
    if (!stored.isNull()) {
        for (const char *name : {"Reverse", "EditItem", "MultiSelect"})
            SetRegValue(*t.store, RegHive::CurrentUser, SettingsKey, name, stored);
    }
    const Settings settings = LoadSettings(*t.store);
    QCOMPARE(settings.reverse, on);
    QCOMPARE(settings.editItem, on);
    QCOMPARE(settings.multiSelect, on);
}

void RegistryStoreTest::hivesAreSeparate()
{
    TestStore t;
    SetRegValue(*t.store, RegHive::CurrentUser, "Key", "v", "user");
    QCOMPARE(GetRegValue(*t.store, RegHive::ClassesRoot, "Key", "v"), QString());
}

QTEST_MAIN(RegistryStoreTest)
#include "tst_RegistryStore.moc"
