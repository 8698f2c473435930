#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"
#include "tests/support/testgraphs.h"

#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace {

template<typename Item>
QString names(const QList<Item *> &items)
{
    QStringList result;
    for (const Item *item : items)
        result.append(item->name());
    return result.join(QLatin1Char(' '));
}

// "A(0,0) B(30,40) AB=1": every vertex with its place, every edge with its visible weight.
QString describe(const Graph &graph)
{
    QStringList parts;
    for (const GraphVerticle *v : graph.verticles())
        parts.append(QStringLiteral("%1(%2,%3)").arg(v->name()).arg(v->x()).arg(v->y()));
    for (const GraphEdge *e : graph.edges())
        parts.append(e->name() + QLatin1Char('=') + e->weightLabel()->text());
    return parts.join(QLatin1Char(' '));
}

// Plain line items that are not edges: a rubber-band line left behind.
int strayLines(const Graph &graph)
{
    const QList<QGraphicsItem *> items = graph.items();
    return std::count_if(items.begin(), items.end(), [](auto *item) { return item->type() == QGraphicsLineItem::Type; });
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void init();
    // First: it needs the source untouched since the process began.
    void randomSourceRunsAsTheWindowsRuntime();
    void randomEditsMatchAnEdgeList();
    void visibleWeightIsTruncated_data();
    void visibleWeightIsTruncated();
    void schemesWeighNewEdges_data();
    void schemesWeighNewEdges();
    void gestures_data();
    void gestures();
    void rubberBandOutlivesClearingAndSecondPress();

private:
    QPoint at(QPointF scenePoint) const { return view->mapFromScene(scenePoint); }

    // A, B and C with the edge AB, in a view; the view goes first.
    std::unique_ptr<Graph> graph;
    std::unique_ptr<QGraphicsView> view;
    QStringList said;
};

void TestGraph::init()
{
    view.reset();
    graph = std::make_unique<Graph>();
    view = std::make_unique<QGraphicsView>(graph.get());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));

    GraphVerticle *a = graph->addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph->addVerticle(QPointF(30, 40));
    graph->addVerticle(QPointF(0, 80));
    QVERIFY(graph->addEdge(a, b, 1));
    graph->setWeightScheme(Graph::Distance);
    // The weight label of AB lies over the line at (19, 25).
    QVERIFY(graph->edges().first()->weightLabel()->sceneBoundingRect().contains(QPointF(19, 25)));

    said.clear();
    connect(graph.get(), &Graph::showExternInfo, this, [this](const QString &s) { said << s; });
    connect(graph.get(), &Graph::stateChanged, this, [this](const QString &s) { said << "status: " + s; });
    connect(graph.get(), &Graph::verticleClicked, this, [this](GraphVerticle *v) { said << "clicked " + v->name(); });
}

void TestGraph::randomSourceRunsAsTheWindowsRuntime()
{
    const QList<int> drawn{RandomSource::next(), RandomSource::next(), RandomSource::next(), RandomSource::next()};
    QCOMPARE(drawn, (QList<int>{41, 18467, 6334, 26500}));
}

