#include "solvers/fleurysolver.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "solvers/longlinelayout.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QTabBar>
#include <QTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace {

void markStart(GraphVerticle *v)
{
    v->setPenColor(Qt::black);
    v->setPenWidth(3);
    v->setRadius(15);
}

void markCurrent(GraphVerticle *v)
{
    v->setBrushColor(Qt::green);
    v->setPenColor(Qt::black);
    v->setPenWidth(3);
}

void markNeighbour(GraphVerticle *v)
{
    v->setPenColor(Qt::green);
    v->setPenWidth(3);
    v->setBrushColor(Qt::white);
}

void markRemoved(GraphEdge *e)
{
    e->setPenStyle(Qt::DashLine);
    e->setPenColor(Qt::gray);
    e->setPenWidth(1.0);
}

// Goes through the document, not the edit's own cursor: a click in the box or
// a new text moves that one, and the entries must stay in order.
void appendPlain(QTextEdit *edit, const QString &text)
{
    QTextDocument *document = edit->document();
    QTextCursor end(document);
    // Outside an edit block a cursor lays its whole paragraph out to know its
    // column: one growing paragraph would be laid out again at every entry.
    end.beginEditBlock();
    end.setPosition(document->characterCount() - 1);
    end.insertText(text);
    end.endEditBlock();
}

// The stack box holds the stack bottom to top, each entry with its comma: a
// pop takes the last entry off the end.
// Counted in characters, not in cursor steps: a name that is a combining mark
// joins the comma before it into one step.
void removeLastPlain(QTextEdit *edit, int length)
{
    QTextDocument *document = edit->document();
    const int end = document->characterCount() - 1;
    QTextCursor last(document);
    last.beginEditBlock();
    last.setPosition(qMax(0, end - length));
    last.setPosition(end, QTextCursor::KeepAnchor);
    last.removeSelectedText();
    last.endEditBlock();
}

void showRoute(QTextEdit *edit, const QString &route)
{
    // Qt 4's weight 99, the heaviest there, is Black on Qt 6's scale.
    edit->setFontWeight(QFont::Black);
    // Setting the whole text makes the box look for its cursor, which shapes
    // the whole paragraph: tens of thousands of characters of mixed scripts
    // at the end of a long run. The first name is set, the whole route added
    // behind the box's cursor and the first name taken back, in one edit
    // block: the box shapes only the lines it shows, and the document
    // reports one new text in place of the old. (The route put in front of
    // a cursor told to keep its place would come out selected: the cursor
    // keeps its position, not its anchor.)
    edit->setPlainText(route.left(1));
    if (route.size() > 1) {
        QTextCursor text(edit->document());
        text.beginEditBlock();
        text.setPosition(1);
        text.insertText(route, edit->currentCharFormat());
        text.setPosition(0);
        text.setPosition(1, QTextCursor::KeepAnchor);
        text.removeSelectedText();
        text.endEditBlock();
        edit->document()->setModified(false);
    }
}

// A route wraps only between vertices: every name is one character, so lines
// of whole "X->" pieces (three characters each) never split an arrow.
class RouteWrap : public QObject
{
public:
    explicit RouteWrap(QTextEdit *edit, LongLineLayout *layout)
        : QObject(edit)
        , m_edit(edit)
        , m_layout(layout)
    {
        edit->setWordWrapMode(QTextOption::WrapAnywhere);
        edit->setLineWrapMode(QTextEdit::FixedColumnWidth);
        edit->viewport()->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            fit();
        return false;
    }

private:
    void fit()
    {
        // Measured once a font: the box is fitted again whenever its scroll bar comes or goes.
        if (m_piece < 0 || m_pieceFont != m_edit->font()) {
            m_pieceFont = m_edit->font();
            QFont font = m_pieceFont;
            font.setWeight(QFont::Black);
            const QFontMetrics metrics(font);
            m_piece = qMax(metrics.horizontalAdvance(QStringLiteral("W->")),
                           metrics.horizontalAdvance(QStringLiteral("M->")));
        }
        const int room = m_edit->viewport()->width() - 2 * int(m_edit->document()->documentMargin());
        const int columns = 3 * qMax(1, room / qMax(1, m_piece));
        if (columns != m_edit->lineWrapColumnOrWidth())
            m_edit->setLineWrapColumnOrWidth(columns);
        m_layout->setColumns(columns);
    }

