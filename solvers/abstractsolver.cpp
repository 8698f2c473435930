#include "solvers/abstractsolver.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "solvers/helpwindow.h"
#include "solvers/historymodel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHelpEvent>
#include <QHideEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QToolBar>
#include <QTime>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

const QList<QColor> &pieceColours()
{
    static const QList<QColor> colours{QColor(31, 119, 180), QColor(255, 127, 14), QColor(148, 103, 189),
                                       QColor(214, 39, 40),  QColor(23, 190, 207), QColor(140, 86, 75),
                                       QColor(227, 119, 194), QColor(188, 189, 34)};
    return colours;
}

} // namespace

AbstractSolver::AbstractSolver(Graph *graph, QWidget *parent)
    : QDialog(parent)
    , graph(graph)
{
    ui.setupUi(this);
    ui.graphView->setScene(graph);
    // Qt 6 has no separate high-quality antialiasing hint; its antialiasing is that quality.
    ui.graphView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QToolBar *canvasTools = ui.graphView->createToolBar();
    auto *help = new QAction(tr("Pomoc"), this);
    help->setObjectName(QStringLiteral("helpAction"));
    help->setToolTip(tr("Jak działa ten algorytm, co znaczą kolory i klawisze (F1)"));
    help->setShortcuts(QKeySequence::HelpContents);
    addAction(help);
    connect(help, &QAction::triggered, this, &AbstractSolver::showHelp);
    canvasTools->addSeparator();
    canvasTools->addAction(help);
    canvasTools->widgetForAction(help)->setObjectName(QStringLiteral("helpButton"));
    ui.canvasToolsLayout->addWidget(canvasTools);
    // Inside the instruction's own room, below its text: the canvas keeps its size when the line comes and goes.
    m_nextStepLabel = new QLabel(ui.currentInfoLabel);
    m_nextStepLabel->setObjectName(QStringLiteral("nextStepLabel"));
    // The dialog's plain font, not the instruction's large bold one.
    QFont plain = font();
    plain.setResolveMask(QFont::AllPropertiesResolved);
    m_nextStepLabel->setFont(plain);
    m_nextStepLabel->setWordWrap(true);
    m_nextStepLabel->hide();
    auto *hintLayout = new QVBoxLayout(ui.currentInfoLabel);
    hintLayout->setContentsMargins(0, 0, 0, 0);
    hintLayout->addStretch();
    hintLayout->addWidget(m_nextStepLabel);
    ui.graphView->takeExtraRoom();
    // Long lines show whole in their tooltips rather than behind a scroll bar.
    ui.eventLogWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitOnScreen();
    // Only the idle scene reports vertex clicks; while the dialog runs, a drag
    // moves nothing and a double click types no weight.
    graph->setMode(Graph::Idle);
    graph->setEditable(false);
    // Whatever an earlier dialog left, this one starts on the plain graph.
    plainCanvas();

    m_timeline = new Timeline(graph, ui.eventLogWidget, this);
    m_timeline->watch(ui.currentInfoLabel);
    m_timeline->watch(ui.stepForwardButton);
    m_timeline->watch(m_nextStepLabel);
    connect(ui.stepForwardButton, &QPushButton::clicked, this, &AbstractSolver::stepForwardButtonClicked);
    // Connected before the solver connects its own slot: the click begins a step before the solver acts on it.
    connect(graph, &Graph::verticleClicked, this, [this] { actionBegins(Timeline::Click); });

    connect(ui.stepBackButton, &QPushButton::clicked, this, &AbstractSolver::stepBack);
    connect(ui.toStartButton, &QPushButton::clicked, this, &AbstractSolver::goToStart);
    connect(ui.playButton, &QToolButton::clicked, this, &AbstractSolver::togglePlay);
    connect(ui.eventLogWidget, &QListView::doubleClicked, this, [this](const QModelIndex &line) {
        const int step = m_timeline->historyLines()->step(line.row());
        if (step != HistoryModel::Pending)
            jumpTo(step);
    });

    auto *paces = new QMenu(ui.playButton);
    paces->setObjectName(QStringLiteral("paceMenu"));
    auto *paceGroup = new QActionGroup(paces);
    const QList<QPair<double, QString>> choices{{0.5, tr("0,5 kroku na sekundę")}, {1, tr("1 krok na sekundę")},
                                                {2, tr("2 kroki na sekundę")},     {3, tr("3 kroki na sekundę")},
                                                {5, tr("5 kroków na sekundę")}};
    for (const auto &[pace, text] : choices) {
        QAction *action = paces->addAction(text);
        action->setObjectName(QStringLiteral("pace%1Action").arg(pace * 10));
        action->setCheckable(true);
        action->setChecked(pace == m_pace);
        paceGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, pace = pace] { setPace(pace); });
    }
    ui.playButton->setMenu(paces);

    m_playTimer = new QTimer(this);
    connect(m_playTimer, &QTimer::timeout, this, &AbstractSolver::playTick);

    // Shortcuts rather than key handlers: a focused list or text box would take the arrows, Space and Home.
    auto keys = [this](std::initializer_list<int> list, void (AbstractSolver::*slot)()) {
        for (int key : list)
            connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, slot);
    };
    keys({Qt::Key_Right, Qt::Key_Return, Qt::Key_Enter}, &AbstractSolver::stepForwardKey);
    keys({Qt::Key_Space}, &AbstractSolver::spaceKey);
    // The moves along the timeline have their keys; the focus frame stays where Space acts.
    for (QWidget *button : {static_cast<QWidget *>(ui.stepBackButton), static_cast<QWidget *>(ui.toStartButton),
                            static_cast<QWidget *>(ui.playButton)})
        button->setFocusPolicy(Qt::NoFocus);
    keys({Qt::Key_Left, Qt::Key_Backspace}, &AbstractSolver::stepBack);
    keys({Qt::Key_Home}, &AbstractSolver::goToStart);
    keys({Qt::Key_End}, &AbstractSolver::goToEnd);
    keys({Qt::Key_P}, &AbstractSolver::togglePlay);

    // The play button follows the step button, whoever enables or disables it.
    ui.stepForwardButton->installEventFilter(this);
    updateControls();
}

