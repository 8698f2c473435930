#include "graph/graph.h"

#include "graph/editcommand.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"

#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QApplication>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QLineF>
#include <QSet>

#include <algorithm>
#include <functional>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// The rectangle a new scene starts with; it then follows the drawing.
const QRectF firstRect(0, 0, 100, 100);

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
    // Qt's default index, a BSP tree, grows as deep as the log of the item
    // count and files every item under each cell its bounding rectangle
    // touches: an edge crossing the drawing lands in thousands of cells, and a
    // star of 10,000 edges cost gigabytes and seconds at its first paint.
    // Without an index a paint or a click walks the items once, in time and
    // memory linear in the size of the graph.
    setItemIndexMethod(NoIndex);
    setSceneRect(firstRect);
}

Graph::~Graph()
{
    removeAll();
}

void Graph::setMode(int mode)
{
    // A drag can only be finished in the mode it began in.
    dropRubberBand();
    m_mode = mode;
    emit modeChanged(mode);
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

Graph::EdgeKey Graph::keyOf(const GraphEdge *edge)
{
    return EdgeKey(edge->start()->serial(), edge->end()->serial());
}

// Visits the edges in key order: vertices come in creation order, and each
// vertex's incidence list holds the edges it starts in the order of their ends.
template<typename Visit>
void Graph::forEachEdge(Visit visit) const
{
    for (const GraphVerticle *v : m_verticles) {
        for (GraphEdge *edge : v->m_incident) {
            if (edge->start() == v)
                visit(edge);
        }
    }
}

QList<GraphEdge *> Graph::edges() const
{
    QList<GraphEdge *> result;
    result.reserve(m_edgeCount);
    forEachEdge([&](GraphEdge *edge) { result.append(edge); });
    return result;
}

QList<GraphEdge *> Graph::edgesOf(const GraphVerticle *v) const
{
    return v ? v->m_incident : QList<GraphEdge *>();
}

bool Graph::hasEdge(const GraphVerticle *a, const GraphVerticle *b) const
{
    return edgeBetween(a, b) != nullptr;
}

GraphEdge *Graph::edgeBetween(const GraphVerticle *a, const GraphVerticle *b) const
{
    if (!a || !b)
        return nullptr;
    // The shorter of the two incidence lists holds the edge, if there is one.
    const GraphVerticle *from = a->m_incident.size() <= b->m_incident.size() ? a : b;
    const GraphVerticle *to = from == a ? b : a;
    for (GraphEdge *edge : from->m_incident) {
        if ((edge->start() == from && edge->end() == to) || (edge->end() == from && edge->start() == to))
            return edge;
    }
    return nullptr;
}

QList<GraphVerticle *> Graph::neighboursOf(const GraphVerticle *v) const
{
    QList<GraphVerticle *> result;
    if (!v)
        return result;
    result.reserve(v->m_incident.size());
    for (GraphEdge *edge : v->m_incident)
        result.append(edge->start() == v ? edge->end() : edge->start());
    return result;
}

void Graph::resetVerticles()
{
    for (GraphVerticle *v : std::as_const(m_verticles))
        v->reset();
}

void Graph::resetEdges()
{
    forEachEdge([](GraphEdge *edge) { edge->reset(); });
}

void Graph::relabel()
{
    m_relabelPending = false;
    for (int i = 0; i < m_verticles.size(); ++i)
        m_verticles[i]->setName(QChar(char16_t(65 + i)));
    forEachEdge([](GraphEdge *edge) { edge->updatePosition(); });
    followDrawing();
}

namespace {

// Looks are few (a handful of colours, widths and styles); past this many a look is not kept.
constexpr int SharedLooks = 256;

template<typename Look>
Look shared(QList<Look> &looks, const Look &look)
{
    for (const Look &known : std::as_const(looks)) {
        if (known == look)
            return known;
    }
    if (looks.size() < SharedLooks)
        looks.append(look);
    return look;
}

} // namespace

QPen Graph::sharedPen(const QPen &pen)
{
    static QList<QPen> pens;
    return shared(pens, pen);
}

QBrush Graph::sharedBrush(const QBrush &brush)
{
    static QList<QBrush> brushes;
    return shared(brushes, brush);
}

void Graph::closeReachable(GraphVerticle *from, QHash<GraphVerticle *, bool> &open)
{
    // A stack of its own rather than recursion: a long chain of vertices must
    // not run out of call stack.
    open[from] = false;
    QList<GraphVerticle *> pending{from};
    while (!pending.isEmpty()) {
        const QList<GraphVerticle *> neighbours = pending.takeLast()->neighbours();
        for (GraphVerticle *n : neighbours) {
            if (open.value(n)) {
                open[n] = false;
                pending.append(n);
            }
        }
    }
}

void Graph::removeAll()
{
    // clear() drops the scene's index first and deletes the items in the
    // order the scene holds them, each then first in the scene's list and
    // taken off at once. An edge would delete its weight label, the item
    // right behind it, from the middle of that list and so move the rest of
    // the list each time: the labels are left to clear() as the plain items
    // they are.
    const QList<GraphEdge *> all = edges();
    for (GraphEdge *e : all)
        e->m_weightLabel = nullptr;

    forgetUndoSteps();
    m_pressed = nullptr;
    // Emptied before deleting, so nothing can reach a deleted item through them.
    m_verticles.clear();
    m_edgeCount = 0;

    // A half-drawn edge goes too: the vertex it started from is gone.
    m_rubberBand = nullptr;
    clear();
    followDrawing();
}

QRectF Graph::drawingRect() const
{
    if (m_verticles.isEmpty())
        return firstRect;
    // Edges run between their ends' centres; only their weight labels can reach past the vertices.
    QRectF bounds;
    for (const GraphVerticle *v : m_verticles) {
        bounds |= v->sceneBoundingRect();
        for (const GraphEdge *edge : v->m_incident) {
            if (edge->start() == v && edge->weightLabel())
                bounds |= edge->weightLabel()->sceneBoundingRect();
        }
    }
    return bounds.adjusted(-DrawingMargin, -DrawingMargin, DrawingMargin, DrawingMargin);
}

// The views show the whole drawing and scroll over it, so the scene's
// rectangle grows and shrinks with it.
void Graph::followDrawing()
{
    if (m_batchDepth > 0) {
        m_rectPending = true;
        return;
    }
    m_rectPending = false;
    const QRectF rect = drawingRect();
    if (rect != sceneRect())
        setSceneRect(rect);
}

Graph::Batch::Batch(Graph &graph)
    : m_graph(graph)
{
    ++m_graph.m_batchDepth;
}

Graph::Batch::~Batch()
{
    if (--m_graph.m_batchDepth > 0)
        return;
    if (m_graph.m_relabelPending)
        m_graph.relabel();
    else if (m_graph.m_rectPending)
        m_graph.followDrawing();
}

// An addition lays out its own items; the relabelling of the whole graph that
// follows every edit only renames after removals and brings marked edges back
// to width 2, so a batch, which starts from what it was given, defers it for
// removals only.
void Graph::relabelAfterEdit(bool additionOnly)
{
    if (m_batchDepth == 0) {
        relabel();
        return;
    }
    if (!additionOnly)
        m_relabelPending = true;
    m_rectPending = true;
}

void Graph::addVerticle()
{
    setMode(AddVerticle);
    emit showExternInfo(tr("Kliknij dwukrotnie aby dodać wierzchołek..."));
}

GraphVerticle *Graph::addVerticle(QPointF where)
{
    if (!hasRoomForVerticle())
        return nullptr;
    auto *v = new GraphVerticle(this);
    v->setPos(where);
    // Named before it joins the scene, so the scene indexes it with its label once.
    v->setName(QChar(char16_t(65 + m_verticles.size())));
    m_verticles.append(v);
    addItem(v);
    relabelAfterEdit(true);
    return v;
}

bool Graph::hasRoomForVerticle()
{
    if (m_verticles.size() < MaxVerticles)
        return true;
    emit showExternInfo(tr("Nie dodano wierzchołka: graf ma już %1 wierzchołków, a tylko tylu można nadać "
                           "różne jednoznakowe nazwy")
                            .arg(MaxVerticles));
    return false;
}

void Graph::removeVerticle()
{
    setMode(RemoveVerticle);
}

void Graph::removeVerticle(GraphVerticle *v)
{
    if (!v || v->scene() != this || !m_verticles.contains(v))
        return;
    forgetUndoSteps();
    // Copied: taking the edges out empties the list.
    const QList<GraphEdge *> incident = v->m_incident;
    takeOut({v}, incident);
    qDeleteAll(incident);
    delete v;
    relabelAfterEdit(false);
}

void Graph::addEdge()
{
    setMode(AddEdge);
}

bool Graph::addEdge(GraphVerticle *start, GraphVerticle *end, qreal p_weight)
{
    bool added = false;
    if (!start || !end || start == end || start->scene() != this || end->scene() != this) {
        // Refused like a duplicate: a loop has no place in these algorithms,
        // and an edge can only join two vertices of this scene.
    } else if (hasEdge(start, end)) {
        emit showExternInfo(tr("Krawedz już istnieje..."));
    } else {
        auto *edge = new GraphEdge(this, start, end, p_weight);
        insertIncidence(edge);
        // The line is laid out before the edge joins the scene, its label after.
        edge->updatePosition();
        addItem(edge);
        edge->updatePosition();
        added = true;
    }
    relabelAfterEdit(added);
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
        forgetUndoSteps();
        detachEdge(edge);
    }
    relabelAfterEdit(false);
}

