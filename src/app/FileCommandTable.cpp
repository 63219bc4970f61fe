#include "app/FileCommandTable.h"

#include "animation/DocumentSession.h"

#include <QApplication>

Commands FileCommandTable(DocumentSession &session, std::function<bool()> closeWindow)
{
    auto saveAs = [&session] { session.saveAs(); };
    auto open = [&session] { session.open(); };
    auto newDocument = [&session] { session.newDocument(); };
    return {
        {QStringLiteral("btnnew"), {newDocument}},
        {QStringLiteral("mnuFileNew"), {newDocument}},
        {QStringLiteral("btnopen"), {open}},
        {QStringLiteral("mnuFileOpen"), {open}},
        {QStringLiteral("btnsave"), {saveAs}},
        {QStringLiteral("mnuFileSave"), {[&session] { session.save(); }}},
        {QStringLiteral("mnuFileSaveAs"), {saveAs}},
        {QStringLiteral("mnuFileImport"), {[&session] { session.importChosen(); }}},
        // A cancelled "Save changes?" keeps the program running.
        {QStringLiteral("mnuFileExit"),
         {[closeWindow] {
             if (!closeWindow())
                 return;
             QApplication::closeAllWindows();
             QApplication::quit();
         }}},
    };
}
