#include "graph/randomsource.h"
#include "solvers/samplesolver.h"
#include "tests/support/testgraphs.h"

#include <QGraphicsSimpleTextItem>
#include <QThread>
#include <QtTest>

#include <memory>

// "A(0,0) B(30,40) AB=1": every vertex with its place, every edge with its visible weight.
QString describe(const Graph &graph)
{
    QStringList parts;
    for (const GraphVerticle *v : graph.verticles())
        parts.append(QStringLiteral("%1(%2,%3)").arg(v->name()).arg(v->x()).arg(v->y()));
    for (const GraphEdge *e : graph.edges())
        parts.append(e->name() + '=' + e->weightLabel()->text());
    return parts.join(' ');
}

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void init();
    // First: it needs the source untouched since the process began.
    void randomSourceRunsAsTheWindowsRuntime();
    void randomEditsMatchAnEdgeList();
    void schemesWeighNewEdges_data();
    void schemesWeighNewEdges();
    void gestures_data();
    void gestures();
    void pressesJustOutsideAVertexPickIt_data();
    void pressesJustOutsideAVertexPickIt();
    void doubleClickAsksForAWeight_data();
    void doubleClickAsksForAWeight();
    void rubberBandGoesWithClearingModeAndSolver_data();
    void rubberBandGoesWithClearingModeAndSolver();
    void reachabilityWalksLongChainsOnASmallStack();

private:
    QPoint at(QPointF scenePoint) const { return view->mapFromScene(scenePoint); }
    // Items beside a vertex and its name, an edge and its weight: a rubber-band line, or a leak.
    int strayItems() const { return graph->items().size() - 2 * (graph->verticles().size() + graph->edges().size()); }

    // A, B and C with the edge AB, in a view; the view goes first.
    std::unique_ptr<Graph> graph;
    std::unique_ptr<QGraphicsView> view;
    QStringList said;
};

void TestGraph::init()
{
    graph = std::make_unique<Graph>();
    view = std::make_unique<QGraphicsView>(graph.get());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    GraphVerticle *a = graph->addVerticle(QPointF(0, 0));
    QVERIFY(graph->addEdge(a, graph->addVerticle(QPointF(30, 40)), 1));
    graph->addVerticle(QPointF(0, 80));
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
    const QList<int> drawn{RandomSource::next(), RandomSource::next(), RandomSource::next()};
    QCOMPARE(drawn, (QList<int>{41, 18467, 6334}));
    // An infinite weight takes a whole number from 5 to 14 instead: 26500 % 10 + 5.
    QVERIFY(graph->addEdge(graph->verticles()[1], graph->verticles()[2], qInf()));
    QCOMPARE(graph->edges().last()->weightLabel()->text(), QStringLiteral("5"));
}

