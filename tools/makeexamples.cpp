// Writes the example graphs that the program ships in its "grafy" folder, each
// one made for one algorithm. Run it with the examples folder as its argument
// and commit what it writes.

#include "graph/graph.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QList>
#include <QPointF>
#include <QSaveFile>

#include <cstdio>

namespace {

struct Edge
{
    int start;
    int end;
    qreal weight;
};

struct Example
{
    const char *fileName;
    QList<QPointF> verticles;
    QList<Edge> edges;
};

// Vertices are numbered by position (0 is A); the coordinates keep every
// graph inside what the main window's view shows.
const Example examples[] = {
    // Shortest paths: the direct edges from A are rarely the shortest way.
    {"najkrotsze-sciezki.graf",
     {{-160, 60}, {-60, -50}, {-20, 80}, {120, -50}, {230, 60}, {90, 160}},
     {{0, 1, 7}, {0, 2, 9}, {0, 5, 14}, {1, 2, 10}, {1, 3, 15}, {2, 3, 11}, {2, 5, 2}, {3, 4, 6},
      {4, 5, 9}}},
    // Spanning tree: distinct weights, so there is one lightest tree (weight 35).
    {"drzewo-rozpinajace.graf",
     {{-150, -50}, {0, -50}, {150, -50}, {-75, 50}, {75, 50}, {0, 150}, {150, 150}},
     {{0, 1, 7}, {0, 3, 5}, {1, 2, 8}, {1, 3, 9}, {1, 4, 6}, {2, 4, 4}, {3, 4, 15}, {3, 5, 3},
      {4, 5, 12}, {4, 6, 10}, {5, 6, 11}}},
    // Euler cycle: a hexagon with a triangle inside; A, C and E have degree 4, the rest 2.
    {"cykl-eulera.graf",
     {{50, -60}, {145, -5}, {145, 105}, {50, 160}, {-45, 105}, {-45, -5}},
     {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 0, 1}, {0, 2, 1}, {2, 4, 1},
      {4, 0, 1}}},
    // Refusals: two parts, and A and C have odd degree.
    {"niespojny.graf",
     {{-150, 20}, {-60, -50}, {-60, 100}, {100, -40}, {220, -40}, {160, 100}},
     {{0, 1, 3}, {1, 2, 4}, {3, 4, 2}, {4, 5, 5}, {5, 3, 6}}},
};

bool write(const Example &example, const QDir &folder)
{
    Graph graph;
    for (const QPointF &where : example.verticles)
        graph.addVerticle(where);
    const QList<GraphVerticle *> verticles = graph.verticles();
    for (const Edge &edge : example.edges)
        graph.addEdge(verticles.at(edge.start), verticles.at(edge.end), edge.weight);

    QSaveFile file(folder.filePath(QString::fromLatin1(example.fileName)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << graph;
    return out.status() == QDataStream::Ok && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeexamples EXAMPLES_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const Example &example : examples) {
        if (!write(example, folder)) {
            std::fprintf(stderr, "cannot write %s\n", example.fileName);
            return 1;
        }
    }
    return 0;
}
