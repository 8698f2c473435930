#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QPen>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList names(const QList<GraphVerticle *> &verticles)
{
    QStringList result;
    for (const GraphVerticle *v : verticles)
        result.append(v->name());
    return result;
}

QStringList names(const QList<GraphEdge *> &edges)
{
    QStringList result;
    for (const GraphEdge *e : edges)
        result.append(e->name());
    return result;
}

QList<GraphVerticle *> addVerticles(Graph &graph, int count)
{
    QList<GraphVerticle *> result;
    for (int i = 0; i < count; ++i)
        result.append(graph.addVerticle(QPointF(30 * i, 10 * (i % 3))));
    return result;
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void startsEmptyAndIdle();
    void verticlesAreNamedByPosition_data();
    void verticlesAreNamedByPosition();
    void removingAVerticleRenamesTheRest();
    void removingAVerticleTakesItsEdges();
    void edgesComeInKeyOrder();
    void neighboursFollowEdgeOrder();
    void edgeQueriesWorkInBothDirections();
    void refusedEdgesChangeNothing_data();
    void refusedEdgesChangeNothing();
    void removeEdgeOfNothingStillRelabels();
    void modesAnnounceTheirText_data();
    void modesAnnounceTheirText();
    void modeSlotsSwitchModes();
    void schemesWeighNewEdges_data();
    void schemesWeighNewEdges();
    void resetsRestoreEveryItem();
    void removeAllEmptiesTheScene();
};

void TestGraph::startsEmptyAndIdle()
{
    Graph graph;
    QCOMPARE(graph.mode(), int(Graph::Idle));
    QCOMPARE(graph.weightScheme(), int(Graph::Unit));
    QVERIFY(graph.verticles().isEmpty());
    QVERIFY(graph.edges().isEmpty());
    QVERIFY(graph.items().isEmpty());
    QCOMPARE(graph.sceneRect(), QRectF(0, 0, 100, 100));
    QCOMPARE(graph.parent(), nullptr);
}

void TestGraph::verticlesAreNamedByPosition_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastName");

    QTest::newRow("the first is A") << 1 << "A";
    QTest::newRow("the 26th is Z") << 26 << "Z";
    QTest::newRow("the 27th is [") << 27 << "[";
    QTest::newRow("the 33rd is a") << 33 << "a";
    QTest::newRow("the 130th goes on past 127") << 130 << QString(QChar(65 + 129));
}

void TestGraph::verticlesAreNamedByPosition()
{
    QFETCH(int, count);
    QFETCH(QString, lastName);

    Graph graph;
    const QList<GraphVerticle *> verticles = addVerticles(graph, count);
    QCOMPARE(verticles.last()->name(), lastName);
    QCOMPARE(graph.verticles(), verticles);
    for (int i = 0; i < count; ++i)
        QCOMPARE(verticles.at(i)->name(), QString(QChar(65 + i)));
}

void TestGraph::removingAVerticleRenamesTheRest()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 4);
    QVERIFY(graph.addEdge(v[2], v[3], 1));
    QCOMPARE(graph.edges().first()->name(), QStringLiteral("CD"));

    graph.removeVerticle(v[1]);
    QCOMPARE(names(graph.verticles()), (QStringList{"A", "B", "C"}));
    QCOMPARE(v[2]->name(), QStringLiteral("B"));
    QCOMPARE(v[3]->name(), QStringLiteral("C"));
    QCOMPARE(names(graph.edges()), QStringList{"BC"});
    QCOMPARE(graph.edges().first()->weightLabel()->text(), QStringLiteral("1"));
}

void TestGraph::removingAVerticleTakesItsEdges()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 3);
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    QVERIFY(graph.addEdge(v[2], v[0], 2));
    QVERIFY(graph.addEdge(v[1], v[2], 3));
    const int itemsBefore = graph.items().size();

    graph.removeVerticle(v[0]);
    QCOMPARE(names(graph.edges()), QStringList{"AB"});
    // The vertex with its name label, two edges with their weight labels.
    QCOMPARE(graph.items().size(), itemsBefore - 2 - 4);
}

void TestGraph::edgesComeInKeyOrder()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 4);
    QVERIFY(graph.addEdge(v[3], v[0], 1));
    QVERIFY(graph.addEdge(v[1], v[2], 1));
    QVERIFY(graph.addEdge(v[0], v[2], 1));
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    QVERIFY(graph.addEdge(v[2], v[3], 1));

    // By start in creation order, then by end; each edge keeps the direction it was drawn in.
    QCOMPARE(names(graph.edges()), (QStringList{"AB", "AC", "BC", "CD", "DA"}));
    QCOMPARE(names(graph.edgesOf(v[0])), (QStringList{"AB", "AC", "DA"}));
    QCOMPARE(names(v[2]->edges()), (QStringList{"AC", "BC", "CD"}));

    // A vertex created later sorts after every earlier one, whatever its address.
    GraphVerticle *e = graph.addVerticle(QPointF(200, 200));
    QVERIFY(graph.addEdge(e, v[0], 1));
    QVERIFY(graph.addEdge(v[0], e, 1) == false);
    QCOMPARE(names(graph.edges()).last(), QStringLiteral("EA"));
}

