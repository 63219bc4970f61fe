#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Which part files the last save of a chained script wrote, and their bytes' hashes: kept beside its first part
// as ".NAME.cfg.parts". A later save removes a part file only when this record lists it and it still holds those
// bytes, so another script of a similar name, or a part the player edited, is never removed.
namespace ScriptChainRecord {

QString PathOf(const QString &firstPath);
// The hash a part's bytes are recorded under.
QByteArray HashOf(const QByteArray &bytes);
// Part number (from 2) to hash; empty when there is no readable record.
QMap<int, QByteArray> Read(const QString &firstPath);
// Records parts 2 on (partBytes holds every part, the first too); a chain of one part needs none.
void Write(const QString &firstPath, const QList<QByteArray> &partBytes);

} // namespace ScriptChainRecord
