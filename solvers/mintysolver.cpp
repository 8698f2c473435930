#include "solvers/mintysolver.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QCloseEvent>

#include <algorithm>

namespace {

QString number(double x)
{
    return QString::number(x, 'g', 6);
}

void appendRow(QListWidget *list, const QString &row)
{
    list->insertItem(list->count(), row);
}

} // namespace

MintySolver::MintySolver(Graph *graph, QWidget *parent)
    : AbstractSolver(graph, parent)
{
    auto *panel = new QWidget;
    ui.setupUi(panel);
    addInheritedWidget(panel);

    phases[0] = &MintySolver::findCurrentEdges;
    phases[1] = &MintySolver::chooseMinimalSumEdge;
    phases[2] = &MintySolver::checkAllLabelled;
    phases[3] = &MintySolver::showShortestWays;

    ui.shortestWaysFrame->hide();
    resetGraphMarks();
    disableStepForward();

    // Without a vertex there is nothing to start from, nor a first vertex for the connectivity test.
    if (graph->verticles().isEmpty()) {
        setCurrentInfo(tr("Wprowadzony graf nie ma wierzchołków!!!"));
    } else if (!isGraphConnected()) {
        setCurrentInfo(tr("Wprowadzony graf jest niespójny!!!"));
        explainPieces(false);
    } else if (!refuseNegativeWeights()) {
        initLabels();
        requestStartVerticle();
    }

    keepTimelineState(this, &MintySolver::saveTimelineState, &MintySolver::restoreTimelineState);
    connect(ui.shortestWaysList, &QListWidget::currentRowChanged, this, &MintySolver::showWay);
    setSolverTitle(tr("Algorytm Minty'ego"));
    setHelpPage(QStringLiteral("minty"));
    offerExercise();
}

// A way through a negative edge can be shorter than the sum the algorithm
// fixes for good when it labels a vertex: the values would be wrong.
bool MintySolver::refuseNegativeWeights()
{
    QStringList negative;
    const QList<GraphEdge *> edges = graph->edges();
    for (GraphEdge *e : edges) {
        if (e->weight() < 0) {
            negative.append(QStringLiteral("%1 (%2)").arg(e->name(), number(e->weight())));
            markEdge(e, Qt::red, RefusalLayer);
        }
    }
    if (negative.isEmpty())
        return false;
    setCurrentInfo(tr("Algorytm Minty'ego wymaga nieujemnych wag krawędzi: zmień wagi zaznaczonych krawędzi."));
    addEventLogLine(tr("Krawędzie o ujemnej wadze: %1.").arg(negative.join(QStringLiteral(", "))));
    return true;
}

MintySolver::TimelineState MintySolver::saveTimelineState() const
{
    return {startVerticle, phase, labelLog.count(), chosenLog.count(), currentFrom};
}

void MintySolver::restoreTimelineState(const TimelineState &state)
{
    labelLog.setCount(
        state.labelled,
        [this](const QPair<GraphVerticle *, double> &entry) {
            openVerticles[entry.first] = true;
            verticleValues[entry.first] = 0.0;
            labelledVerticles.remove(entry.first);
        },
        [this](const QPair<GraphVerticle *, double> &entry) {
            openVerticles[entry.first] = false;
            verticleValues[entry.first] = entry.second;
            labelledVerticles.insert(entry.first, labelledVerticles.size());
        });
    chosenLog.setCount(
        state.chosen, [this](GraphEdge *e) { chosenEdges.remove(e); }, [this](GraphEdge *e) { chosenEdges.insert(e); });
    currentFrom = state.currentFrom;
    currentEdges = currentFrom < 0 ? QList<GraphEdge *>() : edgesLeaving(currentFrom);
    phase = state.phase;
    startVerticle = state.start;
    // Before the start the solver listens for the click that chooses it.
    if (startVerticle)
        disconnect(graph, &Graph::verticleClicked, this, &MintySolver::setStartVerticle);
    else
        connect(graph, &Graph::verticleClicked, this, &MintySolver::setStartVerticle, Qt::UniqueConnection);
}

