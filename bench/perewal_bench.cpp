// Measures what a teacher feels with a large graph: loading a file, one edit,
// the slowest click of each algorithm's run, the quick solve, peak memory and
// start-up. Every figure is printed beside a floor measured in the same run on
// the same graph, with the ratio; the goals are the ratios, never the times.
//
//   perewal_bench [--runs N] [--sizes 100:300,1000:3000,5000:15000] [--quick-edges 100000]
//                 [--budget SECONDS] [--figures load,edit,steps,quick,memory,startup,timeline,timeline-memory]
//                 [--title TEXT]
//
// "steps" runs the three algorithms; "minty", "dijkstraprim" or "fleury" runs one of them. "timeline"
// moves along each algorithm's whole run; "timeline-memory" keeps a whole Fleury step run on the timeline.

#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
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

namespace {

QTextStream out(stdout);

struct Edge
{
    int start;
    int end;
    int weight;
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
        data.edges.append({other, v, weight(rng)});
        used.insert(pairKey(other, v));
    }
    std::uniform_int_distribution<int> any(0, count - 1);
    while (data.edges.size() < edgeCount) {
        const int a = any(rng);
        const int b = any(rng);
        if (a == b || used.contains(pairKey(a, b)))
            continue;
        used.insert(pairKey(a, b));
        data.edges.append({a, b, weight(rng)});
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
    const QString unit = row.figure.startsWith(QLatin1String("peak memory")) ? QStringLiteral(" MiB") : QStringLiteral(" ms");
    out << "  " << row.figure << " @ " << row.size << ": " << QString::number(row.value, 'f', 3) << unit << " / "
        << QString::number(row.floor, 'f', 3) << unit << " = " << QString::number(row.value / row.floor, 'f', 2)
        << (row.note.isEmpty() ? QString() : QStringLiteral(" (") + row.note + QLatin1Char(')')) << Qt::endl;
}

QString sizeName(int verticles, int edges)
{
    return QLocale(QLocale::English).toString(verticles) + QStringLiteral(" / ")
           + QLocale(QLocale::English).toString(edges);
}

struct RunResult
{
    double slowest = 0;     // the slowest single click, ms
    int slowestClick = 0;   // which: 0 is opening the dialog, 1 the start vertex
    double total = 0;       // the whole run, ms
    int clicks = 0;
    bool finished = false;  // false when the run was cut off at the time limit
};

/**
 * Opens a solver on the graph, clicks its start vertex and clicks "Krok
 * dalej..." until it is disabled or the time limit passes. Opening the dialog
 * and the start click count as clicks too.
 */
template<class Solver>
RunResult runSteps(Graph &graph, double limitMs)
{
    RunResult result;
    QElapsedTimer timer;
    timer.start();
    auto solver = std::make_unique<Solver>(&graph, nullptr);
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
    auto *step = solver->template findChild<QPushButton *>(QStringLiteral("stepForwardButton"));
    while (step->isEnabled() && result.total < limitMs)
        click([&] { step->click(); });
    result.finished = !step->isEnabled();
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

// Peak resident memory of this process in KiB, as the kernel counts it.
qint64 peakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

int childMode(const QString &mode, const QString &file)
{
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
    if (mode == QLatin1String("memory-load")) {
        Graph graph;
        load(graph, bytes);
        out << before << ' ' << peakKib() << Qt::endl;
    } else if (mode == QLatin1String("memory-fleury-run")) {
        // The whole step run, every click kept on the dialog's timeline.
        Graph graph;
        load(graph, bytes);
        settle();
        const RunResult run = runSteps<FleurySolver>(graph, 1e12);
        out << before << ' ' << peakKib() << ' ' << run.clicks << Qt::endl;
    } else {
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
            data.edges.append({s.unicode() - 65, t.unicode() - 65, int(w)});
        }
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

void printTable(const QString &title)
{
    out << Qt::endl << "### " << title << Qt::endl << Qt::endl;
    out << "| figure | graph (vertices / edges) | time | floor | floor time | ratio | goal |" << Qt::endl;
    out << "|---|---|---:|---|---:|---:|---|" << Qt::endl;
    for (const Row &r : std::as_const(rows)) {
        const bool memory = r.figure.startsWith(QLatin1String("peak memory"));
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
        return childMode(args[2], args.value(3));

    QCommandLineParser parser;
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs per figure (median)."), QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("sizes"), QStringLiteral("Graph sizes."), QStringLiteral("list"),
                      QStringLiteral("100:300,1000:3000,5000:15000")});
    parser.addOption({QStringLiteral("quick-edges"), QStringLiteral("Edges of the extra quick-solve graph."),
                      QStringLiteral("n"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("budget"), QStringLiteral("Seconds a figure may take over its runs, and a whole run of an algorithm."),
                      QStringLiteral("s"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("figures"), QStringLiteral("Figures to measure."), QStringLiteral("list"),
                      QStringLiteral("load,edit,steps,quick,memory,startup")});
    parser.addOption({QStringLiteral("title"), QStringLiteral("Table title."), QStringLiteral("text"), QStringLiteral("Perewal")});
    parser.addHelpOption();
    parser.process(app);

    const int runs = parser.value(QStringLiteral("runs")).toInt();
    const QStringList figures = parser.value(QStringLiteral("figures")).split(QLatin1Char(','));
    auto wanted = [&](const char *figure) { return figures.contains(QLatin1String(figure)); };
    const bool needScenes = wanted("load") || wanted("edit") || wanted("steps") || wanted("quick")
                            || wanted("minty") || wanted("dijkstraprim") || wanted("fleury") || wanted("timeline");
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

    for (const auto &[verticles, edges] : std::as_const(sizes)) {
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
            report({QStringLiteral("slowest click, ") + name, size, r.slowest, QStringLiteral("full repaint"), repaintMs,
                    QStringLiteral("≤ 1"), note});
        };
        stepFigure(QStringLiteral("Minty run"), "minty", [&] { return runSteps<MintySolver>(graph, budgetMs); });
        stepFigure(QStringLiteral("Dijkstra-Prim run"), "dijkstraprim", [&] { return runSteps<DijkstraPrimSolver>(graph, budgetMs); });

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
        stepFigure(QStringLiteral("Fleury step run"), "fleury", [&] { return runSteps<FleurySolver>(eulerGraph, budgetMs); });
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

    // A whole Fleury step run with its timeline, against loading the same graph alone.
    if (wanted("timeline-memory") && !sizes.isEmpty()) {
        const auto &[verticles, edges] = sizes.last();
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
