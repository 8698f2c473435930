#include "app/perewal.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QRegularExpression>
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
    void opening_data();
    void opening();
    void phasesOnATriangle_data();
    void phasesOnATriangle();
    void shortestWays_data();
    void shortestWays();
    void mainWindowRunsTheDialogModally();
    void randomGraphsGiveShortestPaths_data();
    void randomGraphsGiveShortestPaths();
};

void TestMintySolver::opening_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");

    const QString pick = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("connected") << "AB1 BC2" << 0 << pick;
    QTest::newRow("two pieces") << "AB1 CD1" << 0 << apart;
    QTest::newRow("last vertex isolated") << "AB1 BC1" << 4 << apart;
    QTest::newRow("first vertex isolated") << "BC1 CD1" << 0 << apart;
    QTest::newRow("no vertices") << "" << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!");
}

void TestMintySolver::opening()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);

    Graph graph;
    build(graph, text, count);
    markAll(graph); // as a dialog closed with Escape leaves them
    Run run(graph);
    QCOMPARE(marked(graph), QStringList());
    QCOMPARE(run.solver.windowTitle(), QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(run.info(), info);
    QVERIFY(!run.stepButton()->isEnabled());
    if (!graph.verticles().isEmpty()) {
        const bool waits = info.startsWith(QStringLiteral("Wybierz"));
        run.start(QStringLiteral("A"));
        run.start(QStringLiteral("B")); // changes nothing: the start is chosen, or none is asked for
        QCOMPARE(run.stepButton()->isEnabled(), waits);
        QCOMPARE(run.info(), waits ? QStringLiteral("...") : info);
        QCOMPARE(run.list("closedVerticlesList"), (waits ? QStringList{"A(0)"} : QStringList()));
        QCOMPARE(marked(graph), (waits ? QStringList{"A: green r15 w3"} : QStringList()));
    }
    markAll(graph);
    QVERIFY(run.solver.close());
    QCOMPARE(marked(graph), QStringList());
}

void TestMintySolver::phasesOnATriangle_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("lastEvent");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<bool>("escape");

    const QString find = QStringLiteral(
        "Szukamy krawędzi, których jeden koniec jest oznaczony i dodajemy je do listy bieżących. "
        "Jednoczenie obliczamy sumę oznaczeń wierzchołka i jego krawędzi.");
    auto current = [](const char *edge) {
        return QStringLiteral("Dodano krawędź '%1' do listy krawędzi bieżących.").arg(QLatin1String(edge));
    };
    const QString a = QStringLiteral("A: green r15 w3");
    const QString b = QStringLiteral("B: green r10 w3");
    const QString dashedAC = QStringLiteral("AC: black dash w2");
    const QString greenAB = QStringLiteral("AB: green solid w2");

    // AB 1, AC 3, BC 1, from A; each row ends with the dialog closed, or left with Escape.
    QTest::newRow("start labelled and enlarged") << 0 << "..."
        << "Dodano wierzchołek 'A' do listy wierzchołków odwiedzonych i przypisano mu wartość: 0."
        << QStringList() << QStringList{a} << false;
    QTest::newRow("the start's edges current and dashed") << 1 << find << current("AC")
        << QStringList{"AB (1)", "AC (3)"} << QStringList{a, "AB: black dash w2", dashedAC} << false;
    QTest::newRow("least sum chosen, the list kept; Escape")
        << 2 << QStringLiteral("Z listy krawedzi bieżących wybieramy krawędź o najmniejszej sumie. "
                               "Jej koniec oznaczamy wartością tejże sumy.")
        << "Dodano wierzchołek 'B' do listy wierzchołków odwiedzonych i przypisano mu wartość: 1."
        << QStringList{"AB (1)", "AC (3)"} << QStringList{a, b, "AB: green dash w2", dashedAC} << true;
    QTest::newRow("the check clears the list") << 3 << "Sprawdzamy czy wszsytkie wierzchołki są oznaczone."
        << "Nie wszsytkie wierzchołki zostały oznaczone. Kontynuujemy wykonywanie algorytmu."
        << QStringList() << QStringList{a, b, greenAB} << false;
    QTest::newRow("one edge per labelled neighbour, each with its sum") << 4 << find << current("BC")
        << QStringList{"AC (3)", "BC (2)"} << QStringList{a, b, greenAB, dashedAC, "BC: black dash w2"} << false;
    QTest::newRow("the green tree") << 7 << "Wyznaczono najkrótsze drogi do wszystkich wierzchołków."
        << "Wszystkie wierzchołki zostały oznaczone. Koniec pracy algorytmu." << QStringList()
        << QStringList{a, b, "C: green r10 w3", greenAB, "BC: green solid w2"} << false;
}

void TestMintySolver::phasesOnATriangle()
{
    QFETCH(int, presses);
    QFETCH(QString, info);
    QFETCH(QString, lastEvent);
    QFETCH(QStringList, current);
    QFETCH(QStringList, marks);
    QFETCH(bool, escape);

    Graph graph;
    build(graph, "AB1 AC3 BC1");
    Run run(graph);
    run.start(QStringLiteral("A"));
    run.press(presses);
    QCOMPARE(run.info(), info);
    QCOMPARE(run.events().last(), lastEvent);
    QCOMPARE(run.list("activeEdgesList"), current);
    QCOMPARE(marked(graph), marks);

    if (escape)
        QTest::keyClick(&run.solver, Qt::Key_Escape);
    else
        QVERIFY(run.solver.close());
    QVERIFY(!run.solver.isVisible());
    // Escape rejects the dialog without a close event: the marks stay until the next dialog opens.
    QCOMPARE(marked(graph), escape ? marks : QStringList());
}