AbstractSolver::~AbstractSolver()
{
    graph->setEditable(true);
    stopPlay();
    removeMarks(ResultLayer);
    removeMarks(RefusalLayer);
    // Before the widgets it watches: a list being destroyed still reports its rows going.
    delete m_timeline;
    plainCanvas();
#ifdef __GLIBC__
    // A long run leaves hundreds of megabytes in the allocator's free lists;
    // once the dialog and its widgets are gone, what is free at the top of
    // the heap goes back to the system.
    QTimer::singleShot(0, qApp, [] { malloc_trim(0); });
#endif
}

int AbstractSolver::timelinePosition() const
{
    return m_timeline->position();
}

int AbstractSolver::timelineLength() const
{
    return m_timeline->count();
}

bool AbstractSolver::isPlaying() const
{
    return m_playTimer->isActive();
}

// The dialog takes the main window's place and size, so that the class sees
// the drawing where it was, and maximised when the window is. A small screen
// (a projector's, or any screen at twice the scale) never gets a dialog
// larger than itself: the side panel then scrolls instead.
void AbstractSolver::fitOnScreen()
{
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    ui.panelScrollArea->verticalScrollBar()->installEventFilter(this);
    QWidget *window = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect available = (window ? window->screen() : screen())->availableGeometry();
    // Room for the window's frame and title, which the window manager adds; the main window's tells how much.
    const bool over = window && window->isVisible();
    const QSize frame = over ? window->frameGeometry().size() - window->size() : QSize(16, 48);
    const QSize room = available.size() - frame;
    if (!over) {
        resize(size().boundedTo(room));
        return;
    }
    // Never smaller than the dialog's own size, where every result has its room.
    resize(window->size().expandedTo(size()).boundedTo(room));
    const QPoint corner = window->frameGeometry().topLeft();
    const QSize whole = size() + frame;
    move(qBound(available.left(), corner.x(), available.right() + 1 - whole.width()),
         qBound(available.top(), corner.y(), available.bottom() + 1 - whole.height()));
    if (window->isMaximized())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void AbstractSolver::plainCanvas()
{
    graph->resetEdges();
    graph->resetVerticles();
}

void AbstractSolver::setCurrentInfo(const QString &info)
{
    ui.currentInfoLabel->setText(info);
}

void AbstractSolver::addEventLogLine(const QString &line)
{
    m_timeline->addHistoryLine(QTime::currentTime().toString(Qt::TextDate) + QStringLiteral(" - ") + line);
}

void AbstractSolver::setSolverTitle(const QString &title)
{
    setWindowTitle(title);
}

void AbstractSolver::addInheritedWidget(QWidget *widget)
{
    ui.rightPanelLayout->addWidget(widget);
    m_timeline->watch(widget);
    // Connected before the solver connects its buttons: a press begins a step before the solver acts on it.
    const QList<QAbstractButton *> buttons = widget->findChildren<QAbstractButton *>();
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons.at(i), &QAbstractButton::clicked, this, [this, i] { actionBegins(Timeline::Button, i); });
    const QList<QListWidget *> lists = widget->findChildren<QListWidget *>();
    for (QListWidget *list : lists)
        list->viewport()->installEventFilter(this);
}

