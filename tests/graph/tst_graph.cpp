#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"
#include "tests/support/testgraphs.h"

#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>
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

bool labelCentred(const GraphVerticle *v)
{
    const auto *label = v->childItems().isEmpty() ? nullptr
                      : qgraphicsitem_cast<QGraphicsSimpleTextItem *>(v->childItems().first());
    return label && label->text() == v->name()
        && QLineF(label->sceneBoundingRect().center(), v->scenePos()).length() < 1e-9;
}

// "A r10 #ffffff #000000 0, AB #000000 1 2": radius, fill, outline and its width; colour, style and width of lines.
QString looks(const Graph &graph)
{
    QStringList parts;
    for (const GraphVerticle *v : graph.verticles())
        parts.append(QStringLiteral("%1 r%2 %3 %4 %5%6")
                         .arg(v->name()).arg(v->rect().width() / 2)
                         .arg(v->brush().color().name(), v->pen().color().name()).arg(v->pen().widthF())
                         .arg(labelCentred(v) ? "" : " off-centre"));
    for (const GraphEdge *e : graph.edges())
        parts.append(QStringLiteral("%1 %2 %3 %4").arg(e->name(), e->pen().color().name())
                         .arg(int(e->pen().style())).arg(e->pen().widthF()));
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    // First: it needs the source untouched since the process began.
    void randomSourceRunsAsTheWindowsRuntime();
    void namesFollowPositions_data();
    void namesFollowPositions();
    void randomEditsKeepOrderAndRefuseBadEdges();
    void visibleWeightIsTruncated_data();
    void visibleWeightIsTruncated();
    void edgeLayout_data();
    void edgeLayout();
    void resetsRestoreThePlainLook();
    void schemesWeighNewEdges_data();
    void schemesWeighNewEdges();
};

void TestGraph::randomSourceRunsAsTheWindowsRuntime()
{
    QList<int> drawn;
    for (int i = 0; i < 5; ++i)
        drawn.append(RandomSource::next());
    QCOMPARE(drawn, (QList<int>{41, 18467, 6334, 26500, 19169}));

    RandomSource::seed(987654321u);
    const QList<int> first{RandomSource::next(), RandomSource::next(), RandomSource::next()};
    RandomSource::seed(987654321u);
    QCOMPARE((QList<int>{RandomSource::next(), RandomSource::next(), RandomSource::next()}), first);
}

void TestGraph::namesFollowPositions_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("verticles");
    QTest::addColumn<QString>("edgeNames");

    QTest::newRow("the 27th is [") << "" << 27 << "" << "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z [" << "";
    QTest::newRow("the 33rd is a") << "" << 33 << ""
                                   << "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z [ \\ ] ^ _ ` a" << "";
    QTest::newRow("removing B renames C and D") << "CD1" << 4 << "B" << "A B C" << "BC";
    QTest::newRow("removing A takes its edges") << "AB1 CA2 BC3 DC4" << 4 << "A" << "A B C" << "AB CB";
}

void TestGraph::namesFollowPositions()
{
    QFETCH(QString, edges);
    QFETCH(int, count);
    QFETCH(QString, removed);
    QFETCH(QString, verticles);
    QFETCH(QString, edgeNames);

    Graph graph;
    TestGraphs::build(graph, edges, count);
    if (!removed.isEmpty())
        graph.removeVerticle(TestGraphs::byName(graph, removed));

    QCOMPARE(names(graph.verticles()), verticles);
    QCOMPARE(names(graph.edges()), edgeNames);
    // A solver enlarges vertices; the names stay in the middle.
    for (GraphVerticle *v : graph.verticles()) {
        v->setRadius(15);
        QCOMPARE(v->rect().center(), QPointF());
        QVERIFY2(labelCentred(v), qPrintable(v->name()));
    }
}

