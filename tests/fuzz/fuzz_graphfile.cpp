// Feeds arbitrary bytes to the graph file reader. Besides crashes and
// undefined behaviour it stops on a broken promise: a refused file must leave
// the drawing untouched, and an accepted one must load as a graph that writes
// out and reads back to the same bytes.

#include "graph/graph.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"
#include "tests/fuzz/fuzzing.h"

#include <QApplication>
#include <QByteArray>
#include <QDataStream>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(10, 20));
    GraphVerticle *b = graph.addVerticle(QPointF(50, 20));
    graph.addEdge(a, b, 40);
    const QByteArray drawing = written(graph);
    const QList<GraphVerticle *> drawn = graph.verticles();

    QDataStream in(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    in >> graph;
    if (in.status() != QDataStream::Ok) {
        if (graph.verticles() != drawn || written(graph) != drawing)
            broken("a refused file leaves the drawing as it was");
        return 0;
    }

    const QList<GraphVerticle *> verticles = graph.verticles();
    for (int i = 0; i < verticles.size(); ++i) {
        if (verticles.at(i)->name() != QString(QChar(char16_t(65 + i))))
            broken("every vertex bears its positional name");
    }
    const QByteArray bytes = written(graph);
    if (bytes.size() != 8 + 18 * verticles.size() + 12 * graph.edges().size())
        broken("a written file holds its counts and records, nothing else");

    Graph again;
    QDataStream back(bytes);
    back >> again;
    if (back.status() != QDataStream::Ok || written(again) != bytes)
        broken("what was written reads back to the same graph");
    return 0;
}