void AbstractSolver::setHelpPage(const QString &anchor)
{
    m_helpPage = anchor;
}

void AbstractSolver::showHelp()
{
    // In the exercise mode the student wants to know how to answer, not how the algorithm runs.
    HelpWindow::open(this, exerciseActive() ? QStringLiteral("cwiczenie") : m_helpPage);
}

void AbstractSolver::setNextStepHint(const QString &hint)
{
    m_nextStepLabel->setText(hint);
    m_nextStepLabel->setHidden(hint.isEmpty());
}

void AbstractSolver::revealInPanel(QWidget *widget)
{
    // Once the layouts have placed what the step has just shown.
    QTimer::singleShot(0, widget, [this, widget] {
        const QRect rect(widget->mapTo(ui.inheritedWidgetContainer, QPoint()), widget->size());
        QScrollBar *bar = ui.panelScrollArea->verticalScrollBar();
        const int room = ui.panelScrollArea->viewport()->height();
        if (rect.top() < bar->value() || rect.height() > room)
            bar->setValue(rect.top());
        else if (rect.bottom() >= bar->value() + room)
            bar->setValue(rect.bottom() + 1 - room);
    });
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
    stopPlay();
    forward(true);
}

void AbstractSolver::stepForwardKey()
{
    stopPlay();
    forward(false);
}

// Space presses the focused button of the solver's panel, where the focus frame is; anywhere else it steps.
void AbstractSolver::spaceKey()
{
    auto *button = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
    if (button && button->isEnabled() && ui.inheritedWidgetContainer->isAncestorOf(button)) {
        button->click();
        return;
    }
    stepForwardKey();
}

// Right after the start there is nothing to go back to: another start is a
// click on another vertex, whichever way the run came to that moment.
void AbstractSolver::stepBack()
{
    stopPlay();
    settle();
    if (m_timeline->position() <= 0)
        return;
    m_timeline->moveTo(m_timeline->position() - 1);
    if (m_timeline->position() == 0)
        m_timeline->openStart();
    afterChange();
}

void AbstractSolver::goToStart()
{
    stopPlay();
    settle();
    if (m_timeline->count() == 0)
        return;
    m_timeline->moveTo(0);
    m_timeline->openStart();
    afterChange();
}

void AbstractSolver::goToEnd()
{
    stopPlay();
    settle();
    // The student answers every step of an exercise: no jumping over them.
    if (exerciseActive())
        return;
    m_timeline->moveTo(m_timeline->count() - 1);
    afterChange();
    if (canForward())
        startPlay(true);
}

void AbstractSolver::togglePlay()
{
    if (isPlaying() || exerciseActive())
        stopPlay();
    else if (canForward())
        startPlay(false);
}

void AbstractSolver::jumpTo(int position)
{
    stopPlay();
    settle();
    if (exerciseActive() && position > m_timeline->position())
        return;
    m_timeline->moveTo(position);
    if (m_timeline->position() == 0)
        m_timeline->openStart();
    afterChange();
}

void AbstractSolver::setPace(double stepsPerSecond)
{
    m_pace = qBound(0.5, stepsPerSecond, 5.0);
    if (isPlaying() && !m_playingToEnd)
        m_playTimer->setInterval(int(1000 / m_pace));
    const QList<QAction *> actions = ui.playButton->menu()->actions();
    for (QAction *action : actions)
        action->setChecked(action->objectName() == QStringLiteral("pace%1Action").arg(m_pace * 10));
}

void AbstractSolver::actionBegins(Timeline::Trigger trigger, int button)
{
    stopPlay();
    if (m_timeline->commit())
        afterChange();
    m_timeline->begin(trigger, button);
    // The solver acts after this; its changes become a step once the click has been handled.
    QTimer::singleShot(0, this, &AbstractSolver::settle);
}

void AbstractSolver::settle()
{
    if (m_timeline->commit())
        afterChange();
}

bool AbstractSolver::canForward() const
{
    return m_timeline->position() + 1 < m_timeline->count() || ui.stepForwardButton->isEnabled();
}

