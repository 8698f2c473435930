// Measures what a teacher feels with a large graph: loading a file, one edit,
// the slowest click of each algorithm's run, the quick solve, peak memory and
// start-up. Every figure is printed beside a floor measured in the same run on
// the same graph, with the ratio; the goals are the ratios, never the times.
//
//   perewal_bench [--runs N] [--sizes 100:300,1000:3000,5000:15000] [--quick-edges 100000]
//                 [--budget SECONDS]
//                 [--figures load,edit,view,export,undo,steps,quick,memory,startup,paint,largest,timeline,timeline-memory,generate,minty-history,undo-largest]
//                 [--title TEXT]
//
// "steps" runs the three algorithms; "minty", "dijkstraprim" or "fleury" runs one of them. "timeline"
// moves along each algorithm's whole run; "timeline-memory" keeps a whole Fleury step run on the timeline.
// "view" fits and zooms a view of the graph, "export" saves it as PNG, SVG and PDF.
// "undo" loads, moves, undoes and redoes as steps of the undo stack, and weighs a history of 1,000 edits.
// "paint" and "largest" paint large graphs in the main window and load the costliest 2 MB files.
// "generate" makes a connected graph of each size by number, against loading the same graph from its file.

#include "app/perewal.h"
#include "graph/editcommand.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphgenerator.h"
#include "graph/graphverticle.h"
#include "graph/graphview.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/exercise.h"
#include "solvers/fleurysolver.h"
#include "solvers/historymodel.h"
#include "solvers/mintysolver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>

#include <sys/resource.h>

namespace {

QTextStream out(stdout);

struct Edge
{
    int start;
    int end;
    double weight;
};

struct GraphData
{
    QList<QPointF> points;
    QList<Edge> edges;
};

quint64 pairKey(int a, int b)
{
    return (quint64(quint32(qMin(a, b))) << 32) | quint32(qMax(a, b));
}

QList<QPointF> spreadPoints(std::mt19937 &rng, int count)
{
    // A plane that grows with the graph, so the density stays as on a drawn graph.
    const double side = 60.0 * std::sqrt(double(count));
    std::uniform_real_distribution<double> coordinate(0, side);
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append(QPointF(std::round(coordinate(rng)), std::round(coordinate(rng))));
    return points;
}

// A random spanning tree, then random extra edges up to edgeCount; whole weights 1 to 100.
GraphData connectedGraph(int count, int edgeCount, unsigned seed)
{
    std::mt19937 rng(seed);
    GraphData data{spreadPoints(rng, count), {}};
    std::uniform_int_distribution<int> weight(1, 100);
    QSet<quint64> used;
    for (int v = 1; v < count; ++v) {
        const int other = std::uniform_int_distribution<int>(0, v - 1)(rng);
        data.edges.append({other, v, double(weight(rng))});
        used.insert(pairKey(other, v));
    }
    std::uniform_int_distribution<int> any(0, count - 1);
    while (data.edges.size() < edgeCount) {
        const int a = any(rng);
        const int b = any(rng);
        if (a == b || used.contains(pairKey(a, b)))
            continue;
        used.insert(pairKey(a, b));
        data.edges.append({a, b, double(weight(rng))});
    }
    return data;
}

// A cycle through every vertex, then random closed walks without repeated
// edges until about edgeCount edges: connected, every degree even.
GraphData eulerianGraph(int count, int edgeCount, unsigned seed)
{
    std::mt19937 rng(seed);
    GraphData data{spreadPoints(rng, count), {}};
    QSet<quint64> used;
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    for (int i = 0; i < count; ++i) {
        const int a = order[i];
        const int b = order[(i + 1) % count];
        data.edges.append({a, b, 1});
        used.insert(pairKey(a, b));
    }
    std::uniform_int_distribution<int> any(0, count - 1);
    while (data.edges.size() < edgeCount) {
        const int length = std::uniform_int_distribution<int>(3, 12)(rng);
        QList<int> walk{any(rng)};
        QSet<quint64> fresh;
        bool ok = true;
        for (int step = 1; step <= length && ok; ++step) {
            const int next = step == length ? walk.first() : any(rng);
            const quint64 k = pairKey(walk.last(), next);
            ok = next != walk.last() && !used.contains(k) && !fresh.contains(k);
            fresh.insert(k);
            walk.append(next);
        }
        if (!ok)
            continue;
        for (int i = 0; i + 1 < walk.size(); ++i)
            data.edges.append({walk[i], walk[i + 1], 1});
        used.unite(fresh);
    }
    return data;
}

// A star: one hub in the middle of what the window shows at start, joined
// to vertices spread over the plane, so that every line crosses a good part
// of the drawing.
GraphData starGraph(int leaves, unsigned seed)
{
    std::mt19937 rng(seed);
    GraphData data{{QPointF(50, 50)}, {}};
    data.points.append(spreadPoints(rng, leaves));
    std::uniform_int_distribution<int> weight(1, 100);
    for (int i = 1; i <= leaves; ++i)
        data.edges.append({0, i, double(weight(rng))});
    return data;
}

GraphData isolatedVerticles(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    return GraphData{spreadPoints(rng, count), {}};
}

// Random distinct edges among the points, added to data until it holds edgeCount.
void addRandomEdges(GraphData &data, int edgeCount, std::mt19937 &rng, double weight = 0)
{
    QSet<quint64> used;
    for (const Edge &e : std::as_const(data.edges))
        used.insert(pairKey(e.start, e.end));
    std::uniform_int_distribution<int> any(0, int(data.points.size()) - 1);
    std::uniform_int_distribution<int> randomWeight(1, 100);
    while (data.edges.size() < edgeCount) {
        const int a = any(rng);
        const int b = any(rng);
        if (a == b || used.contains(pairKey(a, b)))
            continue;
        used.insert(pairKey(a, b));
        data.edges.append({a, b, weight != 0 ? weight : randomWeight(rng)});
    }
}

// The graph as a file, written with the program's own writer from a scene
// built without going through the mouse.
QByteArray graphFile(const GraphData &data)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint32(data.points.size()) << qint32(data.edges.size());
    for (int i = 0; i < data.points.size(); ++i)
        stream << QChar(char16_t(65 + i)) << data.points[i].x() << data.points[i].y();
    for (const Edge &e : data.edges)
        stream << QChar(char16_t(65 + e.start)) << QChar(char16_t(65 + e.end)) << double(e.weight);
    return bytes;
}

// The graph as a file on disk, for a child process to load; returns its name.
QString writeGraphFile(const QTemporaryDir &folder, const QString &name, const GraphData &data)
{
    const QString fileName = folder.filePath(name);
    QFile output(fileName);
    if (!output.open(QIODevice::WriteOnly) || output.write(graphFile(data)) < 0)
        qFatal("cannot write %s", qPrintable(fileName));
    return fileName;
}

void load(Graph &graph, const QByteArray &bytes)
{
    QDataStream in(bytes);
    in >> graph;
}

