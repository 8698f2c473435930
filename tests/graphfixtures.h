#ifndef GRAPHFIXTURES_H
#define GRAPHFIXTURES_H

// Drawings and graph files shared by the tests of the file operators and of
// the main window's save and load commands.

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QByteArray>
#include <QLineF>
#include <QStringList>

namespace fixtures {

/// A(10, 20), B(50, 20), C(30, 60); edges C-A weight 1, B-C by distance (44.72), A-B weight 40, drawn in that order.
inline void drawTriangle(Graph &graph)
{
    GraphVerticle *a = graph.addVerticle(QPointF(10, 20));
    GraphVerticle *b = graph.addVerticle(QPointF(50, 20));
    GraphVerticle *c = graph.addVerticle(QPointF(30, 60));
    graph.addEdge(c, a, 1);
    graph.addEdge(b, c, QLineF(b->pos(), c->pos()).length());
    graph.addEdge(a, b, 40);
}

/// The triangle as a graph file, written out by hand: 8 + 3 × 18 + 3 × 12 bytes.
inline QByteArray triangleFile()
{
    return QByteArray::fromHex("00000003 00000003"
                               "0041 4024000000000000 4034000000000000"
                               "0042 4049000000000000 4034000000000000"
                               "0043 403e000000000000 404e000000000000"
                               "0041 0042 4044000000000000"
                               "0042 0043 4046000000000000"
                               "0043 0041 3ff0000000000000");
}

/// Every vertex and edge with its identity, name, place and weight, and the number of items:
/// equal snapshots mean a scene nobody touched.
inline QStringList snapshot(const Graph &graph)
{
    QStringList lines;
    for (const GraphVerticle *v : graph.verticles()) {
        lines.append(QStringLiteral("%1 %2 (%3, %4)")
                         .arg(quintptr(v))
                         .arg(v->name())
                         .arg(v->pos().x())
                         .arg(v->pos().y()));
    }
    for (const GraphEdge *edge : graph.edges())
        lines.append(QStringLiteral("%1 %2 %3").arg(quintptr(edge)).arg(edge->name()).arg(edge->weight()));
    lines.append(QStringLiteral("items %1").arg(graph.items().size()));
    return lines;
}

inline QStringList names(const QList<GraphVerticle *> &verticles)
{
    QStringList result;
    for (const GraphVerticle *v : verticles)
        result.append(v->name());
    return result;
}

inline QStringList names(const QList<GraphEdge *> &edges)
{
    QStringList result;
    for (const GraphEdge *edge : edges)
        result.append(edge->name());
    return result;
}

} // namespace fixtures

#endif // GRAPHFIXTURES_H
