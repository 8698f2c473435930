#include "app/perewal.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QtTest>

#include <limits>
#include <random>

using namespace TestGraphs;
using Run = SolverRun<MintySolver>;

namespace {

// Bellman and Ford's method over the edge list, both directions of every edge.
QList<qreal> shortestDistances(int count, const QList<EdgeSpec> &edges, int start)
{
    QList<qreal> distance(count, std::numeric_limits<qreal>::infinity());
    distance[start] = 0;
    for (int round = 1; round < count; ++round) {
        for (const EdgeSpec &e : edges) {
            distance[e.end] = qMin(distance[e.end], distance[e.start] + e.weight);
            distance[e.start] = qMin(distance[e.start], distance[e.end] + e.weight);
        }
    }
    return distance;
}

} // namespace

class TestMintySolver : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void buttonOpensTheDialogOnTheWindowsGraph();
    void randomGraphsGiveShortestPaths_data();
    void randomGraphsGiveShortestPaths();
};

void TestMintySolver::runs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("ways");

    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    const QString done = QStringLiteral("Wyznaczono najkrótsze drogi do wszystkich wierzchołków.");
    QTest::newRow("no vertices") << "" << 0 << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!")
                                 << QStringList();
    QTest::newRow("two pieces refused") << "AB1 CD1" << 0 << 0 << apart << QStringList();
    QTest::newRow("isolated last vertex refused") << "AB1 BC1" << 4 << 0 << apart << QStringList();
    QTest::newRow("single vertex ends with no ways") << "" << 1 << 4 << done << QStringList();
    // AB (from A) and CB (from C) both sum to 2: AB is found first and wins.
    QTest::newRow("equal sums: the edge found first wins") << "AB2 AC1 CB1" << 0 << 7 << done
        << QStringList{"B(2): A->B", "C(1): A->C"};
    QTest::newRow("weights truncated, six significant digits") << "AB2.9 BC999998.5" << 0 << 7 << done
        << QStringList{"B(2): A->B", "C(1e+06): A->B->C"};
}

void TestMintySolver::runs()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, presses);
    QFETCH(QString, info);
    QFETCH(QStringList, ways);

    Graph graph;
    build(graph, text, count);
    markAll(graph); // as a dialog left with Escape leaves them
    Run run(graph);
    QCOMPARE(marked(graph), QStringList());
    QCOMPARE(run.solver.windowTitle(), QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(run.info(), presses ? QStringLiteral("Wybierz wierzchołek startowy.") : info);
    if (!graph.verticles().isEmpty()) {
        run.start(QStringLiteral("A"));
        run.start(graph.verticles().last()->name()); // changes nothing: the start is chosen, or none is asked for
        QCOMPARE(marked(graph), (presses ? QStringList{"A: green r15 w3"} : QStringList()));
    }
    QCOMPARE(run.finish(), presses);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.child("shortestWaysFrame")->isHidden(), presses == 0);
    QCOMPARE(run.list("shortestWaysList"), ways);
    QVERIFY(run.solver.close());
    QCOMPARE(marked(graph), QStringList());
}

void TestMintySolver::buttonOpensTheDialogOnTheWindowsGraph()
{
    Perewal window;
    build(*window.graph(), "AB1 CD1");
    QString info;
    auto launch = [&] { window.findChild<QPushButton *>("mintyButton")->click(); };
    auto read = [&](MintySolver &dialog) { info = SolverDriver(*window.graph(), &dialog).info(); };
    QVERIFY(driveModal<MintySolver>(&window, launch, read));
    QCOMPARE(info, QStringLiteral("Wprowadzony graf jest niespójny!!!"));
}

void TestMintySolver::randomGraphsGiveShortestPaths_data()
{
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestMintySolver::randomGraphsGiveShortestPaths()
{
    QFETCH(int, seed);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(20, 40)(rng);
    const int extra = std::uniform_int_distribution<int>(0, 2 * count)(rng);
    const QList<EdgeSpec> edges = randomConnected(rng, count, extra, 0, 20);
    const int start = std::uniform_int_distribution<int>(0, count - 1)(rng);
    const QList<qreal> distance = shortestDistances(count, edges, start);

    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, count, edges);
    Run run(graph);
    emit graph.verticleClicked(verticles.at(start));
    QCOMPARE(run.finish(), 3 * (count - 1) + 1);

    // Every vertex but the start, in scene order: "B(5): A->C->B", a path of real edges adding up to the distance.
    const QStringList ways = run.list("shortestWaysList");
    QCOMPARE(ways.size(), count - 1);
    for (int i = 0, row = 0; i < count; ++i) {
        if (i == start)
            continue;
        const QString &way = ways.at(row++);
        const QString head = verticles.at(i)->name() + QStringLiteral("(%1): ").arg(QString::number(distance.at(i)));
        QVERIFY2(way.startsWith(head), qPrintable(way + QStringLiteral(", expected ") + head));
        const QStringList path = way.mid(head.size()).split(QStringLiteral("->"));
        QCOMPARE(path.first(), verticles.at(start)->name());
        QCOMPARE(path.last(), verticles.at(i)->name());
        qreal length = 0;
        for (int step = 0; step + 1 < path.size(); ++step) {
            const GraphEdge *edge = graph.edgeBetween(byName(graph, path.at(step)), byName(graph, path.at(step + 1)));
            QVERIFY2(edge, qPrintable(way));
            length += edge->weight();
        }
        QCOMPARE(length, distance.at(i));
    }
}

QTEST_MAIN(TestMintySolver)
#include "tst_mintysolver.moc"