void MintySolver::showResult(bool finished)
{
    if (finished) {
        showWay(ui.shortestWaysList->currentRow());
        revealInPanel(ui.shortestWaysFrame);
    }
}

// The way of the selected row on the canvas: its vertices ringed, its edges on a band.
void MintySolver::showWay(int row)
{
    clearResultMarks();
    if (row < 0 || !startVerticle || ui.shortestWaysFrame->isHidden())
        return;
    // The rows are the vertices in the scene's order, the start left out.
    GraphVerticle *target = nullptr;
    for (GraphVerticle *v : graph->verticles()) {
        if (v != startVerticle && row-- == 0) {
            target = v;
            break;
        }
    }
    if (!target)
        return;
    const QColor colour(255, 140, 0);
    const QList<GraphVerticle *> way = wayTo(target);
    for (int i = 0; i < way.size(); ++i) {
        markVerticle(way.at(i), colour, ResultLayer);
        if (i > 0)
            markEdge(graph->edgeBetween(way.at(i - 1), way.at(i)), colour, ResultLayer);
    }
}

MintySolver::~MintySolver() = default;

void MintySolver::closeEvent(QCloseEvent *e)
{
    resetGraphMarks();
    e->accept();
}

void MintySolver::stepForward()
{
    (this->*phases[phase])();
}

QList<ExerciseDecision> MintySolver::exerciseDecisions() const
{
    if (!startVerticle || phase > 2)
        return {};
    ExerciseDecision d;
    d.words = ExerciseDecision::Labels;
    auto open = [this](const GraphVerticle *v) { return openVerticles.value(const_cast<GraphVerticle *>(v)); };
    d.inside = [open](const GraphVerticle *v) { return !open(v); };
    d.value = [this](const GraphVerticle *v) { return verticleValues.value(const_cast<GraphVerticle *>(v)); };
    const QList<GraphVerticle *> verticles = graph->verticles();
    if (phase == 0) {
        d.kind = ExerciseDecision::EdgeSet;
        for (GraphVerticle *v : verticles) {
            if (open(v))
                continue;
            for (GraphEdge *e : v->edges()) {
                if (open(e->start() == v ? e->end() : e->start()))
                    d.right.append(e);
            }
        }
    } else if (phase == 1) {
        d.kind = ExerciseDecision::LeastEdge;
        d.listed = QSet<GraphEdge *>(currentEdges.begin(), currentEdges.end());
        // The step's own choice first: the explanations name it as the least.
        auto sum = [&](GraphEdge *e) { return e->weight() + d.value(open(e->start()) ? e->end() : e->start()); };
        qreal least = 0;
        for (GraphEdge *e : currentEdges) {
            if (d.right.isEmpty() || sum(e) < least) {
                d.right = {e};
                least = sum(e);
            } else if (sum(e) == least) {
                d.right.append(e);
            }
        }
        // A single vertex has no current edge: the step chooses nothing.
        if (d.right.isEmpty())
            return {};
    } else {
        d.kind = ExerciseDecision::YesNo;
        for (GraphVerticle *v : verticles) {
            if (open(v))
                d.outside.append(v);
        }
        d.yes = d.outside.isEmpty();
    }
    return {d};
}

void MintySolver::requestStartVerticle()
{
    setCurrentInfo(tr("Wybierz wierzchołek startowy."));
    connect(graph, &Graph::verticleClicked, this, &MintySolver::setStartVerticle);
}

void MintySolver::setStartVerticle(GraphVerticle *v)
{
    setCurrentInfo(QStringLiteral("..."));
    setNextStepHint(tr("Następne naciśnięcie „Krok dalej...” wyszuka krawędzie bieżące: te, "
                       "których jeden koniec jest już oznaczony."));
    v->setRadius(15);
    addEventLogLine(tr("Wybrano wierzchołek '%1' jako startowy.").arg(v->name()));
    labelVerticle(v, 0);
    startVerticle = v;
    disconnect(graph, &Graph::verticleClicked, this, &MintySolver::setStartVerticle);
    phase = 0;
    enableStepForward();
}

