#pragma once

#include "FakePrompts.h"

#include <QFile>

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

// Every message shown so far as "title|text", to compare in one go.
inline QStringList MessagesOf(const FakePrompts &prompts)
{
    QStringList messages;
    for (const FakePrompts::Message &message : prompts.messages)
        messages << message.title + QLatin1Char('|') + message.text;
    return messages;
}
