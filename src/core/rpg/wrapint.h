#pragma once

#include <QtGlobal>

/// Signed 32-bit arithmetic that wraps around like the game's numbers always did, without
/// the undefined behaviour of overflowing `int` (conversions to signed are modular).
namespace kazari::wrapint
{

constexpr qint32 add(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) + static_cast<quint32>(b));
}

constexpr qint32 sub(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) - static_cast<quint32>(b));
}

constexpr qint32 mul(qint32 a, qint32 b)
{
    return static_cast<qint32>(static_cast<quint32>(a) * static_cast<quint32>(b));
}

} // namespace kazari::wrapint
