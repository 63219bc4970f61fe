#include "wizard/WelcomePageWidget.h"

#include "wizard/WelcomePicture.h"
#include "wizard/WizardPageWidget.h"

WelcomePageWidget::WelcomePageWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picPage1"));
    QLabel *picture = PlacedLabel({}, this, QRect(8, 8, 164, 313), QStringLiteral("imgPage1"));
    picture->setPixmap(WelcomePicture());
    QLabel *welcome = PlacedLabel(QStringLiteral("Welcome to the Animation Script Wizard"), this,
                                  QRect(188, 16, 300, 56), QStringLiteral("lblWelcome"));
    QFont font = welcome->font();
    font.setPointSizeF(13.5);
    font.setBold(true);
    welcome->setFont(font);
    welcome->setWordWrap(true);
    welcome->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel *text = PlacedLabel(QStringLiteral("With this wizard, you can create cool animation effects in just a few minutes.")
                                   + QStringLiteral("\r\n\r\nClick Next to continue or Cancel to exit."),
                               this, QRect(188, 84, 296, 120), QStringLiteral("lblText"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
