#include "app/CommandTable.h"

#include "animation/AddLine.h"
#include "app/MainWindow.h"

#include <QApplication>

QHash<QString, std::function<void()>> BuildCommandTable(MainWindow &w)
{
    auto addLine = [&w](AddWhere where) {
        return [&w, where] { AddLine(w.model(), w.currentRow(), where, w.prompts()); };
    };
    auto newAnimation = [&w] { w.newAnimation(); };

    return {
        {QStringLiteral("btnnew"), newAnimation},
        {QStringLiteral("mnuFileNew"), newAnimation},
        {QStringLiteral("btnadd"), addLine(AddWhere::After)},
        {QStringLiteral("btnaddbefore"), addLine(AddWhere::Before)},
        {QStringLiteral("btnaddafter"), addLine(AddWhere::After)},
        {QStringLiteral("mnuEditShowColors"), [&w] { w.toggleShowColors(); }},
        {QStringLiteral("mnuFileExit"), [] { QApplication::closeAllWindows(); QApplication::quit(); }},
    };
}
