#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QApplication>
#include <QFrame>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <random>

using namespace TestGraphs;

namespace {

// One Minty dialog on a graph, driven as the user drives it.
class Run
{
public:
    explicit Run(Graph &graph)
        : graph(graph)
        , solver(&graph, nullptr)
    {
        solver.show();
    }

    template<typename T>
    T *child(const char *name) const { return solver.findChild<T *>(QLatin1String(name)); }
    QPushButton *stepButton() const { return child<QPushButton>("stepForwardButton"); }
    QString info() const { return child<QLabel>("currentInfoLabel")->text(); }
    QStringList list(const char *name) const { return rows(child<QListWidget>(name)); }
    QStringList events() const { return history(child<QListWidget>("eventLogWidget")); }
    bool finished() const
    {
        return child<QFrame>("workFrame")->isHidden() && !child<QFrame>("shortestWaysFrame")->isHidden();
    }

    void start(const QString &name) { emit graph.verticleClicked(byName(graph, name)); }
    void press(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(stepButton(), Qt::LeftButton);
    }
    /// Presses until the button is disabled (bounded, so a run that never ends fails); the number of presses.
    int finish()
    {
        int presses = 0;
        for (; stepButton()->isEnabled() && presses < 100000; ++presses)
            press();
        return presses;
    }

    Graph &graph;
    MintySolver solver;
};

QString colourName(const QColor &colour)
{
    const QList<QPair<Qt::GlobalColor, QString>> known{
        {Qt::green, "green"}, {Qt::white, "white"}, {Qt::black, "black"}};
    for (const auto &[global, name] : known) {
        if (colour == QColor(global))
            return name;
    }
    return colour.name();
}

// "A: green r15 w3" (fill, radius, outline width) and "AB: black dash w2" (colour, style, width).
QStringList looks(const Graph &graph)
{
    QStringList result;
    for (const GraphVerticle *v : graph.verticles())
        result.append(QStringLiteral("%1: %2 r%3 w%4").arg(v->name(), colourName(v->brush().color()))
                          .arg(v->rect().width() / 2).arg(v->pen().width()));
    for (const GraphEdge *e : graph.edges()) {
        const Qt::PenStyle style = e->pen().style();
        const QString styleName = style == Qt::SolidLine ? QStringLiteral("solid")
                                  : style == Qt::DashLine ? QStringLiteral("dash") : QString::number(int(style));
        result.append(QStringLiteral("%1: %2 %3 w%4").arg(e->name(), colourName(e->pen().color()), styleName)
                          .arg(e->pen().widthF()));
    }
    return result;
}

QStringList plainLooks(const Graph &graph)
{
    QStringList result;
    for (const GraphVerticle *v : graph.verticles())
        result.append(v->name() + QStringLiteral(": white r10 w0"));
    for (const GraphEdge *e : graph.edges())
        result.append(e->name() + QStringLiteral(": black solid w2"));
    return result;
}

// Dijkstra's method over the edge list.
QList<qreal> shortestDistances(int count, const QList<EdgeSpec> &edges, int start)
{
    QList<qreal> distance(count, std::numeric_limits<qreal>::infinity());
    QList<bool> done(count, false);
    distance[start] = 0;
    for (int round = 0; round < count; ++round) {
        int next = -1;
        for (int v = 0; v < count; ++v) {
            if (!done[v] && (next < 0 || distance[v] < distance[next]))
                next = v;
        }
        done[next] = true;
        for (const EdgeSpec &edge : edges) {
            const int other = edge.start == next ? edge.end : edge.end == next ? edge.start : -1;
            if (other >= 0)
                distance[other] = qMin(distance[other], distance[next] + edge.weight);
        }
    }
    return distance;
}

const QString findInfo = QStringLiteral(
    "Szukamy krawędzi, których jeden koniec jest oznaczony i dodajemy je do listy bieżących. "
    "Jednoczenie obliczamy sumę oznaczeń wierzchołka i jego krawędzi.");
const QString chooseInfo = QStringLiteral(
    "Z listy krawedzi bieżących wybieramy krawędź o najmniejszej sumie. Jej koniec oznaczamy wartością tejże sumy.");
const QString checkInfo = QStringLiteral("Sprawdzamy czy wszsytkie wierzchołki są oznaczone.");
const QString doneInfo = QStringLiteral("Wyznaczono najkrótsze drogi do wszystkich wierzchołków.");
const QString cleared = QStringLiteral("Wyczyszczono listę krawędzi bieżących.");
const QString notAll =
    QStringLiteral("Nie wszsytkie wierzchołki zostały oznaczone. Kontynuujemy wykonywanie algorytmu.");
const QString theEnd = QStringLiteral("Wszystkie wierzchołki zostały oznaczone. Koniec pracy algorytmu.");

QString labelled(const QString &name, const QString &value)
{
    return QStringLiteral("Dodano wierzchołek '%1' do listy wierzchołków odwiedzonych i przypisano mu wartość: %2.")
        .arg(name, value);
}

QString current(const QString &edge)
{
    return QStringLiteral("Dodano krawędź '%1' do listy krawędzi bieżących.").arg(edge);
}

QString chosen(const QString &edge)
{
    return QStringLiteral("Jako krawędź o najmniejszej sumie wybrano krawędź '%1'.").arg(edge);
}

} // namespace

