#include "app/perewal.h"
#include "solvers/dijkstraprimsolver.h"
#include "tests/support/testgraphs.h"

#include <QtTest>

#include <numeric>
#include <random>

using namespace TestGraphs;
using Run = SolverRun<DijkstraPrimSolver>;

namespace {

const QString finished = QStringLiteral("Otrzymano minimalne drzewo rozpinające grafu.");

QStringList struckRows(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->font().strikeOut())
            result.append(list->item(i)->text());
    }
    return result;
}

// Union-find over vertex indices, for checking trees independently of the solver.
struct Components
{
    explicit Components(int count) : parent(count) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int v) { return parent[v] == v ? v : parent[v] = find(parent[v]); }
    bool join(int a, int b)
    {
        a = find(a);
        b = find(b);
        parent[a] = b;
        return a != b;
    }
    std::vector<int> parent;
};

// Kruskal's algorithm.
qreal minimumSpanningWeight(int count, QList<EdgeSpec> edges)
{
    std::sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) { return a.weight < b.weight; });
    Components components(count);
    qreal total = 0;
    for (const EdgeSpec &e : edges)
        total += components.join(e.start, e.end) ? e.weight : 0;
    return total;
}

} // namespace

class TestDijkstraPrimSolver : public QObject
{
    Q_OBJECT

private slots:
    void opening_data();
    void opening();
    void fourVertexExampleStepByStep_data();
    void fourVertexExampleStepByStep();
    void runs_data();
    void runs();
    void launchRunsTheDialogModally();
    void randomGraphsGiveMinimumSpanningTrees_data();
    void randomGraphsGiveMinimumSpanningTrees();
};

void TestDijkstraPrimSolver::opening_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");

    const QString ask = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("connected graph asks for the start") << "AB1 CB1" << 0 << ask;
    QTest::newRow("two pieces are refused") << "AB1 CD1" << 0 << apart;
    QTest::newRow("an isolated last vertex is refused") << "AB1 BC1" << 4 << apart;
    QTest::newRow("an isolated first vertex is refused") << "BC1 CD1" << 0 << apart;
    QTest::newRow("no vertices: nothing to start from")
        << "" << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!");
}

void TestDijkstraPrimSolver::opening()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);

    Graph graph;
    build(graph, text, count);
    markAll(graph); // as a dialog closed with Escape leaves them
    Run run(graph);
    QCOMPARE(marked(graph), QStringList());
    QCOMPARE(run.solver.windowTitle(), QStringLiteral("Algorytm Dijkstry-Prima"));
    QCOMPARE(run.child<QLabel>("label_3")->text(), QStringLiteral("Bierzace krawędzie"));
    QCOMPARE(run.info(), info);
    QVERIFY(!run.stepButton()->isEnabled());
    // Even a graph that is refused has every vertex listed as unvisited.
    QStringList names;
    for (const GraphVerticle *v : graph.verticles())
        names.append(v->name());
    QCOMPARE(run.list("openVerticlesList"), names);
    QCOMPARE(struckRows(run.child<QListWidget>("openVerticlesList")), QStringList());

    if (!names.isEmpty()) {
        const bool takesStart = info.startsWith(QStringLiteral("Wybierz"));
        run.start(QStringLiteral("A"));
        run.start(QStringLiteral("B")); // changes nothing: the start is chosen, or none is asked for
        QCOMPARE(run.stepButton()->isEnabled(), takesStart);
        QCOMPARE(run.list("closedVerticlesList"), (takesStart ? QStringList{"A"} : QStringList()));
        QCOMPARE(marked(graph), (takesStart ? QStringList{"A: green r15 w3"} : QStringList()));
    }
    markAll(graph);
    QVERIFY(run.solver.close());
    QCOMPARE(marked(graph), QStringList());
}

