#include "settings/OptionsDialog.h"

#include "platform/ProgramFolders.h"
#include "platform/RegistryOps.h"
#include "platform/ScreenFit.h"
#include "animation/Settings.h"
#include "platform/ShellIntegration.h"
#include "platform/Prompts.h"
#include "platform/SystemShell.h"
#include "platform/TextFile.h"
#include "transforms/LeetTable.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include "settings/GameOptionsWidget.h"
#include "settings/ProgramTraces.h"
#include <QVBoxLayout>

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A round sign: green "ON" or grey-red "OFF".
QPixmap switchPicture(bool on)
{
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.setBrush(on ? QColor(40, 180, 60) : QColor(190, 50, 50));
    painter.drawEllipse(QRectF(2, 2, 36, 36));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(on ? 14 : 11);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(2, 2, 36, 36), Qt::AlignCenter, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
    return picture;
}

QString leetTextForBox(const QString &tableText)
{
    QString text = tableText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

OptionsDialog::OptionsDialog(RegistryStore &store, LeetTable &leet, const LeetFileLocation &leetFile,
                             const QString &executablePath, Prompts &prompts, std::function<void()> settingsSaved,
                             QWidget *parent)
    : QDialog(parent),
      m_store(store),
      m_leet(leet),
      m_leetFile(leetFile),
      m_shell(SystemDesktopShell(store, executablePath)),
      m_prompts(prompts),
      m_settingsSaved(std::move(settingsSaved))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    m_tabs = named(new QTabWidget(this), "TabStrip1");
    m_tabs->addTab(createEditorPage(), QStringLiteral("&Editor"));
    m_tabs->addTab(createWizardPage(), QStringLiteral("&Wizard Defaults"));
    m_tabs->addTab(createRegistryPage(), QStringLiteral("&Registry Options"));
    m_tabs->addTab(createLeetPage(), QStringLiteral("Edit 133&t file"));
    m_game = new GameOptionsWidget(m_store, m_prompts, this);
    m_tabs->addTab(m_game, QStringLiteral("&Game"));
    // All four tabs stay in sight; the window grows a little instead.
    m_tabs->tabBar()->setUsesScrollButtons(false);

    auto *ok = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    auto *cancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "Command2");
    // Enter presses OK, unless the focus is on another button: that one answers Enter.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::saveSettings);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addSpacing(m_tabs->tabBar()->sizeHint().height());
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    ResizeOnScreen(*this, QSize(478, 337).expandedTo(minimumSizeHint()));

    readSettings();
    showLeetTable();
    showAssociationStatus();
    showContextMenuStatus();
}

OptionsDialog::~OptionsDialog() = default;

QWidget *OptionsDialog::createEditorPage()
{
    auto *page = named(new QWidget, "fraMain0");
    auto *grid = new QGridLayout(page);
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    int row = 0;
    auto addFolder = [&](const char *labelName, const QString &caption, const char *fieldName,
                         const char *buttonName, const QString &title) {
        grid->addWidget(named(new QLabel(caption, page), labelName), row++, 0, 1, 2);
        auto *field = named(new QLineEdit(page), fieldName);
        field->setReadOnly(true);
        auto *button = named(new QPushButton(page), buttonName);
        button->setIcon(folderIcon);
        button->setToolTip(title);
        grid->addWidget(field, row, 0);
        grid->addWidget(button, row++, 1);
        connect(button, &QPushButton::clicked, this, [this, field, title] { browse(field, title); });
        return field;
    };
    m_open = addFolder("lblOpenDir", QStringLiteral("Default Open directory"), "txtOpen", "cmdBrowse1",
                       QStringLiteral("Select default 'Open animation' directory"));
    m_save = addFolder("lblSave", QStringLiteral("Default Save directory"), "txtSave", "cmdBrowse2",
                       QStringLiteral("Select default 'Save animation' directory"));
    m_scriptSave = addFolder("Label1", QStringLiteral("Default Script Save directory"), "txtScriptSave",
                             "cmdBrowse3", QStringLiteral("Select default 'Save script' directory"));
    m_editItem = named(new QCheckBox(QStringLiteral("&Selected item edit"), page), "chkEditItem");
    m_editItem->setToolTip(QStringLiteral("Edit item by clicking on the selected item"));
    m_multiSelect = named(new QCheckBox(QStringLiteral("&Multi select"), page), "chkMultiSelect");
    m_multiSelect->setToolTip(QStringLiteral("Select multiple items"));
    grid->addWidget(m_editItem, row++, 0, 1, 2);
    grid->addWidget(m_multiSelect, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return page;
}

QWidget *OptionsDialog::createWizardPage()
{
    auto *page = named(new QWidget, "fraMain1");
    auto *grid = new QGridLayout(page);
    m_name = named(new QLineEdit(page), "txtName");
    m_clan = named(new QLineEdit(page), "txtClan");
    m_reverse = named(new QCheckBox(QStringLiteral("Re&verse clantag"), page), "chkReverse");
    grid->addWidget(named(new QLabel(QStringLiteral("Name"), page), "lblName"), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("Clantag"), page), "lblClanTag"), 1, 0);
    grid->addWidget(m_clan, 1, 1);
    grid->addWidget(m_reverse, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return page;
}