// What the program's event loop does between two clicks: the scene polishes
// and indexes the items added since. Without it, every later removal would
// search the scene's list of items still waiting for that.
void settle()
{
    QCoreApplication::processEvents();
}

// The floor for loading: the same items in a bare scene, no names kept, no
// relabelling. The texts are the program's (a letter per vertex, the weight per
// edge, in the program's fonts), so the floor pays for the same glyphs.
void createBareItems(QGraphicsScene &scene, const GraphData &data)
{
    const QFont letterFont(QStringLiteral("Verdana"), 12);
    const QFont weightFont(QStringLiteral("Verdana"), 10);
    for (int i = 0; i < data.points.size(); ++i) {
        auto *circle = new QGraphicsEllipseItem(-10, -10, 20, 20);
        circle->setPos(data.points[i]);
        auto *letter = new QGraphicsSimpleTextItem(circle);
        letter->setFont(letterFont);
        letter->setText(QString(QChar(char16_t(65 + i))));
        letter->setPos(-4, -8);
        scene.addItem(circle);
    }
    for (const Edge &e : data.edges) {
        const QLineF line(data.points[e.start], data.points[e.end]);
        auto *item = new QGraphicsLineItem(line);
        scene.addItem(item);
        auto *weight = new QGraphicsSimpleTextItem;
        weight->setFont(weightFont);
        weight->setText(QString::number(e.weight));
        weight->setPos(line.center());
        scene.addItem(weight);
    }
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Median of up to `runs` runs of body (milliseconds); fewer when the runs use up the budget.
double measure(int runs, double budgetMs, const std::function<void()> &prepare, const std::function<void()> &body,
               const std::function<void()> &after = {})
{
    QList<double> times;
    double spent = 0;
    for (int i = 0; i < runs && (i == 0 || spent < budgetMs); ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        body();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (after)
            after();
        times.append(ms);
        spent += ms;
    }
    return median(times);
}

double repaint(QGraphicsScene &scene, int runs)
{
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    return measure(runs, 1e9, {}, [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        scene.render(&painter, QRectF(image.rect()), scene.itemsBoundingRect());
    });
}

struct Row
{
    QString figure;
    QString size;
    double value;
    QString floorName;
    double floor;
    QString goal;
    QString note;
};

QList<Row> rows;

void report(const Row &row)
{
    rows.append(row);
    const QString unit = row.figure.contains(QLatin1String("memory")) ? QStringLiteral(" MiB") : QStringLiteral(" ms");
    out << "  " << row.figure << " @ " << row.size << ": " << QString::number(row.value, 'f', 3) << unit << " / "
        << QString::number(row.floor, 'f', 3) << unit << " = " << QString::number(row.value / row.floor, 'f', 2)
        << (row.note.isEmpty() ? QString() : QStringLiteral(" (") + row.note + QLatin1Char(')')) << Qt::endl;
}

QString sizeName(int verticles, int edges)
{
    return QLocale(QLocale::English).toString(verticles) + QStringLiteral(" / ")
           + QLocale(QLocale::English).toString(edges);
}

qint64 residentKib();

struct RunResult
{
    double slowest = 0;     // the slowest single click, ms
    int slowestClick = 0;   // which: 0 is opening the dialog, 1 the start vertex
    double total = 0;       // the whole run, ms
    int clicks = 0;
    bool finished = false;  // false when the run was cut off at the time limit
    std::vector<double> times; // every click after the start, ms
    int historyLines = 0;
    qint64 historyBytes = 0; // what the history model holds for its lines
    qint64 startedKib = 0;  // resident after the start click
    qint64 endKib = 0;      // resident at the end of the run, the dialog still open
};

// The slowest click in the first or the last tenth of a run; with a rank, the
// click that many places below the slowest.
double slowestInTenth(const std::vector<double> &times, bool last, size_t rank = 0)
{
    const size_t tenth = std::max<size_t>(1, times.size() / 10);
    if (times.empty())
        return 0;
    const auto from = last ? times.end() - qint64(tenth) : times.begin();
    std::vector<double> part(from, from + qint64(tenth));
    const auto at = part.begin() + qint64(std::min(rank, part.size() - 1));
    std::nth_element(part.begin(), at, part.end(), std::greater<double>());
    return *at;
}

/**
 * Opens a solver on the graph, clicks its start vertex and clicks "Krok
 * dalej..." until it is disabled or the time limit passes. Opening the dialog
 * and the start click count as clicks too. Shown, the dialog lays out its text
 * as it goes; painting waits for the event loop, which the run enters, untimed,
 * every 1,000 clicks.
 */
template<class Solver>
RunResult runSteps(Graph &graph, double limitMs, bool shown = false)
{
    RunResult result;
    QElapsedTimer timer;
    timer.start();
    auto solver = std::make_unique<Solver>(&graph, nullptr);
    if (shown) {
        // As a class sees it: a shown box lays its text out, a hidden one does not.
        solver->show();
        QCoreApplication::processEvents();
    }
    result.slowest = timer.nsecsElapsed() / 1e6;
    result.total = result.slowest;

    auto click = [&](const std::function<void()> &action) {
        QElapsedTimer t;
        t.start();
        action();
        const double ms = t.nsecsElapsed() / 1e6;
        if (ms > result.slowest) {
            result.slowest = ms;
            result.slowestClick = result.clicks + 1;
        }
        result.total += ms;
        ++result.clicks;
    };
    click([&] { emit graph.verticleClicked(graph.verticles().first()); });
    result.startedKib = residentKib();
    auto *step = solver->template findChild<QPushButton *>(QStringLiteral("stepForwardButton"));
    while (step->isEnabled() && result.total < limitMs) {
        click([&] { step->click(); });
        result.times.push_back(result.total);
        // The program goes back to its event loop after every click. Never
        // going back, Qt's queue of posted events grows through the run (a
        // queued call for every change of a box's scroll bar range, 4,775 at
        // the end of the 5,000 / 15,000 run), and every posted update or
        // layout request walks that queue. Now and then, untimed, the loop runs.
        if (shown && result.clicks % 1000 == 0)
            QCoreApplication::processEvents();
    }
    // Each entry was the running total: made into each click's own time.
    for (size_t i = result.times.size(); i-- > 1;)
        result.times[i] -= result.times[i - 1];
    if (!result.times.empty())
        result.times[0] = 0;
    result.finished = !step->isEnabled();
    if (auto *history = solver->template findChild<QAbstractItemView *>(QStringLiteral("eventLogWidget"))) {
        result.historyLines = history->model()->rowCount();
        if (auto *lines = qobject_cast<HistoryModel *>(history->model()))
            result.historyBytes = lines->storedBytes();
    }
    result.endKib = residentKib();
    solver->close();
    solver.reset();
    // The event loop runs once the dialog is gone, as it does in the program:
    // the scene catches up with the looks the run changed.
    settle();
    return result;
}

struct NavigationResult
{
    double back = 0;  // the slowest step back, ms
    double jump = 0;  // the slowest jump to a random step
    double start = 0; // the slowest "Od początku"
    int steps = 0;
    bool finished = false;
};

/**
 * Runs a solver to its end, then moves along its timeline as a teacher
 * does, each move from a random moment: a step back, a jump to a random
 * step (back or forth) and "Od początku". The first sample of each starts
 * from the end, and the jumps include the whole run both ways.
 */
template<class Solver>
NavigationResult navigate(Graph &graph, double limitMs, int samples, unsigned seed)
{
    NavigationResult result;
    auto solver = std::make_unique<Solver>(&graph, nullptr);
    emit graph.verticleClicked(graph.verticles().first());
    auto *step = solver->template findChild<QPushButton *>(QStringLiteral("stepForwardButton"));
    QElapsedTimer whole;
    whole.start();
    while (step->isEnabled() && whole.nsecsElapsed() / 1e6 < limitMs)
        step->click();
    result.finished = !step->isEnabled();
    auto done = [&] {
        solver->close();
        solver.reset();
        settle();
    };
    if (!result.finished) {
        done();
        return result;
    }
    settle();
    const int last = solver->timelineLength() - 1;
    result.steps = last + 1;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> any(0, last);
    auto timed = [](const std::function<void()> &move) {
        QElapsedTimer timer;
        timer.start();
        move();
        return timer.nsecsElapsed() / 1e6;
    };
    auto *back = solver->template findChild<QPushButton *>(QStringLiteral("stepBackButton"));
    auto *toStart = solver->template findChild<QPushButton *>(QStringLiteral("toStartButton"));
    for (int i = 0; i < samples; ++i) {
        solver->jumpTo(i == 0 ? last : any(rng));
        result.back = qMax(result.back, timed([&] { back->click(); }));
        const int from = i == 0 ? 0 : i == 1 ? last : any(rng);
        const int to = i == 0 ? last : i == 1 ? 0 : any(rng);
        solver->jumpTo(from);
        result.jump = qMax(result.jump, timed([&] { solver->jumpTo(to); }));
        solver->jumpTo(i == 0 ? last : any(rng));
        result.start = qMax(result.start, timed([&] { toStart->click(); }));
    }
    done();
    return result;
}

double quickSolve(Graph &graph)
{
    FleurySolver solver(&graph, nullptr);
    emit graph.verticleClicked(graph.verticles().first());
    auto *solve = solver.findChild<QPushButton *>(QStringLiteral("solveButton"));
    QElapsedTimer timer;
    timer.start();
    solve->click();
    return timer.nsecsElapsed() / 1e6;
}

// A memory figure of this process in KiB, as the kernel counts it: "VmHWM"
// is the peak resident size, "VmRSS" the resident size now.
qint64 statusKib(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

qint64 peakKib()
{
    return statusKib("VmHWM");
}

qint64 residentKib()
{
    return statusKib("VmRSS");
}

// A load as the user makes it: one step of the undo stack.
void loadAsStep(Graph &graph, const QByteArray &bytes)
{
    graph.undoStack()->push(EditCommand::replaceDrawing(&graph, QStringLiteral("load"), [&bytes](Graph &g) {
        QDataStream in(bytes);
        in >> g;
        return in.status() == QDataStream::Ok;
    }));
}

// A thousand edits that make no new items: moves, typed weights, removed
// edges and vertices (which the history keeps); what they cost is the history's.
void thousandEdits(Graph &graph)
{
    std::mt19937 rng(1000);
    for (int i = 0; i < 1000; ++i) {
        const QList<GraphVerticle *> verticles = graph.verticles();
        GraphVerticle *v = verticles.at(int(rng() % verticles.size()));
        switch (i % 4) {
        case 0:
            graph.undoStack()->push(EditCommand::moveVerticle(&graph, v, v->pos(), v->pos() + QPointF(7, 3)));
            break;
        case 1:
            if (!v->edges().isEmpty())
                graph.undoStack()->push(EditCommand::setWeight(&graph, v->edges().first(), i));
            break;
        case 2:
            if (!v->edges().isEmpty())
                graph.undoStack()->push(EditCommand::removeEdge(&graph, v->edges().first()));
            break;
        default:
            graph.undoStack()->push(EditCommand::removeVerticle(&graph, v));
            break;
        }
    }
}

// The records of a graph file, without the program's reader.
GraphData graphData(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 v = 0, e = 0;
    in >> v >> e;
    GraphData data;
    for (int i = 0; i < v; ++i) {
        QChar c;
        double x, y;
        in >> c >> x >> y;
        data.points.append(QPointF(x, y));
    }
    for (int i = 0; i < e; ++i) {
        QChar s, t;
        double w;
        in >> s >> t >> w;
        data.edges.append({s.unicode() - 65, t.unicode() - 65, w});
    }
    return data;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

/**
 * The first paint of the main window at 1280 × 800 showing a graph file:
 * loaded by the program's own load command ("paint-program"), or the same
 * window showing the bare items instead ("paint-bare" with Qt's default item
 * index, "paint-bare-unindexed" without one). "fitted" scales the view so
 * that the whole drawing is in sight. Prints the milliseconds from show() to
 * the end of the first paint, the peak memory at the start and at the end,
 * and the milliseconds the loading took.
 */
int paintChild(const QString &mode, const QString &file, bool fitted)
{
    // A graph that costs far more than it should fails here rather than
    // taking the machine down with it.
    const rlimit cap{rlim_t(8) << 30, rlim_t(8) << 30};
    setrlimit(RLIMIT_AS, &cap);
    const qint64 start = peakKib();
    Perewal window;
    window.resize(1280, 800);
    auto *view = window.findChild<QGraphicsView *>(QStringLiteral("graphView"));
    std::unique_ptr<QGraphicsScene> bare;
    QElapsedTimer loading;
    loading.start();
    if (mode == QLatin1String("paint-program")) {
        window.loadGraphFrom(file);
    } else {
        QFile input(file);
        if (!input.open(QIODevice::ReadOnly))
            return 2;
        bare = std::make_unique<QGraphicsScene>();
        if (mode == QLatin1String("paint-bare-unindexed"))
            bare->setItemIndexMethod(QGraphicsScene::NoIndex);
        createBareItems(*bare, graphData(input.readAll()));
        view->setScene(bare.get());
    }
    const double loadMs = loading.nsecsElapsed() / 1e6;
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    window.show();
    if (fitted) {
        const QRectF all = view->scene()->itemsBoundingRect();
        view->setSceneRect(all);
        view->fitInView(all, Qt::KeepAspectRatio);
    }
    while (counter.paints == 0 && timer.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    out << timer.nsecsElapsed() / 1e6 << ' ' << start << ' ' << peakKib() << ' ' << loadMs << Qt::endl;
    return counter.paints ? 0 : 3;
}

int childMode(const QString &mode, const QString &file, bool fitted)
{
    if (mode.startsWith(QLatin1String("paint-")))
        return paintChild(mode, file, fitted);
    if (mode == QLatin1String("startup-perewal") || mode == QLatin1String("startup-bare")) {
        std::unique_ptr<QWidget> window;
        if (mode == QLatin1String("startup-perewal"))
            window = std::make_unique<Perewal>();
        else
            window = std::make_unique<QWidget>();
        window->show();
        QCoreApplication::processEvents();
        window->close();
        return 0;
    }

    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = input.readAll();
    input.close();
    const qint64 before = peakKib();
    if (mode == QLatin1String("memory-history")) {
        Graph graph;
        load(graph, bytes);
        settle();
        const qint64 loaded = residentKib();
        thousandEdits(graph);
        settle();
        out << loaded << ' ' << residentKib() << Qt::endl;
    } else if (mode == QLatin1String("memory-load")) {
        Graph graph;
        load(graph, bytes);
        out << before << ' ' << peakKib() << Qt::endl;
    } else if (mode == QLatin1String("memory-minty-run")) {
        // The whole run; then the dialog closes, as a user closes it, and the memory should go back.
        Graph graph;
        load(graph, bytes);
        settle();
        const qint64 loaded = residentKib();
        // A dialog opened and closed with no run: what stays is the dialog's code and caches, not the run's.
        runSteps<MintySolver>(graph, 0);
        settle();
        const qint64 opened = residentKib();
        const RunResult run = runSteps<MintySolver>(graph, 1e12);
        settle();
        out << loaded << ' ' << peakKib() - loaded << ' ' << residentKib() << ' ' << run.historyLines << ' '
            << run.startedKib << ' ' << run.endKib << ' ' << run.total << ' ' << run.slowest << ' ' << run.clicks
            << ' ' << (run.finished ? 1 : 0) << ' ' << run.historyBytes << ' ' << opened << Qt::endl;
    } else if (mode == QLatin1String("memory-fleury-run")) {
        // The whole step run, every click kept on the dialog's timeline.
        Graph graph;
        load(graph, bytes);
        settle();
        const RunResult run = runSteps<FleurySolver>(graph, 1e12);
        out << before << ' ' << peakKib() << ' ' << run.clicks << Qt::endl;
    } else {
        const GraphData data = graphData(bytes);
        QGraphicsScene scene;
        createBareItems(scene, data);
        out << before << ' ' << peakKib() << Qt::endl;
    }
    return 0;
}

QPair<qint64, qint64> childPeak(const QString &mode, const QString &file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, file});
    child.waitForFinished(-1);
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() < 2)
        return {-1, -1};
    return {parts[0].toLongLong(), parts[1].toLongLong()};
}

double startupMs(const QString &mode, int runs)
{
    return measure(runs, 1e9, {}, [&] {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
        child.waitForFinished(-1);
    });
}

struct PaintRun
{
    double ms = 0;
    double peakMib = 0;
    double loadMs = 0;
};

// Median time and peak memory of runs children painting the file in a mode.
PaintRun paintRun(const QString &mode, const QString &file, bool fitted, int runs)
{
    QList<double> times;
    QList<double> peaks;
    QList<double> loads;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), mode, file, fitted ? QStringLiteral("fitted") : QStringLiteral("opened")});
        child.waitForFinished(-1);
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
        if (child.exitCode() != 0 || parts.size() < 4)
            return {-1, -1, -1};
        times.append(parts[0].toDouble());
        peaks.append(parts[2].toDouble() / 1024);
        loads.append(parts[3].toDouble());
    }
    return {median(times), median(peaks), median(loads)};
}

