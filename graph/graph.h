#ifndef GRAPH_H
#define GRAPH_H

#include <QBrush>
#include <QGraphicsScene>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPen>
#include <QUndoStack>

class GraphEdge;
class GraphVerticle;
class QGraphicsItem;
class QGraphicsLineItem;

/**
 * Told about a vertex or an edge just before one of its marking operations
 * changes its look, while installed on the scene (Graph::setLookRecorder).
 */
class LookRecorder
{
public:
    virtual void lookAboutToChange(QGraphicsItem *item) = 0;

protected:
    ~LookRecorder() = default;
};

/**
 * The canvas on which the user draws an undirected, weighted graph and on
 * which the solver dialogs show their work. It owns every vertex and edge and
 * turns mouse presses, drags and releases into edits according to its mode.
 */
class Graph : public QGraphicsScene
{
    Q_OBJECT

public:
    enum EditMode { Idle, AddVerticle, AddEdge, RemoveEdge, RemoveVerticle };
    enum WeightScheme {
        Unit,
        Distance,
        Manhattan,
        Random1To10,
        Random1To100,
        Random0To10,
        Random0To100
    };

    /// Room around the drawing in its rectangle, so that a vertex at its edge is not flush with a view's border.
    static constexpr qreal DrawingMargin = 20;
    /// Names are single characters from 'A' up to U+FFFF: past this many vertices they would repeat.
    static constexpr int MaxVerticles = 0xFFFF - 'A' + 1;

    Graph();
    ~Graph() override;

    /// Stores the mode and drops a half-drawn edge; a mode from Idle to RemoveVerticle is announced by stateChanged().
    void setMode(int mode);
    int mode() const { return m_mode; }
    void setWeightScheme(int scheme);
    int weightScheme() const { return m_weightScheme; }
    /// The weight the current scheme gives an edge drawn from start to end; draws a random number for the random schemes.
    qreal newEdgeWeight(const GraphVerticle *start, const GraphVerticle *end) const;

    /// All vertices in creation order.
    QList<GraphVerticle *> verticles() const { return m_verticles; }
    /// All edges in key order: by start, then by end, vertices compared by creation order.
    QList<GraphEdge *> edges() const;
    int edgeCount() const { return m_edgeCount; }
    bool hasEdge(const GraphVerticle *a, const GraphVerticle *b) const;
    /// The edge joining a and b in either direction, or null.
    GraphEdge *edgeBetween(const GraphVerticle *a, const GraphVerticle *b) const;
    /// One entry per edge of v, in key order: the edge's other end.
    QList<GraphVerticle *> neighboursOf(const GraphVerticle *v) const;
    /// The edges of v in key order; costs the degree of v, not the size of the graph.
    QList<GraphEdge *> edgesOf(const GraphVerticle *v) const;
    /// Whoever wants to hear of every change of an item's look, or null; the scene does not own it.
    void setLookRecorder(LookRecorder *recorder) { m_lookRecorder = recorder; }
    LookRecorder *lookRecorder() const { return m_lookRecorder; }
    /// Sets open[v] to false for `from` and for every vertex reached from it through open ones.
    static void closeReachable(GraphVerticle *from, QHash<GraphVerticle *, bool> &open);
    /// One copy of each pen and brush an item's look takes: a run that marks
    /// items millions of times allocates nothing that outlives it, so the
    /// memory of a closed dialog's run can go back to the system.
    static QPen sharedPen(const QPen &pen);
    static QBrush sharedBrush(const QBrush &brush);

    void resetVerticles();
    void resetEdges();
    /// Names the vertices by position ('A' + index) and lays out every edge anew.
    void relabel();
    /// Deletes every vertex and edge and a half-drawn edge's line; the mode and weight scheme stay.
    void removeAll();
    /// Every vertex, name and weight label with a margin around them; the scene's first rectangle while it is empty.
    QRectF drawingRect() const;