class TestMintySolver : public QObject
{
    Q_OBJECT

private slots:
    void construction_data();
    void construction();
    void textsFollowThePhases_data();
    void textsFollowThePhases();
    void shortestWays_data();
    void shortestWays();
    void currentEdges_data();
    void currentEdges();
    void marksFollowThePhases_data();
    void marksFollowThePhases();
    void clicksAfterTheStartChangeNothing();
    void closing_data();
    void closing();
    void mainWindowRunsTheDialogModally();
    void randomGraphsGiveShortestPaths_data();
    void randomGraphsGiveShortestPaths();
};

void TestMintySolver::construction_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("info");

    const QString pick = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString apart = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("connected") << "AB1 BC2" << 0 << pick;
    QTest::newRow("single vertex") << "" << 1 << pick;
    QTest::newRow("two pieces") << "AB1 CD1" << 0 << apart;
    QTest::newRow("last vertex isolated") << "AB1 BC1" << 4 << apart;
    QTest::newRow("first vertex isolated") << "BC1 CD1" << 0 << apart;
    QTest::newRow("no vertices") << "" << 0 << QStringLiteral("Wprowadzony graf nie ma wierzchołków!!!");
}

void TestMintySolver::construction()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, info);

    Graph graph;
    build(graph, text, count);
    // Marks left by an earlier dialog closed with Escape go when this one opens.
    for (GraphVerticle *v : graph.verticles())
        v->setRadius(15);
    for (GraphEdge *e : graph.edges())
        e->setPenStyle(Qt::DashLine);
    Run run(graph);

    QCOMPARE(looks(graph), plainLooks(graph));
    QCOMPARE(run.solver.windowTitle(), QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(run.info(), info);
    QVERIFY(!run.stepButton()->isEnabled());
    QVERIFY(!run.finished());

    if (graph.verticles().isEmpty())
        return;
    const bool waitsForStart = info.startsWith(QStringLiteral("Wybierz"));
    run.start(QStringLiteral("A"));
    QCOMPARE(run.stepButton()->isEnabled(), waitsForStart);
    QCOMPARE(run.info(), waitsForStart ? QStringLiteral("...") : info);
    QCOMPARE(run.list("closedVerticlesList"), (waitsForStart ? QStringList{"A(0)"} : QStringList()));
    QCOMPARE(run.events().isEmpty(), !waitsForStart);
}

void TestMintySolver::textsFollowThePhases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("infos");
    QTest::addColumn<QStringList>("events");

    const QString picked = QStringLiteral("Wybrano wierzchołek 'A' jako startowy.");
    QTest::newRow("path A-B-C")
        << "AB1 BC1" << 0
        << QStringList{"...", findInfo, chooseInfo, checkInfo, findInfo, chooseInfo, checkInfo, doneInfo}
        << QStringList{picked, labelled("A", "0"), current("AB"), chosen("AB"), labelled("B", "1"), cleared, notAll,
                       current("BC"), chosen("BC"), labelled("C", "2"), cleared, theEnd};
    // Nothing to choose from: no line for a choice, and the run still ends.
    QTest::newRow("single vertex") << "" << 1 << QStringList{"...", findInfo, chooseInfo, checkInfo, doneInfo}
                                   << QStringList{picked, labelled("A", "0"), cleared, theEnd};
}

void TestMintySolver::textsFollowThePhases()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QStringList, infos);
    QFETCH(QStringList, events);

    Graph graph;
    build(graph, text, count);
    Run run(graph);
    run.start(QStringLiteral("A"));
    QStringList seen{run.info()};
    while (run.stepButton()->isEnabled() && seen.size() <= infos.size()) {
        run.press();
        seen.append(run.info());
    }
    QCOMPARE(seen, infos);
    QCOMPARE(run.events(), events);
}