/**
 * The first paint of the main window showing a large graph, and the peak
 * memory of loading and painting it, against the same window showing bare
 * items: once with Qt's default item index, once without an index. The ratio
 * is taken against the cheaper of the two floors.
 */
void paintTable(const QTemporaryDir &temp, int runs)
{
    struct Case
    {
        QString name;
        GraphData data;
    };
    const QList<Case> cases{
        {QStringLiteral("star, 10,000 edges"), starGraph(10000, 11u)},
        {QStringLiteral("60,000 isolated vertices"), isolatedVerticles(60000, 12u)},
        {QStringLiteral("random, ") + sizeName(5000, 15000), connectedGraph(5000, 15000, 20261206u + 5000)},
    };
    QStringList lines;
    for (const Case &c : cases) {
        const QString file = writeGraphFile(temp, QStringLiteral("paint.graf"), c.data);
        for (const bool fitted : {false, true}) {
            const QString view = fitted ? QStringLiteral("whole drawing fitted") : QStringLiteral("as the window opens");
            out << "paint " << c.name << ", " << view << Qt::endl;
            const PaintRun program = paintRun(QStringLiteral("paint-program"), file, fitted, runs);
            const PaintRun indexed = paintRun(QStringLiteral("paint-bare"), file, fitted, runs);
            const PaintRun unindexed = paintRun(QStringLiteral("paint-bare-unindexed"), file, fitted, runs);
            const double timeFloor = qMin(indexed.ms, unindexed.ms);
            const double memoryFloor = qMin(indexed.peakMib, unindexed.peakMib);
            lines.append(QStringLiteral("| %1 | %2 | %3 ms | %4 ms | %5 ms | %6 | %7 MiB | %8 MiB | %9 MiB | %10 |")
                             .arg(c.name, view)
                             .arg(program.ms, 0, 'f', 1).arg(indexed.ms, 0, 'f', 1).arg(unindexed.ms, 0, 'f', 1)
                             .arg(program.ms / timeFloor, 0, 'f', 2)
                             .arg(program.peakMib, 0, 'f', 1).arg(indexed.peakMib, 0, 'f', 1)
                             .arg(unindexed.peakMib, 0, 'f', 1).arg(program.peakMib / memoryFloor, 0, 'f', 2));
            out << "  " << lines.last() << Qt::endl;
        }
    }
    out << Qt::endl
        << "| graph | view | first paint | bare, Qt's index | bare, no index | ratio (≤ 1.5) | peak memory | "
           "bare, Qt's index | bare, no index | ratio (≤ 1.3) |" << Qt::endl
        << "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|" << Qt::endl
        << lines.join(QLatin1Char('\n')) << Qt::endl;
}

