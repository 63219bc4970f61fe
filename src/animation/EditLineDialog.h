#pragma once

#include <QDialog>

class AnimationModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Changes the Time and Action of one line; OK writes them back, Cancel, Esc
// and the close box leave the line alone. Open it modally with exec().
class EditLineDialog : public QDialog {
    Q_OBJECT
public:
    EditLineDialog(AnimationModel &model, int row, QWidget *parent = nullptr);

private:
    // Shows or hides why the typed Time can't be kept; true when it can.
    bool checkTime();
    void writeBack();

    AnimationModel &m_model;
    int m_row;
    QLineEdit *m_time = nullptr;
    QComboBox *m_action = nullptr;
    QLabel *m_timeProblem = nullptr;
};