    QTextEdit *m_edit;
    LongLineLayout *m_layout;
    QFont m_pieceFont;
    int m_piece = -1;
};

} // namespace

FleurySolver::FleurySolver(Graph *graph, QWidget *parent)
    : AbstractSolver(graph, parent)
{
    auto *panel = new QWidget;
    ui.setupUi(panel);
    // The panel is only 200 pixels wide: both tab titles must stay in sight,
    // whole, or the quick solve goes unnoticed; a smaller font makes them fit.
    ui.tabWidget->setUsesScrollButtons(false);
    ui.tabWidget->setElideMode(Qt::ElideNone);
    QTabBar *tabs = ui.tabWidget->tabBar();
    for (QFont font = tabs->font(); tabs->sizeHint().width() > ui.tabWidget->width() && font.pointSizeF() > 6;) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        tabs->setFont(font);
    }
    // The boxes a long run fills: each change lays out only what it changed.
    for (QTextEdit *box : {ui.stosEdit, ui.krawedzieEdit, ui.rozwiazanieEdit})
        LongLineLayout::install(box);
    new RouteWrap(ui.trasaEdit, LongLineLayout::install(ui.trasaEdit));
    new RouteWrap(ui.trasaEdit2, LongLineLayout::install(ui.trasaEdit2));
    addInheritedWidget(panel);
    connect(ui.solveButton, &QPushButton::clicked, this, &FleurySolver::quickSolve);

    initData();
    disableStepForward();
    ui.solveButton->setEnabled(false);

    eulerian = checkEulerian(graph);
    if (graph->verticles().isEmpty()) {
        // No vertex to click: waiting for a start would wait for ever.
        setCurrentInfo(tr("Wprowadzony graf nie ma wierzchołków!!!"));
    } else if (eulerian) {
        // Through tr() like every other line: the same text unless an English catalogue is loaded.
        addEventLogLine(tr("wprowadzono graf eulerowski."));
        setCurrentInfo(tr("Wybierz wierzchołek początkowy."));
        connect(graph, &Graph::verticleClicked, this, &FleurySolver::setStart);
    } else {
        addEventLogLine(tr("ERR: Wprowadzono nie-eulerowski graf."));
        setCurrentInfo(tr("Wprowadź graf Eulerowski."));
        explainRefusal();
    }
    // The canvas item for the route's numbers, made now: adding an item to a
    // scene of thousands costs milliseconds, which the click that ends a run should not pay.
    numberEdgesLater({});
    keepTimelineState(this, &FleurySolver::saveTimelineState, &FleurySolver::restoreTimelineState);
    setSolverTitle(tr("Algorytm Fleury'ego"));
    setHelpPage(QStringLiteral("fleury"));
    offerExercise();
}

QList<ExerciseDecision> FleurySolver::exerciseDecisions() const
{
    if (!eulerian || !currentVerticle || (phase != CheckIsolated && phase != ChooseNeighbour))
        return {};
    ExerciseDecision d;
    d.words = ExerciseDecision::Walk;
    d.at = currentVerticle;
    for (GraphEdge *e : currentVerticle->edges()) {
        if (!removedEdges.value(e))
            d.right.append(e);
    }
    d.kind = phase == CheckIsolated ? ExerciseDecision::YesNo : ExerciseDecision::AnyEdge;
    d.yes = d.right.isEmpty();
    return {d};
}

// Why the graph has no Euler cycle: the vertices of odd degree, and the pieces its edges fall into.
void FleurySolver::explainRefusal()
{
    QList<GraphVerticle *> odd;
    const QList<GraphVerticle *> verticles = graph->verticles();
    for (GraphVerticle *v : verticles) {
        if (v->edges().size() % 2 != 0) {
            odd.append(v);
            // Wider than the rings of the pieces, which may be drawn too.
            markVerticle(v, Qt::red, RefusalLayer, 11);
        }
    }
    if (!odd.isEmpty())
        addEventLogLine(tr("Wierzchołki o nieparzystym stopniu: %1.").arg(verticleNames(odd, 30)));
    explainPieces(true);
}