/**
 * The peak memory of loading and painting, the window as it opens, the
 * costliest files of at most 2 MB the reader accepts: the most vertices, the
 * most edges, the longest weight labels and everything on one point. With no
 * item index a paint visits every item wherever the view looks, so the view
 * changes the time, not the memory.
 */
void largestFilesTable(const QTemporaryDir &temp)
{
    constexpr qint64 limit = 2 << 20;
    constexpr int most = Graph::MaxVerticles;
    auto edgesLeft = [](int verticles) { return int((limit - 8 - 18 * qint64(verticles)) / 12); };
    std::mt19937 rng(2026u);

    GraphData mostVerticles = isolatedVerticles(most, 13u);
    addRandomEdges(mostVerticles, edgesLeft(most), rng);
    GraphData dense{spreadPoints(rng, 600), {}};
    addRandomEdges(dense, edgesLeft(600), rng);
    GraphData longLabels{dense.points, {}};
    // 309 digits each.
    addRandomEdges(longLabels, edgesLeft(600), rng, -1.7e308);
    GraphData onePoint{QList<QPointF>(600, QPointF(50, 50)), dense.edges};

    struct Case
    {
        QString name;
        GraphData data;
    };
    const QList<Case> cases{
        {QStringLiteral("star of 65,471 vertices"), starGraph(most - 1, 11u)},
        {QStringLiteral("65,471 vertices, random edges"), mostVerticles},
        {QStringLiteral("600 vertices, random edges"), dense},
        {QStringLiteral("the same, weights of 309 digits"), longLabels},
        {QStringLiteral("the same, all vertices on one point"), onePoint},
    };
    QStringList lines;
    for (const Case &c : cases) {
        const QString file = writeGraphFile(temp, QStringLiteral("largest.graf"), c.data);
        out << "largest file: " << c.name << Qt::endl;
        const PaintRun program = paintRun(QStringLiteral("paint-program"), file, false, 1);
        lines.append(QStringLiteral("| %1 | %2 / %3 | %4 B | %5 ms | %6 ms | %7 MiB |")
                         .arg(c.name, QLocale(QLocale::English).toString(c.data.points.size()),
                              QLocale(QLocale::English).toString(c.data.edges.size()),
                              QLocale(QLocale::English).toString(QFileInfo(file).size()))
                         .arg(program.loadMs, 0, 'f', 1)
                         .arg(program.ms, 0, 'f', 1)
                         .arg(program.peakMib, 0, 'f', 1));
        out << "  " << lines.last() << Qt::endl;
    }
    out << Qt::endl
        << "| file | vertices / edges | size | load | first paint | peak memory (≤ 2048 MiB) |" << Qt::endl
        << "|---|---|---:|---:|---:|---:|" << Qt::endl
        << lines.join(QLatin1Char('\n')) << Qt::endl;
}