// The step button replays a recorded step of its own kind; the keys and play replay whatever comes next.
bool AbstractSolver::forward(bool stepButton)
{
    settle();
    if (m_exercise && m_exercise->holdsForward())
        return false;
    const bool recorded = m_timeline->position() + 1 < m_timeline->count();
    if (recorded && (!stepButton || m_timeline->nextTrigger() == Timeline::Forward)) {
        m_timeline->moveTo(m_timeline->position() + 1);
        afterChange();
        return true;
    }
    if (!ui.stepForwardButton->isEnabled())
        return false;
    m_timeline->begin(Timeline::Forward);
    setNextStepHint(QString());
    stepForward();
    if (m_exercise)
        m_exercise->stepTaken();
    m_timeline->commit();
    afterChange();
    return true;
}

void AbstractSolver::afterChange()
{
    clearResultMarks();
    showResult(m_timeline->position() >= 0 && !ui.stepForwardButton->isEnabled());
    // What showResult changed is not a step of its own.
    m_timeline->rebase();
    updateControls();
    if (m_exercise)
        m_exercise->refresh();
}

void AbstractSolver::showResult(bool)
{
}

void AbstractSolver::offerExercise()
{
    if (!m_exercise)
        m_exercise = new Exercise(this, ui.graphView, ui.rightPanelLayout);
}

bool AbstractSolver::exerciseActive() const
{
    return m_exercise && m_exercise->isActive();
}

QList<ExerciseDecision> AbstractSolver::exerciseDecisions() const
{
    return {};
}

void AbstractSolver::stepAlong(GraphEdge *choice)
{
    m_choice = choice;
    // A step taken by an answer is a step forward like any other: the line about the next press goes.
    setNextStepHint(QString());
    stepForward();
    m_choice = nullptr;
}

void AbstractSolver::updateControls()
{
    // A function of the moment alone, never of the steps after it: a fresh dialog shows the same.
    ui.stepBackButton->setEnabled(m_timeline->position() > 0);
    ui.toStartButton->setEnabled(m_timeline->position() > 0);
    ui.playButton->setEnabled(isPlaying() || ui.stepForwardButton->isEnabled());
    ui.playButton->setText(isPlaying() ? tr("Zatrzymaj") : tr("Odtwarzaj"));
    // The focus frame goes back to the button Space presses, unless the user works in the solver's panel.
    QWidget *focus = QApplication::focusWidget();
    if (ui.stepForwardButton->isEnabled() && !ui.stepForwardButton->hasFocus()
        && !(focus && ui.inheritedWidgetContainer->isAncestorOf(focus)))
        ui.stepForwardButton->setFocus(Qt::OtherFocusReason);
}

void AbstractSolver::startPlay(bool toEnd)
{
    m_playingToEnd = toEnd;
    m_playTimer->start(toEnd ? 0 : int(1000 / m_pace));
    updateControls();
}

void AbstractSolver::stopPlay()
{
    if (!m_playTimer->isActive())
        return;
    m_playTimer->stop();
    updateControls();
}

void AbstractSolver::playTick()
{
    // To the end: steps for a moment at a time, so the window still answers (any key stops it).
    QElapsedTimer slice;
    slice.start();
    do {
        if (!forward(false) || !canForward()) {
            stopPlay();
            return;
        }
    } while (m_playingToEnd && slice.elapsed() < 30);
}

bool AbstractSolver::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.stepForwardButton && event->type() == QEvent::EnabledChange)
        updateControls();
    if (event->type() == QEvent::ToolTip) {
        auto *list = qobject_cast<QListWidget *>(watched->parent());
        if (list && list->viewport() == watched && showRowToolTip(list, static_cast<QHelpEvent *>(event)))
            return true;
    }
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
    if (event->spontaneous())
        return;
    m_timeline->setRecording(true);
    // Opens on the whole drawing, shrunk when it does not fit, never enlarged.
    if (!std::exchange(m_fitted, true))
        ui.graphView->fitDrawing(1.0);
    updateControls();
}

// A row too long for its list shows whole in its tooltip; a row with a tooltip of its own keeps it.
bool AbstractSolver::showRowToolTip(QListWidget *list, QHelpEvent *event)
{
    const QModelIndex index = list->indexAt(event->pos());
    if (!index.isValid() || index.data(Qt::ToolTipRole).isValid())
        return false;
    const QString text = index.data().toString();
    const QVariant font = index.data(Qt::FontRole);
    const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : list->font());
    const QRect rect = list->visualRect(index);
    // The style's margins beside the text, a few pixels each side.
    if (metrics.horizontalAdvance(text) > rect.width() - 8)
        QToolTip::showText(event->globalPos(), text, list->viewport(), rect);
    else
        QToolTip::hideText();
    return true;
}

