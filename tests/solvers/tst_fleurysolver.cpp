#include "app/perewal.h"
#include "solvers/fleurysolver.h"
#include "tests/support/testgraphs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace TestGraphs;

namespace {

// The dialog as the user meets it: vertex clicks come from the scene, steps
// and the quick solve from the buttons, results from the named widgets.
struct Dialog
{
    explicit Dialog(Graph &graph)
        : graph(graph)
        , solver(std::make_unique<FleurySolver>(&graph, nullptr))
    {
        solver->show();
    }

    QTextEdit *edit(const char *name) const { return solver->findChild<QTextEdit *>(name); }
    QString box(const char *name) const { return edit(name)->toPlainText(); }
    QString info() const { return solver->findChild<QLabel *>("currentInfoLabel")->text(); }
    QStringList lines() const { return history(solver->findChild<QListWidget *>("eventLogWidget")); }
    QPushButton *stepButton() const { return solver->findChild<QPushButton *>("stepForwardButton"); }
    QPushButton *solveButton() const { return solver->findChild<QPushButton *>("solveButton"); }

    void click(const QString &name) { emit graph.verticleClicked(byName(graph, name)); }
    void step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(stepButton(), Qt::LeftButton);
    }
    // Steps while the button allows it, but not far past where it should give out; returns the clicks.
    int walk()
    {
        int clicks = 0;
        for (const int limit = 7 * int(graph.edges().size()) + 4; stepButton()->isEnabled() && clicks < limit; ++clicks)
            step();
        return clicks;
    }
    void quick() { QTest::mouseClick(solveButton(), Qt::LeftButton); }

    Graph &graph;
    std::unique_ptr<FleurySolver> solver;
};

// How a vertex is marked, as the user sees it.
QString mark(int radius, const QColor &fill, const QColor &outline, int width)
{
    return QStringLiteral("radius %1, fill %2, outline %3 width %4").arg(radius).arg(fill.name(), outline.name()).arg(width);
}

QString markOf(const GraphVerticle *v)
{
    return mark(int(v->rect().width() / 2), v->brush().color(), v->pen().color(), v->pen().width());
}

const QString plain = mark(10, Qt::white, Qt::black, 0);
const QString started = mark(15, Qt::green, Qt::black, 3);
const QString current = mark(10, Qt::green, Qt::black, 3);
const QString chosen = mark(10, Qt::white, Qt::green, 3);

bool isPlain(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::black) && e->pen().style() == Qt::SolidLine && e->pen().widthF() == 2.0;
}

bool isRemoved(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::gray) && e->pen().style() == Qt::DashLine && e->pen().widthF() == 1.0;
}

bool allPlain(const Graph &graph)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const QList<GraphEdge *> edges = graph.edges();
    return std::all_of(verticles.begin(), verticles.end(), [](GraphVerticle *v) { return markOf(v) == plain; })
        && std::all_of(edges.begin(), edges.end(), isPlain);
}

// The route as the history tells it: the vertices added to the solution, last first.
QString loggedRoute(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        if (line.endsWith(QStringLiteral(" dodano do rozwiązania.")))
            names.prepend(line.section(QLatin1Char(' '), 1, 1));
    }
    return names.join("->");
}

const QString triangle = QStringLiteral("AB1 BC1 CA1");
const QString refused = QStringLiteral("Wprowadź graf Eulerowski.");

} // namespace

class TestFleurySolver : public QObject
{
    Q_OBJECT

private slots:
    void startAndRefusals_data();
    void startAndRefusals();
    void triangleWorkedExample_data();
    void triangleWorkedExample();
    void bowtieClickByClick();
    void launchedFromTheMainWindow();
    void randomEulerianGraphs_data();
    void randomEulerianGraphs();
};

void TestFleurySolver::startAndRefusals_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("route"); // empty when nothing can be walked

    const QString go = QStringLiteral("Klikaj w przycisk 'krok dalej'");
    QTest::newRow("edgeless graph starts anywhere") << "" << 3 << QStringList{"B"} << go << "B";
    QTest::newRow("no vertices: nothing to click") << "" << 0 << QStringList() << "Wybierz wierzchołek początkowy." << "";
    QTest::newRow("vertex without edges refused") << triangle << 4 << QStringList{"D"}
                                                  << "Wybierz wierzchołek, z którego wychodzą krawędzie." << "";
    QTest::newRow("after a refusal it keeps waiting") << triangle << 4 << QStringList{"D", "B"} << go << "B->A->C->B";
    // Vertex 128 and on are named from U+00C1 up, past what a char holds.
    QTest::newRow("names past the 128th vertex") << "ÁÂ1 ÂÃ1 ÃÁ1" << 0 << QStringList{"Á"} << go << "Á->Â->Ã->Á";
    QTest::newRow("odd degrees") << "AB1 BC1" << 0 << QStringList{"A"} << refused << "";
    QTest::newRow("two separate triangles") << "AB1 BC1 CA1 DE1 EF1 FD1" << 0 << QStringList{"A"} << refused << "";
}

