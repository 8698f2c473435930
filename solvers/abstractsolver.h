#ifndef ABSTRACTSOLVER_H
#define ABSTRACTSOLVER_H

#include "solvers/timeline.h"
#include "ui_abstractsolver.h"

#include <QDialog>
#include <QList>

#include <deque>
#include <memory>

class Graph;
class GraphEdge;
class GraphVerticle;
class QGraphicsItem;
class QTimer;

/*
 * How a run can go back: the timeline (solvers/timeline.h) records, for
 * every step, what the step changed as old and new values: the looks of the
 * scene's items (their marking operations tell it, through the scene's look
 * recorder), the rows, texts, labels, hidden frames and enabled buttons of
 * the dialog (watched through their own signals, or compared before and
 * after), and the history lines it wrote. A step back applies one step's old
 * values, a jump the old or new values of every item and widget the skipped
 * steps touched, each once; the history greys later steps' lines when it
 * paints them. The solver's own state comes back from a small copy kept for
 * every step (keepTimelineState): what a run only adds to is kept in logs
 * that go back by a count (solvers/runlog.h), so the copy is a few numbers.
 *
 * A step begins when the dialog sees an action: a press of "Krok dalej...",
 * a click on a vertex (the base hears it before the solver does) or a press
 * of a button in the solver's panel. A step forward inside the timeline
 * replays the recorded step instead of running the solver again, so no line
 * is written twice; anything else done at an earlier moment drops the steps
 * after it. The step methods know nothing of all this.
 */

/**
 * The dialog every algorithm runs in: a second view of the main window's
 * scene, an instruction label, a time-stamped history, the "Krok dalej..."
 * button with the controls of the timeline, and a 200-pixel panel for the
 * algorithm's own controls. A click of the button runs one stepForward() of
 * the concrete solver, or replays it after a step back.
 */
class AbstractSolver : public QDialog
{
    Q_OBJECT

public:
    AbstractSolver(Graph *graph, QWidget *parent);
    ~AbstractSolver() override;

    /// Where the run stands: -1 before the start vertex is chosen, then the number of steps after it.
    int timelinePosition() const;
    /// How many steps the timeline holds, those after the present moment included.
    int timelineLength() const;
    bool isPlaying() const;

public slots:
    void stepBack();
    /// Back to the moment right after the start vertex was chosen; a click on a vertex then starts anew.
    void goToStart();
    /// Forward along the timeline, then on to the end of the run.
    void goToEnd();
    void togglePlay();
    /// To the moment right after step position (-1: before the start).
    void jumpTo(int position);
    /// Steps a second while playing.
    void setPace(double stepsPerSecond);

protected:
    /// Replaces the instruction for the step the next click performs.
    void setCurrentInfo(const QString &info);
    /// Adds "hh:mm:ss - line" at the top of the history.
    void addEventLogLine(const QString &line);
    void setSolverTitle(const QString &title);
    /// Places the solver's own widget in the side panel, which takes it over.
    void addInheritedWidget(QWidget *widget);
    void enableStepForward();
    void disableStepForward();

    /// One step of the algorithm.
    virtual void stepForward() = 0;

    /**
     * Keeps the solver's own state on the timeline: save returns it in a
     * small, copyable form, restore brings the solver back to it. State has
     * a member `start`, the start vertex or null before there is one.
     */
    template<typename Solver, typename State>
    void keepTimelineState(Solver *solver, State (Solver::*save)() const, void (Solver::*restore)(const State &));

    /// After every step and every move along the timeline; finished when the run has ended there.
    virtual void showResult(bool finished);

    /// Marks drawn over the canvas that no step uses: results go at the next step or move, refusals with the dialog.
    enum CanvasLayer { ResultLayer, RefusalLayer };
    /// A ring `spread` units outside the circle.
    void markVerticle(GraphVerticle *v, const QColor &colour, CanvasLayer layer, int spread = 5);
    void markEdge(GraphEdge *e, const QColor &colour, CanvasLayer layer);
    /// The number of an edge on a route, beside the edge's middle.
    void numberEdge(GraphEdge *e, int number);
    void clearResultMarks();
    /// Colours each piece of the graph differently and names the pieces in the history (edgesOnly: pieces with edges).
    void explainPieces(bool edgesOnly);
    /// What the run cannot go on from: said in the history and the instruction, and the run stops.
    void reportBrokenRun(const QString &what);
    /// "A, B, C" for at most `shown` vertices, then how many more.
    static QString verticleNames(const QList<GraphVerticle *> &verticles, int shown);

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// The main window's scene; borrowed for the dialog's lifetime.
    Graph *graph;

private slots:
    void stepForwardButtonClicked();

private:
    template<typename Solver, typename State>
    class StateStore;

    void stepForwardKey();
    void actionBegins(Timeline::Trigger trigger, int button = -1);
    void settle();
    bool forward(bool stepButton);
    bool canForward() const;
    void afterChange();
    void updateControls();
    void playTick();
    void stopPlay();
    void startPlay(bool toEnd);
    void addMark(QGraphicsItem *item, CanvasLayer layer);

    Ui::AbstractSolverClass ui;
    Timeline *m_timeline;
    QTimer *m_playTimer;
    bool m_playingToEnd = false;
    double m_pace = 1.0;
    QList<QGraphicsItem *> m_resultMarks;
    QList<QGraphicsItem *> m_refusalMarks;
};

template<typename Solver, typename State>
class AbstractSolver::StateStore final : public TimelineStateStore
{
public:
    StateStore(Solver *solver, State (Solver::*save)() const, void (Solver::*restore)(const State &))
        : m_solver(solver)
        , m_save(save)
        , m_restore(restore)
    {
    }
    void save(int position) override
    {
        m_states.resize(position + 1);
        m_states.push_back((m_solver->*m_save)());
    }
    void restore(int position) override { (m_solver->*m_restore)(m_states[position + 1]); }
    bool started() const override { return (m_solver->*m_save)().start != nullptr; }

private:
    Solver *m_solver;
    State (Solver::*m_save)() const;
    void (Solver::*m_restore)(const State &);
    // The state before the start first, then one per step.
    std::deque<State> m_states;
};

template<typename Solver, typename State>
void AbstractSolver::keepTimelineState(Solver *solver, State (Solver::*save)() const,
                                       void (Solver::*restore)(const State &))
{
    m_timeline->setStateStore(std::make_unique<StateStore<Solver, State>>(solver, save, restore));
}

#endif // ABSTRACTSOLVER_H