// Nothing after closing is a step.
void AbstractSolver::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    stopPlay();
    m_timeline->setRecording(false);
    removeMarks(ResultLayer);
    removeMarks(RefusalLayer);
    // Every way of ending the dialog hides it, Escape and done() too, which bring no close event.
    plainCanvas();
}

CanvasMarks *AbstractSolver::marks(CanvasLayer layer, CanvasMarks::Kind kind)
{
    CanvasMarks *&item = m_marks[layer * 3 + kind];
    if (!item) {
        item = new CanvasMarks(kind, layer == ResultLayer ? QStringLiteral("result") : QStringLiteral("refusal"));
        graph->addItem(item);
    }
    return item;
}

void AbstractSolver::removeMarks(CanvasLayer layer)
{
    for (int kind = 0; kind < 3; ++kind) {
        delete m_marks[layer * 3 + kind];
        m_marks[layer * 3 + kind] = nullptr;
    }
}

void AbstractSolver::markVerticle(GraphVerticle *v, const QColor &colour, CanvasLayer layer, int spread)
{
    marks(layer, CanvasMarks::Rings)->addRing(v, colour, spread);
}

void AbstractSolver::markEdge(GraphEdge *e, const QColor &colour, CanvasLayer layer)
{
    marks(layer, CanvasMarks::Bands)->addBand(e, colour);
}

void AbstractSolver::numberEdgesLater(std::function<void(const std::function<void(GraphEdge *)> &)> walk)
{
    CanvasMarks *numbers = marks(ResultLayer, CanvasMarks::Numbers);
    if (!walk)
        return;
    numbers->addLater([walk = std::move(walk)](CanvasMarks &numbers) {
        int number = 0;
        walk([&](GraphEdge *e) { numbers.addNumber(e, ++number); });
    });
}

void AbstractSolver::clearResultMarks()
{
    for (int kind = 0; kind < 3; ++kind) {
        if (m_marks[ResultLayer * 3 + kind])
            m_marks[ResultLayer * 3 + kind]->clear();
    }
}

void AbstractSolver::explainPieces(bool edgesOnly)
{
    // Each piece by a walk of its own, in the scene's vertex order.
    QHash<GraphVerticle *, bool> seen;
    QList<QList<GraphVerticle *>> pieces;
    const QList<GraphVerticle *> verticles = graph->verticles();
    for (GraphVerticle *first : verticles) {
        if (seen.value(first) || (edgesOnly && first->edges().isEmpty()))
            continue;
        QList<GraphVerticle *> piece{first};
        seen.insert(first, true);
        for (int i = 0; i < piece.size(); ++i) {
            const QList<GraphVerticle *> neighbours = piece.at(i)->neighbours();
            for (GraphVerticle *n : neighbours) {
                if (!seen.value(n)) {
                    seen.insert(n, true);
                    piece.append(n);
                }
            }
        }
        std::sort(piece.begin(), piece.end(),
                  [&](GraphVerticle *a, GraphVerticle *b) { return a->serial() < b->serial(); });
        pieces.append(piece);
    }
    if (pieces.size() < 2)
        return;

    QStringList named;
    for (int i = 0; i < pieces.size(); ++i) {
        const QColor colour = pieceColours().at(i % pieceColours().size());
        for (GraphVerticle *v : std::as_const(pieces.at(i))) {
            markVerticle(v, colour, RefusalLayer);
            for (GraphEdge *e : v->edges()) {
                if (e->start() == v)
                    markEdge(e, colour, RefusalLayer);
            }
        }
        if (i < 10)
            named.append(QStringLiteral("%1) %2").arg(i + 1).arg(verticleNames(pieces.at(i), 12)));
    }
    QString text = named.join(QStringLiteral("; "));
    if (pieces.size() > 10)
        text += tr("; i %1 innych").arg(pieces.size() - 10);
    addEventLogLine(tr("Graf ma %1 części, każdą zaznaczono innym kolorem: %2.").arg(pieces.size()).arg(text));
}

QString AbstractSolver::verticleNames(const QList<GraphVerticle *> &verticles, int shown)
{
    QStringList names;
    for (int i = 0; i < verticles.size() && i < shown; ++i)
        names.append(verticles.at(i)->name());
    QString text = names.join(QStringLiteral(", "));
    if (verticles.size() > shown)
        text += tr(" i %1 innych").arg(verticles.size() - shown);
    return text;
}

void AbstractSolver::reportBrokenRun(const QString &what)
{
    addEventLogLine(tr("BŁĄD: %1").arg(what));
    setCurrentInfo(tr("Błąd programu: %1. Algorytm przerwano.").arg(what));
    disableStepForward();
}