FleurySolver::TimelineState FleurySolver::saveTimelineState() const
{
    return {startVerticle,          currentVerticle,     neighbourVerticle, phase,
            verticleStack.topNode(), solution.topNode(), removals.topNode()};
}

void FleurySolver::restoreTimelineState(const TimelineState &state)
{
    startVerticle = state.start;
    currentVerticle = state.current;
    neighbourVerticle = state.neighbour;
    phase = state.phase;
    verticleStack.setTopNode(state.stack);
    solution.setTopNode(state.solution);
    // An edge back in the graph may lie before how far a vertex's edges were known to be removed.
    removals.moveTop(
        state.removed,
        [this](GraphEdge *e) {
            removedEdges[e] = false;
            removedPrefix.remove(e->start());
            removedPrefix.remove(e->end());
        },
        [this](GraphEdge *e) { removedEdges[e] = true; });
}

// The route on the canvas: each edge numbered in the order the route takes it.
void FleurySolver::showResult(bool finished)
{
    if (!finished || solution.isEmpty())
        return;
    revealInPanel(phase == QuickSolved ? ui.trasaEdit2 : ui.trasaEdit);
    numberEdgesLater([this, top = solution.topNode()](const std::function<void(GraphEdge *)> &number) {
        GraphVerticle *previous = nullptr;
        solution.forEachFrom(top, [&](const Stop &stop) {
            GraphVerticle *v = stop.verticle;
            if (previous) {
                if (GraphEdge *e = graph->edgeBetween(previous, v))
                    number(e);
            }
            previous = v;
        });
    });
}

FleurySolver::~FleurySolver()
{
    graph->resetEdges();
    graph->resetVerticles();
}

// Even degrees alone would let a graph of two separate cycles through, and the
// walk would then miss one of them; vertices without edges do not matter.
bool FleurySolver::checkEulerian(Graph *graph)
{
    const QList<GraphVerticle *> verticles = graph->verticles();
    GraphVerticle *seed = nullptr;
    for (GraphVerticle *v : verticles) {
        const int degree = v->edges().size();
        if (degree % 2 != 0)
            return false;
        if (degree > 0 && !seed)
            seed = v;
    }
    if (!seed)
        return true;

    QHash<GraphVerticle *, bool> unreached;
    for (GraphVerticle *v : verticles)
        unreached[v] = true;
    Graph::closeReachable(seed, unreached);
    for (GraphVerticle *v : verticles) {
        if (unreached.value(v) && !v->edges().isEmpty())
            return false;
    }
    return true;
}

void FleurySolver::initData()
{
    allEdges = graph->edges();
    for (GraphEdge *edge : std::as_const(allEdges))
        removedEdges[edge] = false;
    phase = AwaitStart;
}

void FleurySolver::setStart(GraphVerticle *verticle)
{
    if (phase != AwaitStart)
        return;
    // A vertex without edges would end the walk at once and leave every edge out.
    if (!allEdges.isEmpty() && verticle->edges().isEmpty()) {
        setCurrentInfo(tr("Wybierz wierzchołek, z którego wychodzą krawędzie."));
        return;
    }

    startVerticle = verticle;
    markStart(startVerticle);
    currentVerticle = startVerticle;
    addToSolution(currentVerticle);
    markCurrent(currentVerticle);
    phase = CheckIsolated;
    addEventLogLine(tr("wierzcholek %1 został oznaczony jako początkowy.").arg(currentVerticle->name()));

    enableStepForward();
    ui.solveButton->setEnabled(true);
    setCurrentInfo(tr("Klikaj w przycisk 'krok dalej'"));
}

// The first edge of v, in its edge order, that is not removed yet; null when all are.
GraphEdge *FleurySolver::firstUnremovedEdge(GraphVerticle *v)
{
    const QList<GraphEdge *> edges = v->edges();
    int &prefix = removedPrefix[v];
    while (prefix < edges.size() && removedEdges.value(edges.at(prefix)))
        ++prefix;
    return prefix < edges.size() ? edges.at(prefix) : nullptr;
}

