#pragma once

#include "wizard/EffectList.h"

#include <QDialog>

class AnimationModel;
class Prompts;
struct Settings;
struct GameRules;
class EffectsPageWidget;
class NamePageWidget;
class StylePageWidget;
class QPushButton;
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
    // The game chosen in Options, which may have changed since the wizard opened.
    void setGame(const GameRules &rules);

signals:
    // The style page's choice, for the next wizard to start with.
    void styleChosen(int style);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildEffectsPage(const Settings &settings);
    void showPage();
    void back();
    void next();
    void finish();
    void cancel();
    QWidget *firstControl() const;

    AnimationModel &m_model;
    Prompts &m_prompts;
    const GameRules *m_rules;  // whose colours the effects write
    int m_currentPage = 1;

    QStackedWidget *m_pages = nullptr;
    StylePageWidget *m_stylePage = nullptr;
    NamePageWidget *m_namePage = nullptr;
    EffectsPageWidget *m_effectsPage = nullptr;
    bool m_touched = false;  // something typed or added: leaving by Escape asks first
    QPushButton *m_back = nullptr;
    QPushButton *m_next = nullptr;
};

// Shows the one wizard window, creating it (deleted when closed) when none is
// open, or bringing the open one to the front.
WizardWindow *ShowWizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts,
                               QWidget *parent);
