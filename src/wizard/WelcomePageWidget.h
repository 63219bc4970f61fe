#pragma once

#include <QWidget>

// The wizard's first page: its picture and a word on what it does.
class WelcomePageWidget : public QWidget {
    Q_OBJECT
public:
    explicit WelcomePageWidget(QWidget *parent = nullptr);
};
