#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QGraphicsLineItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &signal : spy)
        result.append(signal.first().toString());
    return result;
}

// Plain line items that are not edges: the rubber-band line, if one is left.
int strayLines(const Graph &graph)
{
    int count = 0;
    for (QGraphicsItem *item : graph.items())
        count += item->type() == QGraphicsLineItem::Type;
    return count;
}

} // namespace

class TestGraphMouse : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressAddsVerticleEvenOnAnother();
    void dragBetweenVerticlesAddsEdge();
    void dragEndsWhereTheLastMoveLeftIt();
    void dragsThatAddNothing_data();
    void dragsThatAddNothing();
    void duplicateDragIsRefusedButUsesARandomValue();
    void secondPressDuringDragLeavesNoLine();
    void removeEdgeByClickingItsLine();
    void removeVerticleWithItsEdges();
    void clicksOnEmptyCanvasAreNotAccepted_data();
    void clicksOnEmptyCanvasAreNotAccepted();
    void idleClickPicksTheVerticle_data();
    void idleClickPicksTheVerticle();
    void otherButtons_data();
    void otherButtons();

private:
    QPoint at(QPointF scenePoint) const { return view->mapFromScene(scenePoint); }
    void press(QPointF p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view->viewport(), button, {}, at(p));
    }
    void release(QPointF p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(view->viewport(), button, {}, at(p));
    }
    void drag(QPointF from, QPointF to)
    {
        press(from);
        QTest::mouseMove(view->viewport(), at((from + to) / 2));
        QTest::mouseMove(view->viewport(), at(to));
        release(to);
    }
    GraphVerticle *verticleAt(QPointF p)
    {
        graph->setMode(Graph::AddVerticle);
        press(p);
        release(p);
        return graph->verticles().last();
    }

    Graph *graph = nullptr;
    QGraphicsView *view = nullptr;
};

void TestGraphMouse::init()
{
    graph = new Graph;
    view = new QGraphicsView(graph);
    view->resize(400, 300);
    view->setSceneRect(graph->sceneRect());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
}

void TestGraphMouse::cleanup()
{
    delete view;
    delete graph;
}

void TestGraphMouse::pressAddsVerticleEvenOnAnother()
{
    graph->setMode(Graph::AddVerticle);
    QSignalSpy info(graph, &Graph::showExternInfo);
    press(QPointF(20, 30));
    release(QPointF(20, 30));
    press(QPointF(20, 30));

    QCOMPARE(graph->verticles().size(), 2);
    QCOMPARE(graph->verticles().at(0)->pos(), QPointF(20, 30));
    QCOMPARE(graph->verticles().at(1)->pos(), QPointF(20, 30));
    QCOMPARE(graph->verticles().at(1)->name(), QStringLiteral("B"));
    QCOMPARE(texts(info), (QStringList{"Dodano nowy wierzchołek", "Dodano nowy wierzchołek"}));
}

void TestGraphMouse::dragBetweenVerticlesAddsEdge()
{
    GraphVerticle *a = verticleAt(QPointF(0, 0));
    GraphVerticle *b = verticleAt(QPointF(30, 40));
    graph->setMode(Graph::AddEdge);
    graph->setWeightScheme(Graph::Distance);
    QSignalSpy info(graph, &Graph::showExternInfo);

    // Started on the name label inside the circle, ended off-centre within the circle.
    drag(QPointF(1, 1), QPointF(36, 44));

    QCOMPARE(graph->edges().size(), 1);
    GraphEdge *edge = graph->edges().first();
    QCOMPARE(edge->start(), a);
    QCOMPARE(edge->end(), b);
    QCOMPARE(edge->weight(), 50.0);
    QCOMPARE(edge->weightLabel()->text(), QStringLiteral("50"));
    QCOMPARE(texts(info), QStringList{"Dodano krawędź..."});
    QCOMPARE(strayLines(*graph), 0);
}

void TestGraphMouse::dragEndsWhereTheLastMoveLeftIt()
{
    verticleAt(QPointF(0, 0));
    verticleAt(QPointF(80, 0));
    graph->setMode(Graph::AddEdge);

    press(QPointF(0, 0));
    QTest::mouseMove(view->viewport(), at(QPointF(80, 0)));
    // Released elsewhere without a move there: the line's end still lies on B.
    release(QPointF(40, 60));
    QCOMPARE(graph->edges().size(), 1);
    QCOMPARE(graph->edges().first()->name(), QStringLiteral("AB"));
}

