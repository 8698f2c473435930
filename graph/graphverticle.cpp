#include "graph/graphverticle.h"

#include "graph/graph.h"

#include <QBrush>
#include <QFont>
#include <QPen>

namespace {
quint64 nextSerial = 0;
}

GraphVerticle::GraphVerticle(Graph *graph)
    : QGraphicsEllipseItem(-10, -10, 20, 20)
    , m_graph(graph)
    , m_serial(nextSerial++)
{
    // Qt's default pen is one unit wide; the plain look is the cosmetic
    // hairline, as reset() gives. Every plain vertex shares one pen and one
    // brush until a solver marks it.
    static const QBrush plainBrush(Qt::white, Qt::SolidPattern);
    static const QPen plainPen(QBrush(Qt::black), 0);
    setBrush(plainBrush);
    setPen(plainPen);
}

void GraphVerticle::setName(QChar name)
{
    // The scene renames every vertex after every edit; most keep their name.
    if (m_label && name == m_name)
        return;
    m_name = name;
    if (!m_label) {
        // One font shared by every label, rather than one resolved per vertex.
        static const QFont font(QStringLiteral("Verdana"), 12);
        m_label = new QGraphicsSimpleTextItem;
        m_label->setFont(font);
        m_label->setParentItem(this);
    }
    m_label->setText(QString(name));

    // Centred by a transformation rather than by the position, so the text
    // stays in the middle whatever radius a solver gives the circle.
    const QRectF bounds = m_label->boundingRect();
    m_label->setPos(0, 0);
    m_label->setTransform(QTransform::fromTranslate(-bounds.width() * 0.5, -bounds.height() * 0.5));
}

QString GraphVerticle::name() const
{
    return QString(m_name);
}

void GraphVerticle::aboutToMark()
{
    if (LookRecorder *recorder = m_graph->lookRecorder())
        recorder->lookAboutToChange(this);
}

void GraphVerticle::setRadius(int r)
{
    aboutToMark();
    setRect(-r, -r, 2 * r, 2 * r);
}

void GraphVerticle::setBrushColor(Qt::GlobalColor color)
{
    aboutToMark();
    QBrush b = brush();
    b.setColor(color);
    setBrush(Graph::sharedBrush(b));
}

void GraphVerticle::setPenWidth(int width)
{
    aboutToMark();
    QPen p = pen();
    p.setWidth(width);
    setPen(Graph::sharedPen(p));
}

void GraphVerticle::setPenColor(Qt::GlobalColor color)
{
    aboutToMark();
    QPen p = pen();
    p.setColor(color);
    setPen(Graph::sharedPen(p));
}

void GraphVerticle::reset()
{
    setPenWidth(0);
    setRadius(10);
    setBrushColor(Qt::white);
    setPenColor(Qt::black);
}

QList<GraphEdge *> GraphVerticle::edges() const
{
    return m_incident;
}

QList<GraphVerticle *> GraphVerticle::neighbours() const
{
    return m_graph->neighboursOf(this);
}
