#ifndef RANDOMSOURCE_H
#define RANDOMSOURCE_H

#include <QtGlobal>

/**
 * The one pseudo-random source of the program: the linear congruential
 * generator of the Windows C runtime's rand(), so that random edge weights
 * come out the same on every platform. It starts at 1 and the program never
 * seeds it.
 */
class RandomSource
{
public:
    static constexpr int Max = 0x7FFF;

    /// The next value, a whole number from 0 to Max.
    static int next();
    /// Restarts the sequence; the program itself never calls it.
    static void seed(quint32 seed);

private:
    static quint32 state;
};

#endif // RANDOMSOURCE_H
