#pragma once

#include "about/AboutText.h"

#include <QDialog>

// "About Marqueemaster": the program's name, version and maker in game colours.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr, LinkOpener opener = DefaultLinkOpener());
};
