#include "settings/GameOptionsWidget.h"

#include "game/GameConsole.h"
#include "platform/RegistryOps.h"
#include "animation/Settings.h"

#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

GameOptionsWidget::GameOptionsWidget(RegistryStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    auto value = [this](const char *name) {
        return GetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QLatin1String(name));
    };
    m_frameRate = new QSpinBox(this);
    m_frameRate->setObjectName(QStringLiteral("spnFrameRate"));
    m_frameRate->setRange(1, 1000);
    m_frameRate->setValue(FrameRateValue(value("FrameRate")));
    m_partLimit = new QSpinBox(this);
    m_partLimit->setObjectName(QStringLiteral("spnPartLimit"));
    m_partLimit->setRange(1024, GameConsole::MaxPartLimit);
    m_partLimit->setSuffix(QStringLiteral(" bytes"));
    m_partLimit->setValue(PartLimitValue(value("PartLimit")));

    m_frameRate->setProperty("read", m_frameRate->value());
    m_partLimit->setProperty("read", m_partLimit->value());

    auto *note = new QLabel(QStringLiteral("The game's command buffer holds %1 bytes; what a script part leaves "
                                           "free is room for your own key binds while it plays.")
                                .arg(GameConsole::BufferBytes),
                            this);
    note->setWordWrap(true);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Frame rate (com_maxfps)"), m_frameRate);
    layout->addRow(QStringLiteral("Script part size limit"), m_partLimit);
    layout->addRow(note);
}

void GameOptionsWidget::save()
{
    // Only what the user changed: an untouched page leaves the store as it was.
    auto write = [this](const char *name, QSpinBox *box) {
        if (box->value() != box->property("read").toInt())
            SetRegValue(m_store, RegHive::CurrentUser, SettingsKey, QLatin1String(name), QString::number(box->value()));
    };
    write("FrameRate", m_frameRate);
    write("PartLimit", m_partLimit);
}
