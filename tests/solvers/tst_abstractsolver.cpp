#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "solvers/samplesolver.h"
#include "tests/support/testgraphs.h"

#include <QFrame>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The sample solver, with what the base offers every solver opened to the test.
class ProbeSolver : public SampleSolver
{
public:
    using SampleSolver::SampleSolver;
    using AbstractSolver::addEventLogLine;
    using AbstractSolver::disableStepForward;
    using AbstractSolver::enableStepForward;
};

} // namespace

class TestAbstractSolver : public QObject
{
    Q_OBJECT

private slots:
    void startState();
    void historyLinesAreTimedNewestFirst();
    void stepButtonRunsOneStepPerClick();
    void panelStaysTwoHundredWide();
    void openedOnTheWindowsSceneItHearsVertexClicks();
};

void TestAbstractSolver::startState()
{
    Graph graph;
    ProbeSolver solver(&graph, nullptr);
    QCOMPARE(solver.windowTitle(), QStringLiteral("AbstractSolver"));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(),
             QStringLiteral("Tutaj pojawią się biężące instrukcje..."));
    QCOMPARE(solver.findChild<QGroupBox *>("controlToolsContainer")->title(),
             QStringLiteral("Sterowanie rozwiazaniem..."));
    QVERIFY(solver.findChild<QPushButton *>("stepForwardButton")->isEnabled());
    QCOMPARE(solver.findChild<QGraphicsView *>("graphView")->scene(), &graph);

    // The solver's own controls sit on the green panel.
    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    auto *own = solver.findChild<QWidget *>("SampleSolverClass");
    QCOMPARE(own->parentWidget(), panel);
    QVERIFY(panel->autoFillBackground());
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 255, 127));
    QCOMPARE(own->palette().color(QPalette::Button), QColor(0, 255, 127));
}

void TestAbstractSolver::historyLinesAreTimedNewestFirst()
{
    Graph graph;
    ProbeSolver solver(&graph, nullptr);
    const QString before = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    solver.addEventLogLine(QStringLiteral("pierwsza"));
    solver.addEventLogLine(QStringLiteral("druga"));
    const QString after = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));

    const QStringList lines = TestGraphs::rows(solver.findChild<QListWidget *>("eventLogWidget"));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).mid(8), QStringLiteral(" - druga"));
    QCOMPARE(lines.at(1).mid(8), QStringLiteral(" - pierwsza"));
    for (const QString &line : lines)
        QVERIFY2(line.startsWith(before) || line.startsWith(after), qPrintable(line));
}

void TestAbstractSolver::stepButtonRunsOneStepPerClick()
{
    Graph graph;
    ProbeSolver solver(&graph, nullptr);
    solver.show();
    auto *step = solver.findChild<QPushButton *>("stepForwardButton");
    auto steps = [&] { return TestGraphs::history(solver.findChild<QListWidget *>("eventLogWidget")); };
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(steps(), QStringList(3, QStringLiteral("I've just made step forward!")));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), QStringLiteral("Click, to make next step"));

    solver.disableStepForward();
    QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(steps().size(), 3);
    solver.enableStepForward();
    QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(steps().size(), 4);
}

void TestAbstractSolver::panelStaysTwoHundredWide()
{
    Graph graph;
    ProbeSolver solver(&graph, nullptr);
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    auto *view = solver.findChild<QGraphicsView *>("graphView");
    QTRY_COMPARE(panel->width(), 200);
    const int viewBefore = view->width();
    const int dialogBefore = solver.width();

    for (const QSize size : {QSize(1200, 700), QSize(600, 600)}) {
        solver.resize(size);
        QTRY_COMPARE(solver.width(), size.width());
        QTRY_COMPARE(panel->width(), 200);
        // The canvas takes whatever width is left.
        QCOMPARE(view->width() - viewBefore, size.width() - dialogBefore);
    }
}

void TestAbstractSolver::openedOnTheWindowsSceneItHearsVertexClicks()
{
    Perewal window;
    const QList<GraphVerticle *> v{window.graph()->addVerticle(QPointF(10, 10)),
                                   window.graph()->addVerticle(QPointF(60, 10))};
    QTest::mouseClick(window.findChild<QPushButton *>("addEdgeButton"), Qt::LeftButton);

    ProbeSolver solver(window.graph(), &window);
    QCOMPARE(window.graph()->mode(), int(Graph::Idle));
    QCOMPARE(window.findChild<QLabel *>("statusLabel")->text(), QStringLiteral("Oczekiwanie - wybierz opcję..."));

    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    QSignalSpy clicked(window.graph(), &Graph::verticleClicked);
    auto *view = solver.findChild<QGraphicsView *>("graphView");
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(62, 9)));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().value<GraphVerticle *>(), v[1]);
    // Whichever vertex is clicked, the sample solver colours the first one red.
    QCOMPARE(v[0]->brush(), QBrush(Qt::red));
    QCOMPARE(v[1]->brush(), QBrush(Qt::white));
}

QTEST_MAIN(TestAbstractSolver)
#include "tst_abstractsolver.moc"
