#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "solvers/dijkstraprimsolver.h"
#include "tests/support/testgraphs.h"

#include <QApplication>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>
#include <numeric>

using namespace TestGraphs;

namespace {

const QString finished = QStringLiteral("Otrzymano minimalne drzewo rozpinające grafu.");

bool isGreen(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::green);
}

bool isPlain(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::black) && e->pen().style() == Qt::SolidLine && e->pen().widthF() == 2.0;
}

bool isPlain(const GraphVerticle *v)
{
    return v->rect() == QRectF(-10, -10, 20, 20) && v->brush().color() == QColor(Qt::white)
        && v->pen().width() == 0 && v->pen().color() == QColor(Qt::black);
}

QStringList edgeNames(const Graph &graph, bool (*keep)(const GraphEdge *))
{
    QStringList names;
    for (const GraphEdge *e : graph.edges()) {
        if (keep(e))
            names.append(e->name());
    }
    return names;
}

QStringList struckRows(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->font().strikeOut())
            result.append(list->item(i)->text());
    }
    return result;
}

// Marks every item the way a run leaves them, so a reset shows.
void markEverything(Graph &graph)
{
    for (GraphVerticle *v : graph.verticles()) {
        v->setRadius(15);
        v->setBrushColor(Qt::green);
        v->setPenWidth(3);
    }
    for (GraphEdge *e : graph.edges()) {
        e->setPenColor(Qt::green);
        e->setPenStyle(Qt::DashLine);
    }
}

bool everythingPlain(const Graph &graph)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const QList<GraphEdge *> edges = graph.edges();
    return std::all_of(verticles.begin(), verticles.end(), [](GraphVerticle *v) { return isPlain(v); })
        && std::all_of(edges.begin(), edges.end(), [](GraphEdge *e) { return isPlain(e); });
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

// Kruskal's algorithm on the whole-number weights.
qreal minimumSpanningWeight(int count, QList<EdgeSpec> edges)
{
    std::stable_sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) {
        return std::trunc(a.weight) < std::trunc(b.weight);
    });
    Components components(count);
    qreal total = 0;
    for (const EdgeSpec &e : edges) {
        if (components.join(e.start, e.end))
            total += std::trunc(e.weight);
    }
    return total;
}

// A solver opened on a graph, driven through the scene and the widgets' object names.
struct Run
{
    explicit Run(const QString &text = QString(), int count = 0)
    {
        build(graph, text, count);
        open();
    }
    Run(int count, const QList<EdgeSpec> &edges)
    {
        build(graph, count, edges);
        open();
    }
    void open()
    {
        solver = std::make_unique<DijkstraPrimSolver>(&graph, nullptr);
        solver->show();
    }

    QListWidget *list(const char *name) const { return solver->findChild<QListWidget *>(name); }
    QPushButton *stepButton() const { return solver->findChild<QPushButton *>("stepForwardButton"); }
    QString info() const { return solver->findChild<QLabel *>("currentInfoLabel")->text(); }
    QStringList log() const { return history(list("eventLogWidget")); }

    void start(const QString &name) { emit graph.verticleClicked(byName(graph, name)); }
    void press(int times)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(stepButton(), Qt::LeftButton);
    }
    /// Presses until the button is disabled; the number of presses.
    int pressToEnd()
    {
        int presses = 0;
        for (; stepButton()->isEnabled() && presses < 100000; ++presses)
            press(1);
        return presses;
    }

    Graph graph;
    std::unique_ptr<DijkstraPrimSolver> solver;
};

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
    void clicksAfterTheStartChangeNothing();
    void closingRestoresEveryItem_data();
    void closingRestoresEveryItem();
    void escapeLeavesTheMarks();
    void launchRunsTheDialogModally();
    void randomGraphsGiveMinimumSpanningTrees_data();
    void randomGraphsGiveMinimumSpanningTrees();
};

void TestDijkstraPrimSolver::opening_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("takesStart");

    const QString ask = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString disconnected = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("connected graph asks for the start") << "AB1 CB1" << 0 << ask << true;
    QTest::newRow("single vertex asks for the start") << "" << 1 << ask << true;
    QTest::newRow("two pieces are refused") << "AB1 CD1" << 0 << disconnected << false;
    QTest::newRow("an isolated last vertex is refused") << "AB1 BC1" << 4 << disconnected << false;
    QTest::newRow("an isolated first vertex is refused") << "BC1 CD1" << 0 << disconnected << false;
    QTest::newRow("no vertices: nothing to start from")
        << "" << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!") << false;
}

