#pragma once

#include <QString>
#include <QStringList>

// What a freedesktop desktop reads to choose an application for a file type:
// the desktop entries, their cache of declared types and the mimeapps.list
// files in the XDG folders. Read afresh on every call, as a new `gio` does.
namespace DesktopQuery {

inline const QString DefaultGroup = QStringLiteral("Default Applications");
inline const QString AddedGroup = QStringLiteral("Added Associations");
inline const QString RemovedGroup = QStringLiteral("Removed Associations");

QStringList applicationDirs();
// The folders whose mimeapps.list files the desktop consults, in its order.
QStringList mimeAppsDirs();
// A folder's mimeapps.list files: the desktop's own first.
QStringList mimeAppsFilesIn(const QString &dir);
// The desktop entry of that id in the first application folder that has one.
QString desktopEntryPath(const QString &id, const QStringList &dirs = applicationDirs());
bool entryDeclares(const QString &entryPath, const QString &mimeType);

// The desktop id that opens files of the type, found as the desktop finds it:
// type by type from the exact one to its parents, defaults first, then added
// and declared applications that no "Removed Associations" names, the first
// whose program is there. Empty when none does.
QString DefaultApplication(const QString &mimeType);

} // namespace DesktopQuery
