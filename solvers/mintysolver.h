#ifndef MINTYSOLVER_H
#define MINTYSOLVER_H

#include "solvers/abstractsolver.h"
#include "solvers/runlog.h"
#include "ui_mintysolver.h"

#include <QHash>
#include <QList>
#include <QSet>

class GraphEdge;
class GraphVerticle;

/**
 * Minty's shortest paths, one phase per click: from a start vertex the user
 * picks, find the current edges (one labelled end), choose the one of least
 * sum, label its open end, until every vertex has its value; then list every
 * vertex's value and path.
 */
class MintySolver : public AbstractSolver
{
    Q_OBJECT

public:
    MintySolver(Graph *graph, QWidget *parent);
    ~MintySolver() override;

protected:
    /// Gives the canvas back its plain look; Escape closes without it, leaving the marks.
    void closeEvent(QCloseEvent *e) override;
    void stepForward() override;
    QList<ExerciseDecision> exerciseDecisions() const override;

private slots:
    void setStartVerticle(GraphVerticle *v);

private:
    using Phase = void (MintySolver::*)();

    /// What a moment of the run needs besides the logs: how much of them is in force.
    struct TimelineState
    {
        GraphVerticle *start = nullptr;
        int phase = 0;
        int labelled = 0;
        int chosen = 0;
        // The current edges are those found when this many vertices were labelled (none when negative):
        // a run keeps thousands of such lists, a count is all they need.
        int currentFrom = -1;
    };
    TimelineState saveTimelineState() const;
    void restoreTimelineState(const TimelineState &state);
    void showResult(bool finished) override;
    void showWay(int row);
    bool refuseNegativeWeights();

    void requestStartVerticle();
    void resetGraphMarks();
    bool isGraphConnected();
    void markReachable(GraphVerticle *v);
    void initLabels();
    void labelVerticle(GraphVerticle *v, double value);
    double edgeSum(GraphEdge *e);
    void markCurrentEdge(GraphEdge *e);
    QList<GraphEdge *> edgesLeaving(int labelled) const;
    void markChosenEdge(GraphEdge *e);
    GraphVerticle *otherEnd(GraphEdge *e, GraphVerticle *cur);
    bool isChosenEdge(GraphEdge *e);
    /// The vertices of the shortest way from the start to v, start first; empty when the chosen edges lead nowhere.
    QList<GraphVerticle *> wayTo(GraphVerticle *v);
    QString shortestWay(GraphVerticle *v);

    void findCurrentEdges();
    void chooseMinimalSumEdge();
    void checkAllLabelled();
    void showShortestWays();

    Ui::MintySolverClass ui;
    QHash<GraphVerticle *, bool> openVerticles;
    QHash<GraphVerticle *, double> verticleValues;
    QList<GraphEdge *> currentEdges;
    int currentFrom = -1;
    // Only asked whether an edge is among them.
    QSet<GraphEdge *> chosenEdges;
    // Each labelled vertex with its place in the labelling order (the start is 0).
    QHash<GraphVerticle *, int> labelledVerticles;
    GraphVerticle *startVerticle = nullptr;
    Phase phases[4];
    int phase = 0;
    // Vertices in labelling order with their values, and the chosen edges in choosing order.
    RunLog<QPair<GraphVerticle *, double>> labelLog;
    RunLog<GraphEdge *> chosenLog;
};

#endif // MINTYSOLVER_H