void TestGraph::randomEditsMatchAnEdgeList()
{
    // Kept by the ends as drawn. Removals free memory that later vertices may reuse,
    // so an order by address would differ from the order of creation.
    Graph &graph = *this->graph;
    QMap<QPair<GraphVerticle *, GraphVerticle *>, qreal> drawn{{{graph.verticles()[0], graph.verticles()[1]}, 1}};
    std::mt19937 rng(20240611);
    auto names = [](const auto &items) { QStringList r; for (auto *i : items) r << i->name(); return r.join(' '); };
    auto pick = [&] { return graph.verticles().at(int(rng() % graph.verticles().size())); };
    for (int round = 0; round < 400; ++round) {
        if (graph.verticles().size() < 4 || rng() % 10 < 2) {
            graph.addVerticle(QPointF(rng() % 300, rng() % 300));
            continue;
        }
        // A solver's mark: every edit, refused ones too, brings the width back to 2.
        for (GraphEdge *e : graph.edges())
            e->setPenWidth(4);
        GraphVerticle *a = pick(), *b = pick();
        const bool forward = drawn.contains({a, b}), backward = drawn.contains({b, a});
        QCOMPARE(graph.hasEdge(a, b), forward || backward);

        const unsigned action = rng() % 8;
        if (action < 1) {
            graph.removeVerticle(a);
            drawn.removeIf([&](auto e) { return e.key().first == a || e.key().second == a; });
        } else if (action < 3) {
            // Often a pair with no edge: removing null deletes nothing.
            graph.removeEdge(graph.edgeBetween(b, a));
            drawn.remove({a, b});
            drawn.remove({b, a});
        } else {
            // Eighths, some of them in millions: fractions both ways, -0 and long whole numbers.
            const qreal weight = (round % 4 ? 1 : 1e6) * (int(rng() % 41) - 20) / 8.0;
            const qsizetype messages = said.size() + (forward || backward);
            const bool fresh = a != b && !forward && !backward;
            QCOMPARE(graph.addEdge(a, b, weight), fresh);
            QCOMPARE(said.size(), messages);
            if (fresh)
                drawn.insert({a, b}, weight);
        }

        // Named by position: removals rename those after, past Z too.
        for (int i = 0; i < graph.verticles().size(); ++i)
            QCOMPARE(graph.verticles().at(i)->name(), QString(QChar(u'A' + i)));
        // Names follow the order of creation, so the names in order are the edges in order.
        QMap<QString, qreal> weights;
        for (auto e = drawn.cbegin(); e != drawn.cend(); ++e)
            weights.insert(e.key().first->name() + e.key().second->name(), e.value());
        QCOMPARE(names(graph.edges()), weights.keys().join(' '));
        // Single characters: the edges of v without v are its neighbours.
        const GraphVerticle *v = pick();
        QCOMPARE(names(v->neighbours()), weights.keys().filter(v->name()).replaceInStrings(v->name(), "").join(' '));
        QCOMPARE(strayItems(), 0);
        // Everybody sees the weight truncated toward zero, and never a -0.
        for (const GraphEdge *e : graph.edges()) {
            const auto visible = qint64(weights.value(e->name()));
            QCOMPARE(e->weightLabel()->text(), QString::number(visible));
            QCOMPARE(e->weight(), qreal(visible));
            QCOMPARE(std::signbit(e->weight()), visible < 0);
            QCOMPARE(e->pen().widthF(), 2.0);
        }
    }
    QVERIFY(drawn.size() > 5 && graph.verticles().size() > 27 && said.size() > 5);
    QCOMPARE(said, QStringList(said.size(), QStringLiteral("Krawedz już istnieje...")));
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
    RandomSource::seed(1);
    QCOMPARE(graph->newEdgeWeight(graph->verticles()[0], graph->addVerticle(QPointF(10.5, -3.5))), expected);
}

void TestGraph::gestures_data()
{
    using Path = QList<QPointF>; // pressed at the first point, moved through the others, released at the last
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::addColumn<Path>("path");
    QTest::addColumn<QString>("after");
    // What the scene said, from the status text of the mode on.
    QTest::addColumn<QStringList>("heard");

    const QString before = "A(0,0) B(30,40) C(0,80) AB=1";
    const int left = Qt::LeftButton, addEdge = Graph::AddEdge, removal = Graph::RemoveVerticle;
    const QString adding = "status: Dodawanie krawędzi, przeciągnij aby dodać";
    const QString removing = "status: Usuwanie wierzchołków, kliknij LPM aby usunąć";
    QTest::newRow("press on a vertex adds another there") << int(Graph::AddVerticle) << left << Path{{0, 0}}
        << "A(0,0) B(30,40) C(0,80) D(0,0) AB=1"
        << QStringList{"status: Dodawanie wierzchołków, kliknij LPM aby dodać", "Dodano nowy wierzchołek"};
    QTest::newRow("drag from C's name label to B's rim")
        << addEdge << left << Path{{1, 81}, {36, 44}} << before + " CB=50" << QStringList{adding, "Dodano krawędź..."};
    QTest::newRow("drag to empty space") << addEdge << left << Path{{0, 80}, {60, 70}} << before << QStringList{adding};
    QTest::newRow("drag back to itself") << addEdge << left << Path{{0, 80}, {3, 77}} << before << QStringList{adding};
    QTest::newRow("click on a line under its weight label removes the edge") << int(Graph::RemoveEdge) << left
        << Path{{19, 25}} << "A(0,0) B(30,40) C(0,80)"
        << QStringList{"status: Usuwanie krawędzi, kliknij LPM aby usunąc", "Usunięto krawędź"};
    QTest::newRow("click on B's rim removes it and its edge")
        << removal << left << Path{{36, 44}} << "A(0,0) B(0,80)" << QStringList{removing, "Usunięto wierzchołek"};
    QTest::newRow("idle click on B's name label") << int(Graph::Idle) << left << Path{{30, 40}} << before
        << QStringList{"status: Oczekiwanie - wybierz opcję...", "clicked B"};
    QTest::newRow("right button returns to idle") << removal << int(Qt::RightButton) << Path{{0, 0}} << before
        << QStringList{removing, "Powrocono do normalnego trybu", "status: Oczekiwanie - wybierz opcję..."};
    // AB runs from (7.2, 9.6) to (22.8, 30.4); (6.6, 13.8) is 3 units beside it, (4.8, 15.6) 6 units.
    QTest::newRow("click 3 beside a line removes the edge") << int(Graph::RemoveEdge) << left << Path{{6.6, 13.8}}
        << "A(0,0) B(30,40) C(0,80)"
        << QStringList{"status: Usuwanie krawędzi, kliknij LPM aby usunąc", "Usunięto krawędź"};
    QTest::newRow("click 6 beside a line misses it") << int(Graph::RemoveEdge) << left << Path{{4.8, 15.6}}
        << before << QStringList{"status: Usuwanie krawędzi, kliknij LPM aby usunąc"};
    const QString idle = QStringLiteral("status: Oczekiwanie - wybierz opcję...");
    QTest::newRow("idle drag moves B, its edge follows with its weight") << int(Graph::Idle) << left
        << Path{{30, 40}, {45, 45}, {90, 50}} << "A(0,0) B(90,50) C(0,80) AB=1" << QStringList{idle, "clicked B"};
    QTest::newRow("idle drag from empty canvas moves nothing") << int(Graph::Idle) << left
        << Path{{60, 10}, {90, 50}} << before << QStringList{idle};
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
    for (const QPointF &point : path.mid(1)) {
        QTest::mouseMove(view->viewport(), at(point));
        // The rubber-band line of an edge being drawn.
        QCOMPARE(strayItems(), mode == Graph::AddEdge ? 1 : 0);
    }
    QTest::mouseRelease(view->viewport(), Qt::MouseButton(button), {}, at(path.last()));
    QCOMPARE(describe(*graph), after);
    QCOMPARE(said, heard);
    QCOMPARE(strayItems(), 0);
}

