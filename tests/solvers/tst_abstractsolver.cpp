#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "solvers/samplesolver.h"
#include "tests/support/testgraphs.h"

#include <QFrame>
#include <QtTest>

namespace {

// The sample solver, the smallest complete one, with the base's history opened to the test.
class ProbeSolver : public SampleSolver
{
public:
    using SampleSolver::SampleSolver;
    using AbstractSolver::addEventLogLine;
};

} // namespace

class TestAbstractSolver : public QObject
{
    Q_OBJECT

private slots:
    void stepsGoToTheTimedHistoryBesideTheGreenPanel();
    void openingPutsTheSceneIdleAndHearsVertexClicks();
};

void TestAbstractSolver::stepsGoToTheTimedHistoryBesideTheGreenPanel()
{
    Graph graph;
    ProbeSolver solver(&graph, nullptr);
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    const QString before = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(solver.findChild<QPushButton *>("stepForwardButton"), Qt::LeftButton);
    solver.addEventLogLine(QStringLiteral("ostatnia"));
    const QString after = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));

    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), QStringLiteral("Click, to make next step"));
    QStringList messages;
    for (const QString &line : TestGraphs::rows(solver.findChild<QListWidget *>("eventLogWidget"))) {
        QVERIFY2(line.startsWith(before) || line.startsWith(after), qPrintable(line));
        messages.append(line.mid(8));
    }
    const QString step = QStringLiteral(" - I've just made step forward!");
    QCOMPARE(messages, (QStringList{" - ostatnia", step, step, step}));

    // The solver's own controls sit on the green panel, which keeps its width when the dialog grows.
    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    QCOMPARE(solver.findChild<QWidget *>("SampleSolverClass")->parentWidget(), panel);
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 255, 127));
    QVERIFY(panel->autoFillBackground());
    solver.resize(1200, 700);
    QTRY_COMPARE(solver.width(), 1200);
    QCOMPARE(panel->width(), 200);
}

void TestAbstractSolver::openingPutsTheSceneIdleAndHearsVertexClicks()
{
    Perewal window;
    GraphVerticle *first = window.graph()->addVerticle(QPointF(10, 10));
    GraphVerticle *second = window.graph()->addVerticle(QPointF(60, 10));
    QTest::mouseClick(window.findChild<QPushButton *>("addEdgeButton"), Qt::LeftButton);

    SampleSolver solver(window.graph(), &window);
    QCOMPARE(window.graph()->mode(), int(Graph::Idle));
    QCOMPARE(window.findChild<QLabel *>("statusLabel")->text(), QStringLiteral("Oczekiwanie - wybierz opcję..."));

    // A click on the second vertex in the dialog's view; the sample solver colours the first one red.
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    auto *view = solver.findChild<QGraphicsView *>("graphView");
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(62, 9)));
    QCOMPARE(first->brush(), QBrush(Qt::red));
    QCOMPARE(second->brush(), QBrush(Qt::white));
}

QTEST_MAIN(TestAbstractSolver)
#include "tst_abstractsolver.moc"