GraphVerticle *FleurySolver::chooseNeighbour(GraphVerticle *v)
{
    GraphEdge *edge = studentChoice() ? studentChoice() : firstUnremovedEdge(v);
    if (!edge)
        return nullptr;
    GraphVerticle *neighbour = edge->end() == v ? edge->start() : edge->end();
    markNeighbour(neighbour);
    return neighbour;
}

GraphEdge *FleurySolver::removeEdgeBetween(GraphVerticle *a, GraphVerticle *b)
{
    GraphEdge *edge = takeEdgeBetween(a, b);
    if (edge)
        appendPlain(ui.krawedzieEdit, edge->name() + QLatin1Char(','));
    return edge;
}

// Removes and marks the edge between a and b, leaving the box of removed edges to the caller.
GraphEdge *FleurySolver::takeEdgeBetween(GraphVerticle *a, GraphVerticle *b)
{
    // Two vertices share at most one edge.
    GraphEdge *edge = graph->edgeBetween(a, b);
    if (!edge || removedEdges.value(edge))
        return nullptr;
    removedEdges[edge] = true;
    removals.push(edge);
    markRemoved(edge);
    return edge;
}

bool FleurySolver::isIsolated(GraphVerticle *v)
{
    return !firstUnremovedEdge(v);
}

void FleurySolver::addToSolution(GraphVerticle *v)
{
    ui.rozwiazanieEdit->setPlainText(v->name() + QLatin1Char(','));
    recordSolution(v);
}

// Adds v to the solution and the history, leaving the solution box to the caller.
void FleurySolver::recordSolution(GraphVerticle *v)
{
    solution.push({v, v->nameCharacter()});
    addEventLogLine(tr("wierzchołek %1 dodano do rozwiązania.").arg(v->name()));
}

// The solution read backwards: from its top, the vertex added last.
void FleurySolver::buildRoute()
{
    const int stops = solution.size();
    route.resize(stops > 0 ? 3 * stops - 2 : 0);
    QChar *const first = route.data();
    QChar *at = first;
    solution.forEach([first, &at](const Stop &stop) {
        if (at != first) {
            *at++ = QLatin1Char('-');
            *at++ = QLatin1Char('>');
        }
        *at++ = stop.name;
    });
}


void FleurySolver::stepForward()
{
    if (!eulerian) {
        refuseWalk();
        return;
    }

    switch (phase) {
    case CheckIsolated: {
        setCurrentInfo(tr("Sprawdzamy czy aktualny wierzchołek jest izolowany."));
        const bool isolated = isIsolated(currentVerticle);
        phase = isolated ? PopStack : ChooseNeighbour;
        addEventLogLine(isolated ? tr("wierzchołek %1 uznany za izolowany.").arg(currentVerticle->name())
                                 : tr("wierzchołek %1 uznany za nieizolowany.").arg(currentVerticle->name()));
        break;
    }
    case ChooseNeighbour:
        setCurrentInfo(tr("Wybieramy dowolny wierzchołek sąsiadujący"));
        neighbourVerticle = chooseNeighbour(currentVerticle);
        // The vertex was just found not isolated: it has an edge to walk.
        if (!neighbourVerticle) {
            reportBrokenRun(tr("wierzchołek %1 nie ma nieusuniętej krawędzi").arg(currentVerticle->name()));
            return;
        }
        phase = PushCurrent;
        addEventLogLine(tr("wierzchołek %1 wybrano jako sąsiadujący do %2")
                            .arg(neighbourVerticle->name(), currentVerticle->name()));
        break;
    case PushCurrent:
        setCurrentInfo(tr("Odkładamy obecny wierzchołek na stos."));
        verticleStack.push(currentVerticle);
        appendPlain(ui.stosEdit, currentVerticle->name() + QLatin1Char(','));
        phase = MarkEdgeRemoved;
        addEventLogLine(tr("wierzchołek %1 został umieszczony na stosie.").arg(currentVerticle->name()));
        break;
    case MarkEdgeRemoved:
        setCurrentInfo(tr("Oznaczamy krawedź pomiędzy obecnym wierzchołkiem, a wierzchołkiem sąsiadującym jako usuniętą."));
        lastRemovedEdge = removeEdgeBetween(neighbourVerticle, currentVerticle);
        if (!lastRemovedEdge) {
            reportBrokenRun(
                tr("brak krawędzi między %1 a %2").arg(currentVerticle->name(), neighbourVerticle->name()));
            return;
        }
        phase = MoveToNeighbour;
        addEventLogLine(tr("usunięto krawedź %1").arg(lastRemovedEdge->name()));
        break;
    case MoveToNeighbour:
        setCurrentInfo(tr("Zmieniamy obecny wierzchołek na wierzchołek sąsiadujący."));
        currentVerticle = neighbourVerticle;
        markCurrent(currentVerticle);
        phase = CheckIsolated;
        addEventLogLine(tr("zmiana aktualnego wierzchołka na %1.").arg(currentVerticle->name()));
        break;
    case PopStack:
        if (verticleStack.isEmpty()) {
            setCurrentInfo(tr("Stos był już pusty - zatem kończymy pracę."));
            phase = Finish;
            addEventLogLine(tr("stwierdzono stan stosu: pusty - przystępuję do końca pracy algorytmu."));
        } else {
            setCurrentInfo(tr("Sciągamy wierzchołek ze stosu."));
            currentVerticle = verticleStack.pop();
            addToSolution(currentVerticle);
            removeLastPlain(ui.stosEdit, currentVerticle->name().size() + 1);
            phase = CheckIsolated;
            addEventLogLine(tr("sciągnięto wierzchołek %1 ze stosu.").arg(currentVerticle->name()));
        }
        break;
    case Finish:
        buildRoute();
        setCurrentInfo(tr("Uzyskaliśmy wynik"));
        showRoute(ui.trasaEdit, route);
        disableStepForward();
        break;
    case AwaitStart:
        setCurrentInfo(tr("Wybierz wierzchołek początkowy."));
        break;
    default:
        break;
    }
}

