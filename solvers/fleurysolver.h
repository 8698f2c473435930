#ifndef FLEURYSOLVER_H
#define FLEURYSOLVER_H

#include "solvers/abstractsolver.h"
#include "solvers/runlog.h"
#include "ui_fleurysolver.h"

#include <QHash>
#include <QList>
#include <QString>

class GraphEdge;
class GraphVerticle;

/**
 * Finds an Euler cycle by a stack-based edge-removal walk from a vertex the
 * user clicks, one elementary action per click of the step button or the
 * whole walk at once ("szybkie rozwiazanie"). Closing it restores the plain
 * look of the graph.
 */
class FleurySolver : public AbstractSolver
{
    Q_OBJECT

public:
    /// What the next step does.
    enum FleuryPhase {
        CheckIsolated,
        ChooseNeighbour,
        PushCurrent,
        MarkEdgeRemoved,
        MoveToNeighbour,
        PopStack,
        Finish,
        AwaitStart,
        QuickSolved
    };

    FleurySolver(Graph *graph, QWidget *parent);
    ~FleurySolver() override;

public slots:
    /// Takes the clicked vertex as the start of the walk; acts only while waiting for it.
    void setStart(GraphVerticle *verticle);

protected:
    void stepForward() override;
    QList<ExerciseDecision> exerciseDecisions() const override;

private slots:
    void quickSolve();

private:
    /// A moment of the run: the stacks are kept whole, so their tops are enough.
    struct TimelineState
    {
        GraphVerticle *start = nullptr;
        GraphVerticle *current = nullptr;
        GraphVerticle *neighbour = nullptr;
        int phase = AwaitStart;
        int stack = -1;
        int solution = -1;
        int removed = -1;
    };
    TimelineState saveTimelineState() const;
    void restoreTimelineState(const TimelineState &state);
    void showResult(bool finished) override;
    void explainRefusal();

    bool checkEulerian(Graph *graph);
    void initData();
    GraphVerticle *chooseNeighbour(GraphVerticle *v);
    GraphEdge *removeEdgeBetween(GraphVerticle *a, GraphVerticle *b);
    GraphEdge *takeEdgeBetween(GraphVerticle *a, GraphVerticle *b);
    bool isIsolated(GraphVerticle *v);
    GraphEdge *firstUnremovedEdge(GraphVerticle *v);
    void addToSolution(GraphVerticle *v);
    void recordSolution(GraphVerticle *v);
    void buildRoute();
    void refuseWalk();

    Ui::FleurySolverClass ui;

    RunStack<GraphVerticle *> verticleStack;
    QList<GraphEdge *> allEdges;
    // A stop keeps its vertex's name: a route of thousands of stops is
    // written without going back to every vertex for it.
    struct Stop
    {
        GraphVerticle *verticle;
        QChar name;
    };
    // Grows at its top: the vertex added last is on top.
    RunStack<Stop> solution;
    GraphVerticle *currentVerticle = nullptr;
    GraphVerticle *neighbourVerticle = nullptr;
    GraphVerticle *startVerticle = nullptr;
    GraphEdge *lastRemovedEdge = nullptr;
    QHash<GraphEdge *, bool> removedEdges;
    // The edges removed, in order, so that going back knows which flags to clear.
    RunStack<GraphEdge *> removals;
    // For each vertex, how far along its edges every edge is removed: edges
    // only ever get removed, so the walk never looks at one twice.
    QHash<GraphVerticle *, int> removedPrefix;
    bool eulerian = false;
    QString route;
    int phase = AwaitStart;
};

#endif // FLEURYSOLVER_H
