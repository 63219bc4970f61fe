#include "wizard/WizardWindow.h"

#include "animation/AnimationModel.h"
#include "colors/ColorCodes.h"
#include "colors/ColorEditorDialog.h"
#include "platform/Prompts.h"
#include "animation/Settings.h"
#include "wizard/UpDownWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

// The welcome page's picture: the program's name running down a dark strip in
// the game's colours, like a name animation.
QPixmap welcomePicture()
{
    QPixmap picture(164, 313);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor(20, 30, 90));
    gradient.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(picture.rect(), gradient);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    font.setPixelSize(26);
    painter.setFont(font);
    const QString title = QStringLiteral("MARQUEE");
    for (int i = 0; i < title.size(); ++i) {
        painter.setPen(ColorFromCode(QString::number(1 + i % 6)));
        painter.drawText(QRect(0, 20 + i * 34, picture.width(), 34), Qt::AlignCenter, title.mid(i, 1));
    }
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 268, picture.width(), 24), Qt::AlignCenter, QStringLiteral("master"));
    return picture;
}

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
    : QDialog(parent), m_model(model), m_prompts(prompts)
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
    m_back = new QPushButton(QStringLiteral("< Back"), this);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_back->setGeometry(224, 346, 84, 26);
    m_next = new QPushButton(QStringLiteral("Next >"), this);
    m_next->setObjectName(QStringLiteral("cmdNext"));
    m_next->setGeometry(312, 346, 84, 26);
    auto *cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    cancelButton->setGeometry(408, 346, 84, 26);
    connect(m_back, &QPushButton::clicked, this, &WizardWindow::back);
    connect(m_next, &QPushButton::clicked, this, &WizardWindow::next);
    connect(cancelButton, &QPushButton::clicked, this, &WizardWindow::cancel);
    // Enter in a text box must not press Finish or Cancel.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    m_clanTag->setText(settings.clanTag);
    const int nameBox = settings.clanTag.isEmpty() ? 0 : 1;
    m_nameBox[nameBox]->setText(settings.name);
    m_nameOnly[nameBox]->setChecked(true);
    m_reverse->setChecked(settings.reverse);
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
    picture->setPixmap(welcomePicture());
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
    placed(new QRadioButton(QStringLiteral("Simple"), frame), QRect(16, 26, 200, 22), QStringLiteral("optWizStyle0"))
        ->setChecked(true);
    placed(new QRadioButton(QStringLiteral("Advanced"), frame), QRect(16, 54, 200, 22), QStringLiteral("optWizStyle1"));
    return page;
}

QWidget *WizardWindow::buildNamePage()
{
    QWidget *page = pageWithTitle(3, QStringLiteral("Type: Simple - Set name"),
                                  QStringLiteral("Fill in your Clantag and name"));
    auto *frame = new QGroupBox(QStringLiteral("Your name"), page);
    frame->setGeometry(16, 66, 470, 254);
    const QString captions[2] = {QStringLiteral("Name Only"), QStringLiteral("Clantag and Name")};
    const QRect optionPlaces[2] = {QRect(16, 24, 300, 22), QRect(16, 82, 300, 22)};
    const QRect namePlaces[2] = {QRect(36, 48, 410, 24), QRect(158, 106, 288, 24)};
    for (int i = 0; i < 2; ++i) {
        m_nameOnly[i] = placed(new QRadioButton(captions[i], frame), optionPlaces[i], QStringLiteral("optNameOnly%1").arg(i));
        m_nameBox[i] = placed(new QLineEdit(frame), namePlaces[i], QStringLiteral("txtNameOnly%1").arg(i));
        m_nameBox[i]->installEventFilter(this);
    }
    m_clanTag = placed(new QLineEdit(frame), QRect(36, 106, 114, 24), QStringLiteral("txtClanTag"));
    m_clanTag->installEventFilter(this);
    setTabOrder(m_nameBox[0], m_nameOnly[1]);
    setTabOrder(m_nameOnly[1], m_clanTag);
    setTabOrder(m_clanTag, m_nameBox[1]);

    m_reverse = new QCheckBox(QStringLiteral("Reverse clantag-name (e.g. [XKR]OceloT -> OceloT[XKR]   )"), frame);
    m_reverse->setObjectName(QStringLiteral("chkClanTag"));
    m_reverse->setGeometry(16, 146, 440, 22);
    auto *colorEditor = new QPushButton(QStringLiteral("Color editor"), frame);
    colorEditor->setObjectName(QStringLiteral("cmdColor"));
    colorEditor->setGeometry(16, 184, 110, 26);
    connect(colorEditor, &QPushButton::clicked, this, [this] {
        ColorEditorDialog editor(this);
        editor.exec();
    });
    return page;
}

