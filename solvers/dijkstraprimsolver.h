#ifndef DIJKSTRAPRIMSOLVER_H
#define DIJKSTRAPRIMSOLVER_H

#include "solvers/abstractsolver.h"
#include "solvers/runlog.h"
#include "ui_dijkstraprimsolver.h"

#include <QHash>
#include <QPair>

#include <deque>
#include <set>
#include <utility>
#include <vector>

class GraphEdge;
class GraphVerticle;
class QListWidgetItem;

/**
 * Grows a minimum spanning tree from a vertex the user clicks, one phase per
 * step: list the edges of the vertex visited last, drop the listed edges that
 * would close a cycle, choose the lightest listed edge and visit its far end.
 * Visited vertices and dropped edges are struck out in the side panel's lists.
 */
class DijkstraPrimSolver : public AbstractSolver
{
    Q_OBJECT

public:
    DijkstraPrimSolver(Graph *graph, QWidget *parent);
    ~DijkstraPrimSolver() override;

protected:
    /// Brings every edge and vertex of the scene back to its plain look.
    void closeEvent(QCloseEvent *event) override;
    void stepForward() override;
    QList<ExerciseDecision> exerciseDecisions() const override;

private slots:
    void setStartVerticle(GraphVerticle *v);

private:
    /// A vertex and whether it is still unvisited.
    using VerticleRecord = QPair<GraphVerticle *, bool>;
    /// An edge once listed and whether it is still a current edge.
    using EdgeRecord = QPair<GraphEdge *, bool>;
    using Phase = void (DijkstraPrimSolver::*)();

    /// What a moment of the run needs besides the logs: how much of them is in force.
    struct TimelineState
    {
        GraphVerticle *start = nullptr;
        Phase nextStep = nullptr;
        int last = -1;
        int visited = 0;
        int listed = 0;
        int dropped = 0;
        qreal treeWeight = 0;
    };
    TimelineState saveTimelineState() const;
    void restoreTimelineState(const TimelineState &state);
    void showResult(bool finished) override;

    void initVerticleRecords();
    void requestStartVerticle();
    void resetGraphMarks();
    bool isGraphConnected();
    void markReachable(GraphVerticle *v);
    void visitVerticle(VerticleRecord *record);
    int verticleRow(const VerticleRecord *record) const;
    void strikeOut(QListWidgetItem *item);
    void strikeOutEdgeRows(const GraphEdge *edge);
    bool isOpenVerticle(const GraphVerticle *v) const;
    VerticleRecord *findVerticleRecord(const GraphVerticle *v);
    bool isListedEdge(const GraphEdge *e) const;
    void addCurrentEdge(GraphEdge *e);
    void markChosenEdge(EdgeRecord *record);
    /// The record stops being a current edge.
    void dropEdge(int record);

    void addIncidentEdges();
    void removeCycleEdges();
    void chooseLightestEdge();
    void finishSpanningTree();

    Ui::DijkstraPrimSolverClass ui;
    VerticleRecord *lastRecord = nullptr;
    VerticleRecord *startRecord = nullptr;
    Phase nextStep = nullptr;
    // Filled once in the constructor and never resized: the record pointers above stay valid.
    std::vector<VerticleRecord> verticleRecords;
    // Grows while pointers to its records are held; a deque never moves what it already holds.
    std::deque<EdgeRecord> edgeRecords;
    QHash<GraphVerticle *, bool> unreached;
    // Look-ups that would otherwise walk the lists: a vertex's record, and
    // the record (which is also the row) of every edge ever listed.
    QHash<const GraphVerticle *, int> verticleIndex;
    QHash<const GraphEdge *, int> edgeIndex;
    // The current edges by weight, then by record: the first is the one to choose.
    std::set<std::pair<qreal, int>> currentByWeight;
    // Records of visited vertices, listed edges and edges no longer current, in order.
    RunLog<int> visits;
    RunLog<GraphEdge *> listings;
    RunLog<int> drops;
    qreal treeWeight = 0;
};

#endif // DIJKSTRAPRIMSOLVER_H
