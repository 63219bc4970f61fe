#include "app/MainMenus.h"

#include "app/CommandActions.h"
#include "app/ToolbarIcons.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Entry {
    const char *key;      // empty: a separator
    const char *caption;
    const char *shortcut = "";
    const char *command = "";  // the toolbar command it runs; empty: its own
};

struct ToolbarEntry {
    const char *key;      // empty: a separator
    const char *caption;
    const char *tooltip;
    int picture;
    QList<Entry> dropDown;
};

const QList<ToolbarEntry> &toolbarButtons()
{
    static const QList<ToolbarEntry> buttons = {
        {"btnnew", "New", "New Animation Script (Ctrl+N)", 1, {}},
        {"btnopen", "Open", "Open Animation Script (Ctrl+O)", 2, {}},
        {"btnsave", "Save", "Save Animation Script (Ctrl+Shift+S)", 3, {}},
        {"", "", "", 0, {}},
        {"btnadd", "Add", "Add line (Insert)", 4,
         {{"btnaddbefore", "Before selection"}, {"btnaddafter", "After selection"}, {"", ""},
          {"btncopylast", "Copy selected line"}, {"btncopylastx", "Copy selected line x times..."}, {"", ""},
          {"btncopyall", "Copy all lines"}, {"btncopyallreverse", "Copy all lines (reverse)"}}},
        {"btnremove", "Remove", "Remove Line (Delete)", 5,
         {{"btndeleteselected", "Delete selected"}, {"btndeleteall", "Delete all"}}},
        {"btnedit", "Edit", "Edit Line (F2)", 6,
         {{"btnedittime", "Edit Time/Action..."}, {"", ""}, {"btneditleet", "Leet converter"},
          {"btneditrandomcase", "Randomize case"}, {"btneditcolorize", "Colorize..."}}},
        {"", "", "", 0, {}},
        {"btnwizard", "Wizard", "Animation Script Wizard (Ctrl+W)", 7, {}},
        {"btnpreview", "Play", "Preview animation (F5)", 8, {}},
        {"btngenerate", "Generate", "Generate RtCW Script (Ctrl+G)", 9, {}},
    };
    return buttons;
}

struct MenuEntry {
    const char *name;
    const char *caption;
    QList<Entry> items;
};

const QList<MenuEntry> &menuBar()
{
    static const QList<MenuEntry> menus = {
        {"mnuFile", "&File",
         {{"mnuFileNew", "&New", "Ctrl+N"}, {"mnuFileOpen", "&Open...", "Ctrl+O"}, {"mnuFileImport", "&Import..."},
          {"", ""}, {"mnuFileSave", "&Save", "Ctrl+S"}, {"mnuFileSaveAs", "Save &As...", "Ctrl+Shift+S"}, {"", ""},
          {"mnuFileExit", "E&xit", "Ctrl+Q"}}},
        {"mnuEdit", "&Edit",
         {{"mnuEditCut", "Cu&t", "Ctrl+X"}, {"mnuEditCopy", "&Copy", "Ctrl+C"}, {"mnuEditPaste", "&Paste"}, {"", ""},
          {"mnuEditShowColors", "Show co&lors"}, {"mnuEditShowAsGame", "Show as the &game shows it"},
          {"mnuHelpColor", "Color &name editor..."},
          {"mnuEditSimple", "Si&mple Edit"}, {"", ""}, {"mnuEditOptions", "&Options..."}}},
        {"mnuView", "&View", {{"mnuViewShowCodes", "Show &codes in the list"}}},
        {"mnuAnimation", "&Animation",
         {{"mnuAnimWizard", "&Wizard...", "Ctrl+W", "btnwizard"}, {"mnuAnimPlay", "&Play/Stop", "F5", "btnpreview"},
          {"mnuAnimGameSpeed", "Play at game &speed"},
          {"mnuAnimGenerate", "&Generate script...", "Ctrl+G", "btngenerate"}, {"", ""},
          {"mnuAnimAdd", "&Add line", "Insert", "btnadd"}, {"mnuAnimAddBefore", "Add &before", "", "btnaddbefore"},
          {"mnuAnimRemove", "&Remove", "Delete"}, {"mnuAnimEdit", "&Edit...", "F2", "btnedit"},
          {"mnuAnimCopyTimes", "Copy &x times...", "", "btncopylastx"}, {"", ""},
          {"mnuAnimMoveUp", "Move &up", "Ctrl+Up"}, {"mnuAnimMoveDown", "Move &down", "Ctrl+Down"}, {"", ""},
          {"mnuAnimLeet", "&Leet converter", "", "btneditleet"},
          {"mnuAnimRandomCase", "Randomize &case", "", "btneditrandomcase"},
          {"mnuAnimColorize", "Colori&ze...", "", "btneditcolorize"}}},
        {"mnuHelp", "&Help",
         {{"mnuHelpContents", "Marqueemaster &Help...", "F1"}, {"mnuHelpHelp", "&Contact..."}, {"", ""},
          {"mnuHelpAbout", "&About..."}}},
    };
    return menus;
}