QWidget *WizardWindow::buildEffectsPage()
{
    QWidget *page = pageWithTitle(4, QStringLiteral("Type: Simple - Select effects"),
                                  QStringLiteral("Select the animation effects"));
    auto *frame = new QGroupBox(QStringLiteral("Effects"), page);
    frame->setGeometry(16, 66, 470, 254);
    m_effects = new QComboBox(frame);
    m_effects->setObjectName(QStringLiteral("cmbEffects"));
    m_effects->setGeometry(16, 24, 180, 26);
    m_effects->addItems(EffectNames());
    auto *add = new QPushButton(QStringLiteral("Add"), frame);
    add->setObjectName(QStringLiteral("cmdAddEffect"));
    add->setGeometry(204, 24, 70, 26);
    connect(add, &QPushButton::clicked, this, &WizardWindow::addEffect);
    auto *preview = new QPushButton(QStringLiteral("Preview"), frame);
    preview->setObjectName(QStringLiteral("cmdPreview"));
    preview->setGeometry(376, 24, 80, 26);
    connect(preview, &QPushButton::clicked, this, [this] {
        m_prompts.message(QStringLiteral("Preview not available yet!"), QStringLiteral("Effect - Preview"),
                          PromptIcon::Information, PromptButtons::Ok);
    });

    label(QStringLiteral("Effect list"), frame, QRect(16, 58, 200, 18), QStringLiteral("lblEffectList"));
    m_effectList = new QTreeWidget(frame);
    m_effectList->setObjectName(QStringLiteral("lvwEffects"));
    m_effectList->setGeometry(16, 78, 306, 164);
    m_effectList->setRootIsDecorated(false);
    m_effectList->setSortingEnabled(false);
    m_effectList->setHeaderLabels({QStringLiteral("Effect name"), QStringLiteral("Parameter 1"),
                                   QStringLiteral("Parameter 2")});
    m_effectList->setColumnWidth(0, 120);
    m_effectList->setColumnWidth(1, 80);
    m_effectList->installEventFilter(this);
    connect(m_effectList, &QTreeWidget::itemSelectionChanged, this, &WizardWindow::showSelectedRow);

    for (int i = 0; i < 2; ++i) {
        const int top = 78 + i * 58;
        m_paramLabel[i] = label(QStringLiteral("Parameter %1").arg(i + 1), frame, QRect(334, top, 130, 18),
                                QStringLiteral("lblParam%1").arg(i + 1));
        m_paramBox[i] = new QLineEdit(frame);
        m_paramBox[i]->setObjectName(QStringLiteral("txtParam%1").arg(i + 1));
        m_paramBox[i]->setGeometry(334, top + 20, 96, 24);
        m_paramBox[i]->setEnabled(false);
        m_paramArrows[i] = new UpDownWidget(m_paramBox[i], frame);
        m_paramArrows[i]->setObjectName(QStringLiteral("numParam%1").arg(i + 1));
        m_paramArrows[i]->setGeometry(431, top + 20, 18, 24);
        m_paramArrows[i]->setEnabled(false);
        connect(m_paramBox[i], &QLineEdit::textChanged, this,
                [this, i](const QString &text) { storeParameter(i + 1, text); });
    }
    // Off by default: the effects then drop colour codes as they always did.
    m_keepColours = placed(new QCheckBox(QStringLiteral("Keep colours"), frame), QRect(334, 200, 130, 22),
                           QStringLiteral("chkKeepColors"));
    return page;
}

