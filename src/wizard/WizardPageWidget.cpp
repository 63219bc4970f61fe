#include "wizard/WizardPageWidget.h"

#include <QFrame>

void AddPageTitle(QWidget *container, int number, const QString &title, const QString &subLine)
{
    container->setObjectName(QStringLiteral("picPage%1").arg(number));
    QLabel *heading = PlacedLabel(title, container, QRect(16, 10, 470, 20));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    PlacedLabel(subLine, container, QRect(32, 32, 454, 18));
    auto *rule = new QFrame(container);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(0, 56, 502, 4);
}