void TestGraphMouse::dragsThatAddNothing_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");

    QTest::newRow("from a vertex to empty canvas") << QPointF(0, 0) << QPointF(40, 70);
    QTest::newRow("from a vertex back to itself") << QPointF(0, 0) << QPointF(3, -3);
    QTest::newRow("from empty canvas to a vertex") << QPointF(40, 70) << QPointF(80, 0);
    QTest::newRow("from a weight label to a vertex") << QPointF(4, 46) << QPointF(80, 0);
}

void TestGraphMouse::dragsThatAddNothing()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);

    GraphVerticle *a = verticleAt(QPointF(0, 0));
    verticleAt(QPointF(80, 0));
    GraphVerticle *c = verticleAt(QPointF(0, 80));
    QVERIFY(graph->addEdge(a, c, 1));
    // The weight label of A-C sits at (0, 40); another edge's label is not a vertex either.
    graph->setMode(Graph::AddEdge);
    QSignalSpy info(graph, &Graph::showExternInfo);

    drag(from, to);
    QCOMPARE(graph->edges().size(), 1);
    QCOMPARE(info.count(), 0);
    QCOMPARE(strayLines(*graph), 0);
}

void TestGraphMouse::duplicateDragIsRefusedButUsesARandomValue()
{
    verticleAt(QPointF(0, 0));
    verticleAt(QPointF(80, 0));
    verticleAt(QPointF(0, 80));
    graph->setMode(Graph::AddEdge);
    graph->setWeightScheme(Graph::Random0To100);
    RandomSource::seed(1);

    drag(QPointF(0, 0), QPointF(80, 0));
    QSignalSpy info(graph, &Graph::showExternInfo);
    drag(QPointF(80, 0), QPointF(0, 0));
    QCOMPARE(texts(info), QStringList{"Krawedz już istnieje..."});
    QCOMPARE(graph->edges().size(), 1);

    drag(QPointF(0, 0), QPointF(0, 80));
    // 41 for AB, 18467 for the refused BA, 6334 for AC.
    QCOMPARE(graph->edges().at(0)->weight(), std::trunc(41 / 32767.0 * 100.0));
    QCOMPARE(graph->edges().at(1)->weight(), std::trunc(6334 / 32767.0 * 100.0));
}

void TestGraphMouse::secondPressDuringDragLeavesNoLine()
{
    verticleAt(QPointF(0, 0));
    verticleAt(QPointF(80, 0));
    graph->setMode(Graph::AddEdge);

    press(QPointF(0, 0));
    QTest::mouseMove(view->viewport(), at(QPointF(40, 40)));
    // The right button while the left is held: a press with the left button among the held ones.
    press(QPointF(40, 40), Qt::RightButton);
    QCOMPARE(strayLines(*graph), 1);
    QTest::mouseMove(view->viewport(), at(QPointF(80, 0)));
    release(QPointF(80, 0), Qt::RightButton);
    release(QPointF(80, 0));

    QCOMPARE(strayLines(*graph), 0);
    QVERIFY(graph->edges().isEmpty());
}

void TestGraphMouse::removeEdgeByClickingItsLine()
{
    GraphVerticle *a = verticleAt(QPointF(0, 0));
    GraphVerticle *b = verticleAt(QPointF(80, 0));
    GraphVerticle *c = verticleAt(QPointF(0, 80));
    QVERIFY(graph->addEdge(a, b, 1));
    QVERIFY(graph->addEdge(a, c, 1));
    graph->setMode(Graph::RemoveEdge);
    QSignalSpy info(graph, &Graph::showExternInfo);

    // The middle of the line, under the weight label's corner.
    press(QPointF(40, 0));
    QCOMPARE(graph->edges().size(), 1);
    QCOMPARE(graph->edges().first()->name(), QStringLiteral("AC"));
    QCOMPARE(texts(info), QStringList{"Usunięto krawędź"});
    QCOMPARE(graph->verticles().size(), 3);
}

