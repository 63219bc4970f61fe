#include "FakePrompts.h"
#include "TestStore.h"
#include "platform/TextFile.h"
#include "settings/OptionsDialog.h"
#include "settings/RegistryOps.h"
#include "settings/Settings.h"
#include "settings/ShellIntegration.h"
#include "transforms/LeetTable.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

// Passes everything to a temporary store and notes each write in order.
class RecordingStore final : public RegistryStore {
public:
    explicit RecordingStore(RegistryStore &inner) : m_inner(inner) {}
    std::optional<RegValue> value(RegHive hive, const QString &key, const QString &name) const override
    {
        return m_inner.value(hive, key, name);
    }
    bool setValue(RegHive hive, const QString &key, const QString &name, const QString &text) override
    {
        writes << QStringLiteral("%1|%2|%3=%4").arg(int(hive)).arg(key, name, text);
        return m_inner.setValue(hive, key, name, text);
    }
    bool deleteKey(RegHive hive, const QString &key) override
    {
        writes << QStringLiteral("delete %1|%2").arg(int(hive)).arg(key);
        return m_inner.deleteKey(hive, key);
    }
    QStringList writes;

private:
    RegistryStore &m_inner;
};

const QStringList SettingNames = {"OpenDir", "SaveDir", "GenerateDir", "Name", "Clantag",
                                  "Reverse", "EditItem", "MultiSelect"};

QString setting(const RegistryStore &store, const QString &name)
{
    return GetRegValue(store, RegHive::CurrentUser, SettingsKey, name);
}

// On the box's tick mark, which takes the click whatever width the layout gave the box.
void tick(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithStoredValues_data();
    void opensWithStoredValues();
    void okWritesAllEightValuesInOrder();
    void okAfterEdits();
    void cancelWritesNothing();
    void browseButtons_data();
    void browseButtons();
    void tabsShowTheirPage_data();
    void tabsShowTheirPage();

    void missingLeetFileOnOpening();
    void loadedLeetTableIsNotReadAgain();
    void createSaveAndReloadButtons();
    void failedLeetSaveKeepsTable();

    void associationButtons();
    void contextMenuButtons();

private:
    OptionsDialog *openDialog();
    template <typename T>
    T *child(const char *name)
    {
        T *widget = m_dialog->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning("no child %s", name);
        return widget;
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<RecordingStore> m_recorder;
    QTemporaryDir m_dir;
    QString m_leetPath;
    LeetTable m_leet;
    FakePrompts m_prompts;
    int m_saved = 0;
    QStringList m_writesWhenSaved;
    OptionsDialog *m_dialog = nullptr;
};

void OptionsDialogTest::init()
{
    m_store = std::make_unique<TestStore>();
    m_recorder = std::make_unique<RecordingStore>(*m_store->store);
    m_leetPath = m_dir.filePath(QStringLiteral("leet.ini"));
    QFile::remove(m_leetPath);
    QVERIFY(WriteTextFile(m_leetPath, QStringLiteral("a=4\r\ne=3\r\n")).ok);
    m_leet = LeetTable();
    m_prompts.clear();
    m_saved = 0;
    m_writesWhenSaved.clear();
}

void OptionsDialogTest::cleanup()
{
    delete m_dialog;
    m_dialog = nullptr;
}

OptionsDialog *OptionsDialogTest::openDialog()
{
    delete m_dialog;
    m_dialog = new OptionsDialog(*m_recorder, m_leet, m_leetPath, QStringLiteral("/opt/marquee/marqueemaster"),
                                 m_prompts, [this] {
                                     ++m_saved;
                                     m_writesWhenSaved = m_recorder->writes;
                                 });
    m_dialog->show();
    return m_dialog;
}

void OptionsDialogTest::opensWithStoredValues_data()
{
    QTest::addColumn<QStringList>("stored");  // values in SettingNames order; "-" = missing
    QTest::addColumn<QStringList>("shown");   // texts of the five fields, then the three boxes
    QTest::newRow("first run") << QStringList{"-", "-", "-", "-", "-", "-", "-", "-"}
                               << QStringList{"", "", "", "", "", "0", "0", "0"};
    QTest::newRow("everything set") << QStringList{"/o", "/s", "/g", "^1Name", "[C]", "1", "1", "1"}
                                    << QStringList{"/o", "/s", "/g", "^1Name", "[C]", "1", "1", "1"};
    QTest::newRow("flags only as 1") << QStringList{"-", "-", "-", "-", "-", "true", "-1", " 1"}
                                     << QStringList{"", "", "", "", "", "0", "0", "0"};
    QTest::newRow("mixed flags") << QStringList{"-", "-", "-", "N", "-", "0", "1", "0"}
                                 << QStringList{"", "", "", "N", "", "0", "1", "0"};
}

void OptionsDialogTest::opensWithStoredValues()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    for (int i = 0; i < SettingNames.size(); ++i) {
        if (stored[i] != QLatin1String("-"))
            SetRegValue(*m_store->store, RegHive::CurrentUser, SettingsKey, SettingNames[i], stored[i]);
    }
    openDialog();
    const QStringList fields = {"txtOpen", "txtSave", "txtScriptSave", "txtName", "txtClan"};
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(child<QLineEdit>(fields[i].toLatin1())->text(), shown[i]);
    QCOMPARE(FlagText(child<QCheckBox>("chkReverse")->isChecked()), shown[5]);
    QCOMPARE(FlagText(child<QCheckBox>("chkEditItem")->isChecked()), shown[6]);
    QCOMPARE(FlagText(child<QCheckBox>("chkMultiSelect")->isChecked()), shown[7]);
    for (const char *name : {"txtOpen", "txtSave", "txtScriptSave"})
        QVERIFY(child<QLineEdit>(name)->isReadOnly());
}

