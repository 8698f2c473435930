#include "app/perewal.h"
#include "solvers/dijkstraprimsolver.h"
#include "tests/support/testgraphs.h"

#include <QtTest>

#include <numeric>
#include <random>

using namespace TestGraphs;
using Run = SolverRun<DijkstraPrimSolver>;

namespace {

QStringList struckRows(const SolverDriver &run, const char *list)
{
    const QListWidget *widget = run.child<QListWidget>(list);
    QStringList result;
    for (int i = 0; i < widget->count(); ++i) {
        if (widget->item(i)->font().strikeOut())
            result.append(widget->item(i)->text());
    }
    return result;
}

// Union-find over vertex indices: joins the pieces of a and b, false when they were one already.
bool join(std::vector<int> &parent, int a, int b)
{
    auto root = [&](int v) { while (parent[v] != v) v = parent[v]; return v; };
    a = root(a);
    b = root(b);
    parent[a] = b;
    return a != b;
}

} // namespace

class TestDijkstraPrimSolver : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreStruckOutNotRemoved();
    void runs_data();
    void runs();
    void buttonOpensTheDialogOnTheWindowsGraph();
    void randomGraphsGiveMinimumSpanningTrees_data();
    void randomGraphsGiveMinimumSpanningTrees();
};

void TestDijkstraPrimSolver::rowsAreStruckOutNotRemoved()
{
    Graph graph;
    build(graph, "AB1 BC1 AC5 CD1");
    Run run(graph);
    run.start(QStringLiteral("A"));
    run.press(8); // C is visited and its edges listed: AC now closes a cycle
    QCOMPARE(run.events().last(), QStringLiteral("Usunięto krawędź 'AC' ponieważ tworzy cykl."));
    QCOMPARE(run.list("openVerticlesList"), (QStringList{"A", "B", "C", "D"}));
    QCOMPARE(struckRows(run, "openVerticlesList"), (QStringList{"A", "B", "C"}));
    QCOMPARE(run.list("activeEdgesList"), (QStringList{"AB", "AC", "BC", "CD"}));
    QCOMPARE(struckRows(run, "activeEdgesList"), (QStringList{"AB", "AC", "BC"}));
    QCOMPARE(marked(graph).filter(QStringLiteral("AC")), QStringList());
}

void TestDijkstraPrimSolver::runs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("visited");

    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    const QString done = QStringLiteral("Otrzymano minimalne drzewo rozpinające grafu.");
    QTest::newRow("no vertices") << "" << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!")
                                 << QStringList() << QStringList();
    QTest::newRow("two pieces refused") << "AB1 CD1" << 0 << apart << QStringList() << QStringList();
    QTest::newRow("isolated last vertex refused") << "AB1 BC1" << 4 << apart << QStringList() << QStringList();
    QTest::newRow("single vertex: one press") << "" << 1 << done << QStringList() << QStringList{"A"};
    QTest::newRow("triangle: AC reset by the final step")
        << "AB1 BC1 AC2" << 0 << done << QStringList{"AB", "BC"} << QStringList{"A", "B", "C"};
    // DA is listed (from A) before CB (from C), though CB comes first by name and in the scene.
    QTest::newRow("equal weights: the edge listed first wins")
        << "CA1 DA3 CB3" << 0 << done << QStringList{"CA", "CB", "DA"} << QStringList{"A", "C", "D", "B"};
}

