#include "graph/graph.h"

#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QGraphicsLineItem>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>

#include <cmath>
#include <limits>

namespace {

// Nearest whole number, a half rounded toward plus infinity: 2.5 gives 3, -2.5 gives -2.
qreal nearest(qreal x)
{
    return std::floor(x + 0.5);
}

qreal randomIn(qreal span, qreal offset)
{
    return RandomSource::next() / qreal(RandomSource::Max) * span + offset;
}

} // namespace

Graph::Graph()
{
    // Lets verticleClicked() travel through queued connections and signal spies.
    qRegisterMetaType<GraphVerticle *>();
    setSceneRect(0, 0, 100, 100);
}

Graph::~Graph()
{
    removeAll();
}

void Graph::setMode(int mode)
{
    m_mode = mode;
    switch (mode) {
    case Idle:
        emit stateChanged(tr("Oczekiwanie - wybierz opcję..."));
        break;
    case AddVerticle:
        emit stateChanged(tr("Dodawanie wierzchołków, kliknij LPM aby dodać"));
        break;
    case AddEdge:
        emit stateChanged(tr("Dodawanie krawędzi, przeciągnij aby dodać"));
        break;
    case RemoveEdge:
        emit stateChanged(tr("Usuwanie krawędzi, kliknij LPM aby usunąc"));
        break;
    case RemoveVerticle:
        emit stateChanged(tr("Usuwanie wierzchołków, kliknij LPM aby usunąć"));
        break;
    default:
        break;
    }
}

void Graph::setWeightScheme(int scheme)
{
    m_weightScheme = scheme;
}

qreal Graph::newEdgeWeight(const GraphVerticle *start, const GraphVerticle *end) const
{
    const QPointF s = start->pos();
    const QPointF e = end->pos();
    switch (m_weightScheme) {
    case Unit:
        return 1;
    case Distance:
        return QLineF(s, e).length();
    case Manhattan:
        return std::abs(nearest(s.x() - e.x())) + std::abs(nearest(s.y() - e.y()));
    case Random1To10:
        return randomIn(9.0, 1.0);
    case Random1To100:
        return randomIn(99.0, 1.0);
    case Random0To10:
        return randomIn(10.0, 0.0);
    case Random0To100:
        return randomIn(100.0, 0.0);
    default:
        return 1;
    }
}

Graph::EdgeKey Graph::keyOf(const GraphVerticle *start, const GraphVerticle *end)
{
    return EdgeKey(start->serial(), end->serial());
}

bool Graph::hasEdge(const GraphVerticle *a, const GraphVerticle *b) const
{
    return edgeBetween(a, b) != nullptr;
}

GraphEdge *Graph::edgeBetween(const GraphVerticle *a, const GraphVerticle *b) const
{
    if (!a || !b)
        return nullptr;
    if (GraphEdge *edge = m_edges.value(keyOf(a, b)))
        return edge;
    return m_edges.value(keyOf(b, a));
}

QList<GraphVerticle *> Graph::neighboursOf(const GraphVerticle *v) const
{
    QList<GraphVerticle *> result;
    for (GraphEdge *edge : m_edges) {
        if (edge->start() == v)
            result.append(edge->end());
        if (edge->end() == v)
            result.append(edge->start());
    }
    return result;
}

QList<GraphEdge *> Graph::edgesOf(const GraphVerticle *v) const
{
    QList<GraphEdge *> result;
    for (GraphEdge *edge : m_edges) {
        if (edge->start() == v || edge->end() == v)
            result.append(edge);
    }
    return result;
}

void Graph::resetVerticles()
{
    for (GraphVerticle *v : std::as_const(m_verticles))
        v->reset();
}

void Graph::resetEdges()
{
    for (GraphEdge *edge : std::as_const(m_edges))
        edge->reset();
}

void Graph::relabel()
{
    for (int i = 0; i < m_verticles.size(); ++i)
        m_verticles[i]->setName(QChar(char16_t(65 + i)));
    for (GraphEdge *edge : std::as_const(m_edges))
        edge->updatePosition();
}

void Graph::removeAll()
{
    // Emptied before deleting, so nothing can reach a deleted item through them.
    const QList<GraphVerticle *> verticles = std::exchange(m_verticles, {});
    const QMap<EdgeKey, GraphEdge *> edges = std::exchange(m_edges, {});
    qDeleteAll(verticles);
    qDeleteAll(edges);
}

void Graph::addVerticle()
{
    setMode(AddVerticle);
    emit showExternInfo(tr("Kliknij dwukrotnie aby dodać wierzchołek..."));
}