void OptionsDialogTest::okWritesAllEightValuesInOrder()
{
    openDialog();
    QVERIFY(m_recorder->writes.isEmpty());
    QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);

    const QString prefix = QStringLiteral("0|Software/Marqueemaster|");
    QCOMPARE(m_recorder->writes,
             QStringList({prefix + "EditItem=0", prefix + "MultiSelect=0", prefix + "Name=", prefix + "Clantag=",
                          prefix + "Reverse=0", prefix + "OpenDir=", prefix + "SaveDir=", prefix + "GenerateDir="}));
    // Settings are read back only after every value is written.
    QCOMPARE(m_saved, 1);
    QCOMPARE(m_writesWhenSaved, m_recorder->writes);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->isVisible());

    // The key exists now, also for the next run.
    m_store->reopen();
    for (const QString &name : SettingNames)
        QVERIFY2(m_store->store->value(RegHive::CurrentUser, SettingsKey, name).has_value(), qPrintable(name));
}

void OptionsDialogTest::okAfterEdits()
{
    SetRegValue(*m_store->store, RegHive::CurrentUser, SettingsKey, QStringLiteral("Name"), QStringLiteral("Old"));
    SetRegValue(*m_store->store, RegHive::CurrentUser, SettingsKey, QStringLiteral("OpenDir"), QStringLiteral("/old"));
    openDialog();
    child<QLineEdit>("txtName")->clear();
    QTest::keyClicks(child<QLineEdit>("txtClan"), QStringLiteral("^1[X]"));
    m_dialog->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    tick(child<QCheckBox>("chkReverse"));
    m_dialog->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->setCurrentIndex(0);
    tick(child<QCheckBox>("chkMultiSelect"));
    QTest::mouseClick(child<QPushButton>("cmdBrowse1"), Qt::LeftButton);  // cancelled: clears the folder
    QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);

    const Settings settings = LoadSettings(*m_store->store);
    QCOMPARE(settings.name, QString());
    QCOMPARE(settings.clanTag, QStringLiteral("^1[X]"));
    QVERIFY(settings.reverse);
    QVERIFY(settings.multiSelect);
    QVERIFY(!settings.editItem);
    QCOMPARE(settings.openDir, QString());
    QVERIFY(m_store->store->value(RegHive::CurrentUser, SettingsKey, QStringLiteral("Name")).has_value());
}

void OptionsDialogTest::cancelWritesNothing()
{
    SetRegValue(*m_store->store, RegHive::CurrentUser, SettingsKey, QStringLiteral("Name"), QStringLiteral("Kept"));
    openDialog();
    QTest::keyClicks(child<QLineEdit>("txtName"), QStringLiteral("xyz"));
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(m_recorder->writes.isEmpty());
    QCOMPARE(m_saved, 0);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(setting(*m_store->store, QStringLiteral("Name")), QStringLiteral("Kept"));
}

void OptionsDialogTest::browseButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");
    QTest::newRow("open") << "cmdBrowse1" << "txtOpen" << "OpenDir" << "Select default 'Open animation' directory";
    QTest::newRow("save") << "cmdBrowse2" << "txtSave" << "SaveDir" << "Select default 'Save animation' directory";
    QTest::newRow("script") << "cmdBrowse3" << "txtScriptSave" << "GenerateDir"
                            << "Select default 'Save script' directory";
}