void TestDijkstraPrimSolver::runs()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);
    QFETCH(QStringList, tree);
    QFETCH(QStringList, visited);

    Graph graph;
    build(graph, text, count);
    markAll(graph); // as a dialog left with Escape leaves them
    Run run(graph);
    QCOMPARE(marked(graph), QStringList());
    QCOMPARE(run.solver.windowTitle(), QStringLiteral("Algorytm Dijkstry-Prima"));
    QCOMPARE(run.info(), visited.isEmpty() ? info : QStringLiteral("Wybierz wierzchołek startowy."));
    // Even a refused graph has every vertex listed as unvisited.
    QCOMPARE(run.list("openVerticlesList").size(), graph.verticles().size());
    if (!graph.verticles().isEmpty()) {
        run.start(QStringLiteral("A"));
        run.start(graph.verticles().last()->name()); // changes nothing: the start is chosen, or none is asked for
    }
    QCOMPARE(run.finish(), visited.isEmpty() ? 0 : 3 * (visited.size() - 1) + 1);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.list("closedVerticlesList"), visited);
    QCOMPARE(struckRows(run, "openVerticlesList").size(), visited.size());
    QCOMPARE(struckRows(run, "activeEdgesList"), run.list("activeEdgesList"));

    // Visited vertices green, the start enlarged, the tree green and solid, every other edge plain.
    QStringList marks;
    for (const GraphVerticle *v : graph.verticles()) {
        if (visited.contains(v->name()))
            marks.append(v->name() + (v->name() == QLatin1String("A") ? ": green r15 w3" : ": green r10 w3"));
    }
    for (const QString &name : tree)
        marks.append(name + QStringLiteral(": green solid w2"));
    QCOMPARE(marked(graph), marks);
    QVERIFY(run.solver.close());
    QCOMPARE(marked(graph), QStringList());
}

void TestDijkstraPrimSolver::buttonOpensTheDialogOnTheWindowsGraph()
{
    Perewal window;
    build(*window.graph(), "AB1 CD1");
    QString info;
    auto launch = [&] { window.findChild<QPushButton *>("dijkstraPrimButton")->click(); };
    auto read = [&](DijkstraPrimSolver &dialog) { info = SolverDriver(*window.graph(), &dialog).info(); };
    QVERIFY(driveModal<DijkstraPrimSolver>(&window, launch, read));
    QCOMPARE(info, QStringLiteral("Wprowadzony graf jest niespójny!!!"));
}

void TestDijkstraPrimSolver::randomGraphsGiveMinimumSpanningTrees_data()
{
    QTest::addColumn<uint>("seed");
    for (uint seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestDijkstraPrimSolver::randomGraphsGiveMinimumSpanningTrees()
{
    QFETCH(uint, seed);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(20, 40)(rng);
    const int extra = std::uniform_int_distribution<int>(count / 2, 3 * count)(rng);
    // Few distinct weights, so most choices are ties.
    QList<EdgeSpec> edges = randomConnected(rng, count, extra, 0, 4);
    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, count, edges);
    Run run(graph);
    GraphVerticle *start = verticles.at(std::uniform_int_distribution<int>(0, count - 1)(rng));
    emit graph.verticleClicked(start);
    QCOMPARE(run.finish(), 3 * (count - 1) + 1);
    QCOMPARE(run.list("closedVerticlesList").first(), start->name());

    // The green edges form a spanning tree (n - 1 edges, no cycle) as light as the one Kruskal's method finds.
    std::vector<int> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    qreal total = 0;
    int treeEdges = 0;
    for (const GraphEdge *e : graph.edges()) {
        if (look(e) == e->name() + QStringLiteral(": black solid w2"))
            continue;
        QCOMPARE(look(e), e->name() + QStringLiteral(": green solid w2"));
        QVERIFY2(join(parent, verticles.indexOf(e->start()), verticles.indexOf(e->end())), qPrintable(e->name()));
        total += e->weight();
        ++treeEdges;
    }
    QCOMPARE(treeEdges, count - 1);
    std::sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) { return a.weight < b.weight; });
    std::iota(parent.begin(), parent.end(), 0);
    qreal minimum = 0;
    for (const EdgeSpec &e : edges)
        minimum += join(parent, e.start, e.end) ? e.weight : 0;
    QCOMPARE(total, minimum);
}

QTEST_MAIN(TestDijkstraPrimSolver)
#include "tst_dijkstraprimsolver.moc"