void TestDijkstraPrimSolver::fourVertexExampleStepByStep_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QStringList>("edgeMarks");
    QTest::addColumn<QStringList>("struckEdges");
    QTest::addColumn<QStringList>("visited");
    QTest::addColumn<bool>("escape");

    const QString choose = QStringLiteral("Wybieramy krawędź o najmniejszej wadze.");
    auto visit = [](const char *name) {
        return QStringLiteral("Wpisano wierzchołek '%1' na listę wierzchołków odwiedzonych.").arg(QLatin1String(name));
    };
    const QString ab = QStringLiteral("AB: green solid w2");
    const QString bc = QStringLiteral("BC: green solid w2");
    const QString dashedCD = QStringLiteral("CD: black dash w2");

    // Edges AB 1, BC 1, AC 5, CD 1, started at A. A chosen edge stays dashed
    // until the visit of its far end has listed that end's edges. Each row
    // ends with the dialog closed, or left with Escape.
    QTest::newRow("3: AB chosen, B visited; Escape") << 3 << choose << visit("B")
        << QStringList{"AB: green dash w2", "AC: black dash w2"} << QStringList{"AB"} << QStringList{"A", "B"} << true;
    QTest::newRow("7: AC solid, not yet dropped")
        << 7 << "Do listy krawędzi bieżących dodajemy krawędzie incydentne do ostatnio odwiedzonego wierzchołka."
        << "Dodano krawędź 'CD' do listy krawędzi bieżących." << QStringList{ab, bc, dashedCD}
        << QStringList{"AB", "BC"} << QStringList{"A", "B", "C"} << false;
    QTest::newRow("8: AC closes a cycle")
        << 8 << "Na liście krawędzi, szukamy tych które tworzą cykle, a następnie usuwamy je."
        << "Usunięto krawędź 'AC' ponieważ tworzy cykl." << QStringList{ab, bc, dashedCD}
        << QStringList{"AB", "AC", "BC"} << QStringList{"A", "B", "C"} << false;
    QTest::newRow("9: CD chosen, D visited") << 9 << choose << visit("D") << QStringList{ab, bc, "CD: green dash w2"}
        << QStringList{"AB", "AC", "BC", "CD"} << QStringList{"A", "B", "C", "D"} << false;
    QTest::newRow("10: finished") << 10 << finished
        << "Otrzymano minimalne drzewo rozpinające grafu. Koniec pracy algorytmu." << QStringList{ab, bc, "CD: green solid w2"}
        << QStringList{"AB", "AC", "BC", "CD"} << QStringList{"A", "B", "C", "D"} << false;
}

void TestDijkstraPrimSolver::fourVertexExampleStepByStep()
{
    QFETCH(int, presses);
    QFETCH(QString, info);
    QFETCH(QString, lastLine);
    QFETCH(QStringList, edgeMarks);
    QFETCH(QStringList, struckEdges);
    QFETCH(QStringList, visited);
    QFETCH(bool, escape);

    Graph graph;
    build(graph, "AB1 BC1 AC5 CD1");
    Run run(graph);
    run.start(QStringLiteral("A"));
    run.press(presses);

    QCOMPARE(run.info(), info);
    QCOMPARE(run.events().last(), lastLine);
    // Visiting order is scene order here, so the visited vertices lead the marks as they are listed.
    QStringList marks;
    for (const QString &name : visited)
        marks.append(name + (name == QLatin1String("A") ? ": green r15 w3" : ": green r10 w3"));
    QCOMPARE(marked(graph), marks + edgeMarks);
    QCOMPARE(struckRows(run.child<QListWidget>("activeEdgesList")), struckEdges);
    QCOMPARE(run.list("closedVerticlesList"), visited);
    QCOMPARE(struckRows(run.child<QListWidget>("openVerticlesList")), visited);
    QCOMPARE(struckRows(run.child<QListWidget>("closedVerticlesList")), QStringList());
    QCOMPARE(run.stepButton()->isEnabled(), presses < 10);

    if (escape)
        QTest::keyClick(&run.solver, Qt::Key_Escape);
    else
        QVERIFY(run.solver.close());
    QVERIFY(!run.solver.isVisible());
    // Escape rejects the dialog without a close event: the marks stay until the next dialog opens.
    QCOMPARE(marked(graph), escape ? marks + edgeMarks : QStringList());
}

