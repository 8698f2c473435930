#ifndef TESTGRAPHS_H
#define TESTGRAPHS_H

// Graphs for the tests: small ones written as text, random ones from a fixed
// seed, and the small helpers every solver test needs to drive its dialog and
// read its widgets and the looks of the items.

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QApplication>
#include <QDialog>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QPointF>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtMath>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <random>

namespace TestGraphs {

struct EdgeSpec
{
    int start;
    int end;
    qreal weight;
};

/// Adds count vertices spread over a circle (so every edge has a length) and the edges, in order.
inline QList<GraphVerticle *> build(Graph &graph, int count, const QList<EdgeSpec> &edges)
{
    QList<GraphVerticle *> verticles;
    for (int i = 0; i < count; ++i) {
        const qreal angle = 2 * M_PI * i / qMax(count, 1);
        verticles.append(graph.addVerticle(QPointF(200 * qCos(angle), 200 * qSin(angle))));
    }
    for (const EdgeSpec &edge : edges)
        graph.addEdge(verticles.at(edge.start), verticles.at(edge.end), edge.weight);
    return verticles;
}

/**
 * A graph written as text: "AB1 BC1 AC5 CD1" is an edge drawn from A to B of
 * weight 1, and so on; the vertices are A up to the highest letter named, or
 * up to `count` when that is larger.
 */
inline QList<GraphVerticle *> build(Graph &graph, const QString &text, int count = 0)
{
    QList<EdgeSpec> edges;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int start = word.at(0).unicode() - 'A';
        const int end = word.at(1).unicode() - 'A';
        edges.append({start, end, word.mid(2).toDouble()});
        count = qMax(count, qMax(start, end) + 1);
    }
    return build(graph, count, edges);
}

/// A random connected graph: a random spanning tree plus extra distinct edges, whole weights.
inline QList<EdgeSpec> randomConnected(std::mt19937 &rng, int count, int extraEdges, int minWeight, int maxWeight)
{
    std::uniform_int_distribution<int> weight(minWeight, maxWeight);
    QList<EdgeSpec> edges;
    QList<QPair<int, int>> used;
    for (int v = 1; v < count; ++v) {
        const int other = std::uniform_int_distribution<int>(0, v - 1)(rng);
        // Either direction, so that both ends of a key get exercised.
        const bool forward = rng() % 2;
        edges.append({forward ? other : v, forward ? v : other, qreal(weight(rng))});
        used.append(qMakePair(other, v));
    }
    const qint64 possible = qint64(count) * (count - 1) / 2;
    for (int added = 0; added < extraEdges && used.size() < possible;) {
        const int a = std::uniform_int_distribution<int>(0, count - 1)(rng);
        const int b = std::uniform_int_distribution<int>(0, count - 1)(rng);
        if (a == b || used.contains(qMakePair(qMin(a, b), qMax(a, b))))
            continue;
        edges.append({a, b, qreal(weight(rng))});
        used.append(qMakePair(qMin(a, b), qMax(a, b)));
        ++added;
    }
    return edges;
}

/**
 * A random connected graph in which every vertex has even degree: a union of
 * random closed walks without repeated edges, each starting at a vertex
 * already used so that all edges form one piece.
 */
inline QList<EdgeSpec> randomEulerian(std::mt19937 &rng, int count, int cycles, int maxCycleLength)
{
    QList<EdgeSpec> edges;
    QList<QPair<int, int>> used;
    auto key = [](int a, int b) { return qMakePair(qMin(a, b), qMax(a, b)); };
    QList<int> touched{0};
    for (int c = 0; c < cycles; ++c) {
        for (int attempt = 0; attempt < 50; ++attempt) {
            const int length = std::uniform_int_distribution<int>(3, qMax(3, maxCycleLength))(rng);
            QList<int> walk{touched.at(std::uniform_int_distribution<int>(0, touched.size() - 1)(rng))};
            QList<QPair<int, int>> fresh;
            bool ok = true;
            for (int step = 1; step <= length && ok; ++step) {
                const int next = step == length ? walk.first()
                                                : std::uniform_int_distribution<int>(0, count - 1)(rng);
                const auto k = key(walk.last(), next);
                ok = next != walk.last() && !used.contains(k) && !fresh.contains(k);
                fresh.append(k);
                walk.append(next);
            }
            if (!ok)
                continue;
            for (int i = 0; i + 1 < walk.size(); ++i) {
                const bool forward = rng() % 2;
                edges.append({forward ? walk[i] : walk[i + 1], forward ? walk[i + 1] : walk[i], 1});
                if (!touched.contains(walk[i]))
                    touched.append(walk[i]);
            }
            used += fresh;
            break;
        }
    }
    return edges;
}

inline GraphVerticle *byName(const Graph &graph, const QString &name)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const auto found = std::find_if(verticles.begin(), verticles.end(),
                                    [&](GraphVerticle *v) { return v->name() == name; });
    return found == verticles.end() ? nullptr : *found;
}

/// The text of a row of a list widget or of a view over a list model.
inline QString rowText(const QAbstractItemView *list, int row)
{
    return list->model()->index(row, 0).data().toString();
}

inline QStringList rows(const QAbstractItemView *list)
{
    QStringList result;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        result.append(rowText(list, i));
    return result;
}

