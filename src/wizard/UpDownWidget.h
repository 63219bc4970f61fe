#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows attached to a text box: each click, or Up, Down, PgUp and PgDn in the box, steps the number
// in the box within the arrows' range.
class UpDownWidget : public QWidget {
    Q_OBJECT
public:
    UpDownWidget(QLineEdit *buddy, QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    // With names set, the arrows step through them instead of numbers.
    void setChoices(const QStringList &choices) { m_choices = choices; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(int by);

    QLineEdit *m_buddy;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minimum = 0;
    int m_maximum = 10;
    QStringList m_choices;
};
