#include "animation/EditLineDialog.h"

#include "animation/AnimationModel.h"
#include "animation/LineEditRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The layout is in twips; 15 make a pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

EditLineDialog::EditLineDialog(AnimationModel &model, int row, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      m_model(model),
      m_row(row)
{
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral("Edit"));
    setFixedSize(4530 / 15, 1950 / 15);

    auto *timeLabel = new QLabel(QStringLiteral("&Time"), this);
    timeLabel->setObjectName(QStringLiteral("Label1"));
    timeLabel->setGeometry(twips(120, 120, 495, 255));

    m_time = new QLineEdit(this);
    m_time->setObjectName(QStringLiteral("txtTime"));
    m_time->setGeometry(twips(120, 360, 1815, 300));
    timeLabel->setBuddy(m_time);

    // Why a typed Time can't be kept, under the box; the dialog grows by its height while it shows.
    m_timeProblem = new QLabel(this);
    m_timeProblem->setObjectName(QStringLiteral("lblTimeProblem"));
    m_timeProblem->setGeometry(8, height(), width() - 16, 20);
    m_timeProblem->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_timeProblem->hide();

    auto *speed = new QLabel(QStringLiteral("15 = fast\n20 = regular\n30 = slow"), this);
    speed->setObjectName(QStringLiteral("lblSpeed"));
    speed->setGeometry(twips(2040, 360, 1095, 615));
    speed->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The hints must stay readable in fonts wider than the one the layout was
    // drawn for; the buttons on the right leave a little room to grow.
    const int speedRoom = 3360 / 15 - speed->x() - 4;
    speed->resize(qBound(speed->width(), speed->sizeHint().width(), speedRoom), speed->height());

    auto *actionLabel = new QLabel(QStringLiteral("&Action"), this);
    actionLabel->setObjectName(QStringLiteral("Label2"));
    actionLabel->setGeometry(twips(120, 1080, 1935, 255));

    m_action = new QComboBox(this);
    m_action->setObjectName(QStringLiteral("cmbAction"));
    m_action->setGeometry(twips(120, 1320, 1815, 315));
    m_action->setEditable(false);
    m_action->addItems(ActionList());
    actionLabel->setBuddy(m_action);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twips(3360, 120, 1095, 350));
    ok->setDefault(true);

    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(twips(3360, 600, 1095, 350));

    setTabOrder(m_time, m_action);
    setTabOrder(m_action, ok);
    setTabOrder(ok, cancel);

    // Checked when the user is done with the box, not on every key: an emptied box must take the next number typed.
    connect(m_time, &QLineEdit::editingFinished, this, &EditLineDialog::checkTime);
    connect(ok, &QPushButton::clicked, this, &EditLineDialog::writeBack);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (row >= 0 && row < model.count()) {
        const AnimationLine &line = model.line(row);
        m_time->setText(line.time);
        m_action->setCurrentIndex(ActionIndexFor(line.action));
    }
    // A stored Time that is no number shows as the regular speed, as the list would play it.
    m_time->setText(CheckedTime(m_time->text()));
    m_time->setFocus();
}

bool EditLineDialog::checkTime()
{
    const QString problem = TimeProblem(m_time->text());
    m_timeProblem->setText(problem);
    if (problem.isEmpty() == m_timeProblem->isHidden())
        return problem.isEmpty();
    m_timeProblem->setVisible(!problem.isEmpty());
    setFixedHeight(1950 / 15 + (problem.isEmpty() ? 0 : m_timeProblem->height() + 4));
    return problem.isEmpty();
}

void EditLineDialog::writeBack()
{
    // A refused Time keeps the dialog open with what was typed, and says why.
    if (!checkTime()) {
        m_time->setFocus();
        m_time->selectAll();
        return;
    }
    // Checked again: nothing keeps the list from shrinking while the dialog is open.
    if (m_row >= 0 && m_row < m_model.count()) {
        m_model.setTime(m_row, m_time->text());
        m_model.setAction(m_row, m_action->currentText());
    }
    accept();
}
