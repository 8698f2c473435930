#include "app/perewal.h"
#include "solvers/fleurysolver.h"
#include "tests/support/snapshot.h"

#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

using namespace TestGraphs;
using Run = SolverRun<FleurySolver>;

namespace {

const QString refused = QStringLiteral("Wprowadź graf Eulerowski.");
const QString go = QStringLiteral("Klikaj w przycisk 'krok dalej'");

QString box(const Run &run, const char *name)
{
    return run.child<QTextEdit>(name)->toPlainText();
}

// Presses the step button to the end, then the quick solve. What is wrong with
// the route as an Euler cycle from start (closed, each step along an edge,
// every edge once), or with the history and the quick route; empty when nothing.
QString walkFault(Run &run, const QString &start)
{
    const int edges = run.graph.edges().size();
    const int presses = run.finish();
    if (presses != 7 * edges + 3)
        return QStringLiteral("%1 presses for %2 edges").arg(presses).arg(edges);
    const QString route = box(run, "trasaEdit");
    const QStringList names = route.split("->");
    QSet<GraphEdge *> used;
    for (int i = 0; i + 1 < names.size(); ++i)
        used.insert(run.graph.edgeBetween(byName(run.graph, names.at(i)), byName(run.graph, names.at(i + 1))));
    used.remove(nullptr);
    if (names.first() != start || names.last() != start || names.size() != edges + 1 || used.size() != edges)
        return route + " is no Euler cycle from " + start;
    QStringList logged; // the vertices added to the solution, last first
    for (const QString &line : run.events()) {
        if (line.endsWith(QStringLiteral(" dodano do rozwiązania.")))
            logged.prepend(line.section(QLatin1Char(' '), 1, 1));
    }
    if (logged.join("->") != route)
        return "the history tells " + logged.join("->") + ", the box " + route;
    QTest::mouseClick(run.child<QPushButton>("solveButton"), Qt::LeftButton);
    return box(run, "trasaEdit2") == route ? QString() : "the quick solve gives " + box(run, "trasaEdit2");
}

} // namespace

class TestFleurySolver : public QObject
{
    Q_OBJECT

private slots:
    void startAndRefusals_data();
    void startAndRefusals();
    void boxesAndMarksMidRun();
    void randomEulerianGraphs_data();
    void randomEulerianGraphs();
    void theStackBoxFollowsTheStack_data();
    void theStackBoxFollowsTheStack();
    void launchedFromTheMainWindow();
    void refusalsExplainThemselves_data();
    void refusalsExplainThemselves();
    void theRouteIsNumberedOnTheCanvas_data();
    void theRouteIsNumberedOnTheCanvas();
};

void TestFleurySolver::startAndRefusals_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("start"); // empty when no walk begins

    const QString triangle = QStringLiteral("AB1 BC1 CA1");
    QTest::newRow("odd degrees") << "AB1 BC1" << 0 << QStringList{"A"} << refused << "";
    QTest::newRow("edges in two pieces") << "AB1 BC1 CA1 DE1 EF1 FD1" << 0 << QStringList{"A"} << refused << "";
    QTest::newRow("vertex without edges refused") << triangle << 4 << QStringList{"D"}
                                                  << "Wybierz wierzchołek, z którego wychodzą krawędzie." << "";
    QTest::newRow("after a refusal it keeps waiting") << triangle << 4 << QStringList{"D", "B"} << go << "B";
    QTest::newRow("edgeless graph starts anywhere") << "" << 3 << QStringList{"B"} << go << "B";
    // Vertex 128 and on are named from U+00C1 up, past what a char holds.
    QTest::newRow("names past the 128th vertex") << "ÁÂ1 ÂÃ1 ÃÁ1" << 0 << QStringList{"Ã"} << go << "Ã";
}

