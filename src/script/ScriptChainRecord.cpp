#include "script/ScriptChainRecord.h"

#include "platform/SafeSave.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ScriptChainRecord {

namespace {

const QByteArray Heading = "# Marqueemaster: the parts the last save of this script wrote, by number and SHA-256";

} // namespace

QString PathOf(const QString &firstPath)
{
    const QFileInfo first(firstPath);
    return first.dir().filePath(QStringLiteral(".%1.parts").arg(first.fileName()));
}

QByteArray HashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QMap<int, QByteArray> Read(const QString &firstPath)
{
    QFile file(PathOf(firstPath));
    QMap<int, QByteArray> parts;
    if (!file.open(QIODevice::ReadOnly) || file.readLine().trimmed() != Heading)
        return parts;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        bool number = false;
        const int part = fields.value(0).toInt(&number);
        if (fields.size() == 2 && number && part >= 2)
            parts.insert(part, fields.at(1));
    }
    return parts;
}

void Write(const QString &firstPath, const QList<QByteArray> &partBytes)
{
    if (partBytes.size() < 2) {
        QFile::remove(PathOf(firstPath));
        return;
    }
    QByteArray text = Heading + '\n';
    for (qsizetype i = 1; i < partBytes.size(); ++i)
        text += QByteArray::number(i + 1) + ' ' + HashOf(partBytes.at(i)) + '\n';
    // Without it the next save keeps these parts and names them: nothing is lost, so a failure here stays quiet.
    SaveBytes(PathOf(firstPath), text);
}

} // namespace ScriptChainRecord