void TestGraph::randomEditsKeepOrderAndRefuseBadEdges()
{
    Graph graph;
    const QList<GraphVerticle *> abcd = TestGraphs::build(graph, "AB1 CA1 AD1");
    QCOMPARE(names(graph.edges()), QStringLiteral("AB AD CA"));
    QCOMPARE(names(abcd[0]->neighbours()), QStringLiteral("B D C"));
    QCOMPARE(names(abcd[0]->edges()), QStringLiteral("AB AD CA"));
    QVERIFY(!graph.addEdge(nullptr, abcd[0], 1));
    QVERIFY(!graph.addEdge(abcd[0], nullptr));
    QCOMPARE(graph.edgeBetween(nullptr, abcd[0]), nullptr);

    // Removals free memory that later vertices may reuse, so an order by address
    // would differ from the order of creation that the list keeps.
    std::mt19937 rng(20240611);
    struct Drawn { GraphVerticle *start, *end; int weight; };
    QList<Drawn> drawn{{abcd[0], abcd[1], 1}, {abcd[2], abcd[0], 1}, {abcd[0], abcd[3], 1}};
    QSignalSpy info(&graph, &Graph::showExternInfo);
    int backwards = 0, loops = 0;
    auto pick = [&] { return graph.verticles().at(int(rng() % graph.verticles().size())); };
    for (int round = 0; round < 400; ++round) {
        // A solver's marks: every edit, refused ones too, brings the width back to 2 and keeps the rest.
        const QList<GraphEdge *> marked = graph.edges();
        for (GraphEdge *e : marked) {
            e->setPenWidth(4);
            e->setPenColor(Qt::green);
            e->setPenStyle(Qt::DashLine);
        }
        GraphVerticle *a = pick();
        GraphVerticle *b = pick();
        const auto known = std::find_if(drawn.begin(), drawn.end(), [&](const Drawn &e) {
            return (e.start == a && e.end == b) || (e.start == b && e.end == a);
        });
        QCOMPARE(graph.hasEdge(a, b), known != drawn.end());
        QCOMPARE(graph.hasEdge(b, a), known != drawn.end());
        QCOMPARE(graph.edgeBetween(a, b), graph.edgeBetween(b, a));

        const unsigned action = rng() % 10;
        if (action < 2 || graph.verticles().size() < 4) {
            graph.addVerticle(QPointF(rng() % 300, rng() % 300));
        } else if (action < 3) {
            graph.removeVerticle(a);
            drawn.removeIf([&](const Drawn &e) { return e.start == a || e.end == a; });
        } else if (action < 5) {
            // Often a pair with no edge: removing null deletes nothing.
            graph.removeEdge(graph.edgeBetween(b, a));
            if (known != drawn.end())
                drawn.erase(known);
        } else {
            loops += a == b;
            backwards += known != drawn.end() && known->start == b;
            const int messages = info.count() + (known != drawn.end());
            QCOMPARE(graph.addEdge(a, b, round), a != b && known == drawn.end());
            QCOMPARE(info.count(), messages);
            if (a != b && known == drawn.end())
                drawn.append({a, b, round});
        }

        const QList<GraphVerticle *> verticles = graph.verticles();
        std::sort(drawn.begin(), drawn.end(), [&](const Drawn &x, const Drawn &y) {
            return qMakePair(verticles.indexOf(x.start), verticles.indexOf(x.end))
                 < qMakePair(verticles.indexOf(y.start), verticles.indexOf(y.end));
        });
        GraphVerticle *v = pick();
        QStringList all, around;
        for (const Drawn &e : std::as_const(drawn)) {
            all.append(e.start->name() + e.end->name());
            if (e.start == v || e.end == v)
                around.append((e.start == v ? e.end : e.start)->name());
        }
        QCOMPARE(names(graph.edges()), all.join(QLatin1Char(' ')));
        QCOMPARE(names(v->neighbours()), around.join(QLatin1Char(' ')));
        QCOMPARE(graph.items().size(), 2 * (verticles.size() + drawn.size()));
        for (int i = 0; i < drawn.size(); ++i) {
            const GraphEdge *e = graph.edges().at(i);
            QCOMPARE(e->weight(), qreal(drawn.at(i).weight));
            QCOMPARE(e->pen().widthF(), 2.0);
            QCOMPARE(e->pen().color(), QColor(marked.contains(e) ? Qt::green : Qt::black));
            QCOMPARE(e->pen().style(), marked.contains(e) ? Qt::DashLine : Qt::SolidLine);
        }
    }
    QVERIFY(graph.edges().size() > 5 && backwards > 0 && loops > 0);
    for (const QList<QVariant> &message : std::as_const(info))
        QCOMPARE(message.first().toString(), QStringLiteral("Krawedz już istnieje..."));

    graph.removeAll();
    QVERIFY(graph.items().isEmpty());
}

void TestGraph::visibleWeightIsTruncated_data()
{
    QTest::addColumn<qreal>("stored");
    QTest::addColumn<qreal>("visible");
    QTest::addColumn<QString>("label");

    QTest::newRow("9.99 shows 9") << 9.99 << 9.0 << "9";
    QTest::newRow("0.4 shows 0") << 0.4 << 0.0 << "0";
    QTest::newRow("-2.5 shows -2") << -2.5 << -2.0 << "-2";
    QTest::newRow("-0.4 shows 0, not -0") << -0.4 << 0.0 << "0";
    QTest::newRow("large whole weight without exponent") << 1234567.0 << 1234567.0 << "1234567";
    // The source restarted at 1 gives 41 first: 41 % 10 + 5.
    QTest::newRow("plus infinity draws 5 to 14") << std::numeric_limits<qreal>::infinity() << 6.0 << "6";
}

