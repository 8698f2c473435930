#include "solvers/dijkstraprimsolver.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QCloseEvent>
#include <QFont>
#include <QListWidgetItem>

#include <algorithm>

DijkstraPrimSolver::DijkstraPrimSolver(Graph *graph, QWidget *parent)
    : AbstractSolver(graph, parent)
{
    auto *panel = new QWidget;
    ui.setupUi(panel);
    addInheritedWidget(panel);

    initVerticleRecords();
    resetGraphMarks();
    disableStepForward();
    // Without a vertex there is nothing to start from, and the connectivity test would have no first vertex.
    if (verticleRecords.empty()) {
        setCurrentInfo(tr("Wprowadzony graf nie ma wierzchołków!!!"));
    } else if (!isGraphConnected()) {
        setCurrentInfo(tr("Wprowadzony graf jest niespójny!!!"));
        explainPieces(false);
    } else {
        requestStartVerticle();
    }
    keepTimelineState(this, &DijkstraPrimSolver::saveTimelineState, &DijkstraPrimSolver::restoreTimelineState);
    setSolverTitle(tr("Algorytm Dijkstry-Prima"));
    setHelpPage(QStringLiteral("dijkstra-prim"));
    offerExercise();
}

// Leaves the marks on the scene: only a close event clears them.
DijkstraPrimSolver::~DijkstraPrimSolver() = default;

void DijkstraPrimSolver::closeEvent(QCloseEvent *event)
{
    resetGraphMarks();
    event->accept();
}

void DijkstraPrimSolver::stepForward()
{
    if (nextStep)
        (this->*nextStep)();
}

QList<ExerciseDecision> DijkstraPrimSolver::exerciseDecisions() const
{
    if (!startRecord || !lastRecord || !nextStep)
        return {};
    ExerciseDecision d;
    d.words = ExerciseDecision::Tree;
    d.inside = [this](const GraphVerticle *v) { return !isOpenVerticle(v); };
    d.at = lastRecord->first;
    if (nextStep == &DijkstraPrimSolver::chooseLightestEdge) {
        d.kind = ExerciseDecision::LeastEdge;
        d.at = nullptr;
        for (const auto &[weight, record] : currentByWeight) {
            GraphEdge *e = edgeRecords[record].first;
            d.listed.insert(e);
            if (weight == currentByWeight.begin()->first)
                d.right.append(e);
        }
        return {d};
    }
    if (nextStep != &DijkstraPrimSolver::addIncidentEdges && nextStep != &DijkstraPrimSolver::finishSpanningTree)
        return {};
    // Whether the tree spans the graph is settled before the edges are listed, as the step settles it.
    ExerciseDecision spans = d;
    spans.kind = ExerciseDecision::YesNo;
    spans.at = nullptr;
    for (const VerticleRecord &record : verticleRecords) {
        if (record.second)
            spans.outside.append(record.first);
    }
    spans.yes = nextStep == &DijkstraPrimSolver::finishSpanningTree;
    if (spans.yes)
        return {spans};
    d.kind = ExerciseDecision::EdgeSet;
    for (GraphEdge *e : lastRecord->first->edges()) {
        if (isListedEdge(e))
            d.listed.insert(e);
        else
            d.right.append(e);
    }
    // Listed edges elsewhere matter only to the explanation of a click on one.
    for (const EdgeRecord &record : edgeRecords)
        d.listed.insert(record.first);
    return {spans, d};
}

DijkstraPrimSolver::TimelineState DijkstraPrimSolver::saveTimelineState() const
{
    return {startRecord ? startRecord->first : nullptr,
            nextStep,
            lastRecord ? int(lastRecord - verticleRecords.data()) : -1,
            visits.count(),
            listings.count(),
            drops.count(),
            treeWeight};
}

void DijkstraPrimSolver::restoreTimelineState(const TimelineState &state)
{
    auto drop = [this](int record) {
        edgeRecords[record].second = false;
        currentByWeight.erase({edgeRecords[record].first->weight(), record});
    };
    auto undrop = [this](int record) {
        edgeRecords[record].second = true;
        currentByWeight.insert({edgeRecords[record].first->weight(), record});
    };
    auto unlist = [this](GraphEdge *e) {
        const int record = int(edgeRecords.size()) - 1;
        currentByWeight.erase({e->weight(), record});
        edgeIndex.remove(e);
        edgeRecords.pop_back();
    };
    auto list = [this](GraphEdge *e) {
        const int record = int(edgeRecords.size());
        edgeIndex.insert(e, record);
        edgeRecords.emplace_back(e, true);
        currentByWeight.insert({e->weight(), record});
    };
    // A dropped record must exist: drops go back before listings, and forward after them.
    if (state.dropped < drops.count())
        drops.setCount(state.dropped, undrop, drop);
    listings.setCount(state.listed, unlist, list);
    drops.setCount(state.dropped, undrop, drop);
    visits.setCount(
        state.visited, [this](int record) { verticleRecords[record].second = true; },
        [this](int record) { verticleRecords[record].second = false; });
    startRecord = state.start ? findVerticleRecord(state.start) : nullptr;
    lastRecord = state.last >= 0 ? &verticleRecords[state.last] : nullptr;
    nextStep = state.nextStep;
    treeWeight = state.treeWeight;
    // Before the start the solver listens for the click that chooses it.
    if (startRecord)
        disconnect(graph, &Graph::verticleClicked, this, &DijkstraPrimSolver::setStartVerticle);
    else
        connect(graph, &Graph::verticleClicked, this, &DijkstraPrimSolver::setStartVerticle, Qt::UniqueConnection);
}