void TestMintySolver::shortestWays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("closed");
    QTest::addColumn<QStringList>("ways");

    QTest::newRow("two vertices") << "AB4" << 0 << "A" << 4 << QStringList{"A(0)", "B(4)"} << QStringList{"B(4): A->B"};
    QTest::newRow("single vertex") << "" << 1 << "A" << 4 << QStringList{"A(0)"} << QStringList();
    QTest::newRow("a detour beats the direct edge") << "AB10 AC1 CB2" << 0 << "A" << 7
        << QStringList{"A(0)", "C(1)", "B(3)"} << QStringList{"B(3): A->C->B", "C(1): A->C"};
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
    QTest::newRow("zero weights") << "AB0 BC0 AC1" << 0 << "A" << 7
        << QStringList{"A(0)", "B(0)", "C(0)"} << QStringList{"B(0): A->B", "C(0): A->B->C"};
    QTest::newRow("six digits, then exponent form") << "AB999999 BC1 CD1234567" << 0 << "A" << 10
        << QStringList{"A(0)", "B(999999)", "C(1e+06)", "D(2.23457e+06)"}
        << QStringList{"B(999999): A->B", "C(1e+06): A->B->C", "D(2.23457e+06): A->B->C->D"};
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
    QVERIFY(run.finished());
    QCOMPARE(run.list("closedVerticlesList"), closed);
    QCOMPARE(run.list("shortestWaysList"), ways);
}

void TestMintySolver::currentEdges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("active");

    QTest::newRow("every edge of the start") << "AB1 AC3 BC1" << 1 << QStringList{"AB (1)", "AC (3)"};
    QTest::newRow("one per labelled neighbour") << "AB1 AC3 BC1" << 4 << QStringList{"AC (3)", "BC (2)"};
    QTest::newRow("edges drawn toward the start") << "BA1 CA3 CB1" << 4 << QStringList{"CA (3)", "CB (2)"};
    QTest::newRow("three labelled neighbours")
        << "AB1 AC1 AD5 BD3 CD1" << 7 << QStringList{"AD (5)", "BD (4)", "CD (2)"};
    QTest::newRow("truncated weights") << "AB1.7 BC2.9 AC9" << 4 << QStringList{"AC (9)", "BC (3)"};
    QTest::newRow("kept while choosing") << "AB1 AC3 BC1" << 5 << QStringList{"AC (3)", "BC (2)"};
    QTest::newRow("cleared by the check") << "AB1 AC3 BC1" << 6 << QStringList();
}

void TestMintySolver::currentEdges()
{
    QFETCH(QString, text);
    QFETCH(int, presses);
    QFETCH(QStringList, active);

    Graph graph;
    build(graph, text);
    Run run(graph);
    run.start(QStringLiteral("A"));
    run.press(presses);
    QCOMPARE(run.list("activeEdgesList"), active);
}

void TestMintySolver::marksFollowThePhases_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("marked");

    // Triangle with AB 1, AC 3, BC 1, from A; every item not named looks plain.
    QTest::newRow("start enlarged") << 0 << QStringList{"A: green r15 w3"};
    QTest::newRow("current edges dashed")
        << 1 << QStringList{"A: green r15 w3", "AB: black dash w2", "AC: black dash w2"};
    QTest::newRow("least sum green")
        << 2 << QStringList{"A: green r15 w3", "B: green r10 w3", "AB: green dash w2", "AC: black dash w2"};
    QTest::newRow("solid after the check")
        << 3 << QStringList{"A: green r15 w3", "B: green r10 w3", "AB: green solid w2"};
    QTest::newRow("the green tree")
        << 7 << QStringList{"A: green r15 w3", "B: green r10 w3", "C: green r10 w3",
                            "AB: green solid w2", "BC: green solid w2"};
}

void TestMintySolver::marksFollowThePhases()
{
    QFETCH(int, presses);
    QFETCH(QStringList, marked);

    Graph graph;
    build(graph, "AB1 AC3 BC1");
    Run run(graph);
    run.start(QStringLiteral("A"));
    run.press(presses);

    QStringList expected = plainLooks(graph);
    for (const QString &look : marked) {
        const QString item = look.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':');
        for (QString &plain : expected) {
            if (plain.startsWith(item))
                plain = look;
        }
    }
    QCOMPARE(looks(graph), expected);
}

