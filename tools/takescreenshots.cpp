// Takes the README's screenshots: the main window with an example graph and
// each algorithm's dialog part way through or at the end of a run, driven the
// way a user drives them (a click on the start vertex, then "Krok dalej...").
// Run it with the docs folder as its argument and commit what it writes; it
// reads the example graphs from the grafy folder beside it.

#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>

namespace {

QDir output;

bool save(QWidget &widget, const char *fileName)
{
    QCoreApplication::processEvents();
    const QString path = output.filePath(QLatin1String(fileName));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

GraphVerticle *verticle(Graph &graph, const QString &name)
{
    for (GraphVerticle *v : graph.verticles()) {
        if (v->name() == name)
            return v;
    }
    return nullptr;
}

/// Opens a Solver on the window's graph, starts it at `start`, presses "Krok dalej..." `steps` times
/// (all the way with -1), then lets `last` do the rest and takes the picture.
template<typename Solver, typename Last>
bool shoot(Perewal &window, const QString &start, int steps, const char *fileName, Last last)
{
    Graph &graph = *window.graph();
    Solver solver(&graph, &window);
    solver.show();
    emit graph.verticleClicked(verticle(graph, start));
    auto *step = solver.template findChild<QPushButton *>(QStringLiteral("stepForwardButton"));
    for (int i = 0; (steps < 0 || i < steps) && step->isEnabled(); ++i)
        step->click();
    last(solver);
    return save(solver, fileName);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: takescreenshots DOCS_FOLDER\n");
        return 2;
    }
    output = QDir(QString::fromLocal8Bit(argv[1]));
    const QDir examples(QCoreApplication::applicationDirPath() + QStringLiteral("/grafy"));

    Perewal window;
    window.show();
    auto load = [&](const char *name) { return window.loadGraphFrom(examples.filePath(QLatin1String(name))); };
    auto nothing = [](QWidget &) {};

    bool ok = load("najkrotsze-sciezki.graf");
    window.findChild<QPushButton *>(QStringLiteral("addEdgeButton"))->click();
    ok = ok && save(window, "main-window.png");
    ok = ok && shoot<MintySolver>(window, QStringLiteral("A"), -1, "minty.png", nothing);
    ok = ok && load("drzewo-rozpinajace.graf");
    ok = ok && shoot<DijkstraPrimSolver>(window, QStringLiteral("A"), 9, "dijkstra-prim.png", nothing);
    ok = ok && load("cykl-eulera.graf");
    ok = ok && shoot<FleurySolver>(window, QStringLiteral("A"), 40, "fleury-steps.png", nothing);
    ok = ok && shoot<FleurySolver>(window, QStringLiteral("A"), 0, "fleury-quick.png", [](QWidget &solver) {
        solver.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        solver.findChild<QPushButton *>(QStringLiteral("solveButton"))->click();
    });
    // The timeline and the results on the canvas.
    ok = ok && shoot<FleurySolver>(window, QStringLiteral("A"), -1, "fleury-route.png", nothing);
    ok = ok && load("drzewo-rozpinajace.graf");
    ok = ok && shoot<DijkstraPrimSolver>(window, QStringLiteral("A"), 12, "timeline-back.png", [](QWidget &solver) {
        for (int i = 0; i < 3; ++i)
            solver.findChild<QPushButton *>(QStringLiteral("stepBackButton"))->click();
    });
    ok = ok && load("najkrotsze-sciezki.graf");
    ok = ok && shoot<MintySolver>(window, QStringLiteral("A"), -1, "minty-path.png", [](QWidget &solver) {
        solver.findChild<QListWidget *>(QStringLiteral("shortestWaysList"))->setCurrentRow(3);
    });
    ok = ok && load("niespojny.graf");
    ok = ok && shoot<FleurySolver>(window, QStringLiteral("A"), 0, "fleury-refusal.png", nothing);
    return ok ? 0 : 1;
}
