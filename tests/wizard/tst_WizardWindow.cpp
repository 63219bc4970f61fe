#include "FakePrompts.h"
#include "TestLines.h"

#include "settings/Settings.h"
#include "wizard/UpDownWidget.h"
#include "wizard/WizardWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

Settings MakeSettings(const QString &name, const QString &clanTag, bool reverse)
{
    Settings settings;
    settings.name = name;
    settings.clanTag = clanTag;
    settings.reverse = reverse;
    return settings;
}

// Drives one wizard window the way a user does.
struct WizardDriver {
    AnimationModel model;
    FakePrompts prompts;
    WizardWindow wizard;

    explicit WizardDriver(const Settings &settings = Settings()) : wizard(model, settings, prompts)
    {
        wizard.show();
        wizard.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
    }

    template <typename T> T *get(const char *name) { return wizard.findChild<T *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(get<QWidget>(name), Qt::LeftButton); }
    void next() { click("cmdNext"); }
    void goToPage(int page)
    {
        while (wizard.currentPage() < page)
            next();
    }
    void type(const char *box, const QString &text)
    {
        QTest::mouseClick(get<QLineEdit>(box), Qt::LeftButton);
        get<QLineEdit>(box)->selectAll();
        QTest::keyClicks(get<QLineEdit>(box), text);
    }
    void addEffect(const QString &effect)
    {
        auto *combo = get<QComboBox>("cmbEffects");
        combo->setCurrentIndex(combo->findText(effect));
        click("cmdAddEffect");
    }
    void clickRow(int row)
    {
        auto *list = get<QTreeWidget>("lvwEffects");
        const QRect place = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }
    void arrow(const char *updown, const char *direction, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(get<UpDownWidget>(updown)->findChild<QToolButton *>(QLatin1String(direction)),
                              Qt::LeftButton);
    }
};

} // namespace

class WizardWindowTest : public QObject {
    Q_OBJECT
private slots:
    void window();
    void defaultsFromSettings_data();
    void defaultsFromSettings();
    void pages();
    void userBuildsAnAnimation_data();
    void userBuildsAnAnimation();
    void nameOnlyIgnoresTheClanTagBox();
    void clickingABoxChoosesItsOption();
    void newScrollRowMeasuresTheBoxes();
    void parameterPanel_data();
    void parameterPanel();
    void arrowsTakeUpAWideDefault();
    void typedFillGoesIntoTheRow();
    void deleteKey();
    void cancelAsks_data();
    void cancelAsks();
    void previewIsNotAvailable();
    void declinedBounceSkipsItsRow();
    void colorEditorOpensModally();
    void oneWizardAtATime();
};

void WizardWindowTest::window()
{
    WizardDriver driver;
    QCOMPARE(driver.wizard.objectName(), QStringLiteral("frmWizard"));
    QCOMPARE(driver.wizard.windowTitle(), QStringLiteral("Animation Script Wizard"));
    QVERIFY(!driver.wizard.isModal());
    QCOMPARE(driver.wizard.size(), QSize(502, 386));
    auto *combo = driver.get<QComboBox>("cmbEffects");
    QStringList effects;
    for (int i = 0; i < combo->count(); ++i)
        effects << combo->itemText(i);
    QCOMPARE(effects, QStringList({"Wave 2", "Bounce", "Scroll to Left", "Scroll to Right"}));
    QCOMPARE(driver.get<QLabel>("lblText")->text(),
             QStringLiteral("With this wizard, you can create cool animation effects in just a few minutes.\r\n\r\n"
                            "Click Next to continue or Cancel to exit."));
    QCOMPARE(driver.get<QLabel>("imgPage1")->pixmap().size(), QSize(164, 313));
    QVERIFY(driver.get<QRadioButton>("optWizStyle0")->isChecked());
}

void WizardWindowTest::defaultsFromSettings_data()
{
    QTest::addColumn<QString>("clanTag");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<int>("option");
    QTest::newRow("name only") << "" << false << 0;
    QTest::newRow("clan tag and name") << "[T]" << false << 1;
    QTest::newRow("reversed") << "[T]" << true << 1;
}