void TestMintySolver::shortestWays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("closed");
    QTest::addColumn<QStringList>("ways");

    QTest::newRow("single vertex ends with no ways") << "" << 1 << "A" << 4 << QStringList{"A(0)"} << QStringList();
    QTest::newRow("start left out, the rest in scene order") << "AB1 BC1 AC5 CD1" << 0 << "C" << 10
        << QStringList{"C(0)", "B(1)", "D(1)", "A(2)"} << QStringList{"A(2): C->B->A", "B(1): C->B", "D(1): C->D"};
    QTest::newRow("equal sums: the earlier labelled vertex wins") << "AB1 AC1 BD1 CD1" << 0 << "A" << 10
        << QStringList{"A(0)", "B(1)", "C(1)", "D(2)"} << QStringList{"B(1): A->B", "C(1): A->C", "D(2): A->B->D"};
    QTest::newRow("equal sums: the earlier neighbour wins") << "AC1 BA1" << 0 << "A" << 7
        << QStringList{"A(0)", "C(1)", "B(1)"} << QStringList{"B(1): A->B", "C(1): A->C"};
    QTest::newRow("equal sums: the edge found first, not the lighter one") << "AB2 AC1 CB1" << 0 << "A" << 7
        << QStringList{"A(0)", "C(1)", "B(2)"} << QStringList{"B(2): A->B", "C(1): A->C"};
    QTest::newRow("weights count truncated") << "AB2.9 BC1.5 AC4.99" << 0 << "A" << 7
        << QStringList{"A(0)", "B(2)", "C(3)"} << QStringList{"B(2): A->B", "C(3): A->B->C"};
}

void TestMintySolver::shortestWays()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, start);
    QFETCH(int, presses);
    QFETCH(QStringList, closed);
    QFETCH(QStringList, ways);

    Graph graph;
    build(graph, text, count);
    Run run(graph);
    run.start(start);
    QCOMPARE(run.finish(), presses);
    QVERIFY(run.child("workFrame")->isHidden());
    QVERIFY(!run.child("shortestWaysFrame")->isHidden());
    QCOMPARE(run.list("closedVerticlesList"), closed);
    QCOMPARE(run.list("shortestWaysList"), ways);
}

void TestMintySolver::mainWindowRunsTheDialogModally()
{
    Perewal window;
    window.show();
    Graph &graph = *window.graph();
    build(graph, "AB4");

    QString title;
    int presses = 0;
    QStringList ways;
    QStringList events;
    QVERIFY(driveModal<MintySolver>(&window, [&] { window.launchMinty(); }, [&](MintySolver &dialog) {
        title = dialog.windowTitle();
        SolverDriver run(graph, &dialog);
        // Real clicks in the dialog's view: the first picks the start, a later one changes nothing.
        run.clickInView(QStringLiteral("A"));
        run.press();
        run.clickInView(QStringLiteral("B"));
        presses = 1 + run.finish();
        ways = run.list("shortestWaysList");
        events = run.events();
        dialog.close();
    }));
    QCOMPARE(title, QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(presses, 4);
    QCOMPARE(ways, QStringList{"B(4): A->B"});
    QCOMPARE(events, (QStringList{"Wybrano wierzchołek 'A' jako startowy.",
                                  "Dodano wierzchołek 'A' do listy wierzchołków odwiedzonych i przypisano mu wartość: 0.",
                                  "Dodano krawędź 'AB' do listy krawędzi bieżących.",
                                  "Jako krawędź o najmniejszej sumie wybrano krawędź 'AB'.",
                                  "Dodano wierzchołek 'B' do listy wierzchołków odwiedzonych i przypisano mu wartość: 4.",
                                  "Wyczyszczono listę krawędzi bieżących.",
                                  "Wszystkie wierzchołki zostały oznaczone. Koniec pracy algorytmu."}));
    QCOMPARE(marked(graph), QStringList());
    QVERIFY(!window.findChild<MintySolver *>());
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

    // Every vertex but the start, in scene order, with its distance and a path of real edges that adds up to it.
    const QStringList ways = run.list("shortestWaysList");
    QCOMPARE(ways.size(), count - 1);
    const QRegularExpression format(QStringLiteral("^(.)\\((\\d+)\\): (.*)$"));
    for (int i = 0, row = 0; i < count; ++i) {
        if (i == start)
            continue;
        const QString &way = ways.at(row++);
        const QRegularExpressionMatch match = format.match(way);
        QVERIFY2(match.hasMatch(), qPrintable(way));
        QCOMPARE(match.captured(1), verticles.at(i)->name());
        QCOMPARE(match.captured(2).toDouble(), distance.at(i));

        const QStringList path = match.captured(3).split(QStringLiteral("->"));
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