void OptionsDialog::removeEverything()
{
    ProgramTraces traces(m_store, *m_shell, ProgramFolders::All());
    if (const QString running = traces.otherCopyRunning(); !running.isEmpty()) {
        m_prompts.message(running, AppTitle, PromptIcon::Exclamation);
        return;
    }
    const QStringList found = traces.list();
    if (found.isEmpty()) {
        m_prompts.message(QStringLiteral("Marqueemaster keeps nothing on this computer outside its own folder."),
                          AppTitle, PromptIcon::Information);
        return;
    }
    if (m_prompts.message(QStringLiteral("This removes:\n\n- %1\n\nMarqueemaster keeps no settings from then until it "
                                         "is started again. Remove them?")
                              .arg(found.join(QStringLiteral("\n- "))),
                          AppTitle, PromptIcon::Question, PromptButtons::RemoveCancel)
        != PromptAnswer::Remove)
        return;
    const QStringList left = traces.remove();
    QString done = QStringLiteral("Marqueemaster's settings and associations were removed. You can delete the "
                                  "program's folder now.");
    if (!left.isEmpty())
        done += QStringLiteral("\n\nLeft:\n- ") + left.join(QStringLiteral("\n- "));
    m_prompts.message(done, AppTitle, PromptIcon::Information);
    // Nothing of this window may be stored now.
    reject();
}