void TestGraph::randomEditsMatchAnEdgeList()
{
    // Removals free memory that later vertices may reuse, so an order by address
    // would differ from the order of creation that the list keeps.
    Graph &graph = *this->graph;
    std::mt19937 rng(20240611);
    struct Drawn { GraphVerticle *start, *end; int weight; };
    QList<Drawn> drawn{{graph.verticles()[0], graph.verticles()[1], 1}};
    QSignalSpy info(&graph, &Graph::showExternInfo);
    int backwards = 0, loops = 0;
    auto pick = [&] { return graph.verticles().at(int(rng() % graph.verticles().size())); };
    for (int round = 0; round < 400; ++round) {
        if (graph.verticles().size() < 4 || rng() % 10 < 2) {
            graph.addVerticle(QPointF(rng() % 300, rng() % 300));
            continue;
        }
        // A solver's mark: every edit, refused ones too, brings the width back to 2.
        for (GraphEdge *e : graph.edges())
            e->setPenWidth(4);
        GraphVerticle *a = pick();
        GraphVerticle *b = pick();
        const auto known = std::find_if(drawn.begin(), drawn.end(), [&](const Drawn &e) {
            return (e.start == a && e.end == b) || (e.start == b && e.end == a);
        });
        QCOMPARE(graph.hasEdge(a, b), known != drawn.end());
        QCOMPARE(graph.edgeBetween(a, b), graph.edgeBetween(b, a));

        const unsigned action = rng() % 8;
        if (action < 1) {
            graph.removeVerticle(a);
            drawn.removeIf([&](const Drawn &e) { return e.start == a || e.end == a; });
        } else if (action < 3) {
            // Often a pair with no edge: removing null deletes nothing.
            graph.removeEdge(graph.edgeBetween(b, a));
            if (known != drawn.end())
                drawn.erase(known);
        } else {
            loops += a == b;
            backwards += known != drawn.end() && known->start == b;
            const bool fresh = a != b && known == drawn.end();
            const int messages = info.count() + (known != drawn.end());
            QCOMPARE(graph.addEdge(a, b, round), fresh);
            QCOMPARE(info.count(), messages);
            if (fresh)
                drawn.append({a, b, round});
        }

        const QList<GraphVerticle *> verticles = graph.verticles();
        // Named by position: removals rename those after, past Z too.
        for (int i = 0; i < verticles.size(); ++i)
            QCOMPARE(verticles.at(i)->name(), QString(QChar(u'A' + i)));
        // Names follow the order of creation, so the names in order are the edges in order.
        QMap<QString, int> weights;
        for (const Drawn &e : std::as_const(drawn))
            weights.insert(e.start->name() + e.end->name(), e.weight);
        const QString v = pick()->name();
        QStringList around;
        for (const QString &edge : weights.keys()) {
            if (edge.contains(v))
                around.append(QString(edge).remove(v));
        }
        const QList<GraphEdge *> edges = graph.edges();
        QCOMPARE(names(edges), weights.keys().join(QLatin1Char(' ')));
        QCOMPARE(names(TestGraphs::byName(graph, v)->neighbours()), around.join(QLatin1Char(' ')));
        // A vertex and its name, an edge and its weight: nothing left behind.
        QCOMPARE(graph.items().size(), 2 * (verticles.size() + drawn.size()));
        for (const GraphEdge *e : edges) {
            QCOMPARE(e->weight(), qreal(weights.value(e->name())));
            QCOMPARE(e->pen().widthF(), 2.0);
        }
    }
    QVERIFY(drawn.size() > 5 && graph.verticles().size() > 27 && backwards > 0 && loops > 0);
    for (const QList<QVariant> &message : std::as_const(info))
        QCOMPARE(message.first().toString(), QStringLiteral("Krawedz już istnieje..."));
}

void TestGraph::visibleWeightIsTruncated_data()
{
    QTest::addColumn<qreal>("stored");
    QTest::addColumn<QString>("label");

    QTest::newRow("9.99 shows 9") << 9.99 << "9";
    QTest::newRow("-2.5 shows -2") << -2.5 << "-2";
    QTest::newRow("-0.4 shows 0, not -0") << -0.4 << "0";
    QTest::newRow("large whole weight without exponent") << 1234567.0 << "1234567";
    // The source restarted at 1 gives 41 first: 41 % 10 + 5.
    QTest::newRow("plus infinity draws 5 to 14") << std::numeric_limits<qreal>::infinity() << "6";
}

void TestGraph::visibleWeightIsTruncated()
{
    QFETCH(qreal, stored);
    QFETCH(QString, label);

    RandomSource::seed(1);
    QVERIFY(graph->addEdge(graph->verticles()[1], graph->verticles()[2], stored));
    const GraphEdge *edge = graph->edges().last();
    QCOMPARE(edge->weight(), label.toDouble());
    QCOMPARE(std::signbit(edge->weight()), label.startsWith(QLatin1Char('-')));
    QCOMPARE(edge->weightLabel()->text(), label);
}

void TestGraph::schemesWeighNewEdges_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<qreal>("expected");

    // From A at (0, 0) to (10.5, -3.5); the random rows restart the source at 1, whose first value is 41.
    const qreal r = 41 / 32767.0;
    QTest::newRow("unit") << int(Graph::Unit) << 1.0;
    QTest::newRow("distance") << int(Graph::Distance) << std::hypot(10.5, 3.5);
    QTest::newRow("manhattan rounds halves up: 10 + 4") << int(Graph::Manhattan) << 14.0;
    QTest::newRow("random 1-10") << int(Graph::Random1To10) << r * 9.0 + 1.0;
    QTest::newRow("random 1-100") << int(Graph::Random1To100) << r * 99.0 + 1.0;
    QTest::newRow("random 0-10") << int(Graph::Random0To10) << r * 10.0;
    QTest::newRow("random 0-100") << int(Graph::Random0To100) << r * 100.0;
}