void TestMintySolver::clicksAfterTheStartChangeNothing()
{
    // Close together, so that the dialog's view shows every vertex.
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(10, 10));
    GraphVerticle *b = graph.addVerticle(QPointF(90, 10));
    GraphVerticle *c = graph.addVerticle(QPointF(50, 80));
    graph.addEdge(a, b, 1);
    graph.addEdge(b, c, 1);
    graph.addEdge(a, c, 5);
    Run run(graph);
    QVERIFY(QTest::qWaitForWindowExposed(&run.solver));
    auto *view = run.child<QGraphicsView>("graphView");
    auto click = [&](GraphVerticle *v) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(v->pos()));
    };

    click(b);
    const QStringList marks = looks(graph);
    const QStringList events = run.events();
    click(a);
    emit graph.verticleClicked(c);
    QCOMPARE(looks(graph), marks);
    QCOMPARE(run.events(), events);
    QCOMPARE(run.list("closedVerticlesList"), QStringList{"B(0)"});

    run.press(2);
    click(c);
    QCOMPARE(c->rect().width(), 20.0);
    run.finish();
    QCOMPARE(run.list("shortestWaysList"), (QStringList{"A(1): B->A", "C(1): B->C"}));
}

void TestMintySolver::closing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("presses"); // -1: no start chosen
    QTest::addColumn<bool>("escape");

    const QString triangle = QStringLiteral("AB1 AC3 BC1");
    QTest::newRow("closed waiting for the start") << triangle << 0 << -1 << false;
    QTest::newRow("closed after the start") << triangle << 0 << 0 << false;
    QTest::newRow("closed with current edges") << triangle << 0 << 1 << false;
    QTest::newRow("closed after a choice") << triangle << 0 << 2 << false;
    QTest::newRow("closed when finished") << triangle << 0 << 7 << false;
    QTest::newRow("closed on two pieces") << "AB1" << 3 << -1 << false;
    QTest::newRow("closed without vertices") << "" << 0 << -1 << false;
    QTest::newRow("Escape after a choice") << triangle << 0 << 2 << true;
    QTest::newRow("Escape when finished") << triangle << 0 << 7 << true;
}

void TestMintySolver::closing()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, presses);
    QFETCH(bool, escape);

    Graph graph;
    build(graph, text, count);
    QStringList marks;
    {
        Run run(graph);
        if (presses >= 0) {
            run.start(QStringLiteral("A"));
            run.press(presses);
            QVERIFY(looks(graph) != plainLooks(graph));
        }
        marks = looks(graph);
        if (escape)
            QTest::keyClick(&run.solver, Qt::Key_Escape);
        else
            QVERIFY(run.solver.close());
        QVERIFY(!run.solver.isVisible());
    }
    // Escape rejects the dialog without a close event: its marks stay until the next dialog opens.
    QCOMPARE(looks(graph), escape ? marks : plainLooks(graph));
    Run next(graph);
    QCOMPARE(looks(graph), plainLooks(graph));
}

void TestMintySolver::mainWindowRunsTheDialogModally()
{
    Perewal window;
    window.show();
    Graph &graph = *window.graph();
    build(graph, "AB4");

    QString title;
    QStringList ways;
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = qobject_cast<MintySolver *>(QApplication::activeModalWidget());
        if (!dialog) {
            // Whatever opened is closed, so that the failure shows instead of a hang.
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (qobject_cast<QDialog *>(w))
                    w->close();
            }
            return;
        }
        title = dialog->windowTitle();
        emit graph.verticleClicked(byName(graph, "A"));
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(dialog->findChild<QPushButton *>("stepForwardButton"), Qt::LeftButton);
        ways = rows(dialog->findChild<QListWidget *>("shortestWaysList"));
        dialog->close();
    });
    window.launchMinty();

    QCOMPARE(title, QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(ways, QStringList{"B(4): A->B"});
    QCOMPARE(looks(graph), plainLooks(graph));
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

    // Labelled in order of distance.
    qreal previous = 0;
    for (const QString &row : run.list("closedVerticlesList")) {
        const qreal value = row.mid(2).chopped(1).toDouble();
        QVERIFY2(value >= previous, qPrintable(row));
        previous = value;
    }

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
        const qreal value = match.captured(2).toDouble();
        QCOMPARE(value, distance.at(i));

        const QStringList path = match.captured(3).split(QStringLiteral("->"));
        QCOMPARE(path.first(), verticles.at(start)->name());
        QCOMPARE(path.last(), verticles.at(i)->name());
        qreal length = 0;
        for (int step = 0; step + 1 < path.size(); ++step) {
            const GraphEdge *edge = graph.edgeBetween(byName(graph, path.at(step)), byName(graph, path.at(step + 1)));
            QVERIFY2(edge, qPrintable(way));
            length += edge->weight();
        }
        QCOMPARE(length, value);
    }
}

QTEST_MAIN(TestMintySolver)
#include "tst_mintysolver.moc"
