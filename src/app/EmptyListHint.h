#pragma once

class QAbstractItemView;
class QString;

// A short line centred in an empty list that says where to start; it goes as soon as the list has a row and lets
// clicks and drops through to the list.
void ShowHintWhenEmpty(QAbstractItemView *list, const QString &hint);