void TestFleurySolver::startAndRefusals()
{
    QFETCH(QString, edges);
    QFETCH(int, count);
    QFETCH(QStringList, clicks);
    QFETCH(QString, info);
    QFETCH(QString, route);

    Graph graph;
    build(graph, edges, count);
    Dialog dialog(graph);
    QCOMPARE(dialog.lines().first(), info == refused ? QStringLiteral("ERR: Wprowadzono nie-eulerowski graf.")
                                                     : QStringLiteral("wprowadzono graf eulerowski."));
    for (const QString &name : std::as_const(clicks))
        dialog.click(name);
    QCOMPARE(dialog.info(), info);
    QCOMPARE(dialog.stepButton()->isEnabled(), !route.isEmpty());
    QCOMPARE(dialog.solveButton()->isEnabled(), !route.isEmpty());
    for (GraphVerticle *v : graph.verticles())
        QCOMPARE(markOf(v), !route.isEmpty() && v->name() == clicks.last() ? started : plain);
    if (route.isEmpty())
        return;

    QCOMPARE(dialog.walk(), 7 * int(graph.edges().size()) + 3);
    QCOMPARE(dialog.box("trasaEdit"), route);
    QCOMPARE(loggedRoute(dialog.lines()), route);
    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), route);
}

void TestFleurySolver::triangleWorkedExample_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<QString>("stack");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("route");

    const QString move = "Zmieniamy obecny wierzchołek na wierzchołek sąsiadujący.";
    const QString pop = "Sciągamy wierzchołek ze stosu.";
    const QString all = "AB,BC,CA,";
    const QString ending = "stwierdzono stan stosu: pusty - przystępuję do końca pracy algorytmu.";

    QTest::newRow("click on A") << 0 << "A," << "" << "" << "Klikaj w przycisk 'krok dalej'"
                                << "wierzcholek A został oznaczony jako początkowy." << "";
    QTest::newRow("2 B chosen") << 2 << "A," << "" << "" << "Wybieramy dowolny wierzchołek sąsiadujący"
                                << "wierzchołek B wybrano jako sąsiadujący do A" << "";
    QTest::newRow("3 A pushed") << 3 << "A," << "A," << "" << "Odkładamy obecny wierzchołek na stos."
                                << "wierzchołek A został umieszczony na stosie." << "";
    QTest::newRow("4 AB removed") << 4 << "A," << "A," << "AB," << "Oznaczamy krawedź pomiędzy obecnym wierzchołkiem, "
                                  "a wierzchołkiem sąsiadującym jako usuniętą." << "usunięto krawedź AB" << "";
    QTest::newRow("5 on B") << 5 << "A," << "A," << "AB," << move << "zmiana aktualnego wierzchołka na B." << "";
    QTest::newRow("10 on C") << 10 << "A," << "A,B," << "AB,BC," << move << "zmiana aktualnego wierzchołka na C." << "";
    QTest::newRow("15 back on A") << 15 << "A," << "A,B,C," << all << move << "zmiana aktualnego wierzchołka na A." << "";
    QTest::newRow("16 A isolated") << 16 << "A," << "A,B,C," << all << "Sprawdzamy czy aktualny wierzchołek jest izolowany."
                                   << "wierzchołek A uznany za izolowany." << "";
    QTest::newRow("17 C popped") << 17 << "C," << "A,B," << all << pop << "sciągnięto wierzchołek C ze stosu." << "";
    QTest::newRow("19 B popped") << 19 << "B," << "A," << all << pop << "sciągnięto wierzchołek B ze stosu." << "";
    QTest::newRow("21 A popped") << 21 << "A," << "" << all << pop << "sciągnięto wierzchołek A ze stosu." << "";
    QTest::newRow("23 stack empty") << 23 << "A," << "" << all << "Stos był już pusty - zatem kończymy pracę." << ending << "";
    QTest::newRow("24 route") << 24 << "A," << "" << all << "Uzyskaliśmy wynik" << ending << "A->B->C->A";
}

