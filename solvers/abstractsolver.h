#ifndef ABSTRACTSOLVER_H
#define ABSTRACTSOLVER_H

#include "solvers/canvasmarks.h"
#include "solvers/exercise.h"
#include "solvers/timeline.h"
#include "ui_abstractsolver.h"

#include <QDialog>

#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <type_traits>

class Graph;
class GraphEdge;
class GraphVerticle;
class QHelpEvent;
class QLabel;
class QListWidget;
class QTimer;

/*
 * How a run can go back: the timeline (solvers/timeline.h) records, for
 * every step, what the step changed as old and new values: the looks of the
 * scene's items (their marking operations tell it, through the scene's look
 * recorder), the rows, texts, labels, hidden frames and enabled buttons of
 * the dialog (watched through their own signals, or compared before and
 * after), and the history lines it wrote. A step back applies one step's old
 * values. A jump sets each item and widget the skipped steps touched once,
 * to its value at the target, found through its own records (a list starts
 * from rows kept now and then): it costs what it touches, not the steps it
 * skips. The history greys later steps' lines when it paints them. The
 * solver's own state comes back from a small copy kept for every step
 * (keepTimelineState; a copy of plain words is kept as the words that
 * changed): what a run only adds to is kept in logs that go back by a count
 * (solvers/runlog.h), so the copy is a few numbers.
 *
 * A step begins when the dialog sees an action: a press of "Krok dalej...",
 * a click on a vertex (the base hears it before the solver does) or a press
 * of a button in the solver's panel. A step forward inside the timeline
 * replays the recorded step instead of running the solver again, so no line
 * is written twice; anything else done at an earlier moment drops the steps
 * after it. The step methods know nothing of all this. In the exercise mode
 * (solvers/exercise.h) a student's answer is a step as well: a right one runs
 * the solver's step along the student's choice, a wrong one only writes why.
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
    /// Opens the help at this dialog's page (F1, "Pomoc").
    void showHelp();

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
    /// The anchor of the help's page for this dialog, such as "minty"; the help's top when empty.
    void setHelpPage(const QString &anchor);
    /// A second line under the instruction: what the next press of "Krok dalej..." does; gone at that press.
    void setNextStepHint(const QString &hint);
    /// Scrolls the side panel, when it scrolls, so that the widget shows whole (or its top, when it is taller).
    void revealInPanel(QWidget *widget);

    /// One step of the algorithm.
    virtual void stepForward() = 0;

    /// Adds the exercise mode ("Ćwiczenie") to the dialog; the solver then describes its decisions.
    void offerExercise();
    bool exerciseActive() const;
    /**
     * What the next step decides, in the order the student answers it; empty
     * for a step that decides nothing. Only asked in the exercise mode.
     */
    virtual QList<ExerciseDecision> exerciseDecisions() const;
    /// During a step the student chose an edge for: that edge, to be followed instead of the built-in choice.
    GraphEdge *studentChoice() const { return m_choice; }

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
    /// Numbers the edges walk gives, in order, when the canvas first shows them; no walk only readies the canvas.
    void numberEdgesLater(std::function<void(const std::function<void(GraphEdge *)> &number)> walk);
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
    friend class Exercise;

    void stepAlong(GraphEdge *choice);
    void fitOnScreen();
    void plainCanvas();
    void spaceKey();
    bool showRowToolTip(QListWidget *list, QHelpEvent *event);
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
    CanvasMarks *marks(CanvasLayer layer, CanvasMarks::Kind kind);
    void removeMarks(CanvasLayer layer);

    Ui::AbstractSolverClass ui;
    Timeline *m_timeline;
    QTimer *m_playTimer;
    bool m_playingToEnd = false;
    double m_pace = 1.0;
    // By layer, then kind; made when first used.
    std::array<CanvasMarks *, 6> m_marks{};
    bool m_fitted = false;
    QString m_helpPage;
    QLabel *m_nextStepLabel;
    Exercise *m_exercise = nullptr;
    GraphEdge *m_choice = nullptr;
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

    // Index 0 is the state before the start, then one per step.
    void save(int position) override
    {
        const int index = position + 1;
        const State state = (m_solver->*m_save)();
        if constexpr (compact) {
            m_ends.resize(index);
            m_words.resize(index > 0 ? m_ends[index - 1] : 0);
            m_states.resize((index + period - 1) / period);
            if (index % period == 0)
                m_states.push_back(state);
            if (index > 0) {
                const Words before = wordsOf(stateAt(index - 1));
                const Words now = wordsOf(state);
                for (quint32 word = 0; word < now.size(); ++word) {
                    if (now[word] != before[word])
                        m_words.push_back(quint64(word) << 32 | now[word]);
                }
            }
            m_ends.push_back(quint32(m_words.size()));
        } else {
            m_states.resize(index);
            m_states.push_back(state);
        }
    }
    void restore(int position) override { (m_solver->*m_restore)(stateAt(position + 1)); }
    bool started() const override { return (m_solver->*m_save)().start != nullptr; }

private:
    // A state of plain words is kept as the words that changed since the
    // state before, with the whole of every period-th: a step of a long run
    // costs the few words it changed.
    static constexpr bool compact = std::is_trivially_copyable_v<State> && sizeof(State) % 4 == 0;
    static constexpr int period = 32;
    using Words = std::array<quint32, sizeof(State) / 4>;

    static Words wordsOf(const State &state)
    {
        Words words;
        std::memcpy(words.data(), &state, sizeof(State));
        return words;
    }

    State stateAt(int index) const
    {
        if constexpr (compact) {
            Words words = wordsOf(m_states[index / period]);
            for (int at = index / period * period + 1; at <= index; ++at) {
                for (quint32 i = m_ends[at - 1]; i < m_ends[at]; ++i)
                    words[m_words[i] >> 32] = quint32(m_words[i]);
            }
            State state;
            std::memcpy(static_cast<void *>(&state), words.data(), sizeof(State));
            return state;
        } else {
            return m_states[index];
        }
    }

    Solver *m_solver;
    State (Solver::*m_save)() const;
    void (Solver::*m_restore)(const State &);
    std::deque<State> m_states;
    // Compact: each state's end in m_words, whose entries are a word's number and its new value.
    std::deque<quint32> m_ends;
    std::deque<quint64> m_words;
};

template<typename Solver, typename State>
void AbstractSolver::keepTimelineState(Solver *solver, State (Solver::*save)() const,
                                       void (Solver::*restore)(const State &))
{
    m_timeline->setStateStore(std::make_unique<StateStore<Solver, State>>(solver, save, restore));
}

#endif // ABSTRACTSOLVER_H
