#include "wizard/WizardWindow.h"

#include "animation/AnimationModel.h"
#include "colors/ColorEditorDialog.h"
#include "platform/Prompts.h"
#include "animation/Settings.h"
#include "wizard/EffectsPageWidget.h"
#include "wizard/WelcomePicture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

namespace {

// Places a new control and names it.
template <typename T>
T *placed(T *widget, const QRect &geometry, const QString &objectName = {})
{
    widget->setGeometry(geometry);
    widget->setObjectName(objectName);
    return widget;
}

QLabel *label(const QString &text, QWidget *parent, const QRect &geometry, const QString &objectName = {})
{
    return placed(new QLabel(text, parent), geometry, objectName);
}

} // namespace

WizardWindow::WizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_model(model), m_prompts(prompts), m_game(settings.game)
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Animation Script Wizard"));
    setModal(false);
    setFixedSize(502, 386);

    m_pages = new QStackedWidget(this);
    m_pages->setGeometry(0, 0, 502, 326);
    m_pages->addWidget(buildWelcomePage());
    m_pages->addWidget(buildStylePage());
    m_pages->addWidget(buildNamePage());
    m_pages->addWidget(buildEffectsPage());

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

    m_clanTag->setText(settings.clanTag);
    const int nameBox = settings.clanTag.isEmpty() ? 0 : 1;
    m_nameBox[nameBox]->setText(settings.name);
    m_nameOnly[nameBox]->setChecked(true);
    m_reverse->setChecked(settings.reverse);
    m_style[settings.wizardStyle == 1 ? 1 : 0]->setChecked(true);
    showPage();
}

QWidget *WizardWindow::pageWithTitle(int page, const QString &title, const QString &subLine)
{
    auto *container = new QWidget;
    container->setObjectName(QStringLiteral("picPage%1").arg(page));
    QLabel *heading = label(title, container, QRect(16, 10, 470, 20));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    label(subLine, container, QRect(32, 32, 454, 18));
    auto *rule = new QFrame(container);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(0, 56, 502, 4);
    return container;
}

