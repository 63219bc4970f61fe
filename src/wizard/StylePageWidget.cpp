#include "wizard/StylePageWidget.h"

#include "wizard/WizardPageWidget.h"

#include <QGroupBox>
#include <QRadioButton>

StylePageWidget::StylePageWidget(int style, QWidget *parent) : QWidget(parent)
{
    AddPageTitle(this, 2, QStringLiteral("Select wizard type"), QStringLiteral("Select the wizard style (simple/advanced)"));
    auto *frame = new QGroupBox(QStringLiteral("Animation wizard style"), this);
    frame->setGeometry(16, 70, 470, 90);
    m_style[0] = Placed(new QRadioButton(QStringLiteral("&Simple"), frame), QRect(16, 26, 200, 22),
                        QStringLiteral("optWizStyle0"));
    m_style[1] = Placed(new QRadioButton(QStringLiteral("A&dvanced"), frame), QRect(16, 54, 200, 22),
                        QStringLiteral("optWizStyle1"));
    m_style[style == 1 ? 1 : 0]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        connect(m_style[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                emit styleChosen(i);
        });
}

QWidget *StylePageWidget::firstControl() const
{
    return m_style[0]->isChecked() ? m_style[0] : m_style[1];
}