QWidget *OptionsDialog::createRegistryPage()
{
    auto *page = named(new QWidget, "fraMain2");

    auto *association = named(new QGroupBox(QStringLiteral(".ras Association"), page), "Frame1");
    m_association = named(new QLineEdit(association), "txtAssociation");
    m_association->setReadOnly(true);
    // A status cut off by the box's width can still be read in full.
    connect(m_association, &QLineEdit::textChanged, m_association, &QLineEdit::setToolTip);
    m_associate = named(new QPushButton(QStringLiteral("&Associate with Marqueemaster"), association), "cmdAssociate");
    m_restore = named(new QPushButton(QStringLiteral("Restore/Re&move Association"), association), "cmdRestore");
    auto *associationGrid = new QGridLayout(association);
    associationGrid->addWidget(named(new QLabel(QStringLiteral("Status"), association), "Label2"), 0, 0);
    associationGrid->addWidget(m_association, 0, 1);
    associationGrid->addWidget(m_associate, 1, 1);
    associationGrid->addWidget(m_restore, 2, 1);
    associationGrid->setColumnStretch(1, 1);
    connect(m_associate, &QPushButton::clicked, this, [this] {
        if (!m_isAssociated)
            m_shell->associate();
        showShellStatus();
    });
    connect(m_restore, &QPushButton::clicked, this, [this] {
        if (m_isAssociated)
            m_shell->restoreAssociation();
        showShellStatus();
    });

    auto *context = named(new QGroupBox(QStringLiteral("Context menu (on rightclick)"), page), "Frame2");
    m_on = named(new QLabel(context), "picON");
    m_on->setPixmap(switchPicture(true));
    m_on->setToolTip(QStringLiteral("The import entry is in the menu of .cfg files"));
    m_off = named(new QLabel(context), "picOFF");
    m_off->setPixmap(switchPicture(false));
    m_off->setToolTip(QStringLiteral("The import entry is not in the menu of .cfg files"));
    m_addContext = named(new QPushButton(QStringLiteral("A&dd"), context), "cmdAddContext");
    m_removeContext = named(new QPushButton(QStringLiteral("Remo&ve"), context), "cmdRemoveContext");
    auto *contextRow = new QHBoxLayout(context);
    contextRow->addWidget(m_on);
    contextRow->addWidget(m_off);
    contextRow->addStretch();
    contextRow->addWidget(m_addContext);
    contextRow->addWidget(m_removeContext);
    connect(m_addContext, &QPushButton::clicked, this, [this] {
        // A fresh Windows has no file type for .cfg: no menu to add to, and making one would change how every
        // .cfg file opens.
        if (m_shell->contextMenuStatus().cfgClass.isEmpty()) {
            m_prompts.message(QStringLiteral("Windows knows no file type for .cfg files on this computer, so .cfg "
                                             "files have no menu to add the entry to. Nothing was changed."),
                              AppTitle, PromptIcon::Exclamation);
            return;
        }
        m_shell->addContextEntry();
        showShellStatus();
    });
    connect(m_removeContext, &QPushButton::clicked, this, [this] {
        m_shell->removeContextEntry();
        showShellStatus();
    });

    auto *removeAll = named(new QPushButton(QStringLiteral("Remove Marqueemaster's &settings and associations..."), page),
                            "cmdRemoveAll");
    connect(removeAll, &QPushButton::clicked, this, &OptionsDialog::removeEverything);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(association);
    layout->addWidget(context);
    layout->addStretch();
    layout->addWidget(removeAll, 0, Qt::AlignLeft);
    return page;
}