void DijkstraPrimSolver::showResult(bool finished)
{
    ui.totalWeightLabel->setVisible(finished);
    const QString total = QString::number(treeWeight, 'g', 15);
    ui.totalWeightLabel->setText(finished ? tr("Waga drzewa: %1").arg(total) : QString());
    if (finished)
        revealInPanel(ui.totalWeightLabel);
}

void DijkstraPrimSolver::initVerticleRecords()
{
    const QList<GraphVerticle *> verticles = graph->verticles();
    verticleRecords.reserve(verticles.size());
    for (GraphVerticle *v : verticles) {
        verticleIndex.insert(v, int(verticleRecords.size()));
        verticleRecords.emplace_back(v, true);
        ui.openVerticlesList->addItem(v->name());
    }
}

void DijkstraPrimSolver::requestStartVerticle()
{
    setCurrentInfo(tr("Wybierz wierzchołek startowy."));
    connect(graph, &Graph::verticleClicked, this, &DijkstraPrimSolver::setStartVerticle);
}

void DijkstraPrimSolver::resetGraphMarks()
{
    graph->resetEdges();
    graph->resetVerticles();
}

bool DijkstraPrimSolver::isGraphConnected()
{
    const QList<GraphVerticle *> verticles = graph->verticles();
    if (verticles.isEmpty())
        return false;
    for (GraphVerticle *v : verticles)
        unreached[v] = true;
    markReachable(verticles.first());
    for (GraphVerticle *v : verticles) {
        if (unreached.value(v))
            return false;
    }
    return true;
}

void DijkstraPrimSolver::markReachable(GraphVerticle *v)
{
    Graph::closeReachable(v, unreached);
}

void DijkstraPrimSolver::setStartVerticle(GraphVerticle *v)
{
    // Only the scene's own vertices can be clicked; anything else is not a start.
    startRecord = findVerticleRecord(v);
    if (!startRecord)
        return;
    GraphVerticle *start = startRecord->first;
    start->setRadius(15);
    setCurrentInfo(QStringLiteral("..."));
    setNextStepHint(tr("Następne naciśnięcie „Krok dalej...” doda do listy krawędzi bieżących "
                       "krawędzie wierzchołka startowego."));
    addEventLogLine(tr("Wybrano wierzchołek '%1' jako startowy.").arg(start->name()));
    disconnect(graph, &Graph::verticleClicked, this, &DijkstraPrimSolver::setStartVerticle);
    enableStepForward();
    visitVerticle(startRecord);
}

void DijkstraPrimSolver::visitVerticle(VerticleRecord *record)
{
    GraphVerticle *v = record->first;
    v->setBrushColor(Qt::green);
    v->setPenWidth(3);
    record->second = false;
    visits.append(verticleRow(record));
    strikeOut(ui.openVerticlesList->item(verticleRow(record)));
    addEventLogLine(tr("Wykreślono wierzchołek '%1' z listy wierzchołków nieodwiedzonych.").arg(v->name()));
    ui.closedVerticlesList->addItem(v->name());
    addEventLogLine(tr("Wpisano wierzchołek '%1' na listę wierzchołków odwiedzonych.").arg(v->name()));
    lastRecord = record;
    if (ui.closedVerticlesList->count() >= ui.openVerticlesList->count())
        nextStep = &DijkstraPrimSolver::finishSpanningTree;
    else
        nextStep = &DijkstraPrimSolver::addIncidentEdges;
}

int DijkstraPrimSolver::verticleRow(const VerticleRecord *record) const
{
    return verticleIndex.value(record->first, -1);
}

void DijkstraPrimSolver::strikeOut(QListWidgetItem *item)
{
    QFont font = item->font();
    font.setStrikeOut(true);
    item->setFont(font);
}

// An edge is listed once, so its name stands in one row: the row of its record.
void DijkstraPrimSolver::strikeOutEdgeRows(const GraphEdge *edge)
{
    const int row = edgeIndex.value(edge, -1);
    if (row >= 0)
        strikeOut(ui.activeEdgesList->item(row));
}

bool DijkstraPrimSolver::isOpenVerticle(const GraphVerticle *v) const
{
    const int index = verticleIndex.value(v, -1);
    return index < 0 || verticleRecords[index].second;
}

