#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "solvers/abstractsolver.h"
#include "solvers/samplesolver.h"

#include <QFrame>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Exposes the operations the base offers its solvers, and counts the steps.
class ProbeSolver : public AbstractSolver
{
public:
    using AbstractSolver::AbstractSolver;
    using AbstractSolver::addEventLogLine;
    using AbstractSolver::addInheritedWidget;
    using AbstractSolver::disableStepForward;
    using AbstractSolver::enableStepForward;
    using AbstractSolver::setCurrentInfo;
    using AbstractSolver::setSolverTitle;

    int steps = 0;

protected:
    void stepForward() override { ++steps; }
};

QStringList rows(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

} // namespace

class TestAbstractSolver : public QObject
{
    Q_OBJECT

private slots:
    void startState();
    void panelIsGreen_data();
    void panelIsGreen();
    void historyLinesAreTimedNewestFirst();
    void operationsReachTheirWidgets();
    void stepButtonRunsOneStepPerClick();
    void panelStaysTwoHundredWide_data();
    void panelStaysTwoHundredWide();
    void openingPutsTheSceneIntoIdle();
    void clickInTheDialogViewReachesTheScene();
    void sampleSolverStepsAndColours();

private:
    Graph graph;
};

void TestAbstractSolver::startState()
{
    ProbeSolver solver(&graph, nullptr);
    QCOMPARE(solver.objectName(), QStringLiteral("AbstractSolverClass"));
    QCOMPARE(solver.windowTitle(), QStringLiteral("AbstractSolver"));
    QCOMPARE(solver.size(), QSize(790, 580));

    auto *info = solver.findChild<QLabel *>("currentInfoLabel");
    QCOMPARE(info->text(), QStringLiteral("Tutaj pojawią się biężące instrukcje..."));
    QCOMPARE(info->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(info->font().pointSize(), 14);
    QVERIFY(info->font().bold());
    QVERIFY(info->wordWrap());
    QCOMPARE(info->minimumHeight(), 100);
    QCOMPARE(info->locale(), QLocale(QLocale::Polish, QLocale::Poland));

    QCOMPARE(solver.findChild<QLabel *>("eventLogLabel")->text(), QStringLiteral("Historia zdarzeń:"));
    QCOMPARE(solver.findChild<QListWidget *>("eventLogWidget")->maximumHeight(), 60);
    QCOMPARE(solver.findChild<QGroupBox *>("controlToolsContainer")->title(), QStringLiteral("Sterowanie rozwiazaniem..."));
    auto *step = solver.findChild<QPushButton *>("stepForwardButton");
    QCOMPARE(step->text(), QStringLiteral("Krok dalej..."));
    QVERIFY(step->isEnabled());

    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    QCOMPARE(panel->frameShape(), QFrame::Panel);
    QCOMPARE(panel->minimumSize(), QSize(200, 450));
    QCOMPARE(panel->maximumWidth(), 200);

    auto *view = solver.findChild<QGraphicsView *>("graphView");
    QCOMPARE(view->scene(), &graph);
    QVERIFY(view->renderHints().testFlag(QPainter::Antialiasing));
    QVERIFY(view->renderHints().testFlag(QPainter::SmoothPixmapTransform));
}

void TestAbstractSolver::panelIsGreen_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("color");

    const QColor green(0, 255, 127);
    QTest::newRow("active window") << int(QPalette::Active) << int(QPalette::Window) << green;
    QTest::newRow("inactive window") << int(QPalette::Inactive) << int(QPalette::Window) << green;
    QTest::newRow("active button") << int(QPalette::Active) << int(QPalette::Button) << green;
    QTest::newRow("active text") << int(QPalette::Active) << int(QPalette::Text) << QColor(0, 0, 0);
    QTest::newRow("active base") << int(QPalette::Active) << int(QPalette::Base) << QColor(255, 255, 255);
    QTest::newRow("active mid") << int(QPalette::Active) << int(QPalette::Mid) << QColor(0, 170, 84);
    QTest::newRow("active alternate base") << int(QPalette::Active) << int(QPalette::AlternateBase) << QColor(127, 255, 191);
    QTest::newRow("tooltip base") << int(QPalette::Active) << int(QPalette::ToolTipBase) << QColor(255, 255, 220);
    QTest::newRow("disabled window text") << int(QPalette::Disabled) << int(QPalette::WindowText) << QColor(0, 127, 63);
    QTest::newRow("disabled base") << int(QPalette::Disabled) << int(QPalette::Base) << green;
    QTest::newRow("disabled alternate base") << int(QPalette::Disabled) << int(QPalette::AlternateBase) << green;
}

void TestAbstractSolver::panelIsGreen()
{
    QFETCH(int, group);
    QFETCH(int, role);
    QFETCH(QColor, color);

    ProbeSolver solver(&graph, nullptr);
    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    QCOMPARE(panel->palette().color(QPalette::ColorGroup(group), QPalette::ColorRole(role)), color);
    QVERIFY(panel->autoFillBackground());

    // The solver's own widgets inherit the palette.
    auto *own = new QListWidget;
    solver.addInheritedWidget(own);
    QCOMPARE(own->palette().color(QPalette::ColorGroup(group), QPalette::ColorRole(role)), color);
}

