#include "solvers/samplesolver.h"

#include "graph/graph.h"
#include "graph/graphverticle.h"

SampleSolver::SampleSolver(Graph *graph, QWidget *parent)
    : AbstractSolver(graph, parent)
{
    auto *panel = new QWidget;
    ui.setupUi(panel);
    addInheritedWidget(panel);
    connect(graph, &Graph::verticleClicked, this, &SampleSolver::testMe);
}

void SampleSolver::testMe()
{
    const QList<GraphVerticle *> verticles = graph->verticles();
    if (!verticles.isEmpty())
        verticles.first()->setBrushColor(Qt::red);
}

void SampleSolver::stepForward()
{
    addEventLogLine(QStringLiteral("I've just made step forward!"));
    setCurrentInfo(QStringLiteral("Click, to make next step"));
}
