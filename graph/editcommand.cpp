#include "graph/editcommand.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QScopedValueRollback>

EditCommand::EditCommand(Graph *graph, const QString &text)
    : QUndoCommand(text)
    , m_graph(graph)
{
}

EditCommand::~EditCommand()
{
    // Done, the command holds what it took out; undone, what it would put in.
    if (m_done)
        destroy(m_removedVerticles, m_removedEdges);
    else
        destroy(m_addedVerticles, m_addedEdges);
}

void EditCommand::destroy(const QList<Placed> &verticles, const QList<GraphEdge *> &edges)
{
    // Edges first: each deletes its weight label, and nothing may reach a deleted vertex through them.
    qDeleteAll(edges);
    for (const Placed &placed : verticles)
        delete placed.first;
}

EditCommand *EditCommand::addVerticle(Graph *graph, QPointF where)
{
    auto *command = new EditCommand(graph, Graph::tr("dodanie wierzchołka"));
    auto *v = new GraphVerticle(graph);
    v->setPos(where);
    command->m_addedVerticles.append({v, int(graph->verticles().size())});
    return command;
}

EditCommand *EditCommand::removeVerticle(Graph *graph, GraphVerticle *v)
{
    auto *command = new EditCommand(graph, Graph::tr("usunięcie wierzchołka %1").arg(v->name()));
    command->m_removedVerticles.append({v, int(graph->verticles().indexOf(v))});
    command->m_removedEdges = v->edges();
    return command;
}

EditCommand *EditCommand::addEdge(Graph *graph, GraphVerticle *start, GraphVerticle *end, qreal weight)
{
    if (!start || !end || start == end || start->scene() != graph || end->scene() != graph
        || graph->hasEdge(start, end))
        return nullptr;
    auto *command = new EditCommand(graph, Graph::tr("dodanie krawędzi %1%2").arg(start->name(), end->name()));
    command->m_addedEdges.append(new GraphEdge(graph, start, end, weight));
    return command;
}

EditCommand *EditCommand::removeEdge(Graph *graph, GraphEdge *edge)
{
    auto *command = new EditCommand(graph, Graph::tr("usunięcie krawędzi %1").arg(edge->name()));
    command->m_removedEdges.append(edge);
    return command;
}

EditCommand *EditCommand::moveVerticle(Graph *graph, GraphVerticle *v, QPointF from, QPointF to)
{
    auto *command = new EditCommand(graph, Graph::tr("przesunięcie wierzchołka %1").arg(v->name()));
    command->m_moved = v;
    command->m_from = from;
    command->m_to = to;
    return command;
}

EditCommand *EditCommand::setWeight(Graph *graph, GraphEdge *edge, qreal weight)
{
    auto *command = new EditCommand(graph, Graph::tr("zmiana wagi krawędzi %1").arg(edge->name()));
    command->m_weighed = edge;
    command->m_oldWeight = edge->storedWeight();
    command->m_newWeight = weight;
    return command;
}

EditCommand *EditCommand::replaceDrawing(Graph *graph, const QString &text, std::function<bool(Graph &)> fill)
{
    auto *command = new EditCommand(graph, text);
    const QList<GraphVerticle *> verticles = graph->verticles();
    for (int i = 0; i < verticles.size(); ++i)
        command->m_removedVerticles.append({verticles.at(i), i});
    command->m_removedEdges = graph->edges();
    command->m_fill = std::move(fill);
    return command;
}

void EditCommand::takeOut(const QList<Placed> &verticles, const QList<GraphEdge *> &edges)
{
    const Graph::Batch batch(*m_graph);
    QList<GraphVerticle *> going;
    going.reserve(verticles.size());
    for (const Placed &placed : verticles)
        going.append(placed.first);
    m_graph->takeOut(going, edges);
    m_graph->editedStructure();
}

void EditCommand::putIn(const QList<Placed> &verticles, const QList<GraphEdge *> &edges)
{
    const Graph::Batch batch(*m_graph);
    m_graph->putIn(verticles, edges);
    m_graph->editedStructure();
}

void EditCommand::redo()
{
    // The fill may empty the scene as loading does; that must not empty the undo stack this step is pushed on.
    const QScopedValueRollback<int> inside(m_graph->m_commandDepth, m_graph->m_commandDepth + 1);
    // A half-drawn edge may start at a vertex that goes now.
    m_graph->dropRubberBand();
    takeOut(m_removedVerticles, m_removedEdges);
    if (m_fill) {
        // The first time only: what fill makes is what later redos put back.
        const bool filled = m_fill(*m_graph);
        m_fill = nullptr;
        const QList<GraphVerticle *> verticles = m_graph->verticles();
        for (int i = 0; i < verticles.size(); ++i)
            m_addedVerticles.append({verticles.at(i), i});
        m_addedEdges = m_graph->edges();
        if (!filled) {
            takeOut(m_addedVerticles, m_addedEdges);
            putIn(m_removedVerticles, m_removedEdges);
            setObsolete(true);
            return;
        }
    } else {
        putIn(m_addedVerticles, m_addedEdges);
    }
    if (m_moved)
        m_graph->placeVerticle(m_moved, m_to);
    if (m_weighed)
        m_weighed->setWeight(m_newWeight);
    m_done = true;
}

void EditCommand::undo()
{
    const QScopedValueRollback<int> inside(m_graph->m_commandDepth, m_graph->m_commandDepth + 1);
    m_graph->dropRubberBand();
    if (m_weighed)
        m_weighed->setWeight(m_oldWeight);
    if (m_moved)
        m_graph->placeVerticle(m_moved, m_from);
    takeOut(m_addedVerticles, m_addedEdges);
    putIn(m_removedVerticles, m_removedEdges);
    m_done = false;
}