void TestGraph::pressesJustOutsideAVertexPickIt_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<qreal>("zoom");
    QTest::addColumn<int>("pixels"); // on the screen, left of C's circle
    QTest::addColumn<bool>("picked");

    for (const qreal zoom : {1.0, 3.0, 0.5}) {
        for (const int pixels : {0, 2, 6}) {
            const bool picked = pixels <= Graph::PickMargin;
            const QByteArray row = QByteArray::number(pixels) + " px outside, at " + QByteArray::number(zoom * 100) + " %";
            QTest::newRow("idle, " + row) << int(Graph::Idle) << zoom << pixels << picked;
            QTest::newRow("removing, " + row) << int(Graph::RemoveVerticle) << zoom << pixels << picked;
            QTest::newRow("drawing an edge from, " + row) << int(Graph::AddEdge) << zoom << pixels << picked;
        }
    }
}

// A vertex is as easy to hit as an edge: a few screen pixels outside its circle, whatever the zoom.
void TestGraph::pressesJustOutsideAVertexPickIt()
{
    QFETCH(int, mode);
    QFETCH(qreal, zoom);
    QFETCH(int, pixels);
    QFETCH(bool, picked);

    view->setTransform(QTransform::fromScale(zoom, zoom));
    view->centerOn(QPointF(0, 80));
    graph->setMode(mode);
    said.clear();
    // C lies at (0, 80) with radius 10; the point is on the level of its centre.
    const QPoint press = at(QPointF(0, 80)) - QPoint(qRound(10 * zoom) + pixels, 0);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, press);
    QTest::mouseMove(view->viewport(), at(QPointF(30, 40)));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(QPointF(30, 40)));

    QString heard;
    switch (mode) {
    case Graph::Idle:
        heard = said.join(' ');
        QCOMPARE(heard, picked ? "clicked C" : "");
        break;
    case Graph::RemoveVerticle:
        QCOMPARE(describe(*graph), picked ? "A(0,0) B(30,40) AB=1" : "A(0,0) B(30,40) C(0,80) AB=1");
        break;
    default:
        QCOMPARE(describe(*graph), picked ? "A(0,0) B(30,40) C(0,80) AB=1 CB=50" : "A(0,0) B(30,40) C(0,80) AB=1");
        break;
    }
    QCOMPARE(strayItems(), 0);
}

