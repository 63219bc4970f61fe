#pragma once

#include <QTest>
#include <tuple>

// A data function's columns in one line: Columns<QString, int>("text", "count").
template <typename... T, typename... Names> void Columns(const Names &...names)
{
    static_assert(sizeof...(T) == sizeof...(Names));
    (QTest::addColumn<T>(names), ...);
}

// The current row's values of those columns: auto [text, count] = Fetch<QString, int>("text", "count").
template <typename... T, typename... Names> std::tuple<T...> Fetch(const Names &...names)
{
    static_assert(sizeof...(T) == sizeof...(Names));
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}