    /**
     * The user's changes of the drawing, each one step (an EditCommand): the
     * mouse's edits, moves and typed weights, loading and new drawings. The
     * slots below change the drawing directly, as code and files do; a
     * direct removal empties the stack, whose steps could no longer be undone.
     */
    QUndoStack *undoStack() { return &m_undoStack; }
    /// How far outside its circle a press still picks a vertex, in screen pixels: as far as beside an edge's line.
    static constexpr qreal PickMargin = 3;
    /**
     * The vertex a press at a scene point picks: the topmost one under it,
     * or else the nearest whose circle passes within margin (in scene units)
     * of the point; null when there is none.
     */
    GraphVerticle *verticleAt(QPointF where, qreal margin = PickMargin) const;
    /// The vertex the mouse would pick at a scene point, or else the edge; null for both when there is neither.
    QPair<GraphVerticle *, GraphEdge *> itemsAt(QPointF where, qreal margin = PickMargin) const;
    /**
     * False while a solver dialog shows the scene: then a drag moves nothing,
     * a double click edits no weight and the idle mode only reports clicks.
     */
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    /**
     * While a batch is open, additions lay out only their own items and
     * removals relabel once, when the last batch closes: a file of thousands
     * of records read into an emptied scene then costs no relabelling at all.
     */
    class Batch
    {
    public:
        explicit Batch(Graph &graph);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        Graph &m_graph;
    };

public slots:
    /// Undoes the last change, logging it.
    void undo();
    /// Redoes the last change undone, logging it.
    void redo();

    void addVerticle();
    /// The new vertex, or null with a message when the graph already has MaxVerticles.
    GraphVerticle *addVerticle(QPointF where);
    void removeVerticle();
    void removeVerticle(GraphVerticle *v);
    void addEdge();
    bool addEdge(GraphVerticle *start, GraphVerticle *end, qreal p_weight);
    bool addEdge(GraphVerticle *start, GraphVerticle *end);
    void removeEdge();
    void removeEdge(GraphEdge *edge);

signals:
    void showExternInfo(const QString &info);
    void stateChanged(const QString &state);
    void verticleClicked(GraphVerticle *vert);
    /// Every setMode(), with the mode's value, announced or not.
    void modeChanged(int mode);
    /// An edge was double-clicked in the idle mode of an editable scene: the user wants to type its weight.
    void edgeDoubleClicked(GraphEdge *edge);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;

private:
    friend class EditCommand;
    // What the commands do to the drawing: items go out of the scene and come
    // back without being deleted, so that they keep their identity.
    // Both in bulk: the cost is the number of items, whatever their number or degree.
    void takeOut(const QList<GraphVerticle *> &verticles, const QList<GraphEdge *> &edges);
    /// The vertices go back to the given places of the vertex list, in ascending order of place.
    void putIn(const QList<QPair<GraphVerticle *, int>> &verticles, const QList<GraphEdge *> &edges);
    void removeItemsInBulk(QList<QGraphicsItem *> items);
    void editedStructure();
    void placeVerticle(GraphVerticle *v, QPointF where);
    void forgetUndoSteps();
    /// True while one more vertex can have a name of its own; else says so.
    bool hasRoomForVerticle();

    using EdgeKey = QPair<quint64, quint64>;
    static EdgeKey keyOf(const GraphEdge *edge);
    /// PickMargin screen pixels in scene units, at the zoom of the view the event came through.
    static qreal pickMargin(const QGraphicsSceneMouseEvent *event);
    template<typename Item>
    static Item *topmost(const QList<QGraphicsItem *> &items);
    template<typename Visit>
    void forEachEdge(Visit visit) const;
    void dropRubberBand();
    void relabelAfterEdit(bool additionOnly);
    void followDrawing();
    void detachEdge(GraphEdge *edge);
    void insertIncidence(GraphEdge *edge);

    int m_weightScheme = Unit;
    QList<GraphVerticle *> m_verticles;
    // The edges themselves are kept by their ends (GraphVerticle's incidence
    // lists, in key order); this counts them.
    int m_edgeCount = 0;
    int m_batchDepth = 0;
    bool m_relabelPending = false;
    bool m_rectPending = false;
    int m_mode = Idle;
    QGraphicsLineItem *m_rubberBand = nullptr;
    QUndoStack m_undoStack;
    // Inside a step of the undo stack, which may itself empty the scene.
    int m_commandDepth = 0;
    bool m_editable = true;
    // A vertex pressed in the idle mode, where it was, and whether the mouse has dragged it yet.
    GraphVerticle *m_pressed = nullptr;
    QPointF m_pressedAt;
    QPointF m_pressedFrom;
    bool m_dragging = false;
    LookRecorder *m_lookRecorder = nullptr;
};

#endif // GRAPH_H
