#include "solvers/abstractsolver.h"

#include "graph/graph.h"

#include <QTime>

AbstractSolver::AbstractSolver(Graph *graph, QWidget *parent)
    : QDialog(parent)
    , graph(graph)
{
    ui.setupUi(this);
    ui.graphView->setScene(graph);
    // Qt 6 has no separate high-quality antialiasing hint; its antialiasing is that quality.
    ui.graphView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Only the idle scene reports vertex clicks, and in it a click edits nothing.
    graph->setMode(Graph::Idle);
    connect(ui.stepForwardButton, &QPushButton::clicked, this, &AbstractSolver::stepForwardButtonClicked);
}

void AbstractSolver::setCurrentInfo(const QString &info)
{
    ui.currentInfoLabel->setText(info);
}

void AbstractSolver::addEventLogLine(const QString &line)
{
    ui.eventLogWidget->insertItem(0, QTime::currentTime().toString(Qt::TextDate) + QStringLiteral(" - ") + line);
}

void AbstractSolver::setSolverTitle(const QString &title)
{
    setWindowTitle(title);
}

void AbstractSolver::addInheritedWidget(QWidget *widget)
{
    ui.rightPanelLayout->addWidget(widget);
}

void AbstractSolver::enableStepForward()
{
    ui.stepForwardButton->setEnabled(true);
}

void AbstractSolver::disableStepForward()
{
    ui.stepForwardButton->setEnabled(false);
}

void AbstractSolver::stepForwardButtonClicked()
{
    stepForward();
}