void TestAbstractSolver::historyLinesAreTimedNewestFirst()
{
    ProbeSolver solver(&graph, nullptr);
    const QTime before = QTime::currentTime();
    solver.addEventLogLine(QStringLiteral("pierwsza"));
    solver.addEventLogLine(QStringLiteral("druga"));
    const QTime after = QTime::currentTime();

    const QStringList lines = rows(solver.findChild<QListWidget *>("eventLogWidget"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).endsWith(QStringLiteral(" - druga")));
    QVERIFY(lines.at(1).endsWith(QStringLiteral(" - pierwsza")));
    for (const QString &line : lines) {
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d - ")).match(line).hasMatch(), qPrintable(line));
        const QTime stamp = QTime::fromString(line.left(8), Qt::TextDate);
        QVERIFY(stamp.isValid());
        // Whole seconds; a run across midnight is the one moment this cannot hold.
        QVERIFY(stamp >= before.addMSecs(-before.msec()) || after < before);
        QVERIFY(stamp <= after || after < before);
    }
}

void TestAbstractSolver::operationsReachTheirWidgets()
{
    ProbeSolver solver(&graph, nullptr);
    solver.setCurrentInfo(QStringLiteral("Wybierz wierzchołek startowy."));
    solver.setCurrentInfo(QStringLiteral("..."));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), QStringLiteral("..."));

    solver.setSolverTitle(QStringLiteral("Algorytm Minty'ego"));
    QCOMPARE(solver.windowTitle(), QStringLiteral("Algorytm Minty'ego"));

    auto *own = new QLabel(QStringLiteral("panel"));
    solver.addInheritedWidget(own);
    auto *panel = solver.findChild<QFrame *>("inheritedWidgetContainer");
    QCOMPARE(own->parentWidget(), panel);
    QCOMPARE(panel->layout()->indexOf(own), 0);
}

void TestAbstractSolver::stepButtonRunsOneStepPerClick()
{
    ProbeSolver solver(&graph, nullptr);
    solver.show();
    auto *step = solver.findChild<QPushButton *>("stepForwardButton");
    QTest::mouseClick(step, Qt::LeftButton);
    QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(solver.steps, 2);

    solver.disableStepForward();
    QVERIFY(!step->isEnabled());
    QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(solver.steps, 2);

    solver.enableStepForward();
    QVERIFY(step->isEnabled());
    QTest::mouseClick(step, Qt::LeftButton);
    QCOMPARE(solver.steps, 3);
}

void TestAbstractSolver::panelStaysTwoHundredWide_data()
{
    QTest::addColumn<QSize>("size");

    QTest::newRow("as designed") << QSize(790, 580);
    QTest::newRow("wide") << QSize(1200, 700);
    QTest::newRow("narrow") << QSize(600, 600);
}

void TestAbstractSolver::panelStaysTwoHundredWide()
{
    QFETCH(QSize, size);

    ProbeSolver solver(&graph, nullptr);
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    solver.resize(size);
    QTRY_COMPARE(solver.findChild<QFrame *>("inheritedWidgetContainer")->width(), 200);

    // The canvas takes whatever width is left.
    auto *view = solver.findChild<QGraphicsView *>("graphView");
    const int margins = 11 + 6 + 11;
    QCOMPARE(view->width() + margins + solver.findChild<QGroupBox *>("controlToolsContainer")->width(), solver.width());
}

void TestAbstractSolver::openingPutsTheSceneIntoIdle()
{
    Perewal window;
    QTest::mouseClick(window.findChild<QPushButton *>("addEdgeButton"), Qt::LeftButton);
    QCOMPARE(window.graph()->mode(), int(Graph::AddEdge));

    ProbeSolver solver(window.graph(), &window);
    QCOMPARE(window.graph()->mode(), int(Graph::Idle));
    QCOMPARE(window.findChild<QLabel *>("statusLabel")->text(), QStringLiteral("Oczekiwanie - wybierz opcję..."));
}

void TestAbstractSolver::clickInTheDialogViewReachesTheScene()
{
    graph.setMode(Graph::AddEdge);
    GraphVerticle *a = graph.addVerticle(QPointF(10, 10));
    ProbeSolver solver(&graph, nullptr);
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    QSignalSpy clicked(&graph, &Graph::verticleClicked);

    auto *view = solver.findChild<QGraphicsView *>("graphView");
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(12, 9)));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().value<GraphVerticle *>(), a);
    QCOMPARE(graph.verticles().size(), 1);
    graph.removeAll();
}

void TestAbstractSolver::sampleSolverStepsAndColours()
{
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(50, 0));
    SampleSolver solver(&graph, nullptr);
    solver.show();
    QCOMPARE(solver.windowTitle(), QStringLiteral("AbstractSolver"));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), QStringLiteral("Tutaj pojawią się biężące instrukcje..."));
    QCOMPARE(solver.findChild<QWidget *>("SampleSolverClass")->parentWidget()->objectName(),
             QStringLiteral("inheritedWidgetContainer"));

    auto *step = solver.findChild<QPushButton *>("stepForwardButton");
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(step, Qt::LeftButton);
    const QStringList lines = rows(solver.findChild<QListWidget *>("eventLogWidget"));
    QCOMPARE(lines.size(), 3);
    for (const QString &line : lines)
        QCOMPARE(line.mid(8), QStringLiteral(" - I've just made step forward!"));
    QCOMPARE(solver.findChild<QLabel *>("currentInfoLabel")->text(), QStringLiteral("Click, to make next step"));
    QVERIFY(step->isEnabled());

    // Whichever vertex is clicked, the first one turns red; the fill stays solid.
    emit graph.verticleClicked(b);
    QCOMPARE(a->brush().color(), QColor(Qt::red));
    QCOMPARE(a->brush().style(), Qt::SolidPattern);
    QCOMPARE(b->brush().color(), QColor(Qt::white));
    emit graph.verticleClicked(a);
    QCOMPARE(a->brush().color(), QColor(Qt::red));
    graph.removeAll();
}

QTEST_MAIN(TestAbstractSolver)
#include "tst_abstractsolver.moc"