void WizardWindow::showPage()
{
    m_pages->setCurrentIndex(m_currentPage - 1);
    m_back->setEnabled(m_currentPage > 1);
    m_next->setText(m_currentPage == PageCount ? QStringLiteral("Finish") : QStringLiteral("Next >"));
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
    QVector<EffectRow> rows;
    for (int i = 0; i < m_effectList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_effectList->topLevelItem(i);
        rows.append({item->text(0), item->text(1), item->text(2)});
    }
    return rows;
}

void WizardWindow::finish()
{
    const bool nameOnly = m_nameOnly[0]->isChecked();
    const QString name = nameOnly ? m_nameBox[0]->text() : m_nameBox[1]->text();
    const QString clanTag = nameOnly ? QString() : m_clanTag->text();
    const QVector<EffectRow> rows = effectRows();
    // One undo step, named after its effect when there is one ("Undo Bounce").
    AnimationStep step(m_model, rows.size() == 1 ? rows.first().effect : QStringLiteral("Wizard"));
    RunEffects(m_model, name, clanTag, m_reverse->isChecked(), rows, m_prompts, m_keepColours->isChecked());
    accept();
}

void WizardWindow::cancel()
{
    if (m_prompts.message(QStringLiteral("Are you sure you want to exit the wizard?"), QStringLiteral("Exit wizard?"),
                          PromptIcon::Question, PromptButtons::YesNo)
        == PromptAnswer::Yes)
        reject();
}

void WizardWindow::addEffect()
{
    if (m_effects->currentIndex() < 0)
        return;
    const EffectRow row = DefaultEffectRow(m_effects->currentText(), m_clanTag->text(),
                                           DefaultNameBox(m_nameBox[0]->text(), m_nameBox[1]->text()));
    new QTreeWidgetItem(m_effectList, {row.effect, row.param1, row.param2});
}

void WizardWindow::showSelectedRow()
{
    const QList<QTreeWidgetItem *> selected = m_effectList->selectedItems();
    if (selected.isEmpty())
        return;  // after a removal the panel keeps what it shows
    const QTreeWidgetItem *item = selected.first();
    const ParameterPanel panel = ParameterPanelFor(item->text(0));
    m_paramBox[0]->setText(item->text(1));
    m_paramBox[1]->setText(item->text(2));
    m_paramLabel[0]->setText(panel.label1);
    m_paramLabel[1]->setText(panel.label2);
    m_paramBox[0]->setEnabled(panel.param1Enabled);
    m_paramArrows[0]->setEnabled(panel.param1Enabled);
    if (panel.param1Enabled) {
        m_paramArrows[0]->setRange(panel.minimum, panel.maximum);
        m_paramArrows[0]->setChoices(panel.choices1);
    }
    // The first parameter changes only through its arrows, so it stays in range.
    m_paramBox[0]->setReadOnly(panel.param1Enabled);
    m_paramBox[1]->setEnabled(panel.param2Enabled);
    m_paramBox[1]->setReadOnly(panel.param2Arrows);
    m_paramArrows[1]->setEnabled(panel.param2Arrows);
    m_paramArrows[1]->setRange(panel.minimum2, panel.maximum2);
}

void WizardWindow::storeParameter(int column, const QString &text)
{
    const QList<QTreeWidgetItem *> selected = m_effectList->selectedItems();
    if (!selected.isEmpty())
        selected.first()->setText(column, text);
}

bool WizardWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_clanTag || watched == m_nameBox[1])
            m_nameOnly[1]->setChecked(true);
        else if (watched == m_nameBox[0])
            m_nameOnly[0]->setChecked(true);
    } else if (watched == m_effectList && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        const QList<QTreeWidgetItem *> selected = m_effectList->selectedItems();
        if (!selected.isEmpty()) {
            // No row takes over the selection: the panel keeps showing the
            // removed row, and what is typed there must not land in another one.
            m_effectList->setCurrentItem(nullptr);
            m_effectList->clearSelection();
            delete selected.first();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void WizardWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape asks like Cancel rather than closing silently.
    if (event->key() == Qt::Key_Escape)
        cancel();
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
    openWizard->show();
    openWizard->raise();
    openWizard->activateWindow();
    return openWizard;
}