void TestFleurySolver::startAndRefusals()
{
    QFETCH(QString, edges);
    QFETCH(int, count);
    QFETCH(QStringList, clicks);
    QFETCH(QString, info);
    QFETCH(QString, start);

    Graph graph;
    build(graph, edges, count);
    Run run(graph);
    QCOMPARE(run.events().first(), info == refused ? QStringLiteral("ERR: Wprowadzono nie-eulerowski graf.")
                                                   : QStringLiteral("wprowadzono graf eulerowski."));
    // Forced past its disabled button, the quick solve has no start to walk from.
    QMetaObject::invokeMethod(&run.solver, "quickSolve");
    QCOMPARE(box(run, "trasaEdit2"), QString());
    QCOMPARE(marked(graph), QStringList());

    for (const QString &name : std::as_const(clicks))
        run.start(name);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.stepButton()->isEnabled(), !start.isEmpty());
    // Refused, the graph stays unmarked; started, the walk goes through to a sound end.
    QCOMPARE(start.isEmpty() ? marked(graph).join(' ') : walkFault(run, start), QString());
}

void TestFleurySolver::boxesAndMarksMidRun()
{
    // Two triangles meeting at C, from A: the walk comes back to A along AC
    // (A is that edge's start) at press 12, C is popped and pushed again for
    // the second triangle at presses 17 and 20.
    Graph graph;
    build(graph, "AB1 BC1 AC1 CD1 ED1 EC1");
    Run run(graph);
    run.start("A");
    auto pressTo = [&, pressed = 0](int press) mutable {
        for (; pressed < press; ++pressed) {
            // Clicks into the boxes move their cursors to the front; entries still go to the end.
            for (const char *name : {"stosEdit", "krawedzieEdit"})
                QTest::mouseClick(run.child<QTextEdit>(name)->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
            run.press();
        }
    };
    pressTo(12);
    QStringList marks; // the outline colour tells the chosen vertex from the current one
    for (const GraphVerticle *v : graph.verticles())
        marks << look(v) + " " + colourName(v->pen().color());
    for (const GraphEdge *e : graph.edges())
        marks << look(e);
    const QString removed = QStringLiteral(": ") + QColor(Qt::gray).name() + " dash w1";
    QCOMPARE(marks, (QStringList{"A: white r15 w3 green", "B: green r10 w3 black", "C: green r10 w3 black",
                                 "D: white r10 w0 black", "E: white r10 w0 black", "AB" + removed, "AC: black solid w2",
                                 "BC" + removed, "CD: black solid w2", "EC: black solid w2", "ED: black solid w2"}));
    pressTo(24);
    QCOMPARE(box(run, "stosEdit"), QStringLiteral("A,B,C,"));
    QCOMPARE(box(run, "krawedzieEdit"), QStringLiteral("AB,BC,AC,CD,"));
    QCOMPARE(box(run, "rozwiazanieEdit"), QStringLiteral("C,"));
}

void TestFleurySolver::randomEulerianGraphs_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("verticles");

    // Many small graphs, a few of up to a few hundred edges.
    for (const auto &[graphs, verticles] : QList<QPair<int, int>>{{40, 6}, {15, 20}, {3, 50}}) {
        for (int seed = 1; seed <= graphs; ++seed)
            QTest::addRow("%d vertices, seed %d", verticles, seed) << seed << verticles;
    }
}

void TestFleurySolver::randomEulerianGraphs()
{
    QFETCH(int, seed);
    QFETCH(int, verticles);

    std::mt19937 rng(seed);
    Graph graph;
    build(graph, verticles, randomEulerian(rng, verticles, verticles * 4 / 5, qMin(verticles - 1, 12)));
    GraphEdge *first = graph.edges().at(std::uniform_int_distribution<int>(0, graph.edges().size() - 1)(rng));
    const QString start = (rng() % 2 ? first->start() : first->end())->name();

    Run run(graph);
    run.start(start);
    QCOMPARE(walkFault(run, start), QString());
}

void TestFleurySolver::theStackBoxFollowsTheStack_data()
{
    QTest::addColumn<int>("first"); // the index of the walk's lowest vertex

    QTest::newRow("letters") << 0;
    // Vertex 703 is named U+0300: a combining mark joins the comma before it into one cursor step.
    QTest::newRow("combining marks") << 700;
}

