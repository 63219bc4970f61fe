// Builds a small coloured animation the way a user does and saves pictures of
// the main window, the wizard's effect page, the script window, the options
// window, the Animation menu and the help window into the folder given as the first argument.
#include "about/HelpBrowserWindow.h"
#include "app/MainWindow.h"
#include "platform/SilentPrompts.h"
#include "script/ScriptWindow.h"
#include "platform/JsonRegistryStore.h"
#include "settings/OptionsDialog.h"
#include "platform/RegistryOps.h"
#include "transforms/LeetTable.h"
#include "wizard/WizardWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTabWidget>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdio>

namespace {

void save(QWidget &widget, const QString &folder, const QString &name)
{
    QCoreApplication::processEvents();
    QTest::qWait(150);
    const QString path = QDir(folder).filePath(name);
    if (!widget.grab().save(path))
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void click(QWidget &parent, const char *name)
{
    if (auto *button = parent.findChild<QAbstractButton *>(QLatin1String(name)))
        QTest::mouseClick(button, Qt::LeftButton);
}

void addEffect(WizardWindow &wizard, const QString &effect, const QString &param1 = QString())
{
    auto *combo = wizard.findChild<QComboBox *>(QStringLiteral("cmbEffects"));
    combo->setCurrentText(effect);
    click(wizard, "cmdAddEffect");
    if (!param1.isEmpty()) {
        auto *list = wizard.findChild<QTreeWidget *>(QStringLiteral("lvwEffects"));
        QTreeWidgetItem *item = list->topLevelItem(list->topLevelItemCount() - 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        wizard.findChild<QLineEdit *>(QStringLiteral("txtParam1"))->setText(param1);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);
    QTemporaryDir dir;
    JsonRegistryStore store(dir.filePath(QStringLiteral("registry.json")));
    SilentPrompts prompts;
    // Scripts go where the game looks for them: the pictures show what a player who followed the help sees.
    const QString home = QDir::homePath();
    const QString anims = QDir(home).filePath(QStringLiteral(".wolf/main/anims"));
    QDir().mkpath(anims);
    for (const auto &[name, value] : {std::pair{"OpenDir", home}, std::pair{"SaveDir", home},
                                      std::pair{"GenerateDir", anims},
                                      std::pair{"Name", QStringLiteral("^1Mar^7quee")},
                                      std::pair{"Clantag", QStringLiteral("^4[XKR]")}})
        SetRegValue(store, RegHive::CurrentUser, SettingsKey, QLatin1String(name), value);

    MainWindow window(store, &prompts);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the main window was never shown: no picture of it could be taken");

    window.loadSettings();
    auto *wizard = new WizardWindow(window.model(), window.settings(), prompts, &window);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    wizard->show();
    for (int page = 1; page < WizardWindow::PageCount; ++page)
        click(*wizard, "cmdNext");
    addEffect(*wizard, QStringLiteral("Wave 2"));
    addEffect(*wizard, QStringLiteral("Bounce"));
    addEffect(*wizard, QStringLiteral("Scroll to Left"), QStringLiteral("10"));
    click(*wizard, "cmdPreview");  // a moment into its play
    QTest::qWait(300);
    save(*wizard, folder, QStringLiteral("wizard-effects.png"));
    click(*wizard, "cmdNext");  // Finish

    window.runCommand(QStringLiteral("mnuEditShowColors"));
    window.setCurrentRow(5);
    window.list()->setFocus();
    save(window, folder, QStringLiteral("main-window.png"));

    // The Animation menu opened by a click on its title: the picture is the screen around the window and menu.
    QMenuBar *bar = window.menuBar();
    QAction *animation = window.findChild<QMenu *>(QStringLiteral("mnuAnimation"))->menuAction();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(animation).center());
    QTest::qWait(300);
    const QRect frame = window.frameGeometry();
    const QRect menuArea = animation->menu()->geometry();
    const QRect shot = frame.united(menuArea).adjusted(0, 0, 8, 8);
    const QString menuPath = QDir(folder).filePath(QStringLiteral("animation-menu.png"));
    if (window.screen()->grabWindow(0, shot.x(), shot.y(), shot.width(), shot.height()).save(menuPath))
        std::printf("%s\n", qPrintable(menuPath));
    animation->menu()->close();

    HelpBrowserWindow *help = ShowHelp(&window, HelpFactsOf(window.settings().rules(), window.settings().folders()));
    save(*help, folder, QStringLiteral("help-window.png"));
    help->close();

    FileDialogState scriptDialog;
    ScriptWindow script(window.model(), window.settings(), scriptDialog, prompts, &window);
    script.show();
    save(script, folder, QStringLiteral("script-window.png"));
    script.close();

    QTemporaryDir leetFolder;
    LeetTable leet;
    OptionsDialog options(store, leet, QDir(leetFolder.path()).filePath(QStringLiteral("leet.ini")),
                          QCoreApplication::applicationFilePath(), prompts, [] {}, &window);
    options.show();
    save(options, folder, QStringLiteral("options-window.png"));
    options.findChild<QTabWidget *>()->setCurrentIndex(2);
    save(options, folder, QStringLiteral("options-registry.png"));
    return 0;
}