void TestDijkstraPrimSolver::opening()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);
    QFETCH(bool, takesStart);

    Graph graph;
    build(graph, text, count);
    markEverything(graph);
    DijkstraPrimSolver solver(&graph, nullptr);
    solver.show();
    // Marks left by an earlier run are gone.
    QVERIFY(everythingPlain(graph));

    QCOMPARE(solver.windowTitle(), QStringLiteral("Algorytm Dijkstry-Prima"));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), info);
    auto *panel = solver.findChild<QWidget *>("DijkstraPrimSolverClass");
    QCOMPARE(panel->parentWidget()->objectName(), QStringLiteral("inheritedWidgetContainer"));
    QCOMPARE(panel->findChild<QLabel *>("label")->text(), QStringLiteral("Wierzcholki nieodwiedzone:"));
    QCOMPARE(panel->findChild<QLabel *>("label_2")->text(), QStringLiteral("Wierzcholki odwiedzone:"));
    QCOMPARE(panel->findChild<QLabel *>("label_3")->text(), QStringLiteral("Bierzace krawędzie"));

    QStringList names;
    for (const GraphVerticle *v : graph.verticles())
        names.append(v->name());
    QCOMPARE(rows(solver.findChild<QListWidget *>("openVerticlesList")), names);
    QVERIFY(struckRows(solver.findChild<QListWidget *>("openVerticlesList")).isEmpty());
    QCOMPARE(solver.findChild<QListWidget *>("closedVerticlesList")->count(), 0);
    QCOMPARE(solver.findChild<QListWidget *>("activeEdgesList")->count(), 0);
    auto *step = solver.findChild<QPushButton *>("stepForwardButton");
    QVERIFY(!step->isEnabled());

    if (graph.verticles().isEmpty())
        return;
    GraphVerticle *a = graph.verticles().first();
    emit graph.verticleClicked(a);
    QCOMPARE(step->isEnabled(), takesStart);
    QCOMPARE(a->rect().width(), takesStart ? 30.0 : 20.0);
    auto *log = solver.findChild<QListWidget *>("eventLogWidget");
    QCOMPARE(history(log).value(0), takesStart ? QStringLiteral("Wybrano wierzchołek 'A' jako startowy.") : QString());
}

void TestDijkstraPrimSolver::fourVertexExampleStepByStep_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QStringList>("dashed");
    QTest::addColumn<QStringList>("green");
    QTest::addColumn<QStringList>("struckEdges");
    QTest::addColumn<QStringList>("visited");

    const QString add = QStringLiteral("Do listy krawędzi bieżących dodajemy krawędzie incydentne do ostatnio odwiedzonego wierzchołka.");
    const QString drop = QStringLiteral("Na liście krawędzi, szukamy tych które tworzą cykle, a następnie usuwamy je.");
    const QString choose = QStringLiteral("Wybieramy krawędź o najmniejszej wadze.");
    auto visitLine = [](const char *name) {
        return QStringLiteral("Wpisano wierzchołek '%1' na listę wierzchołków odwiedzonych.").arg(QLatin1String(name));
    };
    auto addLine = [](const char *name) {
        return QStringLiteral("Dodano krawędź '%1' do listy krawędzi bieżących.").arg(QLatin1String(name));
    };
    const QStringList none;

    // Edges AB 1, BC 1, AC 5, CD 1, started at A. A chosen edge stays dashed
    // until the visit of its far end has listed that end's edges.
    QTest::newRow("start") << 0 << "..." << visitLine("A") << none << none << none << QStringList{"A"};
    QTest::newRow("1: A's edges listed") << 1 << add << addLine("AC") << QStringList{"AB", "AC"} << none << none << QStringList{"A"};
    QTest::newRow("3: AB chosen, B visited") << 3 << choose << visitLine("B") << QStringList{"AB", "AC"} << QStringList{"AB"}
                                              << QStringList{"AB"} << QStringList{"A", "B"};
    QTest::newRow("4: B's new edge listed") << 4 << add << addLine("BC") << QStringList{"AC", "BC"} << QStringList{"AB"}
                                             << QStringList{"AB"} << QStringList{"A", "B"};
    QTest::newRow("6: the lighter BC beats AC") << 6 << choose << visitLine("C") << QStringList{"AC", "BC"} << QStringList{"AB", "BC"}
                                                 << QStringList{"AB", "BC"} << QStringList{"A", "B", "C"};
    QTest::newRow("7: AC solid, not yet dropped") << 7 << add << addLine("CD") << QStringList{"CD"} << QStringList{"AB", "BC"}
                                                   << QStringList{"AB", "BC"} << QStringList{"A", "B", "C"};
    QTest::newRow("8: AC closes a cycle") << 8 << drop << QStringLiteral("Usunięto krawędź 'AC' ponieważ tworzy cykl.")
                                           << QStringList{"CD"} << QStringList{"AB", "BC"} << QStringList{"AB", "AC", "BC"}
                                           << QStringList{"A", "B", "C"};
    QTest::newRow("9: CD chosen, D visited") << 9 << choose << visitLine("D") << QStringList{"CD"} << QStringList{"AB", "BC", "CD"}
                                              << QStringList{"AB", "AC", "BC", "CD"} << QStringList{"A", "B", "C", "D"};
    QTest::newRow("10: finished") << 10 << finished
                                   << QStringLiteral("Otrzymano minimalne drzewo rozpinające grafu. Koniec pracy algorytmu.")
                                   << none << QStringList{"AB", "BC", "CD"} << QStringList{"AB", "AC", "BC", "CD"}
                                   << QStringList{"A", "B", "C", "D"};
}

