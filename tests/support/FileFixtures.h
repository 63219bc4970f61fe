#pragma once

#include "DataColumns.h"
#include "FakePrompts.h"
#include "TestLines.h"

#include "animation/AnimationFile.h"

#include <QFile>
#include <QTemporaryDir>

inline QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An animation file of lines with these Texts, and the Texts a file holds (none when it can't be read).
inline bool WriteAnimationFile(const QString &path, const QStringList &texts)
{
    return WriteTextFile(path, AnimationFileText(LinesFromTexts(texts))).ok;
}

inline QStringList TextsInFile(const QString &path)
{
    FakePrompts quiet;
    QStringList texts;
    for (const AnimationLine &line : ReadAnimationFile(path, quiet).value_or(QVector<AnimationLine>()))
        texts << line.text;
    return texts;
}

// Every message shown so far as "title|text", to compare in one go.
inline QStringList MessagesOf(const FakePrompts &prompts)
{
    QStringList messages;
    for (const FakePrompts::Message &message : prompts.messages)
        messages << message.title + QLatin1Char('|') + message.text;
    return messages;
}

// HOME is a temporary folder while this lives: the game folders found are the test's own.
struct TemporaryHome {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("HOME");

    TemporaryHome() { qputenv("HOME", dir.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", old); }
    QString path() const { return dir.path(); }
};
