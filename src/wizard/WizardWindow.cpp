#include "wizard/WizardWindow.h"

#include "animation/AnimationModel.h"
#include "animation/Settings.h"
#include "platform/Prompts.h"
#include "wizard/EffectsPageWidget.h"
#include "wizard/NamePageWidget.h"
#include "wizard/StylePageWidget.h"
#include "wizard/WelcomePageWidget.h"
#include "wizard/WizardPageWidget.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>

WizardWindow::WizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_model(model), m_prompts(prompts), m_rules(&settings.rules())
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Animation Script Wizard"));
    setModal(false);
    setFixedSize(502, 386);

    m_pages = new QStackedWidget(this);
    m_pages->setGeometry(0, 0, 502, 326);
    m_pages->addWidget(new WelcomePageWidget);
    m_stylePage = new StylePageWidget(settings.wizardStyle);
    connect(m_stylePage, &StylePageWidget::styleChosen, this, &WizardWindow::styleChosen);
    m_pages->addWidget(m_stylePage);
    m_namePage = new NamePageWidget(settings);
    connect(m_namePage, &NamePageWidget::edited, this, [this] { m_touched = true; });
    m_pages->addWidget(m_namePage);
    m_pages->addWidget(buildEffectsPage(settings));

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 330, 486, 4);
    m_back = new QPushButton(QStringLiteral("< &Back"), this);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_back->setGeometry(224, 346, 84, 26);
    m_next = new QPushButton(QStringLiteral("&Next >"), this);
    m_next->setObjectName(QStringLiteral("cmdNext"));
    m_next->setGeometry(312, 346, 84, 26);
    auto *cancelButton = new QPushButton(QStringLiteral("Cance&l"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    cancelButton->setGeometry(408, 346, 84, 26);
    connect(m_back, &QPushButton::clicked, this, &WizardWindow::back);
    connect(m_next, &QPushButton::clicked, this, &WizardWindow::next);
    connect(cancelButton, &QPushButton::clicked, this, &WizardWindow::cancel);
    // Enter goes on to the next page (and on the last one finishes); on a focused button it presses that one.
    m_next->setDefault(true);

    showPage();
}

QWidget *WizardWindow::buildEffectsPage(const Settings &settings)
{
    auto *page = new QWidget;
    AddPageTitle(page, 4, QStringLiteral("Type: Simple - Select effects"), QStringLiteral("Select the animation effects"));
    m_effectsPage = new EffectsPageWidget(
        [this] { return std::pair(m_namePage->defaultNameBox(), m_namePage->clanTagBox()); },
        [this] { return m_namePage->start(); }, settings, page);
    m_effectsPage->setGeometry(16, 66, 470, 254);
    connect(m_effectsPage, &EffectsPageWidget::rowsChanged, this, [this] { m_touched = true; });
    return page;
}

void WizardWindow::showPage()
{
    m_pages->setCurrentIndex(m_currentPage - 1);
    m_back->setEnabled(m_currentPage > 1);
    m_next->setText(m_currentPage == PageCount ? QStringLiteral("&Finish") : QStringLiteral("&Next >"));
    firstControl()->setFocus();
}

QWidget *WizardWindow::firstControl() const
{
    switch (m_currentPage) {
    case 2:
        return m_stylePage->firstControl();
    case 3:
        return m_namePage->firstControl();
    case 4:
        return m_effectsPage->firstControl();
    default:
        return m_next;
    }
}

void WizardWindow::back()
{
    if (m_currentPage > 1) {
        --m_currentPage;
        showPage();
    }
}

void WizardWindow::next()
{
    if (m_currentPage < PageCount) {
        ++m_currentPage;
        showPage();
    } else {
        finish();
    }
}

QVector<EffectRow> WizardWindow::effectRows() const
{
    return m_effectsPage->rows();
}

void WizardWindow::finish()
{
    const EffectStart start = m_namePage->start();
    const QVector<EffectRow> rows = effectRows();
    // One undo step, named after its effect when there is one ("Undo Bounce").
    AnimationStep step(m_model, rows.size() == 1 ? rows.first().effect : QStringLiteral("Wizard"));
    RunEffects(m_model, start.name, start.clanTag, start.reverse, rows, m_prompts, m_effectsPage->keepColours(), *m_rules);
    accept();
}

void WizardWindow::cancel()
{
    if (m_prompts.message(QStringLiteral("Are you sure you want to exit the wizard?"), QStringLiteral("Exit wizard?"),
                          PromptIcon::Question, PromptButtons::YesNo)
        == PromptAnswer::Yes)
        reject();
}

void WizardWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape asks like Cancel once something was typed; before that there is nothing to lose.
    if (event->key() == Qt::Key_Escape && m_touched)
        cancel();
    else if (event->key() == Qt::Key_Escape)
        reject();
    else
        QDialog::keyPressEvent(event);
}

void WizardWindow::setGame(const GameRules &rules)
{
    m_rules = &rules;
    m_namePage->setGame(rules);
    m_effectsPage->setGame(rules);
}

WizardWindow *ShowWizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts, QWidget *parent)
{
    static QPointer<WizardWindow> openWizard;
    if (!openWizard) {
        openWizard = new WizardWindow(model, settings, prompts, parent);
        openWizard->setAttribute(Qt::WA_DeleteOnClose);
    }
    openWizard->setGame(settings.rules());
    openWizard->show();
    openWizard->raise();
    openWizard->activateWindow();
    return openWizard;
}
