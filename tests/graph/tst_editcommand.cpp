#include "graph/editcommand.h"
#include "graph/graphfile.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QDataStream>
#include <QElapsedTimer>

#include <random>

using namespace TestGraphs;

namespace {

QByteArray fileOf(const Graph &graph)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << graph;
    return bytes;
}

// What a file does not keep: the weights' fractions.
QString storedWeights(const Graph &graph)
{
    QStringList weights;
    for (const GraphEdge *e : graph.edges())
        weights << e->name() + QLatin1Char('=') + QString::number(e->storedWeight(), 'g', 17);
    return weights.join(' ');
}

// A whole Minty run from the first vertex: the instruction at the end and the ways.
QString mintyRun(Graph &graph)
{
    SolverRun<MintySolver> run(graph);
    if (!graph.verticles().isEmpty())
        run.start(graph.verticles().first()->name());
    run.finish();
    const QString result = run.info() + QLatin1Char('|') + run.list("shortestWaysList").join(' ');
    run.solver.close();
    return result;
}

} // namespace

class TestEditCommand : public QObject
{
    Q_OBJECT

private slots:
    void undoingEverythingGivesTheFirstFileAndRedoingTheLast_data();
    void undoingEverythingGivesTheFirstFileAndRedoingTheLast();
    void aDirectRemovalForgetsTheSteps();
    void undoingALoadCostsNoMoreThanTheLoad_data();
    void undoingALoadCostsNoMoreThanTheLoad();
};

void TestEditCommand::undoingEverythingGivesTheFirstFileAndRedoingTheLast_data()
{
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 30; ++seed)
        QTest::addRow("seed %d", seed) << seed;
}

// Random edits as the user makes them, some undone and redone on the way:
// undoing all of them gives the file saved before them byte for byte,
// fractions of weights and a whole algorithm run included; redoing all gives
// the file saved after them.
void TestEditCommand::undoingEverythingGivesTheFirstFileAndRedoingTheLast()
{
    QFETCH(int, seed);

    std::mt19937 rng(seed);
    Graph graph;
    // Distance weights with fractions, edges drawn both ways.
    build(graph, 8, randomConnected(rng, 8, 6, 1, 30));
    for (GraphEdge *e : graph.edges())
        e->setWeight(e->storedWeight() + 0.375);
    QUndoStack &stack = *graph.undoStack();
    const QByteArray first = fileOf(graph);
    const QString firstWeights = storedWeights(graph);
    const QString firstRun = mintyRun(graph);

    auto any = [&](const auto &items) { return items.at(int(rng() % items.size())); };
    auto point = [&] { return QPointF(int(rng() % 400) - 200, int(rng() % 400) - 200); };
    for (int step = 0; step < 60; ++step) {
        const QList<GraphVerticle *> verticles = graph.verticles();
        const QList<GraphEdge *> edges = graph.edges();
        switch (rng() % 10) {
        case 0:
        case 1:
            stack.push(EditCommand::addVerticle(&graph, point()));
            break;
        case 2:
            if (!verticles.isEmpty())
                stack.push(EditCommand::removeVerticle(&graph, any(verticles)));
            break;
        case 3:
        case 4:
            if (verticles.size() > 1) {
                if (EditCommand *command = EditCommand::addEdge(&graph, any(verticles), any(verticles), rng() % 50 / 4.0))
                    stack.push(command);
            }
            break;
        case 5:
            if (!edges.isEmpty())
                stack.push(EditCommand::removeEdge(&graph, any(edges)));
            break;
        case 6:
            if (!verticles.isEmpty()) {
                GraphVerticle *v = any(verticles);
                stack.push(EditCommand::moveVerticle(&graph, v, v->pos(), point()));
            }
            break;
        case 7:
            if (!edges.isEmpty())
                stack.push(EditCommand::setWeight(&graph, any(edges), rng() % 100));
            break;
        case 8: {
            // Loading a file: another random graph, or one too short to read, which changes nothing.
            Graph other;
            build(other, 5, randomConnected(rng, 5, 2, 1, 9));
            const QByteArray bytes = rng() % 4 ? fileOf(other) : fileOf(other).left(20);
            const QByteArray before = fileOf(graph);
            const int steps = stack.count();
            stack.push(EditCommand::replaceDrawing(&graph, QStringLiteral("plik"), [&bytes](Graph &g) {
                QDataStream in(bytes);
                in >> g;
                return in.status() == QDataStream::Ok;
            }));
            QCOMPARE(fileOf(graph), bytes.size() < 40 ? before : bytes);
            QCOMPARE(stack.count(), steps + (bytes.size() < 40 ? 0 : 1));
            break;
        }
        default:
            if (rng() % 3 == 0) {
                stack.push(EditCommand::replaceDrawing(&graph, QStringLiteral("nowy"), [](Graph &) { return true; }));
                QCOMPARE(graph.verticles().size(), 0);
            } else if (stack.canUndo()) {
                // A step back and forth on the way.
                const QByteArray now = fileOf(graph);
                stack.undo();
                stack.redo();
                QCOMPARE(fileOf(graph), now);
            }
            break;
        }
        // Names by position after every step, and nothing left behind in the scene.
        for (int i = 0; i < graph.verticles().size(); ++i)
            QCOMPARE(graph.verticles().at(i)->name(), QString(QChar(u'A' + i)));
        QCOMPARE(graph.items().size(), 2 * (graph.verticles().size() + graph.edges().size()));
    }

    const QByteArray last = fileOf(graph);
    const QString lastWeights = storedWeights(graph);
    while (stack.canUndo())
        stack.undo();
    QCOMPARE(fileOf(graph), first);
    QCOMPARE(storedWeights(graph), firstWeights);
    QCOMPARE(mintyRun(graph), firstRun);
    while (stack.canRedo())
        stack.redo();
    QCOMPARE(fileOf(graph), last);
    QCOMPARE(storedWeights(graph), lastWeights);
}

