#include "graph/graphedge.h"

#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QFont>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>
#include <QtMath>

#include <cmath>
#include <limits>

namespace {

// A weight written on a white ground: the edge's line runs under the label's
// corner, and a "3" crossed by it reads as an "8".
class WeightLabel : public QGraphicsSimpleTextItem
{
public:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override
    {
        // A plain rectangle needs no antialiasing, which would cost a third of painting the whole canvas.
        const bool smooth = painter->testRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(boundingRect(), Qt::white);
        painter->setRenderHint(QPainter::Antialiasing, smooth);
        QGraphicsSimpleTextItem::paint(painter, option, widget);
    }
};

// How wide the band is in which a click finds an edge; the pen stays as it is.
constexpr qreal hitWidth = 8;

} // namespace

GraphEdge::GraphEdge(Graph *graph, GraphVerticle *start, GraphVerticle *end, qreal weight)
    : m_start(start)
    , m_end(end)
    , m_graph(graph)
    , m_weight(weight)
{
    if (weight == std::numeric_limits<qreal>::infinity())
        m_weight = RandomSource::next() % 10 + 5;
    // The width updatePosition() gives every edge, in one pen that plain edges share.
    static const QPen plainPen(QBrush(Qt::black), 2.0);
    setPen(plainPen);
}

GraphEdge::~GraphEdge()
{
    delete m_weightLabel;
}

void GraphEdge::setWeight(qreal weight)
{
    m_weight = weight;
    updatePosition();
}

QPainterPath GraphEdge::shape() const
{
    QPainterPath path(line().p1());
    path.lineTo(line().p2());
    QPainterPathStroker stroker;
    stroker.setWidth(qMax(hitWidth, pen().widthF()));
    return stroker.createStroke(path);
}

QRectF GraphEdge::boundingRect() const
{
    const qreal reach = qMax(hitWidth, pen().widthF()) / 2;
    return QRectF(line().p1(), line().p2()).normalized().adjusted(-reach, -reach, reach, reach);
}

qreal GraphEdge::weight() const
{
    // Adding 0.0 turns a truncated -0.4 into 0 rather than -0, which would
    // show as "-0" and be written to files with its sign bit.
    return std::trunc(m_weight) + 0.0;
}

void GraphEdge::aboutToMark()
{
    if (LookRecorder *recorder = m_graph->lookRecorder())
        recorder->lookAboutToChange(this);
}

void GraphEdge::setPenStyle(Qt::PenStyle style)
{
    aboutToMark();
    QPen p = pen();
    p.setStyle(style);
    setPen(Graph::sharedPen(p));
}

void GraphEdge::setPenWidth(qreal width)
{
    aboutToMark();
    QPen p = pen();
    p.setWidthF(width);
    setPen(Graph::sharedPen(p));
}

void GraphEdge::setPenColor(Qt::GlobalColor color)
{
    aboutToMark();
    QPen p = pen();
    p.setColor(color);
    setPen(Graph::sharedPen(p));
}

void GraphEdge::updatePosition()
{
    const QPointF s = m_start->scenePos();
    const QPointF e = m_end->scenePos();
    const qreal length = QLineF(s, e).length();

    // Both ends on one centre (possible from a file): a line of length zero
    // at that centre instead of a division by zero.
    const QPointF offset = length > 0 ? (e - s) * 12.0 / length : QPointF();
    const QLineF line = length > 0 ? QLineF(s + offset, e - offset) : QLineF(s, s);
    // The scene lays out every edge after every edit; Qt's setters would redo
    // their geometry and text layout even for the values an edge already has.
    if (line != this->line())
        setLine(line);

    setZValue(-1);
    if (pen().widthF() != 2.0)
        setPenWidth(2.0);

    // Laid out before it joins the scene, the line costs the scene nothing;
    // its label follows once the edge is in the scene.
    if (!scene())
        return;
    const QString text = QString::number(weight(), 'f', 0);
    const QPointF middle = line.p1() + (line.p2() - line.p1()) * 0.5;
    if (!m_weightLabel) {
        // Made whole before it joins the scene, which then indexes it once.
        static const QFont font(QStringLiteral("Verdana"), 10);
        m_weightLabel = new WeightLabel;
        m_weightLabel->setFont(font);
        m_weightLabel->setZValue(20);
        m_weightLabel->setText(text);
        m_weightLabel->setPos(middle);
        scene()->addItem(m_weightLabel);
        return;
    }
    if (m_weightLabel->text() != text)
        m_weightLabel->setText(text);
    m_weightLabel->setPos(middle);
}

QString GraphEdge::name() const
{
    return m_start->name() + m_end->name();
}

void GraphEdge::reset()
{
    setPenColor(Qt::black);
    setPenStyle(Qt::SolidLine);
    updatePosition();
}