void TestGraphMouse::removeVerticleWithItsEdges()
{
    GraphVerticle *a = verticleAt(QPointF(0, 0));
    GraphVerticle *b = verticleAt(QPointF(80, 0));
    GraphVerticle *c = verticleAt(QPointF(0, 80));
    QVERIFY(graph->addEdge(a, b, 1));
    QVERIFY(graph->addEdge(b, c, 1));
    graph->setMode(Graph::RemoveVerticle);
    QSignalSpy info(graph, &Graph::showExternInfo);

    press(QPointF(82, 2));
    QCOMPARE(graph->verticles(), (QList<GraphVerticle *>{a, c}));
    QCOMPARE(c->name(), QStringLiteral("B"));
    QVERIFY(graph->edges().isEmpty());
    QCOMPARE(texts(info), QStringList{"Usunięto wierzchołek"});
}

void TestGraphMouse::clicksOnEmptyCanvasAreNotAccepted_data()
{
    QTest::addColumn<int>("mode");

    QTest::newRow("Idle") << int(Graph::Idle);
    QTest::newRow("RemoveEdge") << int(Graph::RemoveEdge);
    QTest::newRow("RemoveVerticle") << int(Graph::RemoveVerticle);
}

void TestGraphMouse::clicksOnEmptyCanvasAreNotAccepted()
{
    QFETCH(int, mode);

    GraphVerticle *a = verticleAt(QPointF(0, 0));
    GraphVerticle *b = verticleAt(QPointF(80, 0));
    QVERIFY(graph->addEdge(a, b, 1));
    graph->setMode(mode);
    QSignalSpy info(graph, &Graph::showExternInfo);
    QSignalSpy clicked(graph, &Graph::verticleClicked);

    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
    event.setButton(Qt::LeftButton);
    event.setButtons(Qt::LeftButton);
    event.setScenePos(QPointF(40, 50));
    event.setAccepted(true);
    QCoreApplication::sendEvent(graph, &event);

    QVERIFY(!event.isAccepted());
    QCOMPARE(graph->verticles().size(), 2);
    QCOMPARE(graph->edges().size(), 1);
    QCOMPARE(info.count(), 0);
    QCOMPARE(clicked.count(), 0);
}

void TestGraphMouse::idleClickPicksTheVerticle_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPointF>("where");

    QTest::newRow("Idle, on the name label") << int(Graph::Idle) << QPointF(80, 0);
    QTest::newRow("Idle, near the rim") << int(Graph::Idle) << QPointF(87, 5);
    QTest::newRow("unknown mode 7 acts as Idle") << 7 << QPointF(80, 0);
}

void TestGraphMouse::idleClickPicksTheVerticle()
{
    QFETCH(int, mode);
    QFETCH(QPointF, where);

    verticleAt(QPointF(0, 0));
    GraphVerticle *b = verticleAt(QPointF(80, 0));
    graph->setMode(mode);
    QSignalSpy clicked(graph, &Graph::verticleClicked);

    press(where);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().value<GraphVerticle *>(), b);
    QCOMPARE(graph->verticles().size(), 2);
}

void TestGraphMouse::otherButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("info");
    QTest::addColumn<QStringList>("states");

    QTest::newRow("right returns to idle")
        << int(Qt::RightButton) << QStringList{"Powrocono do normalnego trybu"}
        << QStringList{"Oczekiwanie - wybierz opcję..."};
    QTest::newRow("middle does nothing") << int(Qt::MiddleButton) << QStringList() << QStringList();
}

void TestGraphMouse::otherButtons()
{
    QFETCH(int, button);
    QFETCH(QStringList, info);
    QFETCH(QStringList, states);

    verticleAt(QPointF(0, 0));
    graph->setMode(Graph::RemoveVerticle);
    QList<QString> order;
    connect(graph, &Graph::showExternInfo, graph, [&](const QString &s) { order << "info:" + s; });
    connect(graph, &Graph::stateChanged, graph, [&](const QString &s) { order << "state:" + s; });

    press(QPointF(0, 0), Qt::MouseButton(button));
    QStringList expected;
    for (const QString &s : info)
        expected << "info:" + s;
    for (const QString &s : states)
        expected << "state:" + s;
    QCOMPARE(order, expected);
    QCOMPARE(graph->verticles().size(), 1);
    QCOMPARE(graph->mode(), states.isEmpty() ? int(Graph::RemoveVerticle) : int(Graph::Idle));
}

QTEST_MAIN(TestGraphMouse)
#include "tst_graphmouse.moc"