void WizardWindowTest::defaultsFromSettings()
{
    QFETCH(QString, clanTag);
    QFETCH(bool, reverse);
    QFETCH(int, option);
    WizardDriver driver(MakeSettings(QStringLiteral("Player"), clanTag, reverse));
    QCOMPARE(driver.get<QLineEdit>("txtClanTag")->text(), clanTag);
    QCOMPARE(driver.get<QLineEdit>(option == 0 ? "txtNameOnly0" : "txtNameOnly1")->text(), QStringLiteral("Player"));
    QVERIFY(driver.get<QLineEdit>(option == 0 ? "txtNameOnly1" : "txtNameOnly0")->text().isEmpty());
    QVERIFY(driver.get<QRadioButton>(option == 0 ? "optNameOnly0" : "optNameOnly1")->isChecked());
    QCOMPARE(driver.get<QCheckBox>("chkClanTag")->isChecked(), reverse);
}

void WizardWindowTest::pages()
{
    WizardDriver driver;
    auto *back = driver.get<QPushButton>("cmdBack");
    auto *next = driver.get<QPushButton>("cmdNext");
    const char *pageNames[] = {"picPage1", "picPage2", "picPage3", "picPage4"};
    auto check = [&](int page) {
        QCOMPARE(driver.wizard.currentPage(), page);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(driver.get<QWidget>(pageNames[i - 1])->isVisible(), i == page);
        QCOMPARE(driver.get<QWidget>("imgPage1")->isVisible(), page == 1);
        QCOMPARE(back->isEnabled(), page > 1);
        QCOMPARE(next->text(), page == 4 ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    };
    check(1);
    for (int page = 2; page <= 4; ++page) {
        driver.next();
        check(page);
    }
    driver.click("cmdBack");
    check(3);
    driver.click("cmdBack");
    driver.click("cmdBack");
    check(1);
    QVERIFY(driver.wizard.isVisible());
}

void WizardWindowTest::userBuildsAnAnimation_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("simple") << "optWizStyle0";
    QTest::newRow("advanced changes nothing") << "optWizStyle1";
}

void WizardWindowTest::userBuildsAnAnimation()
{
    QFETCH(QString, style);
    WizardDriver driver;
    driver.model.appendLines(LinesFromTexts({"replaced"}));
    driver.next();
    driver.click(style.toLatin1().constData());
    driver.next();
    driver.type("txtClanTag", QStringLiteral("[T]"));
    driver.type("txtNameOnly1", QStringLiteral("ab"));
    driver.next();
    driver.addEffect(QStringLiteral("Wave 2"));
    driver.addEffect(QStringLiteral("Bounce"));
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.clickRow(2);
    QCOMPARE(driver.get<QLineEdit>("txtParam1")->text(), QStringLiteral("5"));
    driver.arrow("numParam1", "down");
    driver.next();

    QCOMPARE(TextsOf(driver.model),
             QStringList({"[T]a", "[T]ab",                                                       // Wave 2
                          "[T]ab", "a[T]b", "ab[T]", "a[T]b", "[T]ab", "[T]ab", "[T]a",          // Bounce
                          "---[", "--[T", "-[T]", "[T]a", "T]ab", "]ab-", "ab--", "b---", "----", "----"}));
    QVERIFY(!driver.wizard.isVisible());
    QCOMPARE(driver.wizard.result(), int(QDialog::Accepted));
    QVERIFY(driver.prompts.messages.isEmpty());
}

void WizardWindowTest::nameOnlyIgnoresTheClanTagBox()
{
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), true));
    driver.get<QLineEdit>("txtClanTag")->setText(QStringLiteral("[T]"));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.addEffect(QStringLiteral("Wave 2"));
    driver.next();
    // The width counts the clan tag box, the text does not hold it; the wave
    // yields nothing behind the guard's bare code.
    QCOMPARE(TextsOf(driver.model), QStringList({"----a", "---ab", "--ab", "-ab", "ab---", "b----", "-----",
                                                 "-----"}));
}

