#include "solvers/abstractsolver.h"

#include "graph/graph.h"

#include <QScreen>
#include <QToolBar>
#include <QScrollBar>
#include <QShowEvent>
#include <QTime>

#include <utility>

AbstractSolver::AbstractSolver(Graph *graph, QWidget *parent)
    : QDialog(parent)
    , graph(graph)
{
    ui.setupUi(this);
    ui.graphView->setScene(graph);
    // Qt 6 has no separate high-quality antialiasing hint; its antialiasing is that quality.
    ui.graphView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    ui.canvasToolsLayout->addWidget(ui.graphView->createToolBar());
    ui.graphView->takeExtraRoom();
    // Long lines show whole in their tooltips rather than behind a scroll bar.
    ui.eventLogWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitOnScreen();
    // Only the idle scene reports vertex clicks, and in it a click edits nothing.
    graph->setMode(Graph::Idle);
    connect(ui.stepForwardButton, &QPushButton::clicked, this, &AbstractSolver::stepForwardButtonClicked);
}

// A maximised dialog gives its canvas the whole screen; a small screen (a
// projector's, or any screen at twice the scale) never gets a dialog larger
// than itself: the side panel then scrolls instead.
void AbstractSolver::fitOnScreen()
{
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    ui.panelScrollArea->verticalScrollBar()->installEventFilter(this);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    // Room for the window's frame and title, which the window manager adds.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    resize(size().boundedTo(room));
}

bool AbstractSolver::eventFilter(QObject *watched, QEvent *event)
{
    // The panel keeps its width; its scroll bar, when it needs one, comes beside it.
    QScrollBar *bar = ui.panelScrollArea->verticalScrollBar();
    if (watched == bar && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        ui.panelScrollArea->setFixedWidth(ui.inheritedWidgetContainer->width()
                                          + (event->type() == QEvent::Show ? bar->sizeHint().width() : 0));
    return QDialog::eventFilter(watched, event);
}

void AbstractSolver::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Opens on the whole drawing, shrunk when it does not fit, never enlarged.
    if (!event->spontaneous() && !std::exchange(m_fitted, true))
        ui.graphView->fitDrawing(1.0);
}

void AbstractSolver::setCurrentInfo(const QString &info)
{
    ui.currentInfoLabel->setText(info);
}

void AbstractSolver::addEventLogLine(const QString &line)
{
    auto *item = new QListWidgetItem(QTime::currentTime().toString(Qt::TextDate) + QStringLiteral(" - ") + line);
    item->setToolTip(item->text());
    ui.eventLogWidget->insertItem(0, item);
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
