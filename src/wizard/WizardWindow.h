#pragma once

#include "wizard/EffectList.h"

#include "game/GameRules.h"

#include <QDialog>

class AnimationModel;
class Prompts;
struct Settings;
class QCheckBox;
class EffectsPageWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// Four pages that collect a name, a clan tag and a list of effects; Finish
// replaces the animation with the effects' lines.
class WizardWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int PageCount = 4;

    WizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts, QWidget *parent = nullptr);

    int currentPage() const { return m_currentPage; }
    QVector<EffectRow> effectRows() const;
    // The game whose colours the effects and the colour name editor use.
    void setGame(Game game) { m_game = game; }

signals:
    // The style page's choice, for the next wizard to start with.
    void styleChosen(int style);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildWelcomePage();
    QWidget *buildStylePage();
    QWidget *buildNamePage();
    QWidget *buildEffectsPage();
    QWidget *pageWithTitle(int page, const QString &title, const QString &subLine);

    void showPage();
    void back();
    void next();
    void finish();
    void cancel();
    QWidget *firstControl() const;

    AnimationModel &m_model;
    Prompts &m_prompts;
    Game m_game;  // whose colours the effects write
    int m_currentPage = 1;

    QStackedWidget *m_pages = nullptr;
    QRadioButton *m_nameOnly[2] = {};
    QLineEdit *m_nameBox[2] = {};
    QLineEdit *m_clanTag = nullptr;
    QCheckBox *m_reverse = nullptr;
    QRadioButton *m_style[2] = {};
    EffectsPageWidget *m_effectsPage = nullptr;
    bool m_touched = false;  // something typed or added: leaving by Escape asks first
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
};

// Shows the one wizard window, creating it (deleted when closed) when none is
// open, or bringing the open one to the front.
WizardWindow *ShowWizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts,
                               QWidget *parent);