void MintySolver::resetGraphMarks()
{
    graph->resetEdges();
    graph->resetVerticles();
}

bool MintySolver::isGraphConnected()
{
    const QList<GraphVerticle *> verticles = graph->verticles();
    for (GraphVerticle *v : verticles)
        openVerticles[v] = true;
    if (!verticles.isEmpty())
        markReachable(verticles.first());
    for (GraphVerticle *v : verticles) {
        if (openVerticles.value(v))
            return false;
    }
    return true;
}

void MintySolver::markReachable(GraphVerticle *v)
{
    Graph::closeReachable(v, openVerticles);
}

void MintySolver::initLabels()
{
    openVerticles.clear();
    verticleValues.clear();
    for (GraphVerticle *v : graph->verticles()) {
        openVerticles[v] = true;
        verticleValues[v] = 0.0;
    }
}

void MintySolver::labelVerticle(GraphVerticle *v, double value)
{
    v->setBrushColor(Qt::green);
    v->setPenWidth(3);
    openVerticles[v] = false;
    verticleValues[v] = value;
    appendRow(ui.closedVerticlesList, v->name() + QStringLiteral("(") + number(value) + QStringLiteral(")"));
    labelledVerticles.insert(v, labelledVerticles.size());
    labelLog.append({v, value});
    addEventLogLine(tr("Dodano wierzchołek '%1' do listy wierzchołków odwiedzonych i przypisano mu wartość: %2.")
                        .arg(v->name(), number(value)));
}

double MintySolver::edgeSum(GraphEdge *e)
{
    if (openVerticles.value(e->start()))
        return openVerticles.value(e->end()) ? 0 : e->weight() + verticleValues.value(e->end());
    return e->weight() + verticleValues.value(e->start());
}

void MintySolver::markCurrentEdge(GraphEdge *e)
{
    e->setPenStyle(Qt::DashLine);
    addEventLogLine(tr("Dodano krawędź '%1' do listy krawędzi bieżących.").arg(e->name()));
}

void MintySolver::markChosenEdge(GraphEdge *e)
{
    e->setPenColor(Qt::green);
    e->setPenWidth(2.0);
    chosenEdges.insert(e);
    chosenLog.append(e);
}

GraphVerticle *MintySolver::otherEnd(GraphEdge *e, GraphVerticle *cur)
{
    return e->start() != cur ? e->start() : e->end();
}

bool MintySolver::isChosenEdge(GraphEdge *e)
{
    return chosenEdges.contains(e);
}

QList<GraphVerticle *> MintySolver::wayTo(GraphVerticle *v)
{
    QList<GraphVerticle *> path{v};
    GraphVerticle *cur = v;
    while (cur != startVerticle) {
        GraphVerticle *before = cur;
        const QList<GraphEdge *> edges = cur->edges();
        for (GraphEdge *e : edges) {
            if (!isChosenEdge(e))
                continue;
            GraphVerticle *o = otherEnd(e, cur);
            if (labelledVerticles.value(o, -1) < labelledVerticles.value(cur, -1)) {
                cur = o;
                path.append(cur);
            }
        }
        // Every labelled vertex has a chosen edge to an earlier one; without it the walk would never end.
        if (cur == before)
            return {};
    }
    std::reverse(path.begin(), path.end());
    return path;
}

QString MintySolver::shortestWay(GraphVerticle *v)
{
    const QList<GraphVerticle *> path = wayTo(v);
    if (path.isEmpty()) {
        reportBrokenRun(tr("nie znaleziono drogi do wierzchołka %1").arg(v->name()));
        return QString();
    }
    QString way = startVerticle->name();
    for (int i = 1; i < path.size(); ++i)
        way += QStringLiteral("->") + path.at(i)->name();
    return way;
}