/// History lines without their "hh:mm:ss - " stamp, oldest first.
inline QStringList history(const QAbstractItemView *eventLog)
{
    QStringList result;
    for (int i = eventLog->model()->rowCount() - 1; i >= 0; --i)
        result.append(rowText(eventLog, i).mid(11));
    return result;
}

inline QString colourName(const QColor &colour)
{
    return colour == QColor(Qt::green) ? QStringLiteral("green")
         : colour == QColor(Qt::white) ? QStringLiteral("white")
         : colour == QColor(Qt::black) ? QStringLiteral("black") : colour.name();
}

/// "A: green r15 w3": fill, radius and outline width.
inline QString look(const GraphVerticle *v)
{
    return QStringLiteral("%1: %2 r%3 w%4").arg(v->name(), colourName(v->brush().color()))
        .arg(v->rect().width() / 2).arg(v->pen().width());
}

/// "AB: green dash w2": colour, style and width of the line.
inline QString look(const GraphEdge *e)
{
    const Qt::PenStyle style = e->pen().style();
    const QString styleName = style == Qt::SolidLine ? QStringLiteral("solid")
                              : style == Qt::DashLine ? QStringLiteral("dash") : QString::number(int(style));
    return QStringLiteral("%1: %2 %3 w%4").arg(e->name(), colourName(e->pen().color()), styleName)
        .arg(e->pen().widthF());
}

/// The looks of the items that differ from the plain graph: vertices, then edges, in scene order.
inline QStringList marked(const Graph &graph)
{
    QStringList result;
    for (const GraphVerticle *v : graph.verticles()) {
        if (look(v) != v->name() + QStringLiteral(": white r10 w0"))
            result.append(look(v));
    }
    for (const GraphEdge *e : graph.edges()) {
        if (look(e) != e->name() + QStringLiteral(": black solid w2"))
            result.append(look(e));
    }
    return result;
}

/// Marks every item the way a run leaves them, as a dialog closed with Escape does.
inline void markAll(Graph &graph)
{
    for (GraphVerticle *v : graph.verticles()) {
        v->setRadius(15);
        v->setBrushColor(Qt::green);
        v->setPenWidth(3);
    }
    for (GraphEdge *e : graph.edges()) {
        e->setPenColor(Qt::green);
        e->setPenStyle(Qt::DashLine);
    }
}

/**
 * Drives an open solver dialog as the user does: the start through the
 * scene's click signal, the steps through "stepForwardButton", and reads the
 * results from the widgets' object names.
 */
class SolverDriver
{
public:
    explicit SolverDriver(Graph &graph, QDialog *dialog = nullptr) : graph(graph), dialog(dialog) {}

    template<typename T = QWidget>
    T *child(const char *name) const { return dialog->findChild<T *>(QLatin1String(name)); }
    QPushButton *stepButton() const { return child<QPushButton>("stepForwardButton"); }
    QString info() const { return child<QLabel>("currentInfoLabel")->text(); }
    QStringList list(const char *name) const { return rows(child<QAbstractItemView>(name)); }
    QStringList events() const { return history(child<QAbstractItemView>("eventLogWidget")); }

    void start(const QString &name) { emit graph.verticleClicked(byName(graph, name)); }
    void press(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(stepButton(), Qt::LeftButton);
    }
    /// Presses until the button is disabled (bounded, so that a run without end fails); the number of presses.
    int finish()
    {
        int presses = 0;
        for (; stepButton()->isEnabled() && presses < 100000; ++presses)
            press();
        return presses;
    }

    Graph &graph;
    QDialog *dialog;
};

/// A solver dialog of its own, opened (not modally) on a graph.
template<typename Solver>
class SolverRun : public SolverDriver
{
public:
    explicit SolverRun(Graph &graph)
        : SolverDriver(graph)
        , solver(&graph, nullptr)
    {
        dialog = &solver;
        solver.show();
    }

    Solver solver;
};

/**
 * Calls launch, which should run a Solver modally, and hands the open dialog
 * to drive; false when no such dialog came up. Whatever dialog is still open
 * afterwards is closed, so that a failure shows instead of a hang.
 */
template<typename Solver, typename Launch, typename Drive>
bool driveModal(QObject *context, Launch launch, Drive drive)
{
    bool found = false;
    QTimer::singleShot(0, context, [&] {
        if (auto *solver = qobject_cast<Solver *>(QApplication::activeModalWidget())) {
            found = true;
            drive(*solver);
        }
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog *>(w) && w->isVisible())
                w->close();
        }
    });
    launch();
    return found;
}

/**
 * Answers the modal dialogs that come up one after another, each with the
 * next answer: a question and then the file dialog it leads to, say. Gives up
 * after a few seconds without a new dialog.
 */
inline void answerModals(QObject *context, QList<std::function<void(QWidget &)>> answers,
                         QPointer<QWidget> previous = {}, int patience = 300)
{
    if (answers.isEmpty() || patience == 0)
        return;
    QTimer::singleShot(10, context, [=]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == previous) {
            answerModals(context, answers, previous, patience - 1);
            return;
        }
        const std::function<void(QWidget &)> answer = answers.takeFirst();
        answerModals(context, answers, modal);
        answer(*modal);
    });
}

} // namespace TestGraphs

#endif // TESTGRAPHS_H
