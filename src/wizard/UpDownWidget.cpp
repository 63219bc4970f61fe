#include "wizard/UpDownWidget.h"

#include "wizard/EffectList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDownWidget::UpDownWidget(QLineEdit *buddy, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    m_up->setObjectName(QStringLiteral("up"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setObjectName(QStringLiteral("down"));
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    // The arrows take no focus; the box does, and its arrow keys step as the arrows do.
    m_buddy->installEventFilter(this);
}

bool UpDownWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        constexpr int Page = 5;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up: step(1); return true;
        case Qt::Key_Down: step(-1); return true;
        case Qt::Key_PageUp: step(m_choices.isEmpty() ? Page : 1); return true;
        case Qt::Key_PageDown: step(m_choices.isEmpty() ? -Page : -1); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownWidget::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void UpDownWidget::step(int by)
{
    m_buddy->setText(m_choices.isEmpty() ? StepParameter(m_buddy->text(), by, m_minimum, m_maximum)
                                         : StepChoice(m_buddy->text(), by, m_choices));
}