// The worked example click by click; from each point a quick solve, then closing.
void TestFleurySolver::triangleWorkedExample()
{
    QFETCH(int, clicks);
    QFETCH(QString, solution);
    QFETCH(QString, stack);
    QFETCH(QString, removed);
    QFETCH(QString, info);
    QFETCH(QString, lastLine);
    QFETCH(QString, route);

    Graph graph;
    build(graph, triangle);
    Dialog dialog(graph);
    dialog.click("A");
    dialog.step(clicks);
    QCOMPARE(dialog.box("rozwiazanieEdit"), solution);
    QCOMPARE(dialog.box("stosEdit"), stack);
    QCOMPARE(dialog.box("krawedzieEdit"), removed);
    QCOMPARE(dialog.info(), info);
    QCOMPARE(dialog.lines().last(), lastLine);
    QCOMPARE(dialog.box("trasaEdit"), route);
    QCOMPARE(dialog.stepButton()->isEnabled(), route.isEmpty());

    // The quick solve walks the whole graph again from the start and leaves
    // the step boxes as they were; where the user left a cursor does not matter.
    const int before = dialog.lines().size();
    dialog.edit("krawedzieEdit")->moveCursor(QTextCursor::Start);
    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), QStringLiteral("A->B->C->A"));
    QCOMPARE(dialog.box("stosEdit"), stack);
    QCOMPARE(dialog.box("krawedzieEdit"), removed + "AB,BC,CA,");
    QCOMPARE(dialog.box("rozwiazanieEdit"), QStringLiteral("A,"));
    QCOMPARE(dialog.box("trasaEdit"), route);
    QCOMPARE(dialog.info(), QStringLiteral("Wyznaczono rozwiązanie."));
    const QString added = "wierzchołek %1 dodano do rozwiązania.";
    QCOMPARE(dialog.lines().mid(before), (QStringList{added.arg("A"), "aktywowano tryb szybkiego rozwiązania.", added.arg("C"),
                                                      added.arg("B"), added.arg("A"), "dokonano 'szybkiego rozwiązania'."}));
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(!dialog.solveButton()->isEnabled());
    const QList<GraphEdge *> edges = graph.edges();
    QVERIFY(std::all_of(edges.begin(), edges.end(), isRemoved));

    // Nothing is left to do: a vertex click no longer starts anything.
    dialog.click("B");
    QCOMPARE(dialog.lines().size(), before + 6);

    dialog.solver.reset();
    QVERIFY(allPlain(graph));
}