void OptionsDialogTest::browseButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, title);
    openDialog();
    auto *browse = child<QPushButton>(button.toLatin1());
    auto *edit = child<QLineEdit>(field.toLatin1());
    QVERIFY(browse->text().isEmpty());
    QVERIFY(!browse->icon().isNull());

    m_prompts.folderAnswers = {QStringLiteral("/home/player/rtcw")};
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("/home/player/rtcw"));
    QCOMPARE(m_prompts.dialogs.size(), 1);
    QCOMPARE(m_prompts.dialogs[0].kind, QStringLiteral("folder"));
    QCOMPARE(m_prompts.dialogs[0].state.title, title);

    QTest::mouseClick(browse, Qt::LeftButton);  // cancelled
    QCOMPARE(edit->text(), QString());
    QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);
    QCOMPARE(setting(*m_store->store, value), QString());
    QVERIFY(m_store->store->value(RegHive::CurrentUser, SettingsKey, value).has_value());
}

void OptionsDialogTest::tabsShowTheirPage_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("control");
    QTest::newRow("Editor") << 0 << "Editor" << "txtOpen";
    QTest::newRow("Wizard Defaults") << 1 << "Wizard Defaults" << "txtName";
    QTest::newRow("Registry Options") << 2 << "Registry Options" << "txtAssociation";
    QTest::newRow("Edit 133t file") << 3 << "Edit 133t file" << "txtLeet";
}

void OptionsDialogTest::tabsShowTheirPage()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);
    QFETCH(QString, control);
    openDialog();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Options"));
    QVERIFY(m_dialog->width() >= 478 && m_dialog->height() >= 337);
    QVERIFY(child<QWidget>("fraMain0")->isVisible());

    QTabBar *bar = m_dialog->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->tabBar();
    QCOMPARE(bar->count(), 4);
    QCOMPARE(bar->tabText(tab), caption);
    // Away from the page first, so the click must bring it back.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect((tab + 1) % 4).center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    for (int page = 0; page < 4; ++page)
        QCOMPARE(child<QWidget>(QStringLiteral("fraMain%1").arg(page).toLatin1())->isVisible(), page == tab);
    QVERIFY(child<QWidget>(control.toLatin1())->isVisible());
}

void OptionsDialogTest::missingLeetFileOnOpening()
{
    QVERIFY(QFile::remove(m_leetPath));
    openDialog();
    QCOMPARE(m_prompts.messages.size(), 2);
    QCOMPARE(m_prompts.messages[0].text, QStringLiteral("File leet.ini not found!"));
    QCOMPARE(m_prompts.messages[1].text, QStringLiteral("Click 'Create File' on the Edit 133t tab"));
    QCOMPARE(m_prompts.messages[1].title, QStringLiteral("Leet file not found"));
    QCOMPARE(m_prompts.messages[1].icon, PromptIcon::Information);
    QCOMPARE(child<QPlainTextEdit>("txtLeet")->toPlainText(), QString());
    QVERIFY(m_dialog->isVisible());
}

void OptionsDialogTest::loadedLeetTableIsNotReadAgain()
{
    QVERIFY(LoadLeetTable(m_leet, m_leetPath, m_prompts));
    QVERIFY(QFile::remove(m_leetPath));
    openDialog();
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(child<QPlainTextEdit>("txtLeet")->toPlainText(), QStringLiteral("a=4\ne=3\n"));
    QCOMPARE(child<QPlainTextEdit>("txtLeet")->font().family(), QStringLiteral("Courier New"));
}

void OptionsDialogTest::createSaveAndReloadButtons()
{
    QVERIFY(QFile::remove(m_leetPath));
    openDialog();
    m_prompts.clear();
    auto *text = child<QPlainTextEdit>("txtLeet");
    QCOMPARE(child<QPushButton>("cmdCreate")->toolTip(), QStringLiteral("Create new file/Reset current file"));

    QTest::mouseClick(child<QPushButton>("cmdCreate"), Qt::LeftButton);
    QVERIFY(m_prompts.messages.isEmpty());
    QCOMPARE(text->toPlainText().split(QLatin1Char('\n')).size(), 53);
    QVERIFY(text->toPlainText().startsWith(QStringLiteral("a=4\nb=b\nc=(\n")));
    QVERIFY(m_leet.leetLoaded());

    text->setPlainText(QStringLiteral("  a=@  \n\n[Leet]\nm = M"));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(readBytes(m_leetPath), QByteArray("  a=@  \r\n\r\n[Leet]\r\nm = M\r\n"));
    // Saving loads the table but leaves the box as typed.
    QCOMPARE(m_leet.entries().size(), 3);
    QCOMPARE(text->toPlainText(), QStringLiteral("  a=@  \n\n[Leet]\nm = M"));

    QTest::mouseClick(child<QPushButton>("cmdReload"), Qt::LeftButton);
    QCOMPARE(text->toPlainText(), QStringLiteral("a=@\nm = M\n"));

    // Resetting an existing file asks first; No keeps it.
    m_prompts.answers = {PromptAnswer::No};
    QTest::mouseClick(child<QPushButton>("cmdCreate"), Qt::LeftButton);
    QCOMPARE(m_prompts.messageTexts(),
             QStringList{"File leet.ini exists, are you sure you want to reset the file?"});
    QCOMPARE(text->toPlainText(), QStringLiteral("a=@\nm = M\n"));
    QCOMPARE(readBytes(m_leetPath), QByteArray("  a=@  \r\n\r\n[Leet]\r\nm = M\r\n"));

    // Cancel doesn't undo what the buttons did to the file.
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(readBytes(m_leetPath), QByteArray("  a=@  \r\n\r\n[Leet]\r\nm = M\r\n"));
}

