#pragma once

namespace kazari
{

/// Where the maze game takes its random numbers from. The program passes a seeded
/// generator (`SeededRandom`); tests pass scripted values.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    /// `Random(n)`: a uniform integer from 0 to n - 1 (0 when n is below 2).
    virtual int random(int n) = 0;
};

} // namespace kazari