void TestGraph::doubleClickAsksForAWeight_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPointF>("where");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("asked");

    const QString before = "A(0,0) B(30,40) C(0,80) AB=1";
    const QPointF onAB(10.5, 14), onA(0, 0);
    QTest::newRow("idle, on a line") << int(Graph::Idle) << onAB << before << "AB";
    QTest::newRow("drawing edges, on a line") << int(Graph::AddEdge) << onAB << before << "AB";
    QTest::newRow("drawing edges, on a vertex") << int(Graph::AddEdge) << onA << before << "";
    QTest::newRow("idle, on a vertex") << int(Graph::Idle) << onA << before << "";
    // The mode's hint asks for a double click: it adds one vertex, not a second one hidden under the first.
    QTest::newRow("adding vertices: one vertex") << int(Graph::AddVerticle) << onAB
                                                 << "A(0,0) B(30,40) C(0,80) D(11,14) AB=1" << "";
    QTest::newRow("removing edges: the first press") << int(Graph::RemoveEdge) << onAB << "A(0,0) B(30,40) C(0,80)"
                                                     << "";
}

void TestGraph::doubleClickAsksForAWeight()
{
    QFETCH(int, mode);
    QFETCH(QPointF, where);
    QFETCH(QString, after);
    QFETCH(QString, asked);

    graph->setMode(mode);
    QString heard;
    connect(graph.get(), &Graph::edgeDoubleClicked, this, [&heard](GraphEdge *edge) { heard += edge->name(); });
    // As a window system sends it: a click, then a second press that is the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(where));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at(where));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(where));
    QCOMPARE(heard, asked);
    QCOMPARE(describe(*graph), after);
    QCOMPARE(strayItems(), 0);
}

void TestGraph::rubberBandGoesWithClearingModeAndSolver_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("after");

    QTest::newRow("the drawing cleared") << "clear" << "";
    QTest::newRow("another mode chosen") << "mode" << "A(0,0) B(30,40) C(0,80) AB=1";
    QTest::newRow("a solver dialog opened") << "solver" << "A(0,0) B(30,40) C(0,80) AB=1";
}

void TestGraph::rubberBandGoesWithClearingModeAndSolver()
{
    QFETCH(QString, ending);
    QFETCH(QString, after);

    graph->setMode(Graph::AddEdge);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(QPointF(0, 80)));
    QTest::mouseMove(view->viewport(), at(QPointF(40, 70)));
    // The right button while the left is held: a press with the left button among the held ones.
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, at(QPointF(40, 70)));
    QCOMPARE(strayItems(), 1);
    std::unique_ptr<SampleSolver> solver;
    if (ending == "clear")
        graph->removeAll();
    else if (ending == "mode")
        graph->setMode(Graph::RemoveEdge);
    else
        solver = std::make_unique<SampleSolver>(graph.get(), nullptr);
    // The line is gone at once, and releasing over B afterwards draws nothing.
    QCOMPARE(strayItems(), 0);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(QPointF(30, 40)));
    QCOMPARE(describe(*graph), after);
    QCOMPARE(strayItems(), 0);
    QVERIFY(!said.contains("Dodano krawędź..."));
}

QTEST_MAIN(TestGraph)
void TestGraph::reachabilityWalksLongChainsOnASmallStack()
{
    // The connectivity test of the solvers: one call per vertex of a long
    // chain would overflow the small stack of the thread below.
    Graph graph;
    QList<GraphVerticle *> chain;
    // Names this far past Z come from scripts that no font here covers, and
    // Qt warns about every one of them.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    {
        const Graph::Batch batch(graph);
        for (int i = 0; i < 4000; ++i) {
            chain.append(graph.addVerticle(QPointF(i, 0)));
            if (i > 0)
                graph.addEdge(chain.at(i - 1), chain.at(i), 1);
        }
    }
    GraphVerticle *apart = graph.addVerticle(QPointF(0, 50));
    qInstallMessageHandler(previous);
    QHash<GraphVerticle *, bool> open;
    for (GraphVerticle *v : graph.verticles())
        open[v] = true;
    std::unique_ptr<QThread> walk(QThread::create([&] { Graph::closeReachable(chain.last(), open); }));
    walk->setStackSize(64 * 1024);
    walk->start();
    QVERIFY(walk->wait(30000));
    QCOMPARE(open.values().count(true), 1);
    QVERIFY(open.value(apart));
}

#include "tst_graph.moc"
