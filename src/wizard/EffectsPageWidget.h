#pragma once

#include "wizard/EffectList.h"

#include <QWidget>
#include <functional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class UpDownWidget;
class EffectPreviewWidget;
class QPushButton;
struct Settings;

// The wizard's effects: a combo to pick one, Add, the list (Remove, Move up/down by button, context menu or
// Delete), the selected row's parameters, and Preview, which plays the lines the list gives at the game's speed.
class EffectsPageWidget : public QWidget {
    Q_OBJECT
public:
    // nameAndTag gives the name box and clan tag that a new row's defaults come from; start what the
    // effects start from; settings the game and frame rate the preview plays at.
    EffectsPageWidget(std::function<std::pair<QString, QString>()> nameAndTag,
                      std::function<EffectStart()> start, const Settings &settings, QWidget *parent = nullptr);
    // The game the preview plays and Keep colours reads.
    void setGame(const GameRules &rules) { m_rules = &rules; }

    QVector<EffectRow> rows() const;
    bool keepColours() const;
    QWidget *firstControl() const;

signals:
    void rowsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void addEffect();
    void removeSelected();
    void moveSelected(int delta);
    QTreeWidgetItem *selectedRow() const;
    void showSelectedRow();
    void storeParameter(int column, const QString &text);
    void togglePreview();
    // A changed effect, parameter or colour choice: a playing preview starts again with the new lines.
    void changed();
    void playPreview();

    std::function<std::pair<QString, QString>()> m_nameAndTag;
    QComboBox *m_effects = nullptr;
    QTreeWidget *m_effectList = nullptr;
    QLabel *m_paramLabel[2] = {};
    QLineEdit *m_paramBox[2] = {};
    UpDownWidget *m_paramArrows[2] = {};
    QCheckBox *m_keepColours = nullptr;
    std::function<EffectStart()> m_start;
    int m_frameRate;
    const GameRules *m_rules;
    QPushButton *m_previewButton = nullptr;
    EffectPreviewWidget *m_preview = nullptr;
};
