#pragma once

#include <QWidget>

class QRadioButton;

// The wizard's second page: simple or advanced.
class StylePageWidget : public QWidget {
    Q_OBJECT
public:
    explicit StylePageWidget(int style, QWidget *parent = nullptr);

    QWidget *firstControl() const;

signals:
    void styleChosen(int style);

private:
    QRadioButton *m_style[2] = {};
};
