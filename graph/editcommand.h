#ifndef EDITCOMMAND_H
#define EDITCOMMAND_H

#include <QList>
#include <QPair>
#include <QPointF>
#include <QUndoCommand>

#include <functional>

class Graph;
class GraphEdge;
class GraphVerticle;

/**
 * One change of the drawing as the user makes it, a step of the scene's undo
 * stack. A change takes items out of the scene, puts items into it, moves a
 * vertex or sets an edge's weight; undoing it does the opposite. Items taken
 * out are kept, not deleted, so that undoing brings back the very same
 * vertices and edges: their names, their places in the vertex list and the
 * order of the edges come back exactly. The command owns whichever of its
 * items are out of the scene, and deletes them when it goes.
 */
class EditCommand : public QUndoCommand
{
public:
    ~EditCommand() override;

    /// A new vertex at where, appended to the vertex list.
    static EditCommand *addVerticle(Graph *graph, QPointF where);
    /// The vertex with its edges.
    static EditCommand *removeVerticle(Graph *graph, GraphVerticle *v);
    /// A new edge from start to end; null when the two are joined already, or cannot be.
    static EditCommand *addEdge(Graph *graph, GraphVerticle *start, GraphVerticle *end, qreal weight);
    static EditCommand *removeEdge(Graph *graph, GraphEdge *edge);
    /// The vertex from one place to another; its edges follow.
    static EditCommand *moveVerticle(Graph *graph, GraphVerticle *v, QPointF from, QPointF to);
    static EditCommand *setWeight(Graph *graph, GraphEdge *edge, qreal weight);
    /**
     * The whole drawing replaced by what fill puts into the emptied scene
     * (a file's content; nothing for a new drawing). When fill returns false
     * the old drawing comes back and the command is obsolete: the undo stack
     * then drops it.
     */
    static EditCommand *replaceDrawing(Graph *graph, const QString &text, std::function<bool(Graph &)> fill);

    void redo() override;
    void undo() override;

private:
    // A vertex with its place in the vertex list.
    using Placed = QPair<GraphVerticle *, int>;

    EditCommand(Graph *graph, const QString &text);
    void takeOut(const QList<Placed> &verticles, const QList<GraphEdge *> &edges);
    void putIn(const QList<Placed> &verticles, const QList<GraphEdge *> &edges);
    static void destroy(const QList<Placed> &verticles, const QList<GraphEdge *> &edges);

    Graph *m_graph;
    QList<Placed> m_addedVerticles;
    QList<GraphEdge *> m_addedEdges;
    QList<Placed> m_removedVerticles;
    QList<GraphEdge *> m_removedEdges;
    GraphVerticle *m_moved = nullptr;
    QPointF m_from;
    QPointF m_to;
    GraphEdge *m_weighed = nullptr;
    qreal m_oldWeight = 0;
    qreal m_newWeight = 0;
    // Fills the emptied scene at the first redo of a replacement; the items it makes become the added ones.
    std::function<bool(Graph &)> m_fill;
    bool m_done = false;
};

#endif // EDITCOMMAND_H