void Graph::insertIncidence(GraphEdge *edge)
{
    const EdgeKey key = keyOf(edge);
    for (GraphVerticle *v : {edge->start(), edge->end()}) {
        const auto at = std::lower_bound(v->m_incident.begin(), v->m_incident.end(), key,
                                         [](const GraphEdge *e, const EdgeKey &k) { return keyOf(e) < k; });
        v->m_incident.insert(at, edge);
    }
    ++m_edgeCount;
}

void Graph::detachEdge(GraphEdge *edge)
{
    // Only an edge of this scene is listed by its start.
    if (edge->scene() != this || !edge->start()->m_incident.removeOne(edge))
        return;
    edge->end()->m_incident.removeOne(edge);
    --m_edgeCount;
    delete edge;
}

// A direct removal deletes what a step of the undo stack may still hold on
// to; from then on the steps cannot be undone, and go.
void Graph::forgetUndoSteps()
{
    if (m_commandDepth == 0)
        m_undoStack.clear();
}

// QGraphicsScene keeps its items in a list sorted by address, from which each
// removal erases one entry, and its top-level items in a list it searches
// from the front. Removed one by one in any order, a drawing of n items cost
// n^2 / 4 moves or comparisons: a 300,000-edge file took nearly a minute to
// take out. Here the items go in ascending address order, so that each
// erases the first entry of the sorted list, which a Qt 6 list does without
// moving the rest; and just before, each gets a z value below everything
// else, in that same order, so that the scene's next sort of its top-level
// items (which a query of items at a point makes) puts them at the front of
// that list too. Their own z values come back once they are out.
void Graph::removeItemsInBulk(QList<QGraphicsItem *> items)
{
    if (items.isEmpty())
        return;
    // Items not yet polished are searched for in the scene's list of them,
    // one by one: a drawing taken out before the event loop ran since it was
    // put in (a load undone at once) would cost n^2 again. The scene's own
    // queued call polishes them now instead.
    QMetaObject::invokeMethod(this, "_q_polishItems", Qt::DirectConnection);
    // A few items (an edge, a vertex of small degree) are cheaper to search for than to reorder the scene for.
    if (items.size() < 64) {
        for (QGraphicsItem *item : std::as_const(items))
            removeItem(item);
        return;
    }
    // A child leaves with its parent, wherever its own address lies: one of
    // a lower address would stay at the front of the sorted list, and every
    // removal after it would move the rest of the list. The children (the
    // vertices' names) go on their own and join their parents again outside.
    QList<QPair<QGraphicsItem *, QGraphicsItem *>> children;
    for (QGraphicsItem *item : std::as_const(items)) {
        const QList<QGraphicsItem *> own = item->childItems();
        for (QGraphicsItem *child : own)
            children.append(qMakePair(child, item));
    }
    for (const auto &[child, parent] : std::as_const(children)) {
        child->setParentItem(nullptr);
        items.append(child);
    }
    std::sort(items.begin(), items.end(), std::less<QGraphicsItem *>());
    std::vector<qreal> depths;
    depths.reserve(size_t(items.size()));
    const qreal below = -1e12;
    for (qsizetype i = 0; i < items.size(); ++i) {
        depths.push_back(items.at(i)->zValue());
        items.at(i)->setZValue(below + qreal(i));
    }
    this->items(QPointF());
    for (QGraphicsItem *item : std::as_const(items))
        removeItem(item);
    for (qsizetype i = 0; i < items.size(); ++i)
        items.at(i)->setZValue(depths[size_t(i)]);
    for (const auto &[child, parent] : std::as_const(children))
        child->setParentItem(parent);
}

