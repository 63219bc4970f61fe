#include "TestStore.h"
#include "settings/RegistryOps.h"
#include "settings/ShellIntegration.h"

#include <QFile>
#include <QTest>

namespace {

const QString Command = QStringLiteral("/opt/marquee/marqueemaster %1");

QString defaultOf(const RegistryStore &store, const QString &key)
{
    return GetRegValue(store, RegHive::ClassesRoot, key, QString());
}

bool hasValue(const RegistryStore &store, const QString &key, const QString &name)
{
    return store.value(RegHive::ClassesRoot, key, name).has_value();
}

QByteArray storeBytes(const TestStore &store)
{
    QFile file(store.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

class ShellIntegrationTest : public QObject {
    Q_OBJECT
private slots:
    void windowsProgramCommand_data();
    void windowsProgramCommand();
    void programCommandHere();

    void associationStatus_data();
    void associationStatus();
    void associationRoundTrip_data();
    void associationRoundTrip();
    void associateTwiceKeepsBackup();
    void staleBackupIsReplaced();
    void restoreChangesNothingUnlessAssociated_data();
    void restoreChangesNothingUnlessAssociated();

    void contextMenuRoundTrip_data();
    void contextMenuRoundTrip();
    void contextMenuWithoutCfgClassChangesNothing();
    void contextMenuCaptionDecidesStatus();
};

void ShellIntegrationTest::windowsProgramCommand_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("command");
    QTest::newRow("folder") << "C:\\Games\\Marquee\\marqueemaster.exe" << "C:\\Games\\Marquee\\marqueemaster.exe %1";
    QTest::newRow("Qt's forward slashes") << "C:/Games/Marquee/marqueemaster.exe"
                                          << "C:\\Games\\Marquee\\marqueemaster.exe %1";
    QTest::newRow("drive root: no doubled backslash") << "C:\\marqueemaster.exe" << "C:\\marqueemaster.exe %1";
    QTest::newRow("blanks get no quotes") << "C:\\Program Files\\Mm\\mm.exe" << "C:\\Program Files\\Mm\\mm.exe %1";
    QTest::newRow("dots in names") << "D:\\v0.6\\marquee.v2.EXE" << "D:\\v0.6\\marquee.v2.exe %1";
    QTest::newRow("network share") << "\\\\server\\games\\mm.exe" << "\\\\server\\games\\mm.exe %1";
}

void ShellIntegrationTest::windowsProgramCommand()
{
    QFETCH(QString, executable);
    QFETCH(QString, command);
    QCOMPARE(WindowsProgramCommand(executable), command);
}

void ShellIntegrationTest::programCommandHere()
{
#ifdef Q_OS_WIN
    QCOMPARE(ProgramCommand(QStringLiteral("C:/Games/mm.exe")), QStringLiteral("C:\\Games\\mm.exe %1"));
#else
    // Programs here have no ".exe": the executable's own path.
    QCOMPARE(ProgramCommand(QStringLiteral("/opt/marquee/marqueemaster")), QStringLiteral("/opt/marquee/marqueemaster %1"));
    QCOMPARE(ProgramCommand(QStringLiteral("/marqueemaster")), QStringLiteral("/marqueemaster %1"));
#endif
}

void ShellIntegrationTest::associationStatus_data()
{
    QTest::addColumn<QString>("rasClass");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("canAssociate");
    QTest::addColumn<bool>("canRestore");
    QTest::addColumn<bool>("associated");
    QTest::newRow("no .ras") << "" << "[Not associated yet]" << true << false << false;
    QTest::newRow("other program") << "OtherApp.Document" << "Associated with [other program]" << true << true << false;
    QTest::newRow("same letters, other case") << "rtcwanimationscript" << "Associated with [other program]" << true
                                              << true << false;
    QTest::newRow("program's class") << "RtcwAnimationScript" << "Associated with Marqueemaster" << false << true
                                     << true;
    QTest::newRow("class spelled like the command key") << "RtCWAnimationScript" << "Associated with [other program]"
                                                        << true << true << false;
}

void ShellIntegrationTest::associationStatus()
{
    QFETCH(QString, rasClass);
    QFETCH(QString, text);
    QFETCH(bool, canAssociate);
    QFETCH(bool, canRestore);
    QFETCH(bool, associated);
    TestStore store;
    if (!rasClass.isEmpty())
        SetRegValue(*store.store, RegHive::ClassesRoot, ShellKeys::RasExtension, QString(), rasClass);
    const AssociationStatus status = ReadAssociationStatus(*store.store);
    QCOMPARE(status.text, text);
    QCOMPARE(status.canAssociate, canAssociate);
    QCOMPARE(status.canRestore, canRestore);
    QCOMPARE(status.IsAssociated, associated);
}

void ShellIntegrationTest::associationRoundTrip_data()
{
    QTest::addColumn<QString>("previous");
    QTest::newRow("not associated before") << "";
    QTest::newRow("another program before") << "OtherApp.Document";
    QTest::newRow("other case counts as another program") << "rtcwanimationscript";
}

void ShellIntegrationTest::associationRoundTrip()
{
    QFETCH(QString, previous);
    TestStore store;
    RegistryStore &registry = *store.store;
    if (!previous.isEmpty())
        SetRegValue(registry, RegHive::ClassesRoot, ShellKeys::RasExtension, QString(), previous);
    const AssociationStatus before = ReadAssociationStatus(registry);

    AssociateRasFiles(registry, Command);
    const AssociationStatus associated = ReadAssociationStatus(registry);
    QCOMPARE(associated.text, QStringLiteral("Associated with Marqueemaster"));
    QVERIFY(!associated.canAssociate);
    QCOMPARE(defaultOf(registry, QStringLiteral(".ras")), QStringLiteral("RtcwAnimationScript"));
    QCOMPARE(defaultOf(registry, QStringLiteral("RtcwAnimationScript\\shell\\open\\command")), Command);
    QCOMPARE(hasValue(registry, QStringLiteral(".ras"), QStringLiteral("prev_backup")), !previous.isEmpty());
    if (!previous.isEmpty())
        QCOMPARE(GetRegValue(registry, RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup")),
                 previous);

    // What the next run of the program finds.
    store.reopen();
    RestoreRasAssociation(*store.store);
    const AssociationStatus after = ReadAssociationStatus(*store.store);
    QCOMPARE(after.text, before.text);
    QCOMPARE(after.canRestore, before.canRestore);
    QCOMPARE(defaultOf(*store.store, QStringLiteral(".ras")), previous);
    // Without a backup the whole key goes; with one the backup stays.
    QCOMPARE(hasValue(*store.store, QStringLiteral(".ras"), QStringLiteral("prev_backup")), !previous.isEmpty());
    QCOMPARE(hasValue(*store.store, QStringLiteral(".ras"), QString()), !previous.isEmpty());
    QCOMPARE(defaultOf(*store.store, QStringLiteral("RtCWAnimationScript\\shell\\open\\command")), Command);
}

void ShellIntegrationTest::associateTwiceKeepsBackup()
{
    TestStore store;
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString(), QStringLiteral("Other"));
    AssociateRasFiles(*store.store, Command);
    AssociateRasFiles(*store.store, QStringLiteral("elsewhere %1"));
    QCOMPARE(GetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup")),
             QStringLiteral("Other"));
    QCOMPARE(defaultOf(*store.store, ShellKeys::RasCommandKey), Command);
    RestoreRasAssociation(*store.store);
    QCOMPARE(defaultOf(*store.store, QStringLiteral(".ras")), QStringLiteral("Other"));
}

void ShellIntegrationTest::staleBackupIsReplaced()
{
    TestStore store;
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup"),
                QStringLiteral("Older"));
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString(), QStringLiteral("Newer"));
    AssociateRasFiles(*store.store, Command);
    RestoreRasAssociation(*store.store);
    QCOMPARE(defaultOf(*store.store, QStringLiteral(".ras")), QStringLiteral("Newer"));
}

