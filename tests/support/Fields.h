#pragma once
// Several values of a record as one line of text: a test compares them in one assertion, and a
// failure shows every field side by side rather than the first one that differs.
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <type_traits>

namespace testenv {

template <class T> QString fieldText(const T& value);

template <class T> QString fieldText(const std::optional<T>& value)
{
    return value ? fieldText(*value) : QStringLiteral("none");
}

template <class T> QString fieldText(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value ? QStringLiteral("true") : QStringLiteral("false");
    else if constexpr (std::is_floating_point_v<T>)
        return QString::number(value, 'g', 15);
    else if constexpr (std::is_enum_v<T>)
        return QString::number(static_cast<qint64>(value));
    else if constexpr (std::is_arithmetic_v<T>)
        return QString::number(value);
    else
        return QString(value);
}

// The values separated by single spaces; doubles with 15 significant digits. The arguments are
// evaluated in no set order: pass values read, never calls that change what a later one reads.
template <class... T> std::string fields(const T&... values)
{
    return QStringList {fieldText(values)...}.join(u' ').toStdString();
}

} // namespace testenv