void WizardWindowTest::clickingABoxChoosesItsOption()
{
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), false));
    driver.goToPage(3);
    QVERIFY(driver.get<QRadioButton>("optNameOnly0")->isChecked());
    QTest::mouseClick(driver.get<QLineEdit>("txtClanTag"), Qt::LeftButton);
    QVERIFY(driver.get<QRadioButton>("optNameOnly1")->isChecked());
    QTest::mouseClick(driver.get<QLineEdit>("txtNameOnly0"), Qt::LeftButton);
    QVERIFY(driver.get<QRadioButton>("optNameOnly0")->isChecked());
    QTest::mouseClick(driver.get<QLineEdit>("txtNameOnly1"), Qt::LeftButton);
    QVERIFY(driver.get<QRadioButton>("optNameOnly1")->isChecked());
}

void WizardWindowTest::newScrollRowMeasuresTheBoxes()
{
    WizardDriver driver(MakeSettings(QStringLiteral("^1ab^2c"), QStringLiteral("[T]"), false));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.get<QLineEdit>("txtClanTag")->clear();
    driver.get<QLineEdit>("txtNameOnly1")->clear();
    driver.addEffect(QStringLiteral("Scroll to Right"));
    driver.addEffect(QStringLiteral("Scroll to Right"));
    const QVector<EffectRow> expected{{"Scroll to Left", "10", "-"}, {"Scroll to Right", "0", "-"},
                                      {"Scroll to Right", "0", "-"}};
    QCOMPARE(driver.wizard.effectRows(), expected);
}

void WizardWindowTest::parameterPanel_data()
{
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<bool>("param1");
    QTest::addColumn<bool>("param2");
    QTest::addColumn<QString>("top");
    QTest::newRow("wave") << "Wave 2" << "No options" << "No options" << false << false << "";
    QTest::newRow("bounce") << "Bounce" << "Repeat (1..9)" << "No options" << true << false << "9";
    QTest::newRow("scroll") << "Scroll to Right" << "Textwidth (1..15)" << "Fill char" << true << true << "15";
}

void WizardWindowTest::parameterPanel()
{
    QFETCH(QString, effect);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QFETCH(bool, param1);
    QFETCH(bool, param2);
    QFETCH(QString, top);
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), false));
    driver.goToPage(4);
    driver.addEffect(effect);
    driver.clickRow(0);
    QCOMPARE(driver.get<QLabel>("lblParam1")->text(), label1);
    QCOMPARE(driver.get<QLabel>("lblParam2")->text(), label2);
    QCOMPARE(driver.get<QLineEdit>("txtParam1")->isEnabled(), param1);
    QCOMPARE(driver.get<QWidget>("numParam1")->isEnabled(), param1);
    QCOMPARE(driver.get<QLineEdit>("txtParam1")->isReadOnly(), param1);
    QCOMPARE(driver.get<QLineEdit>("txtParam2")->isEnabled(), param2);
    QVERIFY(!driver.get<QLineEdit>("txtParam2")->isReadOnly());
    QVERIFY(!driver.get<QWidget>("numParam2")->isEnabled());
    if (param1) {
        driver.arrow("numParam1", "up", 20);
        QCOMPARE(driver.wizard.effectRows().first().param1, top);
        driver.arrow("numParam1", "down", 20);
        QCOMPARE(driver.wizard.effectRows().first().param1, QStringLiteral("1"));
    }
}

void WizardWindowTest::arrowsTakeUpAWideDefault()
{
    WizardDriver driver(MakeSettings(QStringLiteral("LongerName"), QStringLiteral("[LONGTAG]"), false));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.clickRow(0);
    QCOMPARE(driver.get<QLineEdit>("txtParam1")->text(), QStringLiteral("19"));
    driver.arrow("numParam1", "up");
    QCOMPARE(driver.wizard.effectRows().first().param1, QStringLiteral("15"));
    driver.arrow("numParam1", "down");
    QCOMPARE(driver.wizard.effectRows().first().param1, QStringLiteral("14"));
}

void WizardWindowTest::typedFillGoesIntoTheRow()
{
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), false));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.addEffect(QStringLiteral("Scroll to Right"));
    driver.clickRow(1);
    driver.type("txtParam2", QStringLiteral("*="));
    const QVector<EffectRow> expected{{"Scroll to Left", "2", "-"}, {"Scroll to Right", "2", "*="}};
    QCOMPARE(driver.wizard.effectRows(), expected);
}