// At every press the stack box holds the stack the history tells, bottom to top, each name with its comma.
void TestFleurySolver::theStackBoxFollowsTheStack()
{
    QFETCH(int, first);

    std::mt19937 rng(7);
    QList<EdgeSpec> edges = randomEulerian(rng, 12, 10, 6);
    for (EdgeSpec &e : edges) {
        e.start += first;
        e.end += first;
    }
    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, first + 12, edges);
    Run run(graph);
    run.start(verticles.at(first)->name());
    const QString pushed = QStringLiteral(" został umieszczony na stosie.");
    const QString popped = QStringLiteral(" ze stosu.");
    for (int presses = 0; run.stepButton()->isEnabled(); ++presses) {
        QVERIFY(presses < 1000);
        run.press();
        QString stack;
        for (const QString &line : run.events()) {
            if (line.endsWith(pushed))
                stack += line.section(QLatin1Char(' '), 1, 1) + QLatin1Char(',');
            else if (line.startsWith(QStringLiteral("sciągnięto wierzchołek ")) && line.endsWith(popped))
                stack.chop(line.section(QLatin1Char(' '), 2, 2).size() + 1);
        }
        QCOMPARE(box(run, "stosEdit"), stack);
    }
    QCOMPARE(box(run, "stosEdit"), QString());
}

// The button opens the dialog over the main window; closing it leaves the graph as drawn.
void TestFleurySolver::launchedFromTheMainWindow()
{
    Perewal window;
    Graph &graph = *window.graph();
    build(graph, "AB1 BC1 CA1");
    window.show();
    QStringList seen; // what the user meets in the dialog
    const auto launch = [&] { QTest::mouseClick(window.findChild<QPushButton *>("fleuryButton"), Qt::LeftButton); };
    QVERIFY(driveModal<FleurySolver>(&window, launch, [&](FleurySolver &solver) {
        seen << solver.windowTitle();
        solver.setFont(QFont(solver.font().family(), 11)); // as large as desktops set it
        const auto *tabs = solver.findChild<QTabWidget *>("tabWidget");
        for (int i = 0; i < tabs->count(); ++i) { // a tab reaching past the panel sits behind scroll arrows
            const QRect rect = tabs->tabBar()->tabRect(i);
            seen << tabs->tabText(i) + (rect.left() >= 0 && rect.right() < tabs->width() ? "" : " hidden");
        }
        const auto *hint = solver.findChild<QLabel *>("label");
        const bool fits = hint->minimumSizeHint().width() <= hint->width()
            && hint->heightForWidth(hint->width()) <= hint->height();
        seen << (fits ? "hint fits" : "hint cut off");
        seen << QString::number(solver.findChild<QLabel *>("legendLabel")->pixmap().width()) + " px legend";
        emit graph.verticleClicked(byName(graph, "A"));
        QTest::mouseClick(solver.findChild<QPushButton *>("solveButton"), Qt::LeftButton);
        seen << QString::number(marked(graph).size()) + " items marked";
    }));
    QCOMPARE(seen, (QStringList{"Algorytm Fleury'ego", "krok po kroku", "szybkie rozw.", "hint fits", "171 px legend",
                                "6 items marked"}));
    QCOMPARE(marked(graph), QStringList()); // gone with the dialog
}

