#ifndef FUZZING_H
#define FUZZING_H

// What both fuzz targets check with: the bytes a graph writes, and a crash
// that names the promise the reader broke, for libFuzzer to keep its input.

#include "graph/graph.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cstdio>
#include <cstdlib>

inline QByteArray written(const Graph &graph)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << graph;
    return bytes;
}

[[noreturn]] inline void broken(const char *promise)
{
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

#endif // FUZZING_H
