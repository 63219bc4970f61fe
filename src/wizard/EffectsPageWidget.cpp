#include "wizard/EffectsPageWidget.h"

#include "animation/Settings.h"
#include "wizard/EffectPreviewWidget.h"
#include "wizard/UpDownWidget.h"
#include "wizard/WizardPageWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

EffectsPageWidget::EffectsPageWidget(std::function<std::pair<QString, QString>()> nameAndTag,
                                     std::function<EffectStart()> start, const Settings &settings, QWidget *parent)
    : QWidget(parent), m_nameAndTag(std::move(nameAndTag)), m_start(std::move(start)),
      m_frameRate(settings.fps()), m_rules(&settings.rules())
{
    auto *frame = new QGroupBox(QStringLiteral("Effects"), this);
    frame->setGeometry(0, 0, 470, 254);
    m_effects = Placed(new QComboBox(frame), QRect(16, 24, 180, 26), QStringLiteral("cmbEffects"));
    m_effects->addItems(EffectNames());
    // The list drops below the box as in any other window, instead of over the buttons beside it.
    m_effects->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    auto *add = Placed(new QPushButton(QStringLiteral("&Add"), frame), QRect(204, 24, 70, 26),
                       QStringLiteral("cmdAddEffect"));
    connect(add, &QPushButton::clicked, this, &EffectsPageWidget::addEffect);
    auto *remove = Placed(new QPushButton(QStringLiteral("Re&move"), frame), QRect(282, 24, 86, 26),
                          QStringLiteral("cmdRemoveEffect"));
    connect(remove, &QPushButton::clicked, this, &EffectsPageWidget::removeSelected);
    m_previewButton = Placed(new QPushButton(QStringLiteral("Pre&view"), frame), QRect(376, 24, 80, 26),
                             QStringLiteral("cmdPreview"));
    connect(m_previewButton, &QPushButton::clicked, this, &EffectsPageWidget::togglePreview);
    m_preview = Placed(new EffectPreviewWidget(frame), QRect(16, 220, 440, 26), QStringLiteral("txtEffectPreview"));
    connect(m_preview, &EffectPreviewWidget::playingChanged, m_previewButton, [this](bool playing) {
        m_previewButton->setText(playing ? QStringLiteral("&Stop") : QStringLiteral("Pre&view"));
    });

    QLabel *listLabel = Placed(new QLabel(QStringLiteral("&Effect list"), frame), QRect(16, 58, 200, 18),
                               QStringLiteral("lblEffectList"));
    m_effectList = Placed(new QTreeWidget(frame), QRect(16, 78, 306, 132), QStringLiteral("lvwEffects"));
    listLabel->setBuddy(m_effectList);
    m_effectList->setRootIsDecorated(false);
    m_effectList->setSortingEnabled(false);
    m_effectList->setHeaderLabels({QStringLiteral("Effect name"), QStringLiteral("Parameter 1"),
                                   QStringLiteral("Parameter 2")});
    m_effectList->setColumnWidth(0, 120);
    m_effectList->setColumnWidth(1, 80);
    m_effectList->installEventFilter(this);
    m_effectList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_effectList, &QTreeWidget::itemSelectionChanged, this, &EffectsPageWidget::showSelectedRow);
    connect(m_effectList, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (!selectedRow())
            return;
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("mnuEffectRow"));
        connect(menu.addAction(QStringLiteral("&Remove")), &QAction::triggered, this, &EffectsPageWidget::removeSelected);
        connect(menu.addAction(QStringLiteral("Move &up")), &QAction::triggered, this, [this] { moveSelected(-1); });
        connect(menu.addAction(QStringLiteral("Move &down")), &QAction::triggered, this, [this] { moveSelected(1); });
        menu.exec(m_effectList->viewport()->mapToGlobal(at));
    });

    for (int i = 0; i < 2; ++i) {
        const int top = 78 + i * 58;
        m_paramLabel[i] = Placed(new QLabel(QStringLiteral("Parameter %1").arg(i + 1), frame),
                                 QRect(334, top, 130, 18), QStringLiteral("lblParam%1").arg(i + 1));
        m_paramBox[i] = Placed(new QLineEdit(frame), QRect(334, top + 20, 96, 24), QStringLiteral("txtParam%1").arg(i + 1));
        m_paramBox[i]->setEnabled(false);
        m_paramArrows[i] = Placed(new UpDownWidget(m_paramBox[i], frame), QRect(431, top + 20, 18, 24),
                                  QStringLiteral("numParam%1").arg(i + 1));
        m_paramArrows[i]->setEnabled(false);
        connect(m_paramBox[i], &QLineEdit::textChanged, this,
                [this, i](const QString &text) { storeParameter(i + 1, text); });
    }
    // Off by default: the effects then drop colour codes as they always did.
    m_keepColours = Placed(new QCheckBox(QStringLiteral("&Keep colours"), frame), QRect(334, 190, 130, 22),
                           QStringLiteral("chkKeepColors"));
    connect(m_keepColours, &QCheckBox::toggled, this, &EffectsPageWidget::changed);
    connect(this, &EffectsPageWidget::rowsChanged, this, &EffectsPageWidget::changed);
}