void TestGraph::schemesWeighNewEdges()
{
    QFETCH(int, scheme);
    QFETCH(qreal, expected);

    graph->setWeightScheme(scheme);
    const GraphVerticle *e = graph->addVerticle(QPointF(10.5, -3.5));
    RandomSource::seed(1);
    QCOMPARE(graph->newEdgeWeight(graph->verticles()[0], e), expected);
}

void TestGraph::gestures_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    // Pressed at the first point, moved through the middle ones, released at the last.
    QTest::addColumn<QList<QPointF>>("path");
    QTest::addColumn<QString>("after");
    // What the scene said, from the status text of the mode on.
    QTest::addColumn<QStringList>("heard");

    const QString before = "A(0,0) B(30,40) C(0,80) AB=1";
    const int left = Qt::LeftButton;
    const int addEdge = Graph::AddEdge;
    const QString adding = "status: Dodawanie krawędzi, przeciągnij aby dodać";
    const QString removing = "status: Usuwanie wierzchołków, kliknij LPM aby usunąć";
    QTest::newRow("press on a vertex adds another there")
        << int(Graph::AddVerticle) << left << QList<QPointF>{{0, 0}} << "A(0,0) B(30,40) C(0,80) D(0,0) AB=1"
        << QStringList{"status: Dodawanie wierzchołków, kliknij LPM aby dodać", "Dodano nowy wierzchołek"};
    QTest::newRow("drag from C's name label to B's rim")
        << addEdge << left << QList<QPointF>{{1, 81}, {15, 60}, {36, 44}, {36, 44}} << before + " CB=50"
        << QStringList{adding, "Dodano krawędź..."};
    QTest::newRow("drag to empty canvas") << addEdge << left << QList<QPointF>{{0, 80}, {60, 70}, {60, 70}} << before
                                          << QStringList{adding};
    QTest::newRow("drag back to itself") << addEdge << left << QList<QPointF>{{0, 80}, {3, 77}, {3, 77}} << before
                                         << QStringList{adding};
    QTest::newRow("click on a line under its weight label removes the edge")
        << int(Graph::RemoveEdge) << left << QList<QPointF>{{19, 25}} << "A(0,0) B(30,40) C(0,80)"
        << QStringList{"status: Usuwanie krawędzi, kliknij LPM aby usunąc", "Usunięto krawędź"};
    QTest::newRow("click on B's rim removes it with its edge")
        << int(Graph::RemoveVerticle) << left << QList<QPointF>{{36, 44}} << "A(0,0) B(0,80)"
        << QStringList{removing, "Usunięto wierzchołek"};
    QTest::newRow("idle click on B's name label") << int(Graph::Idle) << left << QList<QPointF>{{30, 40}} << before
                                                  << QStringList{"status: Oczekiwanie - wybierz opcję...", "clicked B"};
    QTest::newRow("right button returns to idle")
        << int(Graph::RemoveVerticle) << int(Qt::RightButton) << QList<QPointF>{{0, 0}} << before
        << QStringList{removing, "Powrocono do normalnego trybu", "status: Oczekiwanie - wybierz opcję..."};
}

void TestGraph::gestures()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(QList<QPointF>, path);
    QFETCH(QString, after);
    QFETCH(QStringList, heard);

    graph->setMode(mode);
    QTest::mousePress(view->viewport(), Qt::MouseButton(button), {}, at(path.first()));
    for (int i = 1; i + 1 < path.size(); ++i) {
        QTest::mouseMove(view->viewport(), at(path.at(i)));
        QCOMPARE(strayLines(*graph), 1);
    }
    QTest::mouseRelease(view->viewport(), Qt::MouseButton(button), {}, at(path.last()));

    QCOMPARE(describe(*graph), after);
    QCOMPARE(said, heard);
    QCOMPARE(strayLines(*graph), 0);
}

void TestGraph::rubberBandOutlivesClearingAndSecondPress()
{
    graph->setMode(Graph::AddEdge);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(QPointF(0, 80)));
    QTest::mouseMove(view->viewport(), at(QPointF(40, 70)));
    // The right button while the left is held: a press with the left button among the held ones.
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, at(QPointF(40, 70)));
    QCOMPARE(strayLines(*graph), 1);
    graph->removeAll();
    QVERIFY(graph->verticles().isEmpty() && graph->items().size() == 1 && strayLines(*graph) == 1);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at(QPointF(30, 40)));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(QPointF(30, 40)));
    QVERIFY(graph->items().isEmpty());
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