QWidget *WizardWindow::buildWelcomePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("picPage1"));
    QLabel *picture = label({}, page, QRect(8, 8, 164, 313), QStringLiteral("imgPage1"));
    picture->setPixmap(WelcomePicture());
    QLabel *welcome = label(QStringLiteral("Welcome to the Animation Script Wizard"), page, QRect(188, 16, 300, 56),
                            QStringLiteral("lblWelcome"));
    QFont font = welcome->font();
    font.setPointSizeF(13.5);
    font.setBold(true);
    welcome->setFont(font);
    welcome->setWordWrap(true);
    welcome->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel *text = label(QStringLiteral("With this wizard, you can create cool animation effects in just a few minutes.")
                             + QStringLiteral("\r\n\r\nClick Next to continue or Cancel to exit."),
                         page, QRect(188, 84, 296, 120), QStringLiteral("lblText"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return page;
}

QWidget *WizardWindow::buildStylePage()
{
    QWidget *page = pageWithTitle(2, QStringLiteral("Select wizard type"),
                                  QStringLiteral("Select the wizard style (simple/advanced)"));
    auto *frame = new QGroupBox(QStringLiteral("Animation wizard style"), page);
    frame->setGeometry(16, 70, 470, 90);
    m_style[0] = placed(new QRadioButton(QStringLiteral("&Simple"), frame), QRect(16, 26, 200, 22),
                        QStringLiteral("optWizStyle0"));
    m_style[1] = placed(new QRadioButton(QStringLiteral("A&dvanced"), frame), QRect(16, 54, 200, 22),
                        QStringLiteral("optWizStyle1"));
    for (int style = 0; style < 2; ++style)
        connect(m_style[style], &QRadioButton::toggled, this, [this, style](bool on) {
            if (on)
                emit styleChosen(style);
        });
    return page;
}

QWidget *WizardWindow::buildNamePage()
{
    QWidget *page = pageWithTitle(3, QStringLiteral("Type: Simple - Set name"),
                                  QStringLiteral("Fill in your Clantag and name"));
    auto *frame = new QGroupBox(QStringLiteral("Your name"), page);
    frame->setGeometry(16, 66, 470, 254);
    const QString captions[2] = {QStringLiteral("Name &Only"), QStringLiteral("Clantag &and Name")};
    const QRect optionPlaces[2] = {QRect(16, 24, 300, 22), QRect(16, 82, 300, 22)};
    const QRect namePlaces[2] = {QRect(36, 48, 410, 24), QRect(158, 106, 288, 24)};
    for (int i = 0; i < 2; ++i) {
        m_nameOnly[i] = placed(new QRadioButton(captions[i], frame), optionPlaces[i], QStringLiteral("optNameOnly%1").arg(i));
        m_nameBox[i] = placed(new QLineEdit(frame), namePlaces[i], QStringLiteral("txtNameOnly%1").arg(i));
        m_nameBox[i]->installEventFilter(this);
    }
    m_clanTag = placed(new QLineEdit(frame), QRect(36, 106, 114, 24), QStringLiteral("txtClanTag"));
    m_clanTag->installEventFilter(this);
    for (QLineEdit *box : {m_nameBox[0], m_nameBox[1], m_clanTag})
        connect(box, &QLineEdit::textEdited, this, [this] { m_touched = true; });
    setTabOrder(m_nameBox[0], m_nameOnly[1]);
    setTabOrder(m_nameOnly[1], m_clanTag);
    setTabOrder(m_clanTag, m_nameBox[1]);

    m_reverse = new QCheckBox(QStringLiteral("&Reverse clantag-name (e.g. [XKR]OceloT -> OceloT[XKR]   )"), frame);
    m_reverse->setObjectName(QStringLiteral("chkClanTag"));
    m_reverse->setGeometry(16, 146, 440, 22);
    auto *colorEditor = new QPushButton(QStringLiteral("Color &editor..."), frame);
    colorEditor->setObjectName(QStringLiteral("cmdColor"));
    colorEditor->setGeometry(16, 184, 110, 26);
    connect(colorEditor, &QPushButton::clicked, this, [this] {
        ColorEditorDialog editor(Games::Of(m_game), this);
        editor.exec();
    });
    return page;
}

QWidget *WizardWindow::buildEffectsPage()
{
    QWidget *page = pageWithTitle(4, QStringLiteral("Type: Simple - Select effects"),
                                  QStringLiteral("Select the animation effects"));
    m_effectsPage = new EffectsPageWidget(
        m_prompts,
        [this] {
            return std::pair(DefaultNameBox(m_nameBox[0]->text(), m_nameBox[1]->text()), m_clanTag->text());
        },
        page);
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
        return m_style[0]->isChecked() ? m_style[0] : m_style[1];
    case 3:
        return m_nameOnly[0]->isChecked() ? m_nameBox[0] : m_clanTag;
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
    const bool nameOnly = m_nameOnly[0]->isChecked();
    const QString name = nameOnly ? m_nameBox[0]->text() : m_nameBox[1]->text();
    const QString clanTag = nameOnly ? QString() : m_clanTag->text();
    const QVector<EffectRow> rows = effectRows();
    // One undo step, named after its effect when there is one ("Undo Bounce").
    AnimationStep step(m_model, rows.size() == 1 ? rows.first().effect : QStringLiteral("Wizard"));
    RunEffects(m_model, name, clanTag, m_reverse->isChecked(), rows, m_prompts, m_effectsPage->keepColours(),
               Games::Of(m_game));
    accept();
}

void WizardWindow::cancel()
{
    if (m_prompts.message(QStringLiteral("Are you sure you want to exit the wizard?"), QStringLiteral("Exit wizard?"),
                          PromptIcon::Question, PromptButtons::YesNo)
        == PromptAnswer::Yes)
        reject();
}

bool WizardWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_clanTag || watched == m_nameBox[1])
            m_nameOnly[1]->setChecked(true);
        else if (watched == m_nameBox[0])
            m_nameOnly[0]->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
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

WizardWindow *ShowWizardWindow(AnimationModel &model, const Settings &settings, Prompts &prompts, QWidget *parent)
{
    static QPointer<WizardWindow> openWizard;
    if (!openWizard) {
        openWizard = new WizardWindow(model, settings, prompts, parent);
        openWizard->setAttribute(Qt::WA_DeleteOnClose);
    }
    openWizard->setGame(settings.game);  // the game chosen in Options since it opened
    openWizard->show();
    openWizard->raise();
    openWizard->activateWindow();
    return openWizard;
}
