#include "app/perewal.h"
#include "solvers/mintysolver.h"
#include "tests/support/snapshot.h"

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
    void refusalsExplainThemselves_data();
    void refusalsExplainThemselves();
    void theSelectedWayIsDrawnOnTheCanvas_data();
    void theSelectedWayIsDrawnOnTheCanvas();
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

void TestMintySolver::refusalsExplainThemselves_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("marks");

    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("two pieces") << "AB1 CD1" << 0 << apart
        << QStringList{"Graf ma 2 części, każdą zaznaczono innym kolorem: 1) A, B; 2) C, D."}
        << QStringList{"refusal A", "refusal AB", "refusal B", "refusal C", "refusal CD", "refusal D"};
    QTest::newRow("a vertex apart") << "AB1 BC1" << 4 << apart
        << QStringList{"Graf ma 2 części, każdą zaznaczono innym kolorem: 1) A, B, C; 2) D."}
        << QStringList{"refusal A", "refusal AB", "refusal B", "refusal BC", "refusal C", "refusal D"};
    // A to C then to B is 1, less than the 2 of the edge to B that Minty's labelling would fix first.
    QTest::newRow("negative weights") << "AB2 AC3 CB-2 CD-1.5 DA0" << 0
        << "Algorytm Minty'ego wymaga nieujemnych wag krawędzi: zmień wagi zaznaczonych krawędzi."
        << QStringList{"Krawędzie o ujemnej wadze: CB (-2), CD (-1)."} << QStringList{"refusal CB", "refusal CD"};
    QTest::newRow("a weight truncated to zero is not negative") << "AB1 BC-0.5" << 0 << "Wybierz wierzchołek startowy."
        << QStringList() << QStringList();
}

// A refusal says why in the history and shows it with marks of its own; the items keep their plain look.
void TestMintySolver::refusalsExplainThemselves()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);
    QFETCH(QStringList, events);
    QFETCH(QStringList, marks);

    Graph graph;
    build(graph, text, count);
    Run run(graph);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.events(), events);
    QCOMPARE(canvasMarks(graph), marks);
    QCOMPARE(marked(graph), QStringList());
    run.start(QStringLiteral("A"));
    QCOMPARE(run.stepButton()->isEnabled(), marks.isEmpty());
    QVERIFY(run.solver.close());
    QCOMPARE(canvasMarks(graph), QStringList());
}

void TestMintySolver::theSelectedWayIsDrawnOnTheCanvas_data()
{
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 10; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// Selecting a row of the shortest ways rings the way's vertices and lays a band under its edges.
void TestMintySolver::theSelectedWayIsDrawnOnTheCanvas()
{
    QFETCH(int, seed);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(5, 15)(rng);
    Graph graph;
    build(graph, count, randomConnected(rng, count, count, 0, 20));
    Run run(graph);
    run.start(graph.verticles().at(std::uniform_int_distribution<int>(0, count - 1)(rng))->name());
    run.finish();
    QCOMPARE(canvasMarks(graph), QStringList()); // nothing until a row is chosen

    auto *ways = run.child<QListWidget>("shortestWaysList");
    for (int row = 0; row < ways->count(); ++row) {
        QTest::mouseClick(ways->viewport(), Qt::LeftButton, {}, ways->visualItemRect(ways->item(row)).center());
        // "E(20): A->C->F->E": rings on A, C, F, E and bands under AC, CF and FE.
        const QStringList way = ways->item(row)->text().section(QStringLiteral(": "), 1).split(QStringLiteral("->"));
        QStringList expected;
        for (int i = 0; i < way.size(); ++i) {
            expected << QStringLiteral("result ") + way.at(i);
            if (i > 0)
                expected << QStringLiteral("result ")
                                + graph.edgeBetween(byName(graph, way.at(i - 1)), byName(graph, way.at(i)))->name();
        }
        expected.sort();
        QCOMPARE(canvasMarks(graph), expected);
    }
    // A step back takes the list, and the way with it; closing takes everything.
    QTest::mouseClick(run.child<QPushButton>("stepBackButton"), Qt::LeftButton);
    QCOMPARE(canvasMarks(graph), QStringList());
    QTest::mouseClick(run.stepButton(), Qt::LeftButton);
    ways->setCurrentRow(0);
    QVERIFY(!canvasMarks(graph).isEmpty());
    QVERIFY(run.solver.close());
    QCOMPARE(canvasMarks(graph), QStringList());
}

QTEST_MAIN(TestMintySolver)
#include "tst_mintysolver.moc"
