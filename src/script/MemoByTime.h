#pragma once

#include <QHash>
#include <QString>

// What a Time gives, worked out once per distinct Time: animations use few, most of them a few characters,
// and those are looked up by a number made of their characters, far cheaper than hashing the text.
template <typename Value>
class MemoByTime {
public:
    template <typename Compute>
    const Value &of(const QString &time, Compute compute)
    {
        if (time.size() <= 3) {
            quint64 key = quint64(time.size()) << 48;
            for (qsizetype i = 0; i < time.size(); ++i)
                key |= quint64(time.at(i).unicode()) << (16 * i);
            auto found = m_short.constFind(key);
            if (found == m_short.cend())
                found = m_short.insert(key, compute(time));
            return *found;
        }
        auto found = m_long.constFind(time);
        if (found == m_long.cend())
            found = m_long.insert(time, compute(time));
        return *found;
    }

private:
    QHash<quint64, Value> m_short;
    QHash<QString, Value> m_long;
};
