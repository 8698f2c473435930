#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QGraphicsLineItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QtTest>

namespace {

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

class TestGraphMouse : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gestures_data();
    void gestures();
    void emptyCanvasPressIsNotAccepted();
    void refusedDragUsesUpARandomValue();
    void secondPressDuringDragLeavesNoLine();

private:
    QPoint at(QPointF scenePoint) const { return view->mapFromScene(scenePoint); }
    void drag(const QList<QPointF> &path, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view->viewport(), button, {}, at(path.first()));
        for (int i = 1; i + 1 < path.size(); ++i)
            QTest::mouseMove(view->viewport(), at(path.at(i)));
        QTest::mouseRelease(view->viewport(), button, {}, at(path.last()));
    }

    Graph *graph = nullptr;
    QGraphicsView *view = nullptr;
    QStringList said;
};

void TestGraphMouse::init()
{
    graph = new Graph;
    view = new QGraphicsView(graph);
    view->resize(400, 300);
    view->setSceneRect(graph->sceneRect());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));

    GraphVerticle *a = graph->addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph->addVerticle(QPointF(30, 40));
    graph->addVerticle(QPointF(0, 80));
    QVERIFY(graph->addEdge(a, b, 1));
    graph->setWeightScheme(Graph::Distance);
    // The weight label of AB lies over the line at (19, 25) and beside it at (18, 26).
    const QRectF label = graph->edges().first()->weightLabel()->sceneBoundingRect();
    QVERIFY(label.contains(QPointF(19, 25)) && label.contains(QPointF(18, 26)));

    said.clear();
    connect(graph, &Graph::showExternInfo, this, [this](const QString &s) { said << s; });
    connect(graph, &Graph::stateChanged, this, [this](const QString &s) { said << "status: " + s; });
    connect(graph, &Graph::verticleClicked, this, [this](GraphVerticle *v) { said << "clicked " + v->name(); });
}

void TestGraphMouse::cleanup()
{
    delete view;
    delete graph;
}

void TestGraphMouse::gestures_data()
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
    const QString idle = "status: Oczekiwanie - wybierz opcję...";
    QTest::newRow("press on a vertex adds another there")
        << int(Graph::AddVerticle) << left << QList<QPointF>{{0, 0}} << "A(0,0) B(30,40) C(0,80) D(0,0) AB=1"
        << QStringList{"status: Dodawanie wierzchołków, kliknij LPM aby dodać", "Dodano nowy wierzchołek"};
    QTest::newRow("drag from C's name label to B's rim")
        << addEdge << left << QList<QPointF>{{1, 81}, {15, 60}, {36, 44}, {36, 44}} << before + " CB=50"
        << QStringList{adding, "Dodano krawędź..."};
    QTest::newRow("drag ends where the last move left it")
        << addEdge << left << QList<QPointF>{{0, 80}, {30, 40}, {60, 70}} << before + " CB=50"
        << QStringList{adding, "Dodano krawędź..."};
    QTest::newRow("drag to empty canvas") << addEdge << left << QList<QPointF>{{0, 80}, {60, 70}, {60, 70}} << before
                                          << QStringList{adding};
    QTest::newRow("drag back to itself") << addEdge << left << QList<QPointF>{{0, 80}, {3, 77}, {3, 77}} << before
                                         << QStringList{adding};
    QTest::newRow("drag from empty canvas") << addEdge << left << QList<QPointF>{{60, 70}, {30, 40}, {30, 40}}
                                            << before << QStringList{adding};
    QTest::newRow("drag from a weight label") << addEdge << left << QList<QPointF>{{18, 26}, {0, 80}, {0, 80}}
                                              << before << QStringList{adding};
    QTest::newRow("drag of an edge that exists the other way")
        << addEdge << left << QList<QPointF>{{30, 40}, {0, 0}, {0, 0}} << before
        << QStringList{adding, "Krawedz już istnieje..."};
    QTest::newRow("click on a line under its weight label removes the edge")
        << int(Graph::RemoveEdge) << left << QList<QPointF>{{19, 25}} << "A(0,0) B(30,40) C(0,80)"
        << QStringList{"status: Usuwanie krawędzi, kliknij LPM aby usunąc", "Usunięto krawędź"};
    QTest::newRow("click on B's rim removes it with its edge")
        << int(Graph::RemoveVerticle) << left << QList<QPointF>{{36, 44}} << "A(0,0) B(0,80)"
        << QStringList{removing, "Usunięto wierzchołek"};
    QTest::newRow("idle click on B's name label") << int(Graph::Idle) << left << QList<QPointF>{{30, 40}} << before
                                                  << QStringList{idle, "clicked B"};
    QTest::newRow("mode 7 is silent and clicks as idle") << 7 << left << QList<QPointF>{{33, 44}} << before
                                                         << QStringList{"clicked B"};
    QTest::newRow("right button returns to idle")
        << int(Graph::RemoveVerticle) << int(Qt::RightButton) << QList<QPointF>{{0, 0}} << before
        << QStringList{removing, "Powrocono do normalnego trybu", idle};
    QTest::newRow("middle button does nothing") << int(Graph::RemoveVerticle) << int(Qt::MiddleButton)
                                                << QList<QPointF>{{0, 0}} << before << QStringList{removing};
}

void TestGraphMouse::gestures()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(QList<QPointF>, path);
    QFETCH(QString, after);
    QFETCH(QStringList, heard);

    graph->setMode(mode);
    drag(path, Qt::MouseButton(button));

    QCOMPARE(describe(*graph), after);
    QCOMPARE(said, heard);
    QCOMPARE(strayLines(*graph), 0);
}

void TestGraphMouse::emptyCanvasPressIsNotAccepted()
{
    for (int mode : {Graph::Idle, Graph::RemoveEdge, Graph::RemoveVerticle}) {
        graph->setMode(mode);
        said.clear();
        QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
        event.setButton(Qt::LeftButton);
        event.setButtons(Qt::LeftButton);
        event.setScenePos(QPointF(60, 70));
        event.setAccepted(true);
        QCoreApplication::sendEvent(graph, &event);

        QVERIFY2(!event.isAccepted(), qPrintable(QString::number(mode)));
        QCOMPARE(describe(*graph), QStringLiteral("A(0,0) B(30,40) C(0,80) AB=1"));
        QVERIFY(said.isEmpty());
    }
}

void TestGraphMouse::refusedDragUsesUpARandomValue()
{
    graph->setMode(Graph::AddEdge);
    graph->setWeightScheme(Graph::Random0To100);
    RandomSource::seed(1);

    // 41 goes to the refused BA, 18467 to CA: 18467 / 32767 * 100 shows 56.
    drag({{30, 40}, {0, 0}, {0, 0}});
    drag({{0, 80}, {0, 0}, {0, 0}});
    QCOMPARE(describe(*graph), QStringLiteral("A(0,0) B(30,40) C(0,80) AB=1 CA=56"));
}

void TestGraphMouse::secondPressDuringDragLeavesNoLine()
{
    graph->setMode(Graph::AddEdge);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(QPointF(0, 80)));
    QTest::mouseMove(view->viewport(), at(QPointF(40, 70)));
    // The right button while the left is held: a press with the left button among the held ones.
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, at(QPointF(40, 70)));
    QCOMPARE(strayLines(*graph), 1);
    QTest::mouseMove(view->viewport(), at(QPointF(30, 40)));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at(QPointF(30, 40)));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(QPointF(30, 40)));

    QCOMPARE(strayLines(*graph), 0);
    QCOMPARE(graph->edges().size(), 1);
}

QTEST_MAIN(TestGraphMouse)
#include "tst_graphmouse.moc"
