#pragma once

#include "animation/Settings.h"
#include "transforms/LeetTable.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <memory>

class DesktopShell;
class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class RegistryStore;
class GameOptionsWidget;

// "Options": the settings, the shell entries and leet.ini on four pages. OK
// writes the settings and calls settingsSaved; the shell and leet.ini actions
// take effect at once, Cancel does not undo them.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(RegistryStore &store, LeetTable &leet, const LeetFileLocation &leetFile, const QString &executablePath,
                  Prompts &prompts, std::function<void()> settingsSaved, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // True while the last status check found .ras pointing at the program.
    bool isAssociated() const { return m_isAssociated; }

private:
    QWidget *createEditorPage();
    QWidget *createWizardPage();
    QWidget *createRegistryPage();
    QWidget *createLeetPage();

    void readSettings();
    void showLeetTable();
    void showShellStatus();
    void showAssociationStatus();
    void showContextMenuStatus();
    void browse(QLineEdit *field, const QString &title);
    // Lists what the program keeps, asks, and takes it all away.
    void removeEverything();
    // A stored value and how to read it off its control.
    // The settings with this page's values as the window shows them now.
    Settings chosen() const;
    void saveSettings();

    RegistryStore &m_store;
    LeetTable &m_leet;
    LeetFileLocation m_leetFile;
    std::unique_ptr<DesktopShell> m_shell;
    Prompts &m_prompts;
    std::function<void()> m_settingsSaved;
    bool m_isAssociated = false;
    Settings m_shown;  // the values as the window showed them first

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_open = nullptr;
    QLineEdit *m_save = nullptr;
    QLineEdit *m_scriptSave = nullptr;
    QCheckBox *m_editItem = nullptr;
    QCheckBox *m_multiSelect = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_clan = nullptr;
    QCheckBox *m_reverse = nullptr;
    QLineEdit *m_association = nullptr;
    QPushButton *m_associate = nullptr;
    QPushButton *m_restore = nullptr;
    QLabel *m_on = nullptr;
    QLabel *m_off = nullptr;
    QPushButton *m_addContext = nullptr;
    QPushButton *m_removeContext = nullptr;
    QPlainTextEdit *m_leetText = nullptr;
    QLabel *m_leetWhere = nullptr;
    GameOptionsWidget *m_game = nullptr;
};
