#include "app/perewal.h"
#include "solvers/dijkstraprimsolver.h"
#include "tests/support/snapshot.h"

#include <QtTest>

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

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
    void theTreesWeightIsShownAtTheEnd_data();
    void theTreesWeightIsShownAtTheEnd();
    void piecesOfARefusedGraphAreShown();
    void theLargestFileRoundTripsAndIsSpanned();
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

void TestDijkstraPrimSolver::theTreesWeightIsShownAtTheEnd_data()
{
    QTest::addColumn<uint>("seed");
    for (uint seed = 1; seed <= 20; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// The panel ends with the tree's weight, that of the tree Kruskal's method finds; it is gone a step earlier.
void TestDijkstraPrimSolver::theTreesWeightIsShownAtTheEnd()
{
    QFETCH(uint, seed);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(2, 30)(rng);
    // Negative weights too: a spanning tree does not care about the sign.
    QList<EdgeSpec> edges = randomConnected(rng, count, count, -5, 20);
    Graph graph;
    build(graph, count, edges);
    Run run(graph);
    run.start(graph.verticles().at(std::uniform_int_distribution<int>(0, count - 1)(rng))->name());
    auto *total = run.child<QLabel>("totalWeightLabel");
    QVERIFY(total->isHidden());
    run.finish();

    std::sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) { return a.weight < b.weight; });
    std::vector<int> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    qreal minimum = 0;
    for (const EdgeSpec &e : edges)
        minimum += join(parent, e.start, e.end) ? e.weight : 0;
    QVERIFY(!total->isHidden());
    QCOMPARE(total->text(), QStringLiteral("Waga drzewa: %1").arg(QString::number(minimum, 'g', 15)));

    QTest::mouseClick(run.child<QPushButton>("stepBackButton"), Qt::LeftButton);
    QVERIFY(total->isHidden());
    QTest::mouseClick(run.stepButton(), Qt::LeftButton);
    QCOMPARE(total->text(), QStringLiteral("Waga drzewa: %1").arg(QString::number(minimum, 'g', 15)));
}

void TestDijkstraPrimSolver::piecesOfARefusedGraphAreShown()
{
    // Pieces named in the scene's order, each in a colour of its own.
    Graph graph;
    build(graph, "AC1 BD1 DE1", 6);
    Run run(graph);
    QCOMPARE(run.info(), QStringLiteral("Wprowadzony graf jest niespójny!!!"));
    QCOMPARE(run.events(),
             QStringList{"Graf ma 3 części, każdą zaznaczono innym kolorem: 1) A, C; 2) B, D, E; 3) F."});
    const auto colourOf = [&](const char *name) {
        const QString text = QString::fromLatin1(name);
        const QGraphicsItem *item = text.size() == 1
                                        ? static_cast<QGraphicsItem *>(byName(graph, text))
                                        : graph.edgeBetween(byName(graph, text.left(1)), byName(graph, text.mid(1)));
        for (const QGraphicsItem *marks : graph.items()) {
            if (marks->type() == CanvasMarks::Type && static_cast<const CanvasMarks *>(marks)->colourOf(item).isValid())
                return static_cast<const CanvasMarks *>(marks)->colourOf(item).rgb();
        }
        return QRgb(0);
    };
    QCOMPARE(colourOf("C"), colourOf("A"));
    QCOMPARE(colourOf("AC"), colourOf("A"));
    QCOMPARE(colourOf("D"), colourOf("B"));
    QCOMPARE(colourOf("DE"), colourOf("B"));
    QVERIFY(colourOf("A") && colourOf("B") && colourOf("F"));
    QVERIFY(colourOf("A") != colourOf("B") && colourOf("B") != colourOf("F") && colourOf("A") != colourOf("F"));
    QCOMPARE(marked(graph), QStringList());
}

// The most vertices whose one-character names stay apart: the file comes
// back byte for byte, and the spanning tree grows over all of it.
void TestDijkstraPrimSolver::theLargestFileRoundTripsAndIsSpanned()
{
    const int count = 65471;
    std::mt19937 rng(65471);
    QList<EdgeSpec> edges = randomConnected(rng, count, 0, 1, 100);
    for (int added = 0; added < 2000; ++added) {
        const int a = std::uniform_int_distribution<int>(0, count - 1)(rng);
        const int b = std::uniform_int_distribution<int>(0, count - 1)(rng);
        if (std::abs(a - b) > 1)
            edges.append({a, b, qreal(std::uniform_int_distribution<int>(1, 100)(rng))});
    }
    // One edge per pair, in the order the program writes them: by start, then by end.
    std::sort(edges.begin(), edges.end(), [](const EdgeSpec &x, const EdgeSpec &y) {
        return std::make_pair(x.start, x.end) < std::make_pair(y.start, y.end);
    });
    QSet<QPair<int, int>> pairs;
    edges.erase(std::remove_if(edges.begin(), edges.end(),
                               [&](const EdgeSpec &e) {
                                   const QPair<int, int> pair(qMin(e.start, e.end), qMax(e.start, e.end));
                                   const bool seen = pairs.contains(pair);
                                   pairs.insert(pair);
                                   return seen;
                               }),
                edges.end());

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(count) << qint32(edges.size());
    for (int i = 0; i < count; ++i)
        out << QChar(char16_t(65 + i)) << double(i % 256 * 40) << double(i / 256 * 40);
    for (const EdgeSpec &e : std::as_const(edges))
        out << QChar(char16_t(65 + e.start)) << QChar(char16_t(65 + e.end)) << double(e.weight);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("duzy.graf")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    Perewal window;
    QVERIFY(window.loadGraphFrom(file.fileName()));
    // As the program's event loop does: the scene takes in the new items, which removing them later expects.
    QCoreApplication::processEvents();
    QCOMPARE(window.graph()->verticles().size(), count);
    QCOMPARE(window.graph()->edges().size(), edges.size());
    const QString again = folder.filePath(QStringLiteral("zapisany.graf"));
    QVERIFY(window.saveGraphTo(again));
    QFile saved(again);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll() == bytes);

    DijkstraPrimSolver solver(window.graph(), nullptr);
    emit window.graph()->verticleClicked(window.graph()->verticles().last());
    QPushButton *step = solver.findChild<QPushButton *>(QStringLiteral("stepForwardButton"));
    int presses = 0;
    for (; step->isEnabled() && presses <= 3 * count; ++presses)
        step->click();
    QCOMPARE(presses, 3 * (count - 1) + 1);

    std::sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) { return a.weight < b.weight; });
    std::vector<int> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    qreal minimum = 0;
    for (const EdgeSpec &e : std::as_const(edges))
        minimum += join(parent, e.start, e.end) ? e.weight : 0;
    QCOMPARE(solver.findChild<QLabel *>(QStringLiteral("totalWeightLabel"))->text(),
             QStringLiteral("Waga drzewa: %1").arg(QString::number(minimum, 'g', 15)));
}

QTEST_MAIN(TestDijkstraPrimSolver)
#include "tst_dijkstraprimsolver.moc"
