#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

class QWidget;

// Places a new control of a wizard page and names it.
template <typename T>
T *Placed(T *widget, const QRect &geometry, const QString &objectName = {})
{
    widget->setGeometry(geometry);
    widget->setObjectName(objectName);
    return widget;
}

inline QLabel *PlacedLabel(const QString &text, QWidget *parent, const QRect &geometry, const QString &objectName = {})
{
    return Placed(new QLabel(text, parent), geometry, objectName);
}

// Names a page "picPageN" and gives it its bold title, the line below it and a rule; its controls go below y 60.
void AddPageTitle(QWidget *page, int number, const QString &title, const QString &subLine);