void TestDijkstraPrimSolver::fourVertexExampleStepByStep()
{
    QFETCH(int, presses);
    QFETCH(QString, info);
    QFETCH(QString, lastLine);
    QFETCH(QStringList, dashed);
    QFETCH(QStringList, green);
    QFETCH(QStringList, struckEdges);
    QFETCH(QStringList, visited);

    Run run(QStringLiteral("AB1 BC1 AC5 CD1"));
    run.start(QStringLiteral("A"));
    run.press(presses);

    QCOMPARE(run.info(), info);
    QCOMPARE(run.log().last(), lastLine);
    QCOMPARE(edgeNames(run.graph, [](const GraphEdge *e) { return e->pen().style() == Qt::DashLine; }), dashed);
    QCOMPARE(edgeNames(run.graph, isGreen), green);
    QCOMPARE(struckRows(run.list("activeEdgesList")), struckEdges);
    QCOMPARE(rows(run.list("closedVerticlesList")), visited);
    QCOMPARE(struckRows(run.list("openVerticlesList")), visited);
    QVERIFY(struckRows(run.list("closedVerticlesList")).isEmpty());
    for (const QString &name : visited) {
        const GraphVerticle *v = byName(run.graph, name);
        QCOMPARE(v->brush().color(), QColor(Qt::green));
        QCOMPARE(v->pen().width(), 3);
    }
    QCOMPARE(run.stepButton()->isEnabled(), presses < 10);
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

    QTest::newRow("four vertices: AC dropped as a cycle")
        << "AB1 BC1 AC5 CD1" << 0 << "A" << QStringList{"AB", "BC", "CD"} << QStringList{"A", "B", "C", "D"}
        << QStringList{"AB", "AC", "BC", "CD"} << QStringList{"AC"};
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

    Run run(text, count);
    run.start(start);
    const int n = run.graph.verticles().size();
    QCOMPARE(run.pressToEnd(), 3 * (n - 1) + 1);

    QCOMPARE(run.info(), finished);
    QCOMPARE(edgeNames(run.graph, isGreen), tree);
    for (GraphEdge *e : run.graph.edges()) {
        QCOMPARE(e->pen().style(), Qt::SolidLine);
        QVERIFY2(tree.contains(e->name()) || isPlain(e), qPrintable(e->name()));
    }
    QCOMPARE(rows(run.list("closedVerticlesList")), visited);
    QCOMPARE(rows(run.list("activeEdgesList")), listed);
    QCOMPARE(struckRows(run.list("activeEdgesList")), listed);
    QCOMPARE(struckRows(run.list("openVerticlesList")), rows(run.list("openVerticlesList")));

    QStringList removals;
    for (const QString &line : run.log()) {
        if (line.startsWith(QStringLiteral("Usunięto krawędź '")))
            removals.append(line.mid(18, 2));
    }
    QCOMPARE(removals, dropped);

    for (GraphVerticle *v : run.graph.verticles())
        QCOMPARE(v->rect().width(), v->name() == start ? 30.0 : 20.0);
}

void TestDijkstraPrimSolver::clicksAfterTheStartChangeNothing()
{
    Run run(QStringLiteral("AB1 BC1"));
    auto *view = run.solver->findChild<QGraphicsView *>("graphView");
    QVERIFY(QTest::qWaitForWindowExposed(run.solver.get()));
    auto click = [&](const QString &name) {
        GraphVerticle *v = byName(run.graph, name);
        view->centerOn(v);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(v->pos()));
    };

    click(QStringLiteral("B"));
    QCOMPARE(rows(run.list("closedVerticlesList")), QStringList{"B"});
    const QStringList log = run.log();
    click(QStringLiteral("A"));
    run.start(QStringLiteral("C"));
    QCOMPARE(run.log(), log);
    QCOMPARE(rows(run.list("closedVerticlesList")), QStringList{"B"});
    QVERIFY(isPlain(byName(run.graph, QStringLiteral("A"))));
    QVERIFY(isPlain(byName(run.graph, QStringLiteral("C"))));
}