void ShellIntegrationTest::restoreChangesNothingUnlessAssociated_data()
{
    QTest::addColumn<QString>("rasClass");
    QTest::newRow("not associated") << "";
    QTest::newRow("other program") << "OtherApp.Document";
}

void ShellIntegrationTest::restoreChangesNothingUnlessAssociated()
{
    QFETCH(QString, rasClass);
    TestStore store;
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup"),
                QStringLiteral("Backup"));
    if (!rasClass.isEmpty())
        SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString(), rasClass);
    const QByteArray before = storeBytes(store);
    RestoreRasAssociation(*store.store);
    QCOMPARE(storeBytes(store), before);
}

void ShellIntegrationTest::contextMenuRoundTrip_data()
{
    QTest::addColumn<QString>("cfgClass");
    QTest::newRow("plain class") << "cfgfile";
    QTest::newRow("class with dots and capitals") << "RtCW.Config.1";
}

void ShellIntegrationTest::contextMenuRoundTrip()
{
    QFETCH(QString, cfgClass);
    TestStore store;
    RegistryStore &registry = *store.store;
    SetRegValue(registry, RegHive::ClassesRoot, QStringLiteral(".cfg"), QString(), cfgClass);
    SetRegValue(registry, RegHive::ClassesRoot, cfgClass + QStringLiteral("\\shell\\open\\command"), QString(),
                QStringLiteral("notepad %1"));

    ContextMenuStatus status = ReadContextMenuStatus(registry);
    QCOMPARE(status.cfgClass, cfgClass);
    QVERIFY(!status.present && status.canAdd && !status.canRemove);

    AddContextMenuEntry(registry, Command);
    status = ReadContextMenuStatus(registry);
    QVERIFY(status.present && !status.canAdd && status.canRemove);
    QCOMPARE(defaultOf(registry, cfgClass + QStringLiteral("\\shell\\ImportMarqueemaster")),
             QStringLiteral("Import script in &Marqueemaster"));
    QCOMPARE(defaultOf(registry, cfgClass + QStringLiteral("\\shell\\ImportMarqueemaster\\command")), Command);

    store.reopen();
    RemoveContextMenuEntry(*store.store);
    status = ReadContextMenuStatus(*store.store);
    QVERIFY(!status.present && status.canAdd && !status.canRemove);
    QVERIFY(!hasValue(*store.store, cfgClass + QStringLiteral("\\shell\\ImportMarqueemaster\\command"), QString()));
    // The class's other verbs stay.
    QCOMPARE(defaultOf(*store.store, cfgClass + QStringLiteral("\\shell\\open\\command")), QStringLiteral("notepad %1"));
}

void ShellIntegrationTest::contextMenuWithoutCfgClassChangesNothing()
{
    TestStore store;
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".cfg"), QStringLiteral("Content Type"),
                QStringLiteral("text/plain"));
    const QByteArray before = storeBytes(store);
    AddContextMenuEntry(*store.store, Command);
    QCOMPARE(storeBytes(store), before);
    QVERIFY(!ReadContextMenuStatus(*store.store).present);
    RemoveContextMenuEntry(*store.store);
    QCOMPARE(storeBytes(store), before);
}

void ShellIntegrationTest::contextMenuCaptionDecidesStatus()
{
    TestStore store;
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral(".cfg"), QString(), QStringLiteral("cfgfile"));
    // A command without a caption is no entry.
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral("cfgfile\\shell\\ImportMarqueemaster\\command"),
                QString(), Command);
    QVERIFY(!ReadContextMenuStatus(*store.store).present);
    SetRegValue(*store.store, RegHive::ClassesRoot, QStringLiteral("CFGFILE\\SHELL\\importmarqueemaster"), QString(),
                QStringLiteral("x"));
    QVERIFY(ReadContextMenuStatus(*store.store).present);
}

QTEST_MAIN(ShellIntegrationTest)
#include "tst_ShellIntegration.moc"