void Graph::takeOut(const QList<GraphVerticle *> &verticles, const QList<GraphEdge *> &edges)
{
    if (verticles.isEmpty() && edges.isEmpty())
        return;
    QSet<const GraphVerticle *> leaving;
    leaving.reserve(verticles.size());
    for (GraphVerticle *v : verticles)
        leaving.insert(v);
    QList<QGraphicsItem *> items;
    items.reserve(verticles.size() + 2 * edges.size());
    // A vertex that goes takes all its edges along: its own incidence list is
    // dropped whole, and only the lists of ends that stay are searched.
    for (GraphEdge *edge : edges) {
        for (GraphVerticle *end : {edge->start(), edge->end()}) {
            if (!leaving.contains(end))
                end->m_incident.removeOne(edge);
        }
        --m_edgeCount;
        items.append(edge);
        if (edge->weightLabel())
            items.append(edge->weightLabel());
    }
    for (GraphVerticle *v : verticles) {
        v->m_incident.clear();
        if (m_pressed == v)
            m_pressed = nullptr;
        items.append(v);
    }
    if (leaving.size() == m_verticles.size())
        m_verticles.clear();
    else if (!leaving.isEmpty())
        m_verticles.removeIf([&leaving](const GraphVerticle *v) { return leaving.contains(v); });
    removeItemsInBulk(items);
}

