#include "graph/randomsource.h"

quint32 RandomSource::state = 1;

int RandomSource::next()
{
    // Unsigned arithmetic wraps modulo 2^32, exactly as the runtime does.
    state = state * 214013u + 2531011u;
    return int((state >> 16) & Max);
}

void RandomSource::seed(quint32 seed)
{
    state = seed;
}