void TestDijkstraPrimSolver::runs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("visited");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("dropped");

    QTest::newRow("triangle: AC reset by the final step, no removal line")
        << "AB1 BC1 AC2" << 0 << "A" << QStringList{"AB", "BC"} << QStringList{"A", "B", "C"}
        << QStringList{"AB", "AC", "BC"} << QStringList();
    // CD is listed (from C) before AB (from A), though AB comes first by name and by key.
    QTest::newRow("equal weights: the edge listed first wins")
        << "CA1 CD3 AB3" << 0 << "C" << QStringList{"AB", "CA", "CD"} << QStringList{"C", "A", "D", "B"}
        << QStringList{"CA", "CD", "AB"} << QStringList();
    QTest::newRow("weights compared whole: 1.9 ties with 1.2")
        << "AB1.9 AC1.2" << 0 << "A" << QStringList{"AB", "AC"} << QStringList{"A", "B", "C"}
        << QStringList{"AB", "AC"} << QStringList();
    QTest::newRow("square: DA listed once though both ends are visited")
        << "AB1 BC1 CD1 DA5" << 0 << "A" << QStringList{"AB", "BC", "CD"} << QStringList{"A", "B", "C", "D"}
        << QStringList{"AB", "DA", "BC", "CD"} << QStringList();
    QTest::newRow("started inside: two cycles dropped, CE reset at the end")
        << "AB4 BC1 CD1 DB2 AD1 CE7 DE3" << 0 << "C" << QStringList{"AD", "BC", "CD", "DE"}
        << QStringList{"C", "B", "D", "A", "E"} << QStringList{"BC", "CD", "CE", "AB", "DB", "AD", "DE"}
        << QStringList{"DB", "AB"};
    QTest::newRow("single vertex: one press") << "" << 1 << "A" << QStringList() << QStringList{"A"} << QStringList()
                                              << QStringList();
}

void TestDijkstraPrimSolver::runs()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, start);
    QFETCH(QStringList, tree);
    QFETCH(QStringList, visited);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, dropped);

    Graph graph;
    build(graph, text, count);
    Run run(graph);
    run.start(start);
    QCOMPARE(run.finish(), 3 * (visited.size() - 1) + 1);
    QCOMPARE(run.info(), finished);

    // Every vertex green, the start enlarged, the tree green and solid, every other edge plain.
    QStringList marks;
    for (const GraphVerticle *v : graph.verticles())
        marks.append(v->name() + (v->name() == start ? ": green r15 w3" : ": green r10 w3"));
    for (const QString &name : tree)
        marks.append(name + QStringLiteral(": green solid w2"));
    QCOMPARE(marked(graph), marks);

    QCOMPARE(run.list("closedVerticlesList"), visited);
    QCOMPARE(run.list("activeEdgesList"), listed);
    QCOMPARE(struckRows(run.child<QListWidget>("activeEdgesList")), listed);
    QCOMPARE(struckRows(run.child<QListWidget>("openVerticlesList")), run.list("openVerticlesList"));
    QStringList removals;
    for (const QString &line : run.events()) {
        if (line.startsWith(QStringLiteral("Usunięto krawędź '")))
            removals.append(line.mid(18, 2));
    }
    QCOMPARE(removals, dropped);
}

void TestDijkstraPrimSolver::launchRunsTheDialogModally()
{
    Perewal window;
    Graph &graph = *window.graph();
    build(graph, "AB1 BC1 AC5 CD1");

    QString title;
    QStringList marks;
    QVERIFY(driveModal<DijkstraPrimSolver>(&window, [&] { window.launchDijkstraPrim(); },
                                           [&](DijkstraPrimSolver &dialog) {
        title = dialog.windowTitle();
        SolverDriver run(graph, &dialog);
        run.start(QStringLiteral("A"));
        run.finish();
        marks = marked(graph).filter(QStringLiteral("solid"));
        dialog.close();
    }));
    QCOMPARE(title, QStringLiteral("Algorytm Dijkstry-Prima"));
    QCOMPARE(marks, (QStringList{"AB: green solid w2", "BC: green solid w2", "CD: green solid w2"}));
    QCOMPARE(marked(graph), QStringList());
    QVERIFY(!window.findChild<DijkstraPrimSolver *>());
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
    const QList<EdgeSpec> edges = randomConnected(rng, count, extra, 0, 4);
    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, count, edges);
    Run run(graph);
    emit graph.verticleClicked(verticles.at(std::uniform_int_distribution<int>(0, count - 1)(rng)));
    QCOMPARE(run.finish(), 3 * (count - 1) + 1);

    Components components(count);
    qreal total = 0;
    int treeEdges = 0;
    for (const GraphEdge *e : graph.edges()) {
        const QString edgeLook = look(e);
        if (edgeLook.endsWith(QStringLiteral(": black solid w2")))
            continue;
        QCOMPARE(edgeLook, e->name() + QStringLiteral(": green solid w2"));
        ++treeEdges;
        total += e->weight();
        QVERIFY2(components.join(verticles.indexOf(e->start()), verticles.indexOf(e->end())),
                 qPrintable(e->name() + QStringLiteral(" closes a cycle")));
    }
    QCOMPARE(treeEdges, count - 1);
    QCOMPARE(total, minimumSpanningWeight(count, edges));
}

QTEST_MAIN(TestDijkstraPrimSolver)
#include "tst_dijkstraprimsolver.moc"