DijkstraPrimSolver::VerticleRecord *DijkstraPrimSolver::findVerticleRecord(const GraphVerticle *v)
{
    const int index = verticleIndex.value(v, -1);
    return index < 0 ? nullptr : &verticleRecords[index];
}

bool DijkstraPrimSolver::isListedEdge(const GraphEdge *e) const
{
    return edgeIndex.contains(e);
}

void DijkstraPrimSolver::addCurrentEdge(GraphEdge *e)
{
    e->setPenStyle(Qt::DashLine);
    const int record = int(edgeRecords.size());
    edgeIndex.insert(e, record);
    edgeRecords.emplace_back(e, true);
    currentByWeight.insert({e->weight(), record});
    listings.append(e);
    ui.activeEdgesList->addItem(e->name());
    addEventLogLine(tr("Dodano krawędź '%1' do listy krawędzi bieżących.").arg(e->name()));
}

void DijkstraPrimSolver::dropEdge(int record)
{
    edgeRecords[record].second = false;
    currentByWeight.erase({edgeRecords[record].first->weight(), record});
    drops.append(record);
}

void DijkstraPrimSolver::markChosenEdge(EdgeRecord *record)
{
    GraphEdge *e = record->first;
    dropEdge(edgeIndex.value(e));
    treeWeight += e->weight();
    strikeOutEdgeRows(e);
    e->setPenColor(Qt::green);
    e->setPenWidth(2.0);
}

void DijkstraPrimSolver::addIncidentEdges()
{
    setCurrentInfo(tr("Do listy krawędzi bieżących dodajemy krawędzie incydentne do ostatnio odwiedzonego wierzchołka."));
    // An edge is listed when its first end is visited; the visit of its second
    // end only ends its dashed look (the next phase drops it unless it was chosen).
    const QList<GraphEdge *> incident = lastRecord->first->edges();
    for (GraphEdge *e : incident) {
        if (isListedEdge(e))
            e->setPenStyle(Qt::SolidLine);
        else
            addCurrentEdge(e);
    }
    nextStep = &DijkstraPrimSolver::removeCycleEdges;
}

void DijkstraPrimSolver::removeCycleEdges()
{
    setCurrentInfo(tr("Na liście krawędzi, szukamy tych które tworzą cykle, a następnie usuwamy je."));
    // Every current edge had an unvisited end when this phase last ran; only
    // the vertex visited since can have closed a cycle, so only its edges are
    // looked at, in the order they were listed.
    QList<int> closing;
    const QList<GraphEdge *> incident = lastRecord->first->edges();
    for (GraphEdge *e : incident) {
        const int record = edgeIndex.value(e, -1);
        if (record >= 0 && edgeRecords[record].second && !isOpenVerticle(e->start()) && !isOpenVerticle(e->end()))
            closing.append(record);
    }
    std::sort(closing.begin(), closing.end());
    for (int record : std::as_const(closing)) {
        GraphEdge *e = edgeRecords[record].first;
        dropEdge(record);
        strikeOutEdgeRows(e);
        addEventLogLine(tr("Usunięto krawędź '%1' ponieważ tworzy cykl.").arg(e->name()));
        e->reset();
    }
    nextStep = &DijkstraPrimSolver::chooseLightestEdge;
}

void DijkstraPrimSolver::chooseLightestEdge()
{
    setCurrentInfo(tr("Wybieramy krawędź o najmniejszej wadze."));
    // On a connected graph an edge always leaves the visited part while a vertex is unvisited.
    if (currentByWeight.empty()) {
        reportBrokenRun(tr("brak krawędzi bieżącej, choć nie wszystkie wierzchołki odwiedzono"));
        return;
    }
    // Lightest first, and among equal weights the one listed first.
    EdgeRecord *chosen = &edgeRecords[studentChoice() ? edgeIndex.value(studentChoice())
                                                      : currentByWeight.begin()->second];
    GraphEdge *e = chosen->first;
    markChosenEdge(chosen);
    addEventLogLine(tr("Jako krawędź o najmniejszej wadze wybrano: '%1'.").arg(e->name()));
    GraphVerticle *farEnd = isOpenVerticle(e->start()) ? e->start() : e->end();
    visitVerticle(findVerticleRecord(farEnd));
}

void DijkstraPrimSolver::finishSpanningTree()
{
    addIncidentEdges();
    // Still current: edges between the last vertex and earlier ones that were not chosen.
    for (const EdgeRecord &record : edgeRecords) {
        if (record.second)
            record.first->reset();
    }
    for (int row = 0; row < ui.activeEdgesList->count(); ++row)
        strikeOut(ui.activeEdgesList->item(row));
    setCurrentInfo(tr("Otrzymano minimalne drzewo rozpinające grafu."));
    addEventLogLine(tr("Otrzymano minimalne drzewo rozpinające grafu. Koniec pracy algorytmu."));
    // Said in the history too, where the class reads back the run.
    addEventLogLine(tr("Waga drzewa: %1.").arg(QString::number(treeWeight, 'g', 15)));
    disableStepForward();
}