void OptionsDialogTest::failedLeetSaveKeepsTable()
{
    m_leetPath = m_dir.filePath(QStringLiteral("leet.ini/leet.ini"));  // under a file: can't be written
    QVERIFY(LoadLeetTable(m_leet, m_dir.filePath(QStringLiteral("leet.ini")), m_prompts));
    openDialog();
    child<QPlainTextEdit>("txtLeet")->setPlainText(QStringLiteral("a=@"));
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Error saving LEET file"));
    QVERIFY(m_leet.leetLoaded());
    QCOMPARE(m_leet.entries().at(1).Value, QStringLiteral("4"));
    QCOMPARE(child<QPlainTextEdit>("txtLeet")->toPlainText(), QStringLiteral("a=@"));
}

void OptionsDialogTest::associationButtons()
{
    SetRegValue(*m_store->store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString(), QStringLiteral("Other"));
    openDialog();
    auto *status = child<QLineEdit>("txtAssociation");
    auto *associate = child<QPushButton>("cmdAssociate");
    auto *restore = child<QPushButton>("cmdRestore");
    QVERIFY(status->isReadOnly());
    QCOMPARE(status->text(), QStringLiteral("Associated with [other program]"));
    QCOMPARE(status->toolTip(), status->text());
    QVERIFY(associate->isEnabled() && restore->isEnabled());
    QVERIFY(!m_dialog->isAssociated());

    // In this state Restore changes nothing.
    m_dialog->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->setCurrentIndex(2);
    QTest::mouseClick(restore, Qt::LeftButton);
    QVERIFY(m_recorder->writes.isEmpty());

    QTest::mouseClick(associate, Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("Associated with Marqueemaster"));
    QCOMPARE(status->toolTip(), status->text());
    QVERIFY(!associate->isEnabled() && restore->isEnabled());
    QVERIFY(m_dialog->isAssociated());
    QCOMPARE(GetRegValue(*m_store->store, RegHive::ClassesRoot, ShellKeys::RasCommandKey, QString()),
             ProgramCommand(QStringLiteral("/opt/marquee/marqueemaster")));

    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("Associated with [other program]"));
    QCOMPARE(GetRegValue(*m_store->store, RegHive::ClassesRoot, QStringLiteral(".ras"), QString()),
             QStringLiteral("Other"));

    // Cancel leaves the registry as the buttons made it.
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(GetRegValue(*m_store->store, RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup")),
             QStringLiteral("Other"));
}

void OptionsDialogTest::contextMenuButtons()
{
    SetRegValue(*m_store->store, RegHive::ClassesRoot, QStringLiteral(".cfg"), QString(), QStringLiteral("cfgfile"));
    openDialog();
    m_dialog->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->setCurrentIndex(2);
    auto *on = child<QLabel>("picON");
    auto *off = child<QLabel>("picOFF");
    auto *add = child<QPushButton>("cmdAddContext");
    auto *remove = child<QPushButton>("cmdRemoveContext");
    QVERIFY(!on->isVisible() && off->isVisible());
    QVERIFY(add->isEnabled() && !remove->isEnabled());

    QTest::mouseClick(add, Qt::LeftButton);
    QVERIFY(on->isVisible() && !off->isVisible());
    QVERIFY(!add->isEnabled() && remove->isEnabled());
    QCOMPARE(GetRegValue(*m_store->store, RegHive::ClassesRoot, QStringLiteral("cfgfile\\shell\\ImportMarqueemaster"),
                         QString()),
             QStringLiteral("Import script in &Marqueemaster"));

    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(!on->isVisible() && off->isVisible());
    QVERIFY(add->isEnabled() && !remove->isEnabled());
    QVERIFY(!m_store->store->value(RegHive::ClassesRoot, QStringLiteral("cfgfile\\shell\\ImportMarqueemaster"), QString()));
}

QTEST_MAIN(OptionsDialogTest)
#include "tst_OptionsDialog.moc"