void printTable(const QString &title)
{
    out << Qt::endl << "### " << title << Qt::endl << Qt::endl;
    out << "| figure | graph (vertices / edges) | time | floor | floor time | ratio | goal |" << Qt::endl;
    out << "|---|---|---:|---|---:|---:|---|" << Qt::endl;
    for (const Row &r : std::as_const(rows)) {
        const bool memory = r.figure.contains(QLatin1String("memory"));
        const QString unit = memory ? QStringLiteral(" MiB") : QStringLiteral(" ms");
        out << "| " << r.figure << " | " << r.size << " | " << QString::number(r.value, 'f', memory ? 1 : 3) << unit
            << (r.note.isEmpty() ? QString() : QStringLiteral(" (") + r.note + QLatin1Char(')')) << " | "
            << r.floorName << " | " << QString::number(r.floor, 'f', memory ? 1 : 3) << unit << " | "
            << QString::number(r.value / r.floor, 'f', 2) << " | " << r.goal << " |" << Qt::endl;
    }
}

// Names of vertices past the Latin letters fall in scripts without a font on
// a bare machine; the warnings say nothing about the figures.
void quietFontWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("OpenType support missing")))
        return;
    QTextStream(stderr) << message << Qt::endl;
    if (type == QtFatalMsg)
        abort();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietFontWarnings);
    QApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--child"))
        return childMode(args[2], args.value(3), args.value(4) == QLatin1String("fitted"));

    QCommandLineParser parser;
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs per figure (median)."), QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("sizes"), QStringLiteral("Graph sizes."), QStringLiteral("list"),
                      QStringLiteral("100:300,1000:3000,5000:15000")});
    parser.addOption({QStringLiteral("quick-edges"), QStringLiteral("Edges of the extra quick-solve graph."),
                      QStringLiteral("n"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("budget"), QStringLiteral("Seconds a figure may take over its runs, and a whole run of an algorithm."),
                      QStringLiteral("s"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("figures"), QStringLiteral("Figures to measure."), QStringLiteral("list"),
                      QStringLiteral("load,edit,view,export,undo,steps,quick,memory,startup,paint,largest,timeline,timeline-memory,generate,minty-history,undo-largest")});
    parser.addOption({QStringLiteral("title"), QStringLiteral("Table title."), QStringLiteral("text"), QStringLiteral("Perewal")});
    parser.addHelpOption();
    parser.process(app);

    const int runs = parser.value(QStringLiteral("runs")).toInt();
    const QStringList figures = parser.value(QStringLiteral("figures")).split(QLatin1Char(','));
    auto wanted = [&](const char *figure) { return figures.contains(QLatin1String(figure)); };
    const bool needScenes = wanted("load") || wanted("edit") || wanted("view") || wanted("export") || wanted("undo")
                            || wanted("steps") || wanted("quick") || wanted("minty") || wanted("dijkstraprim")
                            || wanted("fleury") || wanted("timeline") || wanted("exercise");
    const double budgetMs = parser.value(QStringLiteral("budget")).toDouble() * 1000;
    QList<QPair<int, int>> sizes;
    for (const QString &size : parser.value(QStringLiteral("sizes")).split(QLatin1Char(','))) {
        const QStringList parts = size.split(QLatin1Char(':'));
        sizes.append({parts[0].toInt(), parts[1].toInt()});
    }

    QTemporaryDir temp;
    QString largestFile;
    QString largestSize;
    // An algorithm whose whole run did not finish within the budget is not run on larger graphs.
    QSet<QString> cutOff;

    // Named copies, not structured bindings: lambdas below capture them, which C++17 allows only for variables.
    for (const auto &graphSize : std::as_const(sizes)) {
        const auto verticles = graphSize.first;
        const auto edges = graphSize.second;
        const QString size = sizeName(verticles, edges);
        out << "graph " << size << Qt::endl;
        const GraphData data = connectedGraph(verticles, edges, 20261206u + verticles);
        const QByteArray bytes = graphFile(data);
        largestFile = temp.filePath(QStringLiteral("graph-%1.graf").arg(verticles));
        largestSize = size;
        QFile file(largestFile);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();

        // A fresh graph by number, against loading the same graph from its file.
        if (wanted("generate")) {
            GraphGenerator::Settings settings;
            settings.verticles = verticles;
            settings.edges = edges;
            settings.kind = GraphGenerator::Connected;
            settings.number = 48213;
            QByteArray generated;
            const double generateMs = measure(runs, budgetMs, {}, [&] {
                GraphGenerator generator(settings);
                generator.generate();
                generated = generator.fileBytes();
            });
            std::unique_ptr<Graph> target;
            const double loadMs = measure(
                runs, budgetMs, [&] { target = std::make_unique<Graph>(); }, [&] { load(*target, generated); }, settle);
            report({QStringLiteral("generate a graph by number"), size, generateMs, QStringLiteral("load it from a file"),
                    loadMs, QStringLiteral("≤ 1"), {}});
        }

        if (!needScenes)
            continue;

        // Loading, against the bare items.
        std::unique_ptr<Graph> loaded;
        const double loadMs = measure(
            wanted("load") ? runs : 1, budgetMs, [&] { loaded = std::make_unique<Graph>(); }, [&] { load(*loaded, bytes); },
            settle);
        std::unique_ptr<QGraphicsScene> bare;
        const double bareMs = !wanted("load") ? 0 : measure(
            runs, budgetMs, [&] { bare = std::make_unique<QGraphicsScene>(); }, [&] { createBareItems(*bare, data); },
            settle);
        if (wanted("load")) {
            report({QStringLiteral("load a file"), size, loadMs, QStringLiteral("bare items"), bareMs, QStringLiteral("≤ 1.5"), {}});
            // As a user meets it: the file replaces a drawing of the same size.
            std::unique_ptr<Graph> drawn;
            const double reloadMs = measure(
                runs, budgetMs, [&] { drawn = std::make_unique<Graph>(); load(*drawn, bytes); settle(); },
                [&] { load(*drawn, bytes); }, settle);
            report({QStringLiteral("load a file over a drawn graph"), size, reloadMs, QStringLiteral("bare items"), bareMs,
                    QStringLiteral("—"), {}});
        }

        Graph &graph = *loaded;
        settle();
        const double repaintMs = repaint(graph, runs);

        // One edit: a vertex added, then removed; each relabels.
        if (wanted("edit")) {
            const double editMs = measure(runs, budgetMs, {}, [&] {
                GraphVerticle *v = graph.addVerticle(QPointF(5, 5));
                graph.removeVerticle(v);
            });
            report({QStringLiteral("one edit (add + remove a vertex)"), size, editMs, QStringLiteral("full repaint"),
                    repaintMs, QStringLiteral("≤ 1"), {}});
            // What a click costs before any edit: the items under the mouse, as the scene's press handler asks.
            const QPointF where = graph.verticles().at(graph.verticles().size() / 2)->pos();
            const double clickMs = measure(runs, budgetMs, {}, [&] { graph.items(where); });
            report({QStringLiteral("hit test of a click on a vertex"), size, clickMs, QStringLiteral("full repaint"),
                    repaintMs, QStringLiteral("≤ 1"), {}});
        }

        // Loading as a step of the undo stack, undoing and redoing it; one
        // move of a vertex, undone and redone.
        if (wanted("undo")) {
            Graph stepped;
            load(stepped, bytes);
            settle();
            const double loadStepMs = measure(runs, budgetMs, {}, [&] { loadAsStep(stepped, bytes); }, settle);
            report({QStringLiteral("load a file as a step, over a drawn graph"), size, loadStepMs,
                    QStringLiteral("load into an empty scene"), loadMs, QStringLiteral("—"), {}});
            const double undoLoadMs = measure(runs, budgetMs, [&] { loadAsStep(stepped, bytes); settle(); },
                                              [&] { stepped.undoStack()->undo(); }, settle);
            report({QStringLiteral("undo a load"), size, undoLoadMs, QStringLiteral("load as a step"), loadStepMs,
                    QStringLiteral("≤ 1.5"), {}});
            const double redoLoadMs = measure(runs, budgetMs, [&] { stepped.undoStack()->undo(); settle(); },
                                              [&] { stepped.undoStack()->redo(); }, settle);
            report({QStringLiteral("redo a load"), size, redoLoadMs, QStringLiteral("load as a step"), loadStepMs,
                    QStringLiteral("≤ 1.5"), {}});
            GraphVerticle *moved = graph.verticles().at(graph.verticles().size() / 2);
            const double moveMs = measure(runs, budgetMs, {}, [&] {
                graph.undoStack()->push(EditCommand::moveVerticle(&graph, moved, moved->pos(), moved->pos() + QPointF(9, 4)));
            });
            report({QStringLiteral("one move"), size, moveMs, QStringLiteral("full repaint"), repaintMs, QStringLiteral("≤ 1"), {}});
            const double undoMs = measure(runs, budgetMs, {}, [&] { graph.undoStack()->undo(); });
            report({QStringLiteral("undo one edit"), size, undoMs, QStringLiteral("full repaint"), repaintMs, QStringLiteral("≤ 1"), {}});
            const double redoMs = measure(runs, budgetMs, {}, [&] { graph.undoStack()->redo(); });
            report({QStringLiteral("redo one edit"), size, redoMs, QStringLiteral("full repaint"), repaintMs, QStringLiteral("≤ 1"), {}});
            graph.undoStack()->clear();
            const auto history = childPeak(QStringLiteral("memory-history"), largestFile);
            const auto floor = childPeak(QStringLiteral("memory-bare"), largestFile);
            report({QStringLiteral("memory of 1,000 edits' history"), size, (history.second - history.first) / 1024.0,
                    QStringLiteral("bare items"), (floor.second - floor.first) / 1024.0, QStringLiteral("≤ 0.2"), {}});
        }

        // A view as large as a maximised main window's: fitting the whole
        // drawing and one zoom step (their own work, then with the repaint
        // they cause), and each picture of the whole drawing.
        if (wanted("view") || wanted("export")) {
            GraphView view;
            view.resize(1000, 620);
            view.setScene(&graph);
            view.show();
            settle();
            const QPointF middle(500, 310);
            auto viewFigure = [&](const QString &name, const std::function<void()> &prepare,
                                  const std::function<void()> &body, const QString &goal) {
                report({name, size, measure(runs, budgetMs, prepare, body, settle), QStringLiteral("full repaint"),
                        repaintMs, goal, {}});
            };
            auto atOneToOne = [&] { view.zoomAbout(1 / view.zoom(), middle); settle(); };
            auto paint = [&] { view.viewport()->repaint(); };
            if (wanted("view")) {
                viewFigure(QStringLiteral("fit the whole drawing"), atOneToOne, [&] { view.fitDrawing(); },
                           QStringLiteral("≤ 1"));
                viewFigure(QStringLiteral("fit the whole drawing, with its repaint"), atOneToOne,
                           [&] { view.fitDrawing(); paint(); }, QStringLiteral("—"));
                viewFigure(QStringLiteral("one zoom step"), atOneToOne, [&] { view.zoomAbout(1.25, middle); },
                           QStringLiteral("≤ 1"));
                viewFigure(QStringLiteral("one zoom step, with its repaint"), atOneToOne,
                           [&] { view.zoomAbout(1.25, middle); paint(); }, QStringLiteral("—"));
            }
            if (wanted("export")) {
                for (const char *format : {"png", "svg", "pdf"}) {
                    const QString file = temp.filePath(QStringLiteral("picture.") + QLatin1String(format));
                    viewFigure(QStringLiteral("save the picture as ") + QString::fromLatin1(format).toUpper(), {},
                               [&] { view.savePicture(file); }, QStringLiteral("≤ 3"));
                }
            }
        }

        auto stepFigure = [&](const QString &name, const char *solver, const std::function<RunResult()> &run) {
            if (!(wanted("steps") || wanted(solver)) || cutOff.contains(name))
                return;
            const RunResult r = run();
            QString note = QStringLiteral("%1 clicks, run %2 s").arg(r.clicks).arg(r.total / 1000, 0, 'f', 2);
            if (!r.finished) {
                note = QStringLiteral("run cut off after %1 clicks, %2 s").arg(r.clicks).arg(r.total / 1000, 0, 'f', 0);
                cutOff.insert(name);
            }
            note += r.slowestClick == 0 ? QStringLiteral("; slowest: opening")
                                        : QStringLiteral("; slowest: click %1").arg(r.slowestClick);
            note += QStringLiteral("; slowest in the first tenth %1 ms, in the last tenth %2 ms")
                        .arg(slowestInTenth(r.times, false), 0, 'f', 3)
                        .arg(slowestInTenth(r.times, true), 0, 'f', 3);
            // A finished run's final click writes its result (Fleury's route), whose
            // length is the graph's, not the run's: set apart as the opening is.
            if (r.finished && r.times.size() > 1) {
                const std::vector<double> beforeFinal(r.times.begin(), r.times.end() - 1);
                note += QStringLiteral(" (%1 ms without the final click)").arg(slowestInTenth(beforeFinal, true), 0, 'f', 3);
            }
            // One click the machine held up decides the slowest; a thousandth of the clicks does not.
            const size_t thousandth = r.times.size() / 10 / 1000;
            if (thousandth > 0)
                note += QStringLiteral(" (one click in a thousand is slower than %1 ms in the first tenth, %2 ms in the last)")
                            .arg(slowestInTenth(r.times, false, thousandth), 0, 'f', 3)
                            .arg(slowestInTenth(r.times, true, thousandth), 0, 'f', 3);
            report({QStringLiteral("slowest click, ") + name, size, r.slowest, QStringLiteral("full repaint"), repaintMs,
                    QStringLiteral("≤ 1"), note});
        };
        stepFigure(QStringLiteral("Minty run"), "minty", [&] { return runSteps<MintySolver>(graph, budgetMs); });
        stepFigure(QStringLiteral("Dijkstra-Prim run"), "dijkstraprim", [&] { return runSteps<DijkstraPrimSolver>(graph, budgetMs); });

        // The exercise mode at a run's first choice of a least edge: a wrong
        // answer checked and explained (a step of the timeline of its own), and a hint.
        auto exerciseFigures = [&](const QString &name, AbstractSolver &solver) {
            solver.show();
            auto *exercise = solver.findChild<Exercise *>();
            exercise->setActive(true);
            emit graph.verticleClicked(graph.verticles().first());
            for (int i = 0; i < 10 && !(exercise->decision() && exercise->decision()->kind == ExerciseDecision::LeastEdge); ++i) {
                const ExerciseDecision *d = exercise->decision();
                if (!d) {
                    solver.findChild<QPushButton *>(QStringLiteral("stepForwardButton"))->click();
                } else if (d->kind == ExerciseDecision::YesNo) {
                    exercise->answer(d->yes);
                } else {
                    for (GraphEdge *e : d->right)
                        exercise->clickEdge(e);
                    exercise->confirm();
                }
            }
            const ExerciseDecision *d = exercise->decision();
            GraphEdge *wrong = graph.edges().last();
            for (int i = graph.edges().size() - 1; d->right.contains(wrong); --i)
                wrong = graph.edges().at(i);
            report({QStringLiteral("exercise: check and explain a wrong answer, ") + name, size,
                    measure(runs, budgetMs, {}, [&] { exercise->clickEdge(wrong); }, settle), QStringLiteral("full repaint"),
                    repaintMs, QStringLiteral("≤ 1"), {}});
            report({QStringLiteral("exercise: show a hint, ") + name, size,
                    measure(runs, budgetMs, {}, [&] { exercise->showHint(); }, settle), QStringLiteral("full repaint"),
                    repaintMs, QStringLiteral("≤ 1"), {}});
            solver.close();
        };
        if (wanted("exercise")) {
            MintySolver minty(&graph, nullptr);
            exerciseFigures(QStringLiteral("Minty"), minty);
            DijkstraPrimSolver prim(&graph, nullptr);
            exerciseFigures(QStringLiteral("Dijkstra-Prim"), prim);
        }

        // Moving along a whole run's timeline, against a full repaint of the same graph.
        // Not where the whole run was cut off already in this table or at a smaller size.
        auto timelineFigure = [&](const QString &name, const QString &runName, double repaint,
                                  const QString &graphSize, const std::function<NavigationResult()> &run) {
            if (!wanted("timeline") || cutOff.contains(name + QStringLiteral(" timeline")) || cutOff.contains(runName))
                return;
            const NavigationResult r = run();
            if (!r.finished) {
                cutOff.insert(name + QStringLiteral(" timeline"));
                out << "  " << name << " @ " << graphSize << ": run cut off, no timeline figures" << Qt::endl;
                return;
            }
            const QString note = QStringLiteral("%1 steps").arg(r.steps);
            report({QStringLiteral("one step back, ") + name, graphSize, r.back, QStringLiteral("full repaint"), repaint,
                    QStringLiteral("≤ 1"), note});
            report({QStringLiteral("jump to a random step, ") + name, graphSize, r.jump, QStringLiteral("full repaint"),
                    repaint, QStringLiteral("≤ 1"), note});
            report({QStringLiteral("\"Od początku\", ") + name, graphSize, r.start, QStringLiteral("full repaint"), repaint,
                    QStringLiteral("≤ 1"), note});
        };
        const int samples = qMax(runs * 4, 10);
        timelineFigure(QStringLiteral("Minty"), QStringLiteral("Minty run"), repaintMs, size,
                       [&] { return navigate<MintySolver>(graph, budgetMs, samples, 1u + verticles); });
        timelineFigure(QStringLiteral("Dijkstra-Prim"), QStringLiteral("Dijkstra-Prim run"), repaintMs, size,
                       [&] { return navigate<DijkstraPrimSolver>(graph, budgetMs, samples, 2u + verticles); });

        if (!wanted("steps") && !wanted("fleury") && !wanted("quick") && !wanted("timeline"))
            continue;
        const GraphData euler = eulerianGraph(verticles, edges, 7u + verticles);
        Graph eulerGraph;
        load(eulerGraph, graphFile(euler));
        settle();
        const double eulerRepaintMs = repaint(eulerGraph, runs);
        stepFigure(QStringLiteral("Fleury step run"), "fleury", [&] { return runSteps<FleurySolver>(eulerGraph, budgetMs, true); });
        timelineFigure(QStringLiteral("Fleury"), QStringLiteral("Fleury step run"), eulerRepaintMs,
                       sizeName(verticles, euler.edges.size()),
                       [&] { return navigate<FleurySolver>(eulerGraph, budgetMs, samples, 3u + verticles); });
        if (wanted("quick")) {
            const double quickMs = measure(runs, budgetMs, {}, [&] { quickSolve(eulerGraph); });
            report({QStringLiteral("Fleury quick solve"), sizeName(verticles, euler.edges.size()), quickMs,
                    QStringLiteral("full repaint"), eulerRepaintMs, QStringLiteral("≤ 1"), {}});
        }
    }

    const int quickEdges = parser.value(QStringLiteral("quick-edges")).toInt();
    if (wanted("quick") && quickEdges > 0) {
        const int verticles = quickEdges / 3;
        const GraphData euler = eulerianGraph(verticles, quickEdges, 99u);
        out << "graph " << sizeName(verticles, euler.edges.size()) << Qt::endl;
        Graph eulerGraph;
        load(eulerGraph, graphFile(euler));
        settle();
        const double repaintMs = repaint(eulerGraph, runs);
        const double quickMs = measure(runs, budgetMs, {}, [&] { quickSolve(eulerGraph); });
        report({QStringLiteral("Fleury quick solve"), sizeName(verticles, euler.edges.size()), quickMs,
                QStringLiteral("full repaint"), repaintMs, QStringLiteral("≤ 1"), {}});
    }

    if (wanted("memory") && !largestFile.isEmpty()) {
        const auto program = childPeak(QStringLiteral("memory-load"), largestFile);
        const auto floor = childPeak(QStringLiteral("memory-bare"), largestFile);
        report({QStringLiteral("peak memory, whole process"), largestSize, program.second / 1024.0,
                QStringLiteral("bare items"), floor.second / 1024.0, QStringLiteral("≤ 1.3"), {}});
        report({QStringLiteral("peak memory, above the start"), largestSize, (program.second - program.first) / 1024.0,
                QStringLiteral("bare items"), (floor.second - floor.first) / 1024.0, QStringLiteral("≤ 1.3"), {}});
    }

    if (wanted("paint"))
        paintTable(temp, qBound(1, runs, 3));
    if (wanted("largest"))
        largestFilesTable(temp);
    // A whole Fleury step run with its timeline, against loading the same graph alone.
    if (wanted("timeline-memory") && !sizes.isEmpty()) {
        const auto verticles = sizes.last().first;
        const auto edges = sizes.last().second;
        const GraphData euler = eulerianGraph(verticles, edges, 7u + verticles);
        const QString eulerFile = temp.filePath(QStringLiteral("euler-%1.graf").arg(verticles));
        QFile file(eulerFile);
        file.open(QIODevice::WriteOnly);
        file.write(graphFile(euler));
        file.close();
        const auto run = childPeak(QStringLiteral("memory-fleury-run"), eulerFile);
        const auto loaded = childPeak(QStringLiteral("memory-load"), eulerFile);
        report({QStringLiteral("peak memory, whole Fleury step run kept on the timeline"),
                sizeName(verticles, euler.edges.size()), run.second / 1024.0, QStringLiteral("loading alone"),
                loaded.second / 1024.0, QStringLiteral("≤ 2"), {}});
    }

    // The largest file a load accepts, 300,000 edges, loaded as a step, undone and redone once each.
    if (wanted("undo-largest")) {
        const GraphData data = connectedGraph(1000, 300000, 21u);
        const QByteArray bytes = graphFile(data);
        const QString size = sizeName(1000, 300000);
        Graph graph;
        settle();
        QElapsedTimer timer;
        timer.start();
        loadAsStep(graph, bytes);
        const double loadMs = timer.nsecsElapsed() / 1e6;
        settle();
        timer.restart();
        graph.undoStack()->undo();
        const double undoMs = timer.nsecsElapsed() / 1e6;
        settle();
        timer.restart();
        graph.undoStack()->redo();
        const double redoMs = timer.nsecsElapsed() / 1e6;
        settle();
        report({QStringLiteral("undo the largest load"), size, undoMs, QStringLiteral("load as a step"), loadMs,
                QStringLiteral("≤ 1"), {}});
        report({QStringLiteral("redo the largest load"), size, redoMs, QStringLiteral("load as a step"), loadMs,
                QStringLiteral("≤ 1"), {}});
    }

    // Minty's whole run in a process of its own, its history kept: what the run costs above the loaded graph,
    // what one history line costs, and whether closing the dialog gives the memory back.
    if (wanted("minty-history")) {
        for (const auto &graphSize : std::as_const(sizes)) {
            const QString file = temp.filePath(QStringLiteral("graph-%1.graf").arg(graphSize.first));
            if (graphSize.first < 1000 || !QFile::exists(file))
                continue;
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QStringLiteral("memory-minty-run"), file});
            child.waitForFinished(-1);
            const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
            const QString size = sizeName(graphSize.first, graphSize.second);
            if (f.size() < 12) {
                out << "  Minty run with its history @ " << size << ": the child failed" << Qt::endl;
                continue;
            }
            const double loaded = f[0].toLongLong() / 1024.0;
            const double peakAbove = f[1].toLongLong() / 1024.0;
            const double afterClose = f[2].toLongLong() / 1024.0;
            const double opened = f[11].toLongLong() / 1024.0;
            const qint64 lines = f[3].toLongLong();
            const double perLine = lines ? (f[5].toLongLong() - f[4].toLongLong()) * 1024.0 / lines : 0;
            out << "  Minty run with its history @ " << size << ": " << f[8] << " clicks"
                << (f[9] == "1" ? "" : " (cut off)") << ", run " << QString::number(f[6].toDouble() / 1000, 'f', 2)
                << " s, slowest click " << QString::number(f[7].toDouble(), 'f', 3) << " ms, peak "
                << QString::number(peakAbove, 'f', 1) << " MiB above the loaded graph (goal at 1,000 / 3,000: ≤ 100), "
                << lines << " history lines holding " << QString::number(lines ? f[10].toDouble() / lines : 0, 'f', 0)
                << " bytes each (goal ≤ 150; the view adds 4), the whole run "
                << QString::number(perLine, 'f', 0) << " bytes of resident growth per line, after closing " << QString::number(afterClose, 'f', 1)
                << " MiB against " << QString::number(opened, 'f', 1) << " MiB before the run, a dialog opened and closed once ("
                << QString::number(afterClose / opened, 'f', 2) << ", goal ≤ 1.10), " << QString::number(loaded, 'f', 1)
                << " MiB before any dialog (" << QString::number(afterClose / loaded, 'f', 2) << ")" << Qt::endl;
        }
    }

    if (wanted("startup")) {
        const int startupRuns = qMax(runs, 9);
        const double perewalMs = startupMs(QStringLiteral("startup-perewal"), startupRuns);
        const double bareMs = startupMs(QStringLiteral("startup-bare"), startupRuns);
        report({QStringLiteral("start-up to the main window"), QStringLiteral("—"), perewalMs,
                QStringLiteral("bare Qt window"), bareMs, QStringLiteral("≤ 1.2"), {}});
    }

    printTable(parser.value(QStringLiteral("title")));
    return 0;
}
