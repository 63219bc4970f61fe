#pragma once

#include "CliRunner.h"

#include "wizard/EffectList.h"

#include <QVector>

// Effect rows written "Effect|param1|param2;Effect...", parameters "0" when left out.
inline QVector<EffectRow> EffectRows(const QString &written)
{
    QVector<EffectRow> rows;
    for (const QString &one : written.split(u';')) {
        const QStringList parts = one.split(u'|');
        rows.append({parts.at(0), parts.value(1, QStringLiteral("0")), parts.value(2, QStringLiteral("0"))});
    }
    return rows;
}

// The same rows through `marqueemaster-cli effects`.
inline CliResult RunEffectsVerb(const QString &name, const QString &clanTag, bool reverse, const QString &effects,
                                bool keepColours = false)
{
    QStringList arguments{QStringLiteral("effects"), QStringLiteral("--name"), name, QStringLiteral("--clantag"), clanTag};
    if (reverse)
        arguments << QStringLiteral("--reverse");
    if (keepColours)
        arguments << QStringLiteral("--keep-colours");
    for (const EffectRow &row : EffectRows(effects))
        arguments << "--effect" << row.effect << "--param1" << row.param1 << "--param2" << row.param2;
    return RunCli(arguments);
}