// A removal through the scene's own slots deletes what the steps hold on to; the steps go.
void TestEditCommand::aDirectRemovalForgetsTheSteps()
{
    Graph graph;
    build(graph, "AB1 BC2");
    graph.undoStack()->push(EditCommand::removeEdge(&graph, graph.edges().first()));
    graph.undoStack()->push(EditCommand::addVerticle(&graph, QPointF(5, 5)));
    graph.undoStack()->undo();
    QCOMPARE(graph.undoStack()->count(), 2);
    graph.removeVerticle(graph.verticles().first());
    QCOMPARE(graph.undoStack()->count(), 0);
    QCOMPARE(fileOf(graph).size(), 8 + 2 * 18 + 12);
}

void TestEditCommand::undoingALoadCostsNoMoreThanTheLoad_data()
{
    QTest::addColumn<int>("verticles");
    QTest::addColumn<int>("edges");
    QTest::addColumn<bool>("star"); // every edge at the first vertex
    QTest::newRow("dense, 400 / 60,000") << 400 << 60000 << false;
    QTest::newRow("a star of 20,000 edges") << 20001 << 20000 << true;
}

// The load, its undo and its redo timed in one run: taking a whole drawing
// out and putting it back costs about what making it did. A ratio of two
// leaves room for a noisy machine; one by one, the undo took nearly seven
// times the load.
void TestEditCommand::undoingALoadCostsNoMoreThanTheLoad()
{
    QFETCH(int, verticles);
    QFETCH(int, edges);
    QFETCH(bool, star);

    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(verticles) << qint32(edges);
        for (int i = 0; i < verticles; ++i)
            out << QChar(char16_t('A' + i)) << double(i % 200 * 30) << double(i / 200 * 30);
        std::mt19937 random(21);
        int written = 0;
        for (int a = 0; a < verticles && written < edges; ++a) {
            for (int b = a + 1; b < verticles && written < edges; ++b) {
                // Dense: about seven pairs of every eight, spread over all the vertices.
                if (star ? a == 0 : random() % 8 != 0) {
                    out << QChar(char16_t('A' + a)) << QChar(char16_t('A' + b)) << double(1 + random() % 99);
                    ++written;
                }
            }
        }
        QCOMPARE(written, edges);
    }
    GraphFile file;
    {
        QDataStream in(bytes);
        QVERIFY(file.read(in));
    }
    Graph graph;
    build(graph, "AB1 BC2");
    QElapsedTimer timer;
    timer.start();
    graph.undoStack()->push(EditCommand::replaceDrawing(&graph, "load", [&file](Graph &g) {
        file.replace(g);
        return true;
    }));
    const qint64 load = timer.nsecsElapsed();
    QCOMPARE(graph.edges().size(), edges);
    timer.restart();
    graph.undoStack()->undo();
    const qint64 undo = timer.nsecsElapsed();
    QCOMPARE(graph.edges().size(), 2);
    timer.restart();
    graph.undoStack()->redo();
    const qint64 redo = timer.nsecsElapsed();
    QCOMPARE(fileOf(graph), bytes);
    qInfo("load %.1f ms, undo %.2f, redo %.2f times the load", load / 1e6, double(undo) / load, double(redo) / load);
    QVERIFY2(undo <= 2 * load, "the undo took more than twice the load");
    QVERIFY2(redo <= 2 * load, "the redo took more than twice the load");
}

QTEST_MAIN(TestEditCommand)
#include "tst_editcommand.moc"