void TestFleurySolver::refusalsExplainThemselves_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("marks");

    const QString err = QStringLiteral("ERR: Wprowadzono nie-eulerowski graf.");
    QTest::newRow("odd degrees") << "AB1 BC1 CD1 DB1" << 0 << refused
        << QStringList{err, "Wierzchołki o nieparzystym stopniu: A, B."} << QStringList{"refusal A", "refusal B"};
    // Isolated vertices do not matter: the pieces named are those with edges.
    QTest::newRow("edges in two pieces") << "AB1 BC1 CA1 DE1 EF1 FD1" << 7 << refused
        << QStringList{err, "Graf ma 2 części, każdą zaznaczono innym kolorem: 1) A, B, C; 2) D, E, F."}
        << QStringList{"refusal A", "refusal AB", "refusal B", "refusal BC", "refusal C", "refusal CA",
                       "refusal D", "refusal DE", "refusal E", "refusal EF", "refusal F", "refusal FD"};
    QTest::newRow("both") << "AB1 CD1 DE1 EC1" << 0 << refused
        << QStringList{err, "Wierzchołki o nieparzystym stopniu: A, B.",
                       "Graf ma 2 części, każdą zaznaczono innym kolorem: 1) A, B; 2) C, D, E."}
        << QStringList{"refusal A", "refusal A", "refusal AB", "refusal B", "refusal B", "refusal C",
                       "refusal CD", "refusal D", "refusal DE", "refusal E", "refusal EC"};
    QTest::newRow("no vertices") << "" << 0 << "Wprowadzony graf nie ma wierzchołków!!!" << QStringList()
                                 << QStringList();
}

// A refusal names the odd vertices and the pieces in the history after the described line, and marks them.
void TestFleurySolver::refusalsExplainThemselves()
{
    QFETCH(QString, edges);
    QFETCH(int, count);
    QFETCH(QString, info);
    QFETCH(QStringList, events);
    QFETCH(QStringList, marks);

    Graph graph;
    build(graph, edges, count);
    Run run(graph);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.events(), events);
    QCOMPARE(canvasMarks(graph), marks);
    QCOMPARE(marked(graph), QStringList());
    QVERIFY(!run.stepButton()->isEnabled());
    QVERIFY(!run.child<QPushButton>("solveButton")->isEnabled());
    QVERIFY(run.solver.close());
    QCOMPARE(canvasMarks(graph), QStringList());
}

void TestFleurySolver::theRouteIsNumberedOnTheCanvas_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<bool>("quick");
    for (int seed = 1; seed <= 10; ++seed) {
        QTest::addRow("seed %d, step by step", seed) << seed << false;
        QTest::addRow("seed %d, quick solve", seed) << seed << true;
    }
}

// At the end of the run, or after the quick solve, each edge carries its number along the route, 1 to E.
void TestFleurySolver::theRouteIsNumberedOnTheCanvas()
{
    QFETCH(int, seed);
    QFETCH(bool, quick);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(4, 12)(rng);
    Graph graph;
    build(graph, count, randomEulerian(rng, count, count / 2 + 1, qMin(count - 1, 8)));
    Run run(graph);
    run.start(graph.edges().first()->start()->name());
    if (quick) {
        run.press(std::uniform_int_distribution<int>(0, 10)(rng));
        run.child<QPushButton>("solveButton")->click();
        QCoreApplication::processEvents();
    } else {
        run.finish();
    }
    QVERIFY(!run.stepButton()->isEnabled());

    const QStringList route = box(run, quick ? "trasaEdit2" : "trasaEdit").split(QStringLiteral("->"));
    QStringList expected;
    for (int i = 1; i < route.size(); ++i) {
        const GraphEdge *e = graph.edgeBetween(byName(graph, route.at(i - 1)), byName(graph, route.at(i)));
        QVERIFY(e);
        expected << QStringLiteral("result %1 %2").arg(e->name()).arg(i);
    }
    expected.sort();
    QCOMPARE(expected.size(), graph.edges().size());
    QCOMPARE(canvasMarks(graph), expected);

    // A step back takes the numbers away, a step forward brings them again.
    QTest::mouseClick(run.child<QPushButton>("stepBackButton"), Qt::LeftButton);
    QCOMPARE(canvasMarks(graph), QStringList());
    run.solver.jumpTo(run.solver.timelineLength() - 1);
    QCOMPARE(canvasMarks(graph), expected);
    QVERIFY(run.solver.close());
    QCOMPARE(canvasMarks(graph), QStringList());
}

QTEST_MAIN(TestFleurySolver)
#include "tst_fleurysolver.moc"