void TestDijkstraPrimSolver::closingRestoresEveryItem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("presses");

    QTest::newRow("before a start") << "AB1 BC1 AC5 CD1" << -1;
    QTest::newRow("right after the start") << "AB1 BC1 AC5 CD1" << 0;
    QTest::newRow("with dashed and green edges") << "AB1 BC1 AC5 CD1" << 4;
    QTest::newRow("finished") << "AB1 BC1 AC5 CD1" << 10;
    QTest::newRow("disconnected, marks from before") << "AB1 CD1" << -1;
}

void TestDijkstraPrimSolver::closingRestoresEveryItem()
{
    QFETCH(QString, text);
    QFETCH(int, presses);

    Run run(text);
    if (presses >= 0) {
        run.start(QStringLiteral("A"));
        run.press(presses);
        QVERIFY(!everythingPlain(run.graph));
    } else {
        markEverything(run.graph);
    }
    QVERIFY(run.solver->close());
    QVERIFY(everythingPlain(run.graph));
}

void TestDijkstraPrimSolver::escapeLeavesTheMarks()
{
    Run run(QStringLiteral("AB1 BC1 AC5 CD1"));
    run.start(QStringLiteral("A"));
    run.press(3);
    QTest::keyClick(run.solver.get(), Qt::Key_Escape);

    QVERIFY(!run.solver->isVisible());
    QCOMPARE(run.solver->result(), int(QDialog::Rejected));
    const GraphVerticle *a = byName(run.graph, QStringLiteral("A"));
    QCOMPARE(a->rect().width(), 30.0);
    QCOMPARE(a->brush().color(), QColor(Qt::green));
    QCOMPARE(edgeNames(run.graph, isGreen), QStringList{"AB"});
}

void TestDijkstraPrimSolver::launchRunsTheDialogModally()
{
    Perewal window;
    Graph &graph = *window.graph();
    build(graph, QStringLiteral("AB1 BC1 AC5 CD1"));

    QString title;
    QStringList green;
    QTimer::singleShot(0, &window, [&] {
        auto *solver = qobject_cast<DijkstraPrimSolver *>(QApplication::activeModalWidget());
        if (!solver) {
            // Not the dialog expected; close whatever opened so the test fails instead of hanging.
            window.findChild<QDialog *>()->close();
            return;
        }
        title = solver->windowTitle();
        emit graph.verticleClicked(byName(graph, QStringLiteral("A")));
        for (int i = 0; i < 10; ++i)
            QTest::mouseClick(solver->findChild<QPushButton *>("stepForwardButton"), Qt::LeftButton);
        green = edgeNames(graph, isGreen);
        solver->close();
    });
    window.launchDijkstraPrim();

    QCOMPARE(title, QStringLiteral("Algorytm Dijkstry-Prima"));
    QCOMPARE(green, (QStringList{"AB", "BC", "CD"}));
    QVERIFY(everythingPlain(graph));
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
    const QList<EdgeSpec> edges = randomConnected(rng, count, extra, 1, 5);
    Run run(count, edges);
    const QList<GraphVerticle *> verticles = run.graph.verticles();
    run.start(verticles.at(std::uniform_int_distribution<int>(0, count - 1)(rng))->name());
    QCOMPARE(run.pressToEnd(), 3 * (count - 1) + 1);

    Components components(count);
    qreal total = 0;
    int treeEdges = 0;
    for (const GraphEdge *e : run.graph.edges()) {
        if (!isGreen(e)) {
            QVERIFY2(isPlain(e), qPrintable(e->name()));
            continue;
        }
        ++treeEdges;
        total += e->weight();
        QVERIFY2(components.join(verticles.indexOf(e->start()), verticles.indexOf(e->end())),
                 qPrintable(e->name() + QStringLiteral(" closes a cycle")));
    }
    QCOMPARE(treeEdges, count - 1);
    QCOMPARE(total, minimumSpanningWeight(count, edges));
    QCOMPARE(run.list("closedVerticlesList")->count(), count);
    QCOMPARE(struckRows(run.list("openVerticlesList")).size(), count);
}

QTEST_MAIN(TestDijkstraPrimSolver)
#include "tst_dijkstraprimsolver.moc"
