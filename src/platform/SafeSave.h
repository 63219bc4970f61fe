#pragma once

#include "platform/TextFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Replaces the file at path with bytes so that it always holds either its old bytes or the new ones whole.
// Normally through a temporary file renamed over it. Where the folder refuses new files, an existing file is
// written in place, but only after a complete copy of it sits in the user's data folder, and that copy is put
// back when the write fails; without such a copy the file is left alone and the result says why.
TextWriteResult SaveBytes(const QString &path, const QByteArray &bytes);

// Where in folder the safe copy of path goes: "before-save-<hash of the whole path>-<file name>", so that two
// files of the same name never share a copy, and never a copy an earlier failed save left there.
QString BeforeSaveCopyPath(const QString &folder, const QString &path);

struct SaveAllResult {
    TextWriteResult written;
    QString failedPath;  // the file that could not be written, when not ok
};

// Replaces every file of paths with its bytes, all or none: each is written whole beside its place before any
// takes it, and when one can't take its place, those before it get their old bytes back (new files removed
// first, so the old bytes find room). Where a folder refuses new files, the files are written one by one as
// SaveBytes does and put back the same way.
SaveAllResult SaveAllBytes(const QStringList &paths, const QList<QByteArray> &bytes);