GraphVerticle *Graph::addVerticle(QPointF where)
{
    auto *v = new GraphVerticle(this);
    v->setPos(where);
    m_verticles.append(v);
    addItem(v);
    relabel();
    return v;
}

void Graph::removeVerticle()
{
    setMode(RemoveVerticle);
}

void Graph::removeVerticle(GraphVerticle *v)
{
    if (!v || !m_verticles.contains(v))
        return;
    const QList<GraphEdge *> incident = edgesOf(v);
    for (GraphEdge *edge : incident)
        removeEdge(edge);
    m_verticles.removeOne(v);
    delete v;
    relabel();
}

void Graph::addEdge()
{
    setMode(AddEdge);
}

bool Graph::addEdge(GraphVerticle *start, GraphVerticle *end, qreal p_weight)
{
    bool added = false;
    if (!start || !end || start == end) {
        // Refused like a duplicate: a loop has no place in these algorithms.
    } else if (hasEdge(start, end)) {
        emit showExternInfo(tr("Krawedz już istnieje..."));
    } else {
        auto *edge = new GraphEdge(this, start, end, p_weight);
        m_edges.insert(keyOf(start, end), edge);
        addItem(edge);
        added = true;
    }
    relabel();
    return added;
}

bool Graph::addEdge(GraphVerticle *start, GraphVerticle *end)
{
    return addEdge(start, end, std::numeric_limits<qreal>::infinity());
}

void Graph::removeEdge()
{
    setMode(RemoveEdge);
}

void Graph::removeEdge(GraphEdge *edge)
{
    if (edge) {
        const EdgeKey key = keyOf(edge->start(), edge->end());
        if (m_edges.value(key) == edge) {
            m_edges.remove(key);
            delete edge;
        }
    }
    relabel();
}

template<typename Item>
Item *Graph::topmost(const QList<QGraphicsItem *> &items)
{
    // Name labels, weight labels and the rubber-band line lie above the items
    // sought; pass over them.
    for (QGraphicsItem *item : items) {
        if (item->type() == Item::Type)
            return static_cast<Item *>(item);
    }
    return nullptr;
}

void Graph::dropRubberBand()
{
    if (m_rubberBand) {
        removeItem(m_rubberBand);
        delete m_rubberBand;
        m_rubberBand = nullptr;
    }
}

void Graph::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        if (event->buttons() & Qt::RightButton) {
            event->accept();
            emit showExternInfo(tr("Powrocono do normalnego trybu"));
            setMode(Idle);
        }
        return;
    }

    event->accept();
    const QPointF where = event->scenePos();
    switch (m_mode) {
    case AddVerticle:
        addVerticle(where);
        emit showExternInfo(tr("Dodano nowy wierzchołek"));
        break;
    case AddEdge:
        // A second press during a drag starts a new line; the old one must not stay behind.
        dropRubberBand();
        m_rubberBand = new QGraphicsLineItem(QLineF(where, where));
        addItem(m_rubberBand);
        break;
    case RemoveEdge:
        if (GraphEdge *edge = topmost<GraphEdge>(items(where))) {
            removeEdge(edge);
            emit showExternInfo(tr("Usunięto krawędź"));
        } else {
            event->ignore();
        }
        break;
    case RemoveVerticle:
        if (GraphVerticle *v = topmost<GraphVerticle>(items(where))) {
            removeVerticle(v);
            emit showExternInfo(tr("Usunięto wierzchołek"));
        } else {
            event->ignore();
        }
        break;
    default:
        if (GraphVerticle *v = topmost<GraphVerticle>(items(where)))
            emit verticleClicked(v);
        else
            event->ignore();
        break;
    }
}

void Graph::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && m_mode == AddEdge && m_rubberBand) {
        QLineF line = m_rubberBand->line();
        line.setP2(event->scenePos());
        m_rubberBand->setLine(line);
    }
}

void Graph::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    if (m_mode != AddEdge || !m_rubberBand)
        return;

    // The drag ends where the last move left the line, not where the button came up.
    // The vertices are found before the line goes: the item lists hold the line itself.
    const QLineF line = m_rubberBand->line();
    GraphVerticle *start = topmost<GraphVerticle>(items(line.p1()));
    GraphVerticle *end = topmost<GraphVerticle>(items(line.p2()));
    dropRubberBand();

    if (!start || !end || start == end)
        return;

    // Drawn before the duplicate test: a refused drag still uses up a random value.
    const qreal weight = newEdgeWeight(start, end);
    if (addEdge(start, end, weight))
        emit showExternInfo(tr("Dodano krawędź..."));
}