void TestGraph::neighboursFollowEdgeOrder()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 4);
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    QVERIFY(graph.addEdge(v[2], v[0], 1));
    QVERIFY(graph.addEdge(v[0], v[3], 1));

    // Keys (A,B), (A,D), (C,A): one entry per edge, in that order.
    QCOMPARE(names(graph.neighboursOf(v[0])), (QStringList{"B", "D", "C"}));
    QCOMPARE(names(v[0]->neighbours()), (QStringList{"B", "D", "C"}));
    QCOMPARE(names(v[2]->neighbours()), QStringList{"A"});
    QVERIFY(graph.neighboursOf(graph.addVerticle(QPointF(9, 9))).isEmpty());
}

void TestGraph::edgeQueriesWorkInBothDirections()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 3);
    QVERIFY(graph.addEdge(v[1], v[0], 5));
    GraphEdge *edge = graph.edges().first();

    QVERIFY(graph.hasEdge(v[0], v[1]));
    QVERIFY(graph.hasEdge(v[1], v[0]));
    QVERIFY(!graph.hasEdge(v[0], v[2]));
    QCOMPARE(graph.edgeBetween(v[0], v[1]), edge);
    QCOMPARE(graph.edgeBetween(v[1], v[0]), edge);
    QCOMPARE(graph.edgeBetween(v[2], v[0]), nullptr);
    QCOMPARE(graph.edgeBetween(nullptr, v[0]), nullptr);
    QCOMPARE(graph.edges().size(), 1);
}

void TestGraph::refusedEdgesChangeNothing_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("messages");

    // -1 stands for a null vertex.
    QTest::newRow("the same direction again") << 0 << 1 << QStringList{"Krawedz już istnieje..."};
    QTest::newRow("the other direction") << 1 << 0 << QStringList{"Krawedz już istnieje..."};
    QTest::newRow("a vertex joined to itself") << 2 << 2 << QStringList();
    QTest::newRow("a null start") << -1 << 2 << QStringList();
    QTest::newRow("a null end") << 2 << -1 << QStringList();
}

void TestGraph::refusedEdgesChangeNothing()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, messages);

    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 3);
    QVERIFY(graph.addEdge(v[0], v[1], 7));
    GraphEdge *edge = graph.edges().first();
    edge->setPenWidth(6);
    const int itemsBefore = graph.items().size();
    QSignalSpy info(&graph, &Graph::showExternInfo);

    QVERIFY(!graph.addEdge(from < 0 ? nullptr : v[from], to < 0 ? nullptr : v[to], 3));
    QVERIFY(!graph.addEdge(from < 0 ? nullptr : v[from], to < 0 ? nullptr : v[to]));

    QCOMPARE(graph.edges(), QList<GraphEdge *>{edge});
    QCOMPARE(edge->weight(), 7.0);
    QCOMPARE(graph.items().size(), itemsBefore);
    QStringList received;
    for (const QList<QVariant> &signal : std::as_const(info))
        received.append(signal.first().toString());
    QCOMPARE(received, messages + messages);
    // Refused or not, the scene relabels: the width goes back to 2.
    QCOMPARE(edge->pen().widthF(), 2.0);
}

void TestGraph::removeEdgeOfNothingStillRelabels()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 2);
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    graph.edges().first()->setPenWidth(5);
    graph.removeEdge(nullptr);
    QCOMPARE(graph.edges().size(), 1);
    QCOMPARE(graph.edges().first()->pen().widthF(), 2.0);

    graph.removeEdge(graph.edges().first());
    QVERIFY(graph.edges().isEmpty());
    QCOMPARE(graph.items().size(), 4);
}

void TestGraph::modesAnnounceTheirText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");

    QTest::newRow("Idle") << int(Graph::Idle) << "Oczekiwanie - wybierz opcję...";
    QTest::newRow("AddVerticle") << int(Graph::AddVerticle) << "Dodawanie wierzchołków, kliknij LPM aby dodać";
    QTest::newRow("AddEdge") << int(Graph::AddEdge) << "Dodawanie krawędzi, przeciągnij aby dodać";
    QTest::newRow("RemoveEdge") << int(Graph::RemoveEdge) << "Usuwanie krawędzi, kliknij LPM aby usunąc";
    QTest::newRow("RemoveVerticle") << int(Graph::RemoveVerticle) << "Usuwanie wierzchołków, kliknij LPM aby usunąć";
    QTest::newRow("7 is stored silently") << 7 << QString();
    QTest::newRow("-1 is stored silently") << -1 << QString();
}

void TestGraph::modesAnnounceTheirText()
{
    QFETCH(int, mode);
    QFETCH(QString, text);

    Graph graph;
    QSignalSpy state(&graph, &Graph::stateChanged);
    graph.setMode(mode);
    QCOMPARE(graph.mode(), mode);
    if (text.isNull()) {
        QCOMPARE(state.count(), 0);
    } else {
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.first().first().toString(), text);
    }
}