void WizardWindowTest::deleteKey()
{
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), false));
    driver.goToPage(4);
    auto *list = driver.get<QTreeWidget>("lvwEffects");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);  // an empty list stays empty
    QCOMPARE(list->topLevelItemCount(), 0);

    driver.addEffect(QStringLiteral("Bounce"));
    driver.addEffect(QStringLiteral("Scroll to Left"));
    driver.addEffect(QStringLiteral("Wave 2"));
    driver.clickRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    const QVector<EffectRow> left{{"Bounce", "1", "0"}, {"Wave 2", "0", "0"}};
    QCOMPARE(driver.wizard.effectRows(), left);
    // The panel still shows the removed row; what is typed there reaches no other row.
    QCOMPARE(driver.get<QLabel>("lblParam2")->text(), QStringLiteral("Fill char"));
    driver.type("txtParam2", QStringLiteral("#"));
    QCOMPARE(driver.wizard.effectRows(), left);
}

void WizardWindowTest::cancelAsks_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("yes") << PromptAnswer::Yes << true;
    QTest::newRow("no") << PromptAnswer::No << false;
}

void WizardWindowTest::cancelAsks()
{
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, closes);
    WizardDriver driver(MakeSettings(QStringLiteral("ab"), QString(), false));
    driver.model.appendLines(LinesFromTexts({"kept"}));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Wave 2"));
    driver.prompts.answers << answer;
    driver.click("cmdCancel");

    QCOMPARE(driver.prompts.messages.size(), 1);
    const FakePrompts::Message &question = driver.prompts.messages.first();
    QCOMPARE(question.text, QStringLiteral("Are you sure you want to exit the wizard?"));
    QCOMPARE(question.title, QStringLiteral("Exit wizard?"));
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(question.buttons, PromptButtons::YesNo);
    QCOMPARE(driver.wizard.isVisible(), !closes);
    QCOMPARE(TextsOf(driver.model), QStringList{"kept"});
}

void WizardWindowTest::previewIsNotAvailable()
{
    WizardDriver driver;
    driver.goToPage(4);
    driver.click("cmdPreview");
    QCOMPARE(driver.prompts.messages.size(), 1);
    QCOMPARE(driver.prompts.messages.first().text, QStringLiteral("Preview not available yet!"));
    QCOMPARE(driver.prompts.messages.first().title, QStringLiteral("Effect - Preview"));
    QCOMPARE(driver.prompts.messages.first().icon, PromptIcon::Information);
    QCOMPARE(driver.prompts.messages.first().buttons, PromptButtons::Ok);
    QVERIFY(driver.wizard.isVisible());
}

void WizardWindowTest::declinedBounceSkipsItsRow()
{
    WizardDriver driver(MakeSettings(QStringLiteral("^1ab"), QString(), false));
    driver.goToPage(4);
    driver.addEffect(QStringLiteral("Bounce"));
    driver.addEffect(QStringLiteral("Wave 2"));
    driver.clickRow(0);
    driver.arrow("numParam1", "up", 4);
    driver.prompts.answers << PromptAnswer::No;
    driver.next();
    QCOMPARE(driver.prompts.messageTexts(),
             QStringList{QStringLiteral("Are you sure you want to repeat the BOUNCE EFFECT 5 times?")});
    QCOMPARE(TextsOf(driver.model), QStringList({"^1a", "^1ab"}));
    QVERIFY(!driver.wizard.isVisible());
}

void WizardWindowTest::colorEditorOpensModally()
{
    WizardDriver driver;
    driver.goToPage(3);
    QString opened;
    QTimer::singleShot(0, this, [&opened] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal) {
            opened = modal->objectName();
            modal->close();
        }
    });
    driver.click("cmdColor");
    QCOMPARE(opened, QStringLiteral("frmColorEditor"));
    QVERIFY(driver.wizard.isVisible());
}

void WizardWindowTest::oneWizardAtATime()
{
    AnimationModel model;
    FakePrompts prompts;
    QPointer<WizardWindow> first = ShowWizardWindow(model, Settings(), prompts, nullptr);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(ShowWizardWindow(model, Settings(), prompts, nullptr), first.data());

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QPointer<WizardWindow> second = ShowWizardWindow(model, Settings(), prompts, nullptr);
    QVERIFY(second);
    QCOMPARE(second->currentPage(), 1);
    second->close();
}

QTEST_MAIN(WizardWindowTest)
#include "tst_WizardWindow.moc"