void MintySolver::findCurrentEdges()
{
    setCurrentInfo(tr("Szukamy krawędzi, których jeden koniec jest oznaczony i dodajemy je do listy bieżących. "
                      "Jednoczenie obliczamy sumę oznaczeń wierzchołka i jego krawędzi."));
    currentFrom = labelLog.count();
    currentEdges = edgesLeaving(currentFrom);
    for (GraphEdge *e : std::as_const(currentEdges)) {
        GraphVerticle *v = openVerticles.value(e->start()) ? e->end() : e->start();
        markCurrentEdge(e);
        appendRow(ui.activeEdgesList,
                  e->name() + QStringLiteral(" (") + number(e->weight() + verticleValues.value(v)) + QStringLiteral(")"));
    }
    phase = 1;
}

// The edges from the first `labelled` vertices labelled to the others: labelled
// vertices in scene order, each one's neighbours in edge order, the order that settles ties.
QList<GraphEdge *> MintySolver::edgesLeaving(int labelled) const
{
    auto labelledBefore = [&](GraphVerticle *v) {
        const int order = labelledVerticles.value(v, -1);
        return order >= 0 && order < labelled;
    };
    QList<GraphEdge *> edges;
    for (GraphVerticle *v : graph->verticles()) {
        if (!labelledBefore(v))
            continue;
        for (GraphVerticle *u : v->neighbours()) {
            if (!labelledBefore(u))
                edges.append(graph->edgeBetween(v, u));
        }
    }
    return edges;
}

void MintySolver::chooseMinimalSumEdge()
{
    setCurrentInfo(tr("Z listy krawedzi bieżących wybieramy krawędź o najmniejszej sumie. "
                      "Jej koniec oznaczamy wartością tejże sumy."));

    // A single vertex has no current edge: nothing to choose, and the run goes on to its end.
    if (!currentEdges.isEmpty()) {
        GraphEdge *best = currentEdges.first();
        double bestSum = edgeSum(best);
        // Strictly smaller only: among equal sums the edge found first stays.
        for (GraphEdge *e : std::as_const(currentEdges)) {
            const double sum = edgeSum(e);
            if (sum < bestSum) {
                best = e;
                bestSum = sum;
            }
        }

        if (studentChoice())
            best = studentChoice();
        addEventLogLine(tr("Jako krawędź o najmniejszej sumie wybrano krawędź '%1'.").arg(best->name()));
        markChosenEdge(best);
        if (openVerticles.value(best->start()))
            labelVerticle(best->start(), edgeSum(best));
        if (openVerticles.value(best->end()))
            labelVerticle(best->end(), edgeSum(best));
    }
    phase = 2;
}

void MintySolver::checkAllLabelled()
{
    for (GraphEdge *e : std::as_const(currentEdges))
        e->setPenStyle(Qt::SolidLine);
    currentEdges.clear();
    currentFrom = -1;
    ui.activeEdgesList->clear();
    addEventLogLine(tr("Wyczyszczono listę krawędzi bieżących."));
    setCurrentInfo(tr("Sprawdzamy czy wszsytkie wierzchołki są oznaczone."));

    for (GraphVerticle *v : graph->verticles()) {
        if (openVerticles.value(v)) {
            addEventLogLine(tr("Nie wszsytkie wierzchołki zostały oznaczone. Kontynuujemy wykonywanie algorytmu."));
            phase = 0;
            return;
        }
    }
    phase = 3;
}

void MintySolver::showShortestWays()
{
    for (GraphVerticle *v : graph->verticles()) {
        if (v == startVerticle)
            continue;
        appendRow(ui.shortestWaysList, v->name() + QStringLiteral("(") + number(verticleValues.value(v))
                                           + QStringLiteral(")") + QStringLiteral(": ") + shortestWay(v));
    }
    ui.workFrame->hide();
    ui.shortestWaysFrame->show();
    setCurrentInfo(tr("Wyznaczono najkrótsze drogi do wszystkich wierzchołków."));
    addEventLogLine(tr("Wszystkie wierzchołki zostały oznaczone. Koniec pracy algorytmu."));
    disableStepForward();
}
