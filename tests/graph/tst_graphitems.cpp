#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QGraphicsSimpleTextItem *nameLabel(const GraphVerticle *v)
{
    const QList<QGraphicsItem *> children = v->childItems();
    return children.isEmpty() ? nullptr : qgraphicsitem_cast<QGraphicsSimpleTextItem *>(children.first());
}

bool near(QPointF a, QPointF b)
{
    return QLineF(a, b).length() < 1e-9;
}

} // namespace

class TestGraphItems : public QObject
{
    Q_OBJECT

private slots:
    void newVerticleLooksPlain();
    void nameLabelStaysCentred_data();
    void nameLabelStaysCentred();
    void verticleResetUndoesEveryMark();
    void visibleWeightIsTruncated_data();
    void visibleWeightIsTruncated();
    void infiniteWeightBecomesRandomFiveToFourteen();
    void edgeIsNamedStartThenEnd();
    void edgeLineStopsShortOfBothCircles();
    void zeroLengthEdgeHasAPlace();
    void editsRestoreEdgeWidthOnly();
    void edgeResetRestoresLook();
    void enlargedVerticleDoesNotRelayEdges();
};

void TestGraphItems::newVerticleLooksPlain()
{
    Graph graph;
    GraphVerticle v(&graph);
    QCOMPARE(v.type(), 65538);
    QCOMPARE(v.rect(), QRectF(-10, -10, 20, 20));
    QCOMPARE(v.brush().style(), Qt::SolidPattern);
    QCOMPARE(v.brush().color(), QColor(Qt::white));
    QCOMPARE(v.pen().widthF(), 0.0);
    QCOMPARE(v.zValue(), 0.0);
    QVERIFY(!nameLabel(&v));
    QCOMPARE(v.name(), QString(QChar(0)));
    QCOMPARE(v.flags() & (QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable), QGraphicsItem::GraphicsItemFlags());
}

void TestGraphItems::nameLabelStaysCentred_data()
{
    QTest::addColumn<QChar>("name");
    QTest::addColumn<int>("radius");

    QTest::newRow("A at the default radius") << QChar('A') << 10;
    QTest::newRow("W, a wide letter, enlarged") << QChar('W') << 15;
    QTest::newRow("[ after Z, enlarged") << QChar('[') << 15;
}

void TestGraphItems::nameLabelStaysCentred()
{
    QFETCH(QChar, name);
    QFETCH(int, radius);

    Graph graph;
    GraphVerticle *v = graph.addVerticle(QPointF(40, 25));
    v->setName(name);
    v->setRadius(radius);

    QGraphicsSimpleTextItem *label = nameLabel(v);
    QVERIFY(label);
    QCOMPARE(label->text(), QString(name));
    QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(label->font().pointSize(), 12);
    QVERIFY(near(label->sceneBoundingRect().center(), v->scenePos()));
    QCOMPARE(v->sceneBoundingRect().center(), v->scenePos());
}

void TestGraphItems::verticleResetUndoesEveryMark()
{
    Graph graph;
    GraphVerticle *v = graph.addVerticle(QPointF(5, 5));
    v->setRadius(15);
    v->setBrushColor(Qt::green);
    v->setPenWidth(3);
    v->setPenColor(Qt::red);
    QCOMPARE(v->brush().style(), Qt::SolidPattern);

    v->reset();
    QCOMPARE(v->rect(), QRectF(-10, -10, 20, 20));
    QCOMPARE(v->brush().color(), QColor(Qt::white));
    QCOMPARE(v->brush().style(), Qt::SolidPattern);
    QCOMPARE(v->pen().width(), 0);
    QCOMPARE(v->pen().color(), QColor(Qt::black));
    QVERIFY(near(nameLabel(v)->sceneBoundingRect().center(), v->scenePos()));
}

void TestGraphItems::visibleWeightIsTruncated_data()
{
    QTest::addColumn<qreal>("stored");
    QTest::addColumn<qreal>("visible");
    QTest::addColumn<QString>("label");

    QTest::newRow("7.93 shows 7") << 7.93 << 7.0 << "7";
    QTest::newRow("9.99 shows 9") << 9.99 << 9.0 << "9";
    QTest::newRow("0.4 shows 0") << 0.4 << 0.0 << "0";
    QTest::newRow("-2.5 shows -2") << -2.5 << -2.0 << "-2";
    QTest::newRow("-0.4 shows 0, not -0") << -0.4 << 0.0 << "0";
    QTest::newRow("whole 40 stays 40") << 40.0 << 40.0 << "40";
    QTest::newRow("large whole weight without exponent") << 1234567.0 << 1234567.0 << "1234567";
}

void TestGraphItems::visibleWeightIsTruncated()
{
    QFETCH(qreal, stored);
    QFETCH(qreal, visible);
    QFETCH(QString, label);

    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(100, 0));
    QVERIFY(graph.addEdge(a, b, stored));
    GraphEdge *edge = graph.edges().first();
    QCOMPARE(edge->weight(), visible);
    QVERIFY(!std::signbit(edge->weight()) || visible < 0);
    QCOMPARE(edge->weightLabel()->text(), label);
}