void Graph::putIn(const QList<QPair<GraphVerticle *, int>> &verticles, const QList<GraphEdge *> &edges)
{
    QList<QGraphicsItem *> items;
    items.reserve(verticles.size() + 2 * edges.size());
    for (const auto &[v, index] : verticles) {
        m_verticles.insert(index, v);
        items.append(v);
    }
    for (GraphEdge *edge : edges) {
        insertIncidence(edge);
        // Laid out as a new edge is: the line before the edge joins the scene, the label after.
        edge->updatePosition();
        items.append(edge);
        if (edge->weightLabel())
            items.append(edge->weightLabel());
    }
    std::sort(items.begin(), items.end(), std::less<QGraphicsItem *>());
    for (QGraphicsItem *item : std::as_const(items))
        addItem(item);
    for (GraphEdge *edge : edges)
        edge->updatePosition();
}

void Graph::editedStructure()
{
    relabelAfterEdit(false);
}

void Graph::placeVerticle(GraphVerticle *v, QPointF where)
{
    v->setPos(where);
    for (GraphEdge *edge : std::as_const(v->m_incident))
        edge->updatePosition();
    followDrawing();
}

void Graph::undo()
{
    if (!m_undoStack.canUndo())
        return;
    const QString text = m_undoStack.undoText();
    m_undoStack.undo();
    emit showExternInfo(tr("Cofnięto: %1").arg(text));
}

void Graph::redo()
{
    if (!m_undoStack.canRedo())
        return;
    const QString text = m_undoStack.redoText();
    m_undoStack.redo();
    emit showExternInfo(tr("Ponowiono: %1").arg(text));
}

void Graph::setEditable(bool editable)
{
    m_editable = editable;
    m_pressed = nullptr;
}

GraphVerticle *Graph::verticleAt(QPointF where, qreal margin) const
{
    if (GraphVerticle *v = topmost<GraphVerticle>(items(where)))
        return v;
    // Just outside every circle: the nearest one within reach, so that a
    // small circle on a projector is as easy to hit as a thin line.
    GraphVerticle *nearest = nullptr;
    qreal nearestGap = margin;
    const QRectF reach(where - QPointF(margin, margin), QSizeF(2 * margin, 2 * margin));
    for (QGraphicsItem *item : items(reach)) {
        if (item->type() != GraphVerticle::Type)
            continue;
        auto *v = static_cast<GraphVerticle *>(item);
        const qreal gap = QLineF(v->pos(), where).length() - v->rect().width() / 2;
        if (gap <= nearestGap) {
            nearest = v;
            nearestGap = gap;
        }
    }
    return nearest;
}

QPair<GraphVerticle *, GraphEdge *> Graph::itemsAt(QPointF where, qreal margin) const
{
    if (GraphVerticle *v = verticleAt(where, margin))
        return {v, nullptr};
    return {nullptr, topmost<GraphEdge>(items(where))};
}

