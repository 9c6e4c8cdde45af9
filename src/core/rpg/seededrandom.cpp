#include "core/rpg/seededrandom.h"

#include "core/platform/clock.h"

namespace kazari
{

SeededRandom::SeededRandom(quint64 seed)
    : m_state(seed)
{
}

quint64 SeededRandom::clockSeed()
{
    const Clock &clock = Clock::instance();
    return static_cast<quint64>(clock.now().toMSecsSinceEpoch()) * 1000003u ^
           static_cast<quint64>(clock.tickMs());
}

quint32 SeededRandom::next32()
{
    m_state += 0x9E3779B97F4A7C15ull;
    quint64 z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<quint32>(z >> 32);
}

int SeededRandom::random(int n)
{
    if (n < 2)
        return 0;
    const quint32 range = static_cast<quint32>(n);
    // Multiply-and-shift reduction; the low part decides when a draw must be repeated so
    // that every result is equally likely.
    quint64 m = static_cast<quint64>(next32()) * range;
    quint32 low = static_cast<quint32>(m);
    if (low < range) {
        const quint32 threshold = (0u - range) % range;
        while (low < threshold) {
            m = static_cast<quint64>(next32()) * range;
            low = static_cast<quint32>(m);
        }
    }
    return static_cast<int>(m >> 32);
}

} // namespace kazari
