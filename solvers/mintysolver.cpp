#include "solvers/mintysolver.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QCloseEvent>

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
    } else {
        initLabels();
        requestStartVerticle();
    }

    setSolverTitle(tr("Algorytm Minty'ego"));
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

void MintySolver::requestStartVerticle()
{
    setCurrentInfo(tr("Wybierz wierzchołek startowy."));
    connect(graph, &Graph::verticleClicked, this, &MintySolver::setStartVerticle);
}

void MintySolver::setStartVerticle(GraphVerticle *v)
{
    setCurrentInfo(QStringLiteral("..."));
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
}

GraphVerticle *MintySolver::otherEnd(GraphEdge *e, GraphVerticle *cur)
{
    return e->start()->name() != cur->name() ? e->start() : e->end();
}

bool MintySolver::isChosenEdge(GraphEdge *e)
{
    return chosenEdges.contains(e);
}

QString MintySolver::shortestWay(GraphVerticle *v)
{
    QList<GraphVerticle *> path{v};
    GraphVerticle *cur = v;
    while (cur->name() != startVerticle->name()) {
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
    }

    QString way = startVerticle->name();
    for (int i = path.size() - 2; i >= 0; --i)
        way += QStringLiteral("->") + path.at(i)->name();
    return way;
}

void MintySolver::findCurrentEdges()
{
    setCurrentInfo(tr("Szukamy krawędzi, których jeden koniec jest oznaczony i dodajemy je do listy bieżących. "
                      "Jednoczenie obliczamy sumę oznaczeń wierzchołka i jego krawędzi."));
    currentEdges.clear();
    // Labelled vertices in scene order, each one's neighbours in edge order: this order settles ties.
    for (GraphVerticle *v : graph->verticles()) {
        if (openVerticles.value(v))
            continue;
        for (GraphVerticle *u : v->neighbours()) {
            if (!openVerticles.value(u))
                continue;
            GraphEdge *e = graph->edgeBetween(v, u);
            currentEdges.append(e);
            markCurrentEdge(e);
            appendRow(ui.activeEdgesList,
                      e->name() + QStringLiteral(" (") + number(e->weight() + verticleValues.value(v))
                          + QStringLiteral(")"));
        }
    }
    phase = 1;
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
        if (v->name() == startVerticle->name())
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