void TestGraph::visibleWeightIsTruncated()
{
    QFETCH(qreal, stored);
    QFETCH(qreal, visible);
    QFETCH(QString, label);

    Graph graph;
    const QList<GraphVerticle *> v = TestGraphs::build(graph, "", 2);
    RandomSource::seed(1);
    QVERIFY(graph.addEdge(v[0], v[1], stored));
    GraphEdge *edge = graph.edges().first();
    QCOMPARE(edge->weight(), visible);
    QVERIFY(!std::signbit(edge->weight()) || visible < 0);
    QCOMPARE(edge->weightLabel()->text(), label);

    for (int i = 0; std::isinf(stored) && i < 50; ++i) {
        const qreal w = GraphEdge(&graph, v[0], v[1], std::numeric_limits<qreal>::infinity()).weight();
        QVERIFY2(w >= 5 && w <= 14, qPrintable(QString::number(w)));
    }
}

void TestGraph::edgeLayout_data()
{
    QTest::addColumn<QLineF>("centres");
    QTest::addColumn<QLineF>("line");

    QTest::newRow("12 short of each centre") << QLineF(10, 20, 110, 20) << QLineF(22, 20, 98, 20);
    QTest::newRow("both ends on one centre") << QLineF(30, 40, 30, 40) << QLineF(30, 40, 30, 40);
}

void TestGraph::edgeLayout()
{
    QFETCH(QLineF, centres);
    QFETCH(QLineF, line);

    Graph graph;
    QVERIFY(graph.addEdge(graph.addVerticle(centres.p1()), graph.addVerticle(centres.p2()), 4));
    GraphEdge *edge = graph.edges().first();
    QCOMPARE(edge->line(), line);
    QCOMPARE(edge->weightLabel()->pos(), line.center());
    // Edges under the vertices, weights above everything.
    QVERIFY(edge->zValue() < 0 && edge->weightLabel()->zValue() > 0);
}

void TestGraph::resetsRestoreThePlainLook()
{
    Graph graph;
    TestGraphs::build(graph, "AB1 BC1");
    const QString plain = looks(graph);
    QVERIFY2(plain.startsWith("A r10 #ffffff #000000 0, ") && plain.endsWith(", BC #000000 1 2"), qPrintable(plain));
    for (GraphVerticle *v : graph.verticles()) {
        v->setRadius(15);
        v->setBrushColor(Qt::green);
        v->setPenWidth(3);
        v->setPenColor(Qt::red);
    }
    for (GraphEdge *e : graph.edges()) {
        e->setPenColor(Qt::gray);
        e->setPenStyle(Qt::DashLine);
        e->setPenWidth(4);
    }

    graph.resetVerticles();
    graph.resetEdges();
    QCOMPARE(looks(graph), plain);
}

void TestGraph::schemesWeighNewEdges_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QPointF>("start");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<qreal>("expected");

    // The random rows restart the source at 1, whose first value is 41.
    const qreal r = 41 / 32767.0;
    QTest::newRow("unit") << int(Graph::Unit) << QPointF(0, 0) << QPointF(300, 400) << 1.0;
    QTest::newRow("distance 3-4-5") << int(Graph::Distance) << QPointF(0, 0) << QPointF(30, 40) << 50.0;
    QTest::newRow("manhattan rounds halves up") << int(Graph::Manhattan) << QPointF(0, 0) << QPointF(10.5, -3.5) << 14.0;
    QTest::newRow("manhattan -0.5 rounds to 0") << int(Graph::Manhattan) << QPointF(0, 0) << QPointF(0.5, 0) << 0.0;
    QTest::newRow("manhattan 0.5 rounds to 1") << int(Graph::Manhattan) << QPointF(0.5, 0) << QPointF(0, 0) << 1.0;
    QTest::newRow("random 1-10") << int(Graph::Random1To10) << QPointF() << QPointF(1, 0) << r * 9.0 + 1.0;
    QTest::newRow("random 1-100") << int(Graph::Random1To100) << QPointF() << QPointF(1, 0) << r * 99.0 + 1.0;
    QTest::newRow("random 0-10") << int(Graph::Random0To10) << QPointF() << QPointF(1, 0) << r * 10.0;
    QTest::newRow("random 0-100") << int(Graph::Random0To100) << QPointF() << QPointF(1, 0) << r * 100.0;
    QTest::newRow("unknown scheme 7") << 7 << QPointF(0, 0) << QPointF(30, 40) << 1.0;
}

void TestGraph::schemesWeighNewEdges()
{
    QFETCH(int, scheme);
    QFETCH(QPointF, start);
    QFETCH(QPointF, end);
    QFETCH(qreal, expected);

    Graph graph;
    graph.setWeightScheme(scheme);
    GraphVerticle *s = graph.addVerticle(start);
    GraphVerticle *e = graph.addVerticle(end);
    RandomSource::seed(1);
    QCOMPARE(graph.newEdgeWeight(s, e), expected);
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