qreal Graph::pickMargin(const QGraphicsSceneMouseEvent *event)
{
    // The event's widget is the viewport of the view it came through; a
    // press made by code has none and picks at the drawing's own scale.
    const QWidget *viewport = event->widget();
    const auto *view = viewport ? qobject_cast<const QGraphicsView *>(viewport->parentWidget()) : nullptr;
    const qreal scale = view ? view->transform().m11() : 1.0;
    return scale > 0 ? PickMargin / scale : PickMargin;
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
        if (hasRoomForVerticle()) {
            m_undoStack.push(EditCommand::addVerticle(this, where));
            emit showExternInfo(tr("Dodano nowy wierzchołek"));
        }
        break;
    case AddEdge:
        // A second press during a drag starts a new line; the old one must not stay behind.
        dropRubberBand();
        m_rubberBand = new QGraphicsLineItem(QLineF(where, where));
        addItem(m_rubberBand);
        break;
    case RemoveEdge:
        if (GraphEdge *edge = topmost<GraphEdge>(items(where))) {
            m_undoStack.push(EditCommand::removeEdge(this, edge));
            emit showExternInfo(tr("Usunięto krawędź"));
        } else {
            event->ignore();
        }
        break;
    case RemoveVerticle:
        if (GraphVerticle *v = verticleAt(where, pickMargin(event))) {
            m_undoStack.push(EditCommand::removeVerticle(this, v));
            emit showExternInfo(tr("Usunięto wierzchołek"));
        } else {
            event->ignore();
        }
        break;
    default:
        if (GraphVerticle *v = verticleAt(where, pickMargin(event))) {
            // A press that then drags moves the vertex; the click is reported at once all the same.
            if (m_editable) {
                m_pressed = v;
                m_pressedAt = where;
                m_pressedFrom = v->pos();
                m_dragging = false;
            }
            emit verticleClicked(v);
        } else {
            event->ignore();
        }
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
    // The vertex the press found follows the mouse, once it has left the
    // press's place by more than a trembling hand does.
    if ((event->buttons() & Qt::LeftButton) && m_pressed && m_mode == Idle && m_editable) {
        const QPoint moved = event->screenPos() - event->buttonDownScreenPos(Qt::LeftButton);
        m_dragging = m_dragging || moved.manhattanLength() >= QApplication::startDragDistance();
        if (m_dragging)
            placeVerticle(m_pressed, m_pressedFrom + event->scenePos() - m_pressedAt);
    }
}

void Graph::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (GraphVerticle *moved = std::exchange(m_pressed, nullptr); moved && m_dragging) {
        m_dragging = false;
        if (moved->pos() != m_pressedFrom)
            m_undoStack.push(EditCommand::moveVerticle(this, moved, m_pressedFrom, moved->pos()));
        return;
    }
    if (m_mode != AddEdge || !m_rubberBand)
        return;

    // The drag ends where the last move left the line, not where the button came up.
    // The vertices are found before the line goes: the item lists hold the line itself.
    const QLineF line = m_rubberBand->line();
    const qreal margin = pickMargin(event);
    GraphVerticle *start = verticleAt(line.p1(), margin);
    GraphVerticle *end = verticleAt(line.p2(), margin);
    dropRubberBand();

    if (!start || !end || start == end)
        return;

    // Drawn before the duplicate test: a refused drag still uses up a random value.
    const qreal weight = newEdgeWeight(start, end);
    if (EditCommand *command = EditCommand::addEdge(this, start, end, weight)) {
        m_undoStack.push(command);
        emit showExternInfo(tr("Dodano krawędź..."));
    } else {
        // Refused as ever: the message, and the relabelling every edit brings.
        addEdge(start, end, weight);
    }
}

void Graph::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    // The hint of the adding mode asks for a double click: its first press
    // has added the vertex, and a second one would hide under it.
    if (event->button() == Qt::LeftButton && m_mode == AddVerticle) {
        event->accept();
        return;
    }
    // Otherwise a double click is two presses, as it always was, except on an edge away from
    // its ends in the modes where a press there changes nothing: the idle mode, and
    // drawing edges, where a student has just drawn the edge whose weight is wrong.
    GraphEdge *edge = event->button() == Qt::LeftButton && m_editable && (m_mode == Idle || m_mode == AddEdge)
                              && !verticleAt(event->scenePos(), pickMargin(event))
                          ? topmost<GraphEdge>(items(event->scenePos()))
                          : nullptr;
    if (!edge) {
        mousePressEvent(event);
        return;
    }
    dropRubberBand();
    event->accept();
    emit edgeDoubleClicked(edge);
}
