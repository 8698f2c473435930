#ifndef EXERCISE_H
#define EXERCISE_H

#include "graph/graphgenerator.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <vector>

class AbstractSolver;
class CanvasMarks;
class GraphEdge;
class GraphVerticle;
class QBoxLayout;
class QCheckBox;
class QGraphicsItem;
class QGraphicsView;
class QLabel;
class QPushButton;

/**
 * One thing the next step of a run decides, as a solver describes it to the
 * exercise mode: what is right now, and what the explanations of a wrong
 * answer need to know of the algorithm's state.
 */
struct ExerciseDecision
{
    enum Kind {
        YesNo,     ///< the answer is `yes`
        EdgeSet,   ///< every edge of `right` is to be clicked, and no other
        LeastEdge, ///< any edge of `right` (those of least value among `listed`) is right
        AnyEdge    ///< any edge of `right` is right
    };
    /// Whose words explain a mistake: Minty's labels, Dijkstra-Prim's tree, Fleury's walk.
    enum Words { Labels, Tree, Walk };

    Kind kind = YesNo;
    Words words = Labels;
    bool yes = false;
    QList<GraphEdge *> right;
    /// The current edges (LeastEdge), or every edge listed so far (EdgeSet of the tree).
    QSet<GraphEdge *> listed;
    /// The vertex the decision is about: Fleury's current one, the tree's last one.
    GraphVerticle *at = nullptr;
    /// The vertices a yes-or-no answer turns on: those not labelled, or not in the tree.
    QList<GraphVerticle *> outside;
    /// Labelled, or in the tree.
    std::function<bool(const GraphVerticle *)> inside;
    /// A labelled vertex's value (Minty).
    std::function<qreal(const GraphVerticle *)> value;
};

/**
 * The exercise mode of a solver dialog: the student makes each decision the
 * algorithm makes, and this checks it against the decisions the solver
 * describes. A right answer runs the step along the student's choice, as a
 * step of the timeline; a wrong one changes nothing in the run, and is
 * explained in the history and beside the item on the canvas. Counts
 * decisions, mistakes and hints, and sums them up when the run ends.
 */
class Exercise : public QObject
{
    Q_OBJECT

public:
    /// The dialog's result when the student asks for a new exercise ("Nowe ćwiczenie").
    enum { NewExercise = 2 };

    Exercise(AbstractSolver *dialog, QGraphicsView *view, QBoxLayout *panel);
    ~Exercise() override;

    /// The settings of a new exercise's graph: of the kind, about the size of the present drawing, a new number.
    static GraphGenerator::Settings nextGraph(const Graph &graph, GraphGenerator::Kind kind);
    /// Switches the mode on for a graph just made, naming it in the history.
    void begin(const QString &graphTitle);

    bool isActive() const;
    /// What the student is asked now; null when the next step decides nothing (or the mode is off).
    const ExerciseDecision *decision() const;
    /// The edges clicked for the present decision of a set of edges.
    QList<GraphEdge *> selection() const { return m_selection; }

    int mistakes() const { return m_mistakes; }
    int hints() const { return m_hints; }
    /// The decisions of the run up to the present moment.
    int decisions() const;
    /// "12 decyzji, 2 błędy, 1 podpowiedź, 3 min 20 s".
    QString summary() const;
    /// The explanation of the last wrong answer, as the canvas shows it; empty after a right one.
    QString note() const { return m_noteText; }

    /// Whether the dialog's step waits for an answer; pressing on confirms a set of edges.
    bool holdsForward();
    /// Inside a step, before it is committed: the summary when the run has ended.
    void stepTaken();
    /// After every step and move of the timeline.
    void refresh();

public slots:
    /// Switches the mode; after the start the run begins again.
    void setActive(bool active);
    /// As a click on the edge on the canvas: chosen (one edge), or added to or taken from the set.
    void clickEdge(GraphEdge *edge);
    void answer(bool yes);
    /// Confirms the edges clicked for a set.
    void confirm();
    /// Shows every right answer to the present decision on the canvas.
    void showHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpPanel(QBoxLayout *panel);
    void right(GraphEdge *choice);
    void wrong(const QString &why, const QGraphicsItem *where);
    QString explainEdge(const ExerciseDecision &d, GraphEdge *edge) const;
    QString explainMissing(const ExerciseDecision &d, GraphEdge *edge) const;
    QString explainYesNo(const ExerciseDecision &d, bool said) const;
    QString question(const ExerciseDecision &d) const;
    void clearCanvas();
    CanvasMarks *marks(int which);
    void showSelection();
    void updatePanel();
    void restart();

    AbstractSolver *m_dialog;
    QGraphicsView *m_view;
    QCheckBox *m_check = nullptr;
    QLabel *m_question = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_hint = nullptr;
    QPushButton *m_newExercise = nullptr;
    QLabel *m_counts = nullptr;

    bool m_active = false;
    QList<ExerciseDecision> m_parts;
    int m_part = 0;
    // Where refresh last saw the run; a move elsewhere asks the decision anew.
    int m_seenPosition = -2;
    bool m_answering = false;
    QList<GraphEdge *> m_selection;
    // By timeline position, the decisions the step there answered.
    std::vector<int> m_decisionsAt;
    int m_pendingDecisions = 0;
    int m_mistakes = 0;
    int m_hints = 0;
    QElapsedTimer m_clock;
    qint64 m_finishedAfter = -1;
    QString m_noteText;
    // Selection, mistake and hint marks, and the explanation beside the item.
    CanvasMarks *m_marks[3] = {};
    QGraphicsItem *m_note = nullptr;
};

#endif // EXERCISE_H