QVector<EffectRow> EffectsPageWidget::rows() const
{
    QVector<EffectRow> rows;
    for (int i = 0; i < m_effectList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_effectList->topLevelItem(i);
        rows.append({item->text(0), item->text(1), item->text(2)});
    }
    return rows;
}

bool EffectsPageWidget::keepColours() const
{
    return m_keepColours->isChecked();
}

QWidget *EffectsPageWidget::firstControl() const
{
    return m_effects;
}

void EffectsPageWidget::addEffect()
{
    if (m_effects->currentIndex() < 0)
        return;
    const auto [name, clanTag] = m_nameAndTag();
    const EffectRow row = DefaultEffectRow(m_effects->currentText(), clanTag, name);
    new QTreeWidgetItem(m_effectList, {row.effect, row.param1, row.param2});
    emit rowsChanged();
}

QTreeWidgetItem *EffectsPageWidget::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_effectList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void EffectsPageWidget::removeSelected()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    // No row takes over the selection: the panel keeps showing the
    // removed row, and what is typed there must not land in another one.
    m_effectList->setCurrentItem(nullptr);
    m_effectList->clearSelection();
    delete row;
    emit rowsChanged();
}

void EffectsPageWidget::moveSelected(int delta)
{
    QTreeWidgetItem *row = selectedRow();
    const int from = row ? m_effectList->indexOfTopLevelItem(row) : -1;
    const int to = from + delta;
    if (from < 0 || to < 0 || to >= m_effectList->topLevelItemCount())
        return;
    m_effectList->insertTopLevelItem(to, m_effectList->takeTopLevelItem(from));
    m_effectList->setCurrentItem(row);
    emit rowsChanged();
}

void EffectsPageWidget::showSelectedRow()
{
    const QTreeWidgetItem *item = selectedRow();
    if (!item)
        return;  // after a removal the panel keeps what it shows
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

void EffectsPageWidget::storeParameter(int column, const QString &text)
{
    QTreeWidgetItem *row = selectedRow();
    if (!row || row->text(column) == text)
        return;
    row->setText(column, text);
    changed();
}

void EffectsPageWidget::togglePreview()
{
    if (m_preview->isPlaying())
        m_preview->stop();
    else
        playPreview();
}

void EffectsPageWidget::changed()
{
    if (m_preview->isPlaying())
        playPreview();
}

void EffectsPageWidget::playPreview()
{
    m_preview->play(EffectLines(m_start(), rows(), keepColours(), *m_rules), m_frameRate, *m_rules);
}

void EffectsPageWidget::hideEvent(QHideEvent *event)
{
    m_preview->stop();  // the page left: nothing plays unseen
    QWidget::hideEvent(event);
}

bool EffectsPageWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_effectList && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    // Reached by keys, the list chooses the row its cursor is on, as a click would: else the arrows can't choose
    // the only row, and its parameters stay out of reach.
    if (watched == m_effectList && event->type() == QEvent::FocusIn
        && static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason && !selectedRow()) {
        if (QTreeWidgetItem *row = m_effectList->currentItem() ? m_effectList->currentItem() : m_effectList->topLevelItem(0))
            m_effectList->setCurrentItem(row);
    }
    return QWidget::eventFilter(watched, event);
}