void TestGraph::modeSlotsSwitchModes()
{
    Graph graph;
    QSignalSpy info(&graph, &Graph::showExternInfo);

    graph.addVerticle();
    QCOMPARE(graph.mode(), int(Graph::AddVerticle));
    QCOMPARE(info.count(), 1);
    QCOMPARE(info.first().first().toString(), QStringLiteral("Kliknij dwukrotnie aby dodać wierzchołek..."));
    graph.addEdge();
    QCOMPARE(graph.mode(), int(Graph::AddEdge));
    graph.removeEdge();
    QCOMPARE(graph.mode(), int(Graph::RemoveEdge));
    graph.removeVerticle();
    QCOMPARE(graph.mode(), int(Graph::RemoveVerticle));
    QCOMPARE(info.count(), 1);
}

void TestGraph::schemesWeighNewEdges_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QPointF>("start");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<qreal>("expected");

    // Random rows: the source is reseeded to 1, so r is 41.
    const qreal r = 41;
    QTest::newRow("unit") << int(Graph::Unit) << QPointF(0, 0) << QPointF(300, 400) << 1.0;
    QTest::newRow("distance 3-4-5") << int(Graph::Distance) << QPointF(0, 0) << QPointF(30, 40) << 50.0;
    QTest::newRow("distance keeps its fraction") << int(Graph::Distance) << QPointF(0, 0) << QPointF(1, 1) << std::sqrt(2.0);
    QTest::newRow("manhattan rounds halves up") << int(Graph::Manhattan) << QPointF(0, 0) << QPointF(10.5, -3.5) << 14.0;
    QTest::newRow("manhattan -0.5 rounds to 0") << int(Graph::Manhattan) << QPointF(0, 0) << QPointF(0.5, 0) << 0.0;
    QTest::newRow("manhattan 0.5 rounds to 1") << int(Graph::Manhattan) << QPointF(0.5, 0) << QPointF(0, 0) << 1.0;
    QTest::newRow("manhattan -2.5 rounds to -2") << int(Graph::Manhattan) << QPointF(0, 0) << QPointF(2.5, 2.5) << 4.0;
    QTest::newRow("random 1-10") << int(Graph::Random1To10) << QPointF() << QPointF(1, 0) << r / 32767.0 * 9.0 + 1.0;
    QTest::newRow("random 1-100") << int(Graph::Random1To100) << QPointF() << QPointF(1, 0) << r / 32767.0 * 99.0 + 1.0;
    QTest::newRow("random 0-10") << int(Graph::Random0To10) << QPointF() << QPointF(1, 0) << r / 32767.0 * 10.0;
    QTest::newRow("random 0-100") << int(Graph::Random0To100) << QPointF() << QPointF(1, 0) << r / 32767.0 * 100.0;
    QTest::newRow("unknown scheme 7") << 7 << QPointF(0, 0) << QPointF(30, 40) << 1.0;
    QTest::newRow("unknown scheme -1") << -1 << QPointF(0, 0) << QPointF(30, 40) << 1.0;
}

void TestGraph::schemesWeighNewEdges()
{
    QFETCH(int, scheme);
    QFETCH(QPointF, start);
    QFETCH(QPointF, end);
    QFETCH(qreal, expected);

    Graph graph;
    graph.setWeightScheme(scheme);
    QCOMPARE(graph.weightScheme(), scheme);
    GraphVerticle *s = graph.addVerticle(start);
    GraphVerticle *e = graph.addVerticle(end);
    RandomSource::seed(1);
    QCOMPARE(graph.newEdgeWeight(s, e), expected);
}

void TestGraph::resetsRestoreEveryItem()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 3);
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    QVERIFY(graph.addEdge(v[1], v[2], 1));
    for (GraphVerticle *x : v) {
        x->setRadius(15);
        x->setBrushColor(Qt::green);
        x->setPenWidth(3);
    }
    for (GraphEdge *edge : graph.edges()) {
        edge->setPenColor(Qt::green);
        edge->setPenStyle(Qt::DashLine);
    }

    graph.resetEdges();
    graph.resetVerticles();
    for (const GraphVerticle *x : v) {
        QCOMPARE(x->rect().width(), 20.0);
        QCOMPARE(x->brush().color(), QColor(Qt::white));
        QCOMPARE(x->pen().width(), 0);
    }
    for (const GraphEdge *edge : graph.edges()) {
        QCOMPARE(edge->pen().color(), QColor(Qt::black));
        QCOMPARE(edge->pen().style(), Qt::SolidLine);
    }
}

void TestGraph::removeAllEmptiesTheScene()
{
    Graph graph;
    const QList<GraphVerticle *> v = addVerticles(graph, 3);
    QVERIFY(graph.addEdge(v[0], v[1], 1));
    graph.setMode(Graph::AddEdge);
    graph.setWeightScheme(Graph::Manhattan);

    graph.removeAll();
    QVERIFY(graph.verticles().isEmpty());
    QVERIFY(graph.edges().isEmpty());
    QVERIFY(graph.items().isEmpty());
    QCOMPARE(graph.mode(), int(Graph::AddEdge));
    QCOMPARE(graph.weightScheme(), int(Graph::Manhattan));
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
