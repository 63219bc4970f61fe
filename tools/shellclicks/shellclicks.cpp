// usage: marqueemaster-shell-clicks PROGRAM [BUTTON...]
// Opens the options window for PROGRAM (the path its desktop entry starts) on
// its "Registry Options" page, with the settings store and every folder the
// XDG_* variables name, clicks each named button (cmdAssociate, cmdRestore,
// cmdAddContext, cmdRemoveContext) and prints one line per state:
//   <button or "start"> <association text>|<open-with on or off>
#include "platform/RegistryStore.h"
#include "platform/SilentPrompts.h"
#include "settings/OptionsDialog.h"
#include "transforms/LeetTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <cstdio>

namespace {

void printState(const OptionsDialog &dialog, const QString &step)
{
    const auto *association = dialog.findChild<QLineEdit *>(QStringLiteral("txtAssociation"));
    const auto *on = dialog.findChild<QWidget *>(QStringLiteral("picON"));
    std::printf("%s %s|%s\n", qPrintable(step), qPrintable(association->text()), on->isVisible() ? "on" : "off");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: marqueemaster-shell-clicks PROGRAM [BUTTON...]\n", stderr);
        return 2;
    }
    SilentPrompts prompts;
    LeetTable leet;
    OptionsDialog dialog(SystemRegistryStore(), leet, SystemLeetFile(), QString::fromLocal8Bit(argv[1]), prompts, {});
    dialog.show();
    QTabBar *tabs = dialog.findChild<QTabBar *>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    printState(dialog, QStringLiteral("start"));
    for (int i = 2; i < argc; ++i) {
        auto *button = dialog.findChild<QAbstractButton *>(QString::fromLocal8Bit(argv[i]));
        if (!button) {
            std::fprintf(stderr, "no button %s\n", argv[i]);
            return 2;
        }
        if (!button->isEnabled()) {
            std::fprintf(stderr, "%s is disabled\n", argv[i]);
            return 1;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        printState(dialog, QString::fromLocal8Bit(argv[i]));
    }
    return 0;
}
