#pragma once

#include "core/rpg/randomsource.h"

#include <QtGlobal>

namespace kazari
{

/// The game's own generator: a 64-bit counter mixed into 32-bit outputs, reduced to
/// 0..n-1 without bias. Only fixed-width unsigned arithmetic is used, so one seed gives
/// the same sequence on every machine and compiler.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed);

    /// A seed taken from the program's clock (date, time and tick counter).
    static quint64 clockSeed();

    int random(int n) override;
    /// The next raw 32-bit output.
    quint32 next32();

private:
    quint64 m_state;
};

} // namespace kazari
