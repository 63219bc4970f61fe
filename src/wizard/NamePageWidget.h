#pragma once

#include "wizard/EffectList.h"

#include <QWidget>

struct GameRules;

class QCheckBox;
class QLineEdit;
class QRadioButton;
struct Settings;

// The wizard's third page: the name alone, or a clan tag and a name, and
// whether the tag goes after the name. Clicking a box chooses its option.
class NamePageWidget : public QWidget {
    Q_OBJECT
public:
    explicit NamePageWidget(const Settings &settings, QWidget *parent = nullptr);
    void setGame(const GameRules &rules) { m_rules = &rules; }

    // What the effects start from, as the chosen option says.
    EffectStart start() const;
    // The box a new scroll row measures (see DefaultNameBox), and the clan tag box.
    QString defaultNameBox() const;
    QString clanTagBox() const;
    QWidget *firstControl() const;

signals:
    // Something was typed.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const GameRules *m_rules;  // whose colours the colour name editor offers
    QRadioButton *m_nameOnly[2] = {};
    QLineEdit *m_nameBox[2] = {};
    QLineEdit *m_clanTag = nullptr;
    QCheckBox *m_reverse = nullptr;
};