void TestGraphItems::infiniteWeightBecomesRandomFiveToFourteen()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(100, 0));
    RandomSource::seed(1);
    QVERIFY(graph.addEdge(a, b));
    // The first value after the start state is 41: 41 % 10 + 5.
    QCOMPARE(graph.edges().first()->weight(), 6.0);
    QCOMPARE(graph.edges().first()->weightLabel()->text(), QStringLiteral("6"));

    GraphVerticle *c = graph.addVerticle(QPointF(0, 100));
    for (int i = 0; i < 50; ++i) {
        const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
        GraphEdge edge(&graph, a, c, std::numeric_limits<qreal>::infinity());
        GraphEdge notInfinite(&graph, a, c, nan);
        const qreal w = edge.weight();
        QVERIFY2(w >= 5 && w <= 14 && w == std::trunc(w), qPrintable(QString::number(w)));
        QVERIFY(std::isnan(notInfinite.weight()));
    }
}

void TestGraphItems::edgeIsNamedStartThenEnd()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    graph.addVerticle(QPointF(50, 0));
    GraphVerticle *c = graph.addVerticle(QPointF(0, 50));
    QVERIFY(graph.addEdge(c, a, 1));
    GraphEdge *edge = graph.edgeBetween(a, c);
    QCOMPARE(edge->type(), 65537);
    QCOMPARE(edge->name(), QStringLiteral("CA"));
    QCOMPARE(edge->start(), c);
    QCOMPARE(edge->end(), a);
}

void TestGraphItems::edgeLineStopsShortOfBothCircles()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(10, 20));
    GraphVerticle *b = graph.addVerticle(QPointF(110, 20));
    QVERIFY(graph.addEdge(a, b, 4));
    GraphEdge *edge = graph.edges().first();

    QCOMPARE(edge->line(), QLineF(22, 20, 98, 20));
    QCOMPARE(edge->zValue(), -1.0);
    QCOMPARE(edge->pen().widthF(), 2.0);
    QGraphicsSimpleTextItem *label = edge->weightLabel();
    QVERIFY(label);
    QCOMPARE(label->parentItem(), nullptr);
    QCOMPARE(label->scene(), &graph);
    QCOMPARE(label->zValue(), 20.0);
    QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(label->font().pointSize(), 10);
    QCOMPARE(label->pos(), QPointF(60, 20));
}

void TestGraphItems::zeroLengthEdgeHasAPlace()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(30, 40));
    GraphVerticle *b = graph.addVerticle(QPointF(30, 40));
    QVERIFY(graph.addEdge(a, b, 3));
    GraphEdge *edge = graph.edges().first();
    QCOMPARE(edge->line(), QLineF(30, 40, 30, 40));
    QCOMPARE(edge->weightLabel()->pos(), QPointF(30, 40));
}

void TestGraphItems::editsRestoreEdgeWidthOnly()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(100, 0));
    QVERIFY(graph.addEdge(a, b, 1));
    GraphEdge *edge = graph.edges().first();
    edge->setPenWidth(4);
    edge->setPenColor(Qt::green);
    edge->setPenStyle(Qt::DashLine);

    GraphVerticle *c = graph.addVerticle(QPointF(50, 50));
    QCOMPARE(edge->pen().widthF(), 2.0);
    QCOMPARE(edge->pen().color(), QColor(Qt::green));
    QCOMPARE(edge->pen().style(), Qt::DashLine);

    edge->setPenWidth(5);
    graph.removeVerticle(c);
    QCOMPARE(edge->pen().widthF(), 2.0);
}

void TestGraphItems::edgeResetRestoresLook()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(100, 0));
    QVERIFY(graph.addEdge(a, b, 1));
    GraphEdge *edge = graph.edges().first();
    edge->setPenColor(Qt::gray);
    edge->setPenStyle(Qt::DashLine);
    edge->setPenWidth(1.0);

    edge->reset();
    QCOMPARE(edge->pen().color(), QColor(Qt::black));
    QCOMPARE(edge->pen().style(), Qt::SolidLine);
    QCOMPARE(edge->pen().widthF(), 2.0);
}

void TestGraphItems::enlargedVerticleDoesNotRelayEdges()
{
    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(100, 0));
    QVERIFY(graph.addEdge(a, b, 1));
    const QLineF before = graph.edges().first()->line();
    a->setRadius(15);
    QCOMPARE(graph.edges().first()->line(), before);
    // The vertex is drawn above the edge and hides the last three units of the line.
    QVERIFY(a->zValue() > graph.edges().first()->zValue());
    QVERIFY(a->contains(a->mapFromScene(before.p1())));
}

QTEST_MAIN(TestGraphItems)
#include "tst_graphitems.moc"