void FleurySolver::quickSolve()
{
    // The exercise asks every decision of the walk; solving it at once would answer them all.
    if (exerciseActive())
        return;
    // Only a vertex of an accepted graph becomes the start; a call without one
    // has nothing to walk from.
    if (!startVerticle) {
        if (!eulerian)
            refuseWalk();
        ui.solveButton->setEnabled(false);
        return;
    }

    currentVerticle = startVerticle;
    verticleStack.clear();
    solution.clear();
    for (GraphEdge *edge : std::as_const(allEdges))
        removedEdges[edge] = false;
    removals.clear();
    removedPrefix.clear();
    disableStepForward();
    phase = QuickSolved;
    addToSolution(currentVerticle);
    addEventLogLine(tr("aktywowano tryb szybkiego rozwiązania."));

    // The boxes get their final text once, after the walk: filled entry by
    // entry, a long walk would lay their text out again at every entry.
    QString removedNames;
    for (;;) {
        while (!isIsolated(currentVerticle)) {
            neighbourVerticle = chooseNeighbour(currentVerticle);
            verticleStack.push(currentVerticle);
            GraphEdge *removed = takeEdgeBetween(neighbourVerticle, currentVerticle);
            if (!removed) {
                reportBrokenRun(tr("wierzchołek %1 nie ma nieusuniętej krawędzi").arg(currentVerticle->name()));
                return;
            }
            removedNames += removed->name() + QLatin1Char(',');
            currentVerticle = neighbourVerticle;
        }
        if (verticleStack.isEmpty())
            break;
        currentVerticle = verticleStack.pop();
        recordSolution(currentVerticle);
    }
    if (!removedNames.isEmpty())
        appendPlain(ui.krawedzieEdit, removedNames);
    ui.rozwiazanieEdit->setPlainText(currentVerticle->name() + QLatin1Char(','));
    buildRoute();
    showRoute(ui.trasaEdit2, route);
    setCurrentInfo(tr("Wyznaczono rozwiązanie."));
    addEventLogLine(tr("dokonano 'szybkiego rozwiązania'."));
    ui.solveButton->setEnabled(false);
}

void FleurySolver::refuseWalk()
{
    addEventLogLine(tr("ERR: Próba realizacji algorytmu Fleurego na nie-eulerowskim grafie."));
    setCurrentInfo(tr("Wprowadź graf Eulerowski."));
}
