#ifndef GRAPHFIXTURES_H
#define GRAPHFIXTURES_H

// The triangle and its graph file, and the views of a scene that the tests of
// the file operators and of the window's save and load commands compare.

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QByteArray>
#include <QLineF>
#include <QLocale>
#include <QStringList>

namespace fixtures {

/// A(10, 20), B(50, 20), C(30, 60); edges C-A 1, B-C by distance (44.72), A-B 40, drawn in that order.
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

/// Every vertex by name and place, then every edge by name and weight, in list order.
inline QStringList describe(const Graph &graph)
{
    auto number = [](qreal x) { return QString::number(x, 'g', QLocale::FloatingPointShortest); };
    QStringList lines;
    for (const GraphVerticle *v : graph.verticles())
        lines.append(QStringLiteral("%1 (%2, %3)").arg(v->name(), number(v->pos().x()), number(v->pos().y())));
    for (const GraphEdge *edge : graph.edges())
        lines.append(edge->name() + QLatin1Char(' ') + number(edge->weight()));
    return lines;
}

inline const QStringList triangleDescription{"A (10, 20)", "B (50, 20)", "C (30, 60)", "AB 40", "BC 44", "CA 1"};

/// describe() and the identity of every item: equal snapshots mean a scene nobody touched.
inline QStringList snapshot(const Graph &graph)
{
    QStringList lines = describe(graph);
    for (const QGraphicsItem *item : graph.items())
        lines.append(QString::number(quintptr(item)));
    return lines;
}

/// The triangle and a lone vertex D, to be replaced or left alone by a load.
inline void drawSomething(Graph &graph)
{
    drawTriangle(graph);
    graph.addVerticle(QPointF(70, 80));
}

} // namespace fixtures

#endif // GRAPHFIXTURES_H