QWidget *OptionsDialog::createLeetPage()
{
    auto *page = named(new QWidget, "fraMain3");
    m_leetText = named(new QPlainTextEdit(page), "txtLeet");
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    m_leetText->setFont(courier);
    // One pair per line: wrapping would only blur where a line ends.
    m_leetText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the box for the buttons below it: a pair holds no tabs.
    m_leetText->setTabChangesFocus(true);

    auto *reload = named(new QPushButton(QStringLiteral("Re&load"), page), "cmdReload");
    auto *save = named(new QPushButton(QStringLiteral("&Save changes"), page), "cmdSave");
    auto *create = named(new QPushButton(QStringLiteral("Create &file"), page), "cmdCreate");
    create->setToolTip(QStringLiteral("Create new file/Reset current file"));
    // Which leet.ini is in use, and where a write went.
    m_leetWhere = named(new QLabel(page), "lblLeetFile");
    m_leetWhere->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const auto showWhere = [this](const QString &what, const QString &path) {
        m_leetWhere->setText(what.arg(QDir::toNativeSeparators(path)));
    };
    const auto showInUse = [this, showWhere] {
        const QString path = m_leetFile.readPath();
        showWhere(FileExists(path) ? QStringLiteral("File: %1") : QStringLiteral("Not found: %1"), path);
    };
    showInUse();
    connect(reload, &QPushButton::clicked, this, [this, showInUse] {
        m_leetText->setPlainText(leetTextForBox(ReloadLeetTable(m_leet, m_leetFile.readPath(), m_prompts)));
        showInUse();
    });
    connect(save, &QPushButton::clicked, this, [this, showWhere] {
        if (SaveLeetText(m_leet, m_leetFile, m_leetText->toPlainText(), m_prompts))
            showWhere(QStringLiteral("Saved to %1"), m_leetFile.userCopy);
    });
    connect(create, &QPushButton::clicked, this, [this, showWhere] {
        if (const std::optional<QString> text = CreateLeetFile(m_leet, m_leetFile, m_prompts)) {
            m_leetText->setPlainText(leetTextForBox(*text));
            showWhere(QStringLiteral("Created %1"), m_leetFile.userCopy);
        }
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(reload);
    buttons->addWidget(save);
    buttons->addWidget(create);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_leetText, 1);
    layout->addWidget(m_leetWhere);
    layout->addLayout(buttons);
    return page;
}

Settings OptionsDialog::chosen() const
{
    Settings chosen = m_shown;
    chosen.name = m_name->text();
    chosen.clanTag = m_clan->text();
    chosen.openDir = m_open->text();
    chosen.saveDir = m_save->text();
    chosen.generateDir = m_scriptSave->text();
    chosen.reverse = m_reverse->isChecked();
    chosen.editItem = m_editItem->isChecked();
    chosen.multiSelect = m_multiSelect->isChecked();
    return chosen;
}

void OptionsDialog::readSettings()
{
    m_shown = LoadSettings(m_store);
    m_name->setText(m_shown.name);
    m_clan->setText(m_shown.clanTag);
    m_open->setText(m_shown.openDir);
    m_save->setText(m_shown.saveDir);
    m_scriptSave->setText(m_shown.generateDir);
    m_reverse->setChecked(m_shown.reverse);
    m_editItem->setChecked(m_shown.editItem);
    m_multiSelect->setChecked(m_shown.multiSelect);
}

void OptionsDialog::showLeetTable()
{
    if (!m_leet.leetLoaded() && !LoadLeetTable(m_leet, m_leetFile.readPath(), m_prompts)) {
        m_prompts.message(QStringLiteral("Click 'Create File' on the Edit 133t tab"),
                          QStringLiteral("Leet file not found"), PromptIcon::Information);
        m_leetText->clear();
        return;
    }
    m_leetText->setPlainText(leetTextForBox(LeetTableText(m_leet)));
}

// Either frame's button can change what the other shows (a text editor that opens animations
// once their type is known), so both read the desktop again.
void OptionsDialog::showShellStatus()
{
    showAssociationStatus();
    showContextMenuStatus();
}

void OptionsDialog::showAssociationStatus()
{
    const AssociationStatus status = m_shell->associationStatus();
    m_associate->setEnabled(status.canAssociate);
    m_restore->setEnabled(status.canRestore);
    m_isAssociated = status.IsAssociated;
    m_association->setText(status.text);
}

void OptionsDialog::showContextMenuStatus()
{
    const ContextMenuStatus status = m_shell->contextMenuStatus();
    m_on->setVisible(status.present);
    m_off->setVisible(!status.present);
    m_addContext->setEnabled(status.canAdd);
    m_removeContext->setEnabled(status.canRemove);
}

void OptionsDialog::browse(QLineEdit *field, const QString &title)
{
    // Cancelling gives empty text: the way to clear a default folder.
    field->setText(m_prompts.browseFolder(title));
}

void OptionsDialog::saveSettings()
{
    // Only what the user changed here: another copy may have changed the rest since this window opened.
    using V = SettingsValue;
    bool saved = SaveChangedSettings(m_store, m_shown, chosen(),
                                     {V::EditItem, V::MultiSelect, V::Name, V::ClanTag, V::Reverse, V::OpenDir,
                                      V::SaveDir, V::GenerateDir});
    saved &= m_game->save();
    if (!saved) {  // the window stays open with the player's choices, to try again or cancel
        const QString reason = m_store.saveError();
        m_prompts.message(QStringLiteral("The settings could not be saved%1.").arg(reason.isEmpty() ? QString() : QStringLiteral(": ") + reason),
                          QStringLiteral("Options"), PromptIcon::Critical);
        return;
    }
    if (m_settingsSaved)
        m_settingsSaved();
    accept();
}