void TestFleurySolver::bowtieClickByClick()
{
    // Two triangles meeting at C: the walk from A gets back to A first, then
    // pops to C and pushes again to take the second triangle. ED is drawn from
    // E, so E is reached as an edge's start.
    Graph graph;
    build(graph, "AB1 BC1 CA1 CD1 ED1 EC1");
    Dialog dialog(graph);
    dialog.click("A");
    const QMap<int, QString> pushesAndPops{{3, "A,"}, {8, "A,B,"}, {13, "A,B,C,"}, {17, "A,B,"}, {20, "A,B,C,"},
                                           {25, "A,B,C,D,"}, {30, "A,B,C,D,E,"}, {34, "A,B,C,D,"}, {36, "A,B,C,"},
                                           {38, "A,B,"}, {40, "A,"}, {42, ""}};
    const QMultiMap<int, QPair<QString, QString>> marks{
        {2, {"B", chosen}}, {2, {"C", plain}}, {5, {"B", current}}, {10, {"B", current}},
        {12, {"A", mark(15, Qt::white, Qt::green, 3)}}, {15, {"A", started}}, {24, {"E", chosen}}};
    QString stack;
    for (int click = 1; click <= 7 * 6 + 3; ++click) {
        // The user clicks into the boxes between steps, which moves their cursors to the front.
        for (const char *box : {"stosEdit", "krawedzieEdit"})
            QTest::mouseClick(dialog.edit(box)->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(dialog.stepButton()->isEnabled());
        dialog.step();
        const QString at = QStringLiteral("click %1").arg(click);
        stack = pushesAndPops.value(click, stack);
        QVERIFY2(dialog.box("stosEdit") == stack, qPrintable(at + ": " + dialog.box("stosEdit")));
        for (const auto &[name, look] : marks.values(click))
            QVERIFY2(markOf(byName(graph, name)) == look, qPrintable(at + ": " + name + " " + markOf(byName(graph, name))));
        // An edge is drawn as removed exactly when the box lists it.
        const QStringList removed = dialog.box("krawedzieEdit").split(',', Qt::SkipEmptyParts);
        for (GraphEdge *edge : graph.edges())
            QVERIFY2(removed.contains(edge->name()) ? isRemoved(edge) : isPlain(edge), qPrintable(at + ": " + edge->name()));
    }
    QVERIFY(!dialog.stepButton()->isEnabled());
    QCOMPARE(dialog.box("krawedzieEdit"), QStringLiteral("AB,BC,CA,CD,ED,EC,"));
    QCOMPARE(dialog.box("trasaEdit"), QStringLiteral("A->B->C->D->E->C->A"));

    dialog.solver.reset();
    QVERIFY(allPlain(graph));
}

void TestFleurySolver::launchedFromTheMainWindow()
{
    Perewal window;
    build(*window.graph(), triangle);
    window.show();

    QString title; // of the modal dialog that opens
    QSize legend;
    QTimer::singleShot(0, &window, [&] {
        if (auto *solver = qobject_cast<FleurySolver *>(QApplication::activeModalWidget())) {
            title = solver->windowTitle();
            legend = solver->findChild<QLabel *>("legendLabel")->pixmap().size();
            emit window.graph()->verticleClicked(byName(*window.graph(), "A"));
            QTest::mouseClick(solver->findChild<QPushButton *>("solveButton"), Qt::LeftButton);
        }
        // Close whatever opened, so a failure cannot leave the loop running.
        if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            open->reject();
    });
    QTest::mouseClick(window.findChild<QPushButton *>("fleuryButton"), Qt::LeftButton);

    QCOMPARE(title, QStringLiteral("Algorytm Fleury'ego"));
    QCOMPARE(legend, QSize(171, 98));
    QVERIFY(allPlain(*window.graph()));
}

void TestFleurySolver::randomEulerianGraphs_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<int>("cycles");
    QTest::addColumn<int>("maxCycleLength");

    // Many small graphs, a few of up to a few hundred edges.
    const struct { int graphs, verticles, cycles, maxCycleLength; } sizes[] = {{40, 6, 3, 5}, {15, 20, 10, 10}, {3, 50, 40, 12}};
    for (const auto &size : sizes) {
        for (int seed = 1; seed <= size.graphs; ++seed)
            QTest::addRow("%d vertices, seed %d", size.verticles, seed) << seed << size.verticles << size.cycles << size.maxCycleLength;
    }
}

// The walk checked against what an Euler cycle is, and the two modes against each other.
void TestFleurySolver::randomEulerianGraphs()
{
    QFETCH(int, seed);
    QFETCH(int, verticles);
    QFETCH(int, cycles);
    QFETCH(int, maxCycleLength);

    std::mt19937 rng(seed);
    Graph graph;
    build(graph, verticles, randomEulerian(rng, verticles, cycles, maxCycleLength));
    const int edgeCount = graph.edges().size();
    GraphEdge *first = graph.edges().at(std::uniform_int_distribution<int>(0, edgeCount - 1)(rng));
    GraphVerticle *start = rng() % 2 ? first->start() : first->end();

    Dialog dialog(graph);
    emit graph.verticleClicked(start);
    QCOMPARE(dialog.walk(), 7 * edgeCount + 3);
    const QString route = dialog.box("trasaEdit");
    QCOMPARE(loggedRoute(dialog.lines()), route);
    const QStringList names = route.split("->");
    QCOMPARE(names.size(), edgeCount + 1);
    QCOMPARE(names.first(), start->name());
    QCOMPARE(names.last(), start->name());
    QSet<GraphEdge *> used;
    for (int i = 0; i + 1 < names.size(); ++i) {
        GraphEdge *edge = graph.edgeBetween(byName(graph, names.at(i)), byName(graph, names.at(i + 1)));
        QVERIFY2(edge, qPrintable("no edge " + names.at(i) + names.at(i + 1)));
        QVERIFY2(!used.contains(edge), qPrintable("twice " + edge->name()));
        used.insert(edge);
    }

    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), route);
}

QTEST_MAIN(TestFleurySolver)
#include "tst_fleurysolver.moc"
