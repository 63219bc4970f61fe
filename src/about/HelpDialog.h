#pragma once

#include "about/AboutText.h"

#include <QDialog>

// "Help!!": the maker's web page, forums and contact addresses.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget *parent = nullptr, LinkOpener opener = DefaultLinkOpener());
};
