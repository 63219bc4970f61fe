#pragma once

#include <QString>

// The path with the ending of the filter's first pattern ("*.cfg" gives .cfg)
// added when the file name typed has no ending of its own.
QString WithFilterEnding(const QString &path, const QString &pipeFilter);
