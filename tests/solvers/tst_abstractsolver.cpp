#include "solvers/samplesolver.h"
#include "tests/support/testgraphs.h"

#include <QtTest>

// The sample solver, the smallest complete one, with the base's history opened to the test.
class ProbeSolver : public SampleSolver
{
public:
    using SampleSolver::SampleSolver;
    using AbstractSolver::addEventLogLine;
};

class TestAbstractSolver : public QObject
{
    Q_OBJECT

private slots:
    void opensIdleAndStepsIntoTheTimedHistoryBesideTheGreenPanel();
};

void TestAbstractSolver::opensIdleAndStepsIntoTheTimedHistoryBesideTheGreenPanel()
{
    Graph graph;
    GraphVerticle *first = graph.addVerticle(QPointF(10, 10));
    graph.addVerticle(QPointF(60, 10));
    graph.setMode(Graph::AddEdge);
    TestGraphs::SolverRun<ProbeSolver> run(graph);
    QCOMPARE(graph.mode(), int(Graph::Idle));
    QVERIFY(QTest::qWaitForWindowExposed(&run.solver));

    // A click on the second vertex in the dialog's view; the sample solver colours the first one red.
    auto *view = run.child<QGraphicsView>("graphView");
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(62, 9)));
    QCOMPARE(first->brush(), QBrush(Qt::red));

    const QString before = QTime::currentTime().toString("hh:mm:ss - ");
    run.press(3);
    run.solver.addEventLogLine("ostatnia");
    const QString after = QTime::currentTime().toString("hh:mm:ss - ");
    const QString step = "I've just made step forward!";
    QCOMPARE(run.events(), (QStringList{step, step, step, "ostatnia"}));
    for (const QString &line : run.list("eventLogWidget"))
        QVERIFY2(line.startsWith(before) || line.startsWith(after), qPrintable(line));

    // The solver's own controls sit on the green panel, which keeps its width when the dialog grows.
    QWidget *panel = run.child("inheritedWidgetContainer");
    QCOMPARE(run.child("SampleSolverClass")->parentWidget(), panel);
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 255, 127));
    QVERIFY(panel->autoFillBackground());
    run.solver.resize(1200, 700);
    QTRY_COMPARE(run.solver.width(), 1200);
    QCOMPARE(panel->width(), 200);
}

QTEST_MAIN(TestAbstractSolver)
#include "tst_abstractsolver.moc"
