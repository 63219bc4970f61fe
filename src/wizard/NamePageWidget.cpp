#include "wizard/NamePageWidget.h"

#include "animation/Settings.h"
#include "colors/ColorEditorDialog.h"
#include "wizard/WizardPageWidget.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

NamePageWidget::NamePageWidget(const Settings &settings, QWidget *parent) : QWidget(parent), m_rules(&settings.rules())
{
    AddPageTitle(this, 3, QStringLiteral("Type: Simple - Set name"), QStringLiteral("Fill in your Clantag and name"));
    auto *frame = new QGroupBox(QStringLiteral("Your name"), this);
    frame->setGeometry(16, 66, 470, 254);
    const QString captions[2] = {QStringLiteral("Name &Only"), QStringLiteral("Clantag &and Name")};
    const QRect optionPlaces[2] = {QRect(16, 24, 300, 22), QRect(16, 82, 300, 22)};
    const QRect namePlaces[2] = {QRect(36, 48, 410, 24), QRect(158, 106, 288, 24)};
    for (int i = 0; i < 2; ++i) {
        m_nameOnly[i] = Placed(new QRadioButton(captions[i], frame), optionPlaces[i], QStringLiteral("optNameOnly%1").arg(i));
        m_nameBox[i] = Placed(new QLineEdit(frame), namePlaces[i], QStringLiteral("txtNameOnly%1").arg(i));
        m_nameBox[i]->installEventFilter(this);
    }
    m_clanTag = Placed(new QLineEdit(frame), QRect(36, 106, 114, 24), QStringLiteral("txtClanTag"));
    m_clanTag->installEventFilter(this);
    for (QLineEdit *box : {m_nameBox[0], m_nameBox[1], m_clanTag})
        connect(box, &QLineEdit::textEdited, this, &NamePageWidget::edited);
    setTabOrder(m_nameBox[0], m_nameOnly[1]);
    setTabOrder(m_nameOnly[1], m_clanTag);
    setTabOrder(m_clanTag, m_nameBox[1]);

    m_reverse = Placed(new QCheckBox(QStringLiteral("&Reverse clantag-name (e.g. [XKR]OceloT -> OceloT[XKR]   )"), frame),
                       QRect(16, 146, 440, 22), QStringLiteral("chkClanTag"));
    auto *colorEditor = Placed(new QPushButton(QStringLiteral("Color &editor..."), frame), QRect(16, 184, 110, 26),
                               QStringLiteral("cmdColor"));
    connect(colorEditor, &QPushButton::clicked, this, [this] {
        ColorEditorDialog editor(*m_rules, this);
        editor.exec();
    });

    m_clanTag->setText(settings.clanTag);
    const int nameBox = settings.clanTag.isEmpty() ? 0 : 1;
    m_nameBox[nameBox]->setText(settings.name);
    m_nameOnly[nameBox]->setChecked(true);
    m_reverse->setChecked(settings.reverse);
}

EffectStart NamePageWidget::start() const
{
    const bool nameOnly = m_nameOnly[0]->isChecked();
    return {nameOnly ? m_nameBox[0]->text() : m_nameBox[1]->text(), nameOnly ? QString() : m_clanTag->text(),
            m_reverse->isChecked()};
}

QString NamePageWidget::defaultNameBox() const
{
    return DefaultNameBox(m_nameBox[0]->text(), m_nameBox[1]->text());
}

QString NamePageWidget::clanTagBox() const
{
    return m_clanTag->text();
}

QWidget *NamePageWidget::firstControl() const
{
    return m_nameOnly[0]->isChecked() ? m_nameBox[0] : m_clanTag;
}

bool NamePageWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_clanTag || watched == m_nameBox[1])
            m_nameOnly[1]->setChecked(true);
        else if (watched == m_nameBox[0])
            m_nameOnly[0]->setChecked(true);
    }
    return QWidget::eventFilter(watched, event);
}