const QList<Entry> &pasteMenu()
{
    static const QList<Entry> items = {
        {"mnuEditPasteClipboard", "From Clipboard", "Ctrl+V"}, {"", ""}, {"mnuEditPasteDefaultName", "Default name"}};
    return items;
}

QAction *addEntry(QMenu *menu, const Entry &entry, const CommandActions &actions)
{
    if (!*entry.key)
        return menu->addSeparator();
    QAction *action = menu->addAction(QLatin1String(entry.caption));
    action->setObjectName(QLatin1String(entry.key));
    if (*entry.shortcut)
        action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    actions.attach(action, QLatin1String(*entry.command ? entry.command : entry.key));
    return action;
}

void fillMenu(QMenu *menu, const QList<Entry> &entries, const CommandActions &actions)
{
    for (const Entry &entry : entries)
        addEntry(menu, entry, actions);
}

} // namespace

MainMenus BuildMainMenus(QMainWindow &window, const CommandActions &actions)
{
    MainMenus result;
    auto *toolbar = new QToolBar(QStringLiteral("Toolbar"), &window);
    toolbar->setObjectName(QStringLiteral("tlbMain"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    result.toolbar = toolbar;

    for (const ToolbarEntry &item : toolbarButtons()) {
        if (!*item.key) {
            toolbar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(item.key);
        // The button shows the command's action: its caption, picture and whether it is greyed.
        QAction *command = actions.action(key);
        command->setText(QLatin1String(item.caption));
        command->setToolTip(QLatin1String(item.tooltip));
        command->setIcon(ToolbarIcon(item.picture));
        auto *button = new QToolButton(toolbar);
        button->setObjectName(key);
        button->setDefaultAction(command);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        if (!item.dropDown.isEmpty()) {
            auto *menu = new QMenu(button);
            menu->setObjectName(key + QStringLiteral("Menu"));
            fillMenu(menu, item.dropDown, actions);
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        // Every button has a menu entry and a key: Tab goes past the toolbar to the list and the preview.
        button->setFocusPolicy(Qt::NoFocus);
        toolbar->addWidget(button);
    }

    QMenuBar *bar = window.menuBar();
    for (const MenuEntry &item : menuBar()) {
        QMenu *menu = bar->addMenu(QLatin1String(item.caption));
        menu->setObjectName(QLatin1String(item.name));
        for (const Entry &entry : item.items) {
            if (QLatin1String(entry.key) == QLatin1String("mnuEditPaste")) {
                QMenu *paste = menu->addMenu(QLatin1String(entry.caption));
                paste->setObjectName(QLatin1String(entry.key));
                fillMenu(paste, pasteMenu(), actions);
                continue;
            }
            QAction *action = addEntry(menu, entry, actions);
            const QString key = QLatin1String(entry.key);
            // An item of the design that never does anything: shown greyed.
            if (key == QLatin1String("mnuEditSimple"))
                action->setEnabled(false);
            if (key == QLatin1String("mnuEditShowColors")) {
                action->setCheckable(true);
                result.showColors = action;
            }
            if (key == QLatin1String("mnuViewShowCodes")) {
                action->setCheckable(true);
                result.showCodes = action;
            }
            if (key == QLatin1String("mnuEditShowAsGame"))
                action->setCheckable(true);  // the window reads its check mark
            if (key == QLatin1String("mnuAnimGameSpeed")) {
                action->setCheckable(true);
                result.gameSpeed = action;
            }
        }
    }
    return result;
}
