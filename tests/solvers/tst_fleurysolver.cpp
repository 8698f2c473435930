#include "app/perewal.h"
#include "solvers/fleurysolver.h"
#include "tests/support/testgraphs.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace TestGraphs;

namespace {

// The dialog as the user meets it: vertex clicks come from the scene, steps
// and the quick solve from the buttons, results from the named widgets.
struct Dialog
{
    explicit Dialog(Graph &graph)
        : graph(graph)
        , solver(std::make_unique<FleurySolver>(&graph, nullptr))
    {
        solver->show();
    }

    QString box(const char *name) const { return solver->findChild<QTextEdit *>(name)->toPlainText(); }
    QString info() const { return solver->findChild<QLabel *>("currentInfoLabel")->text(); }
    QStringList lines() const { return history(solver->findChild<QListWidget *>("eventLogWidget")); }
    QPushButton *stepButton() const { return solver->findChild<QPushButton *>("stepForwardButton"); }
    QPushButton *solveButton() const { return solver->findChild<QPushButton *>("solveButton"); }

    void click(const QString &name) { emit graph.verticleClicked(byName(graph, name)); }
    void step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(stepButton(), Qt::LeftButton);
    }
    void quick() { QTest::mouseClick(solveButton(), Qt::LeftButton); }

    Graph &graph;
    std::unique_ptr<FleurySolver> solver;
};

struct Look
{
    int radius;
    QColor fill;
    QColor outline;
    int outlineWidth;
};

Look lookOf(const GraphVerticle *v)
{
    return {int(v->rect().width() / 2), v->brush().color(), v->pen().color(), v->pen().width()};
}

bool operator==(const Look &a, const Look &b)
{
    return a.radius == b.radius && a.fill == b.fill && a.outline == b.outline && a.outlineWidth == b.outlineWidth;
}

char *toString(const Look &look)
{
    return QTest::toString(QStringLiteral("radius %1, fill %2, outline %3 width %4")
                               .arg(look.radius)
                               .arg(look.fill.name(), look.outline.name())
                               .arg(look.outlineWidth));
}

const Look plain{10, Qt::white, Qt::black, 0};
const Look started{15, Qt::green, Qt::black, 3};
const Look current{10, Qt::green, Qt::black, 3};
const Look chosen{10, Qt::white, Qt::green, 3};

bool isPlain(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::black) && e->pen().style() == Qt::SolidLine && e->pen().widthF() == 2.0;
}

bool isRemoved(const GraphEdge *e)
{
    return e->pen().color() == QColor(Qt::gray) && e->pen().style() == Qt::DashLine && e->pen().widthF() == 1.0;
}

const QString triangle = QStringLiteral("AB1 BC1 CA1");
const QString triangleRoute = QStringLiteral("A->B->C->A");

} // namespace

Q_DECLARE_METATYPE(Look)

class TestFleurySolver : public QObject
{
    Q_OBJECT

private slots:
    void form_data();
    void form();
    void opening_data();
    void opening();
    void triangleClickByClick_data();
    void triangleClickByClick();
    void triangleRouteAfterTheLastClick();
    void quickSolveTriangle();
    void quickSolveDuringOrAfterSteps_data();
    void quickSolveDuringOrAfterSteps();
    void edgelessGraphStartsAnywhere_data();
    void edgelessGraphStartsAnywhere();
    void startNeedsEdgesWhenTheGraphHasThem();
    void refusedGraphCannotBeWalked();
    void marks_data();
    void marks();
    void bowtieStackBoxAfterEveryClick();
    void namesPastTheHundredTwentyEighthVertex();
    void closingRestoresEveryItem_data();
    void closingRestoresEveryItem();
    void launchedFromTheMainWindow();
    void randomEulerianGraphs_data();
    void randomEulerianGraphs();
};

void TestFleurySolver::form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("tabs") << "tabWidget" << QRect(0, 0, 201, 451) << QString();
    QTest::newRow("current state") << "groupBox_2" << QRect(10, 10, 180, 70) << "chwilowy stan rozwiazania";
    QTest::newRow("solution box") << "rozwiazanieEdit" << QRect(10, 20, 160, 41) << QString();
    QTest::newRow("stack") << "groupBox_6" << QRect(9, 85, 180, 70) << "zawartosc stosu";
    QTest::newRow("stack box") << "stosEdit" << QRect(10, 20, 160, 41) << QString();
    QTest::newRow("removed edges") << "groupBox_7" << QRect(9, 160, 180, 70) << "usuniete krawedzie";
    QTest::newRow("removed edges box") << "krawedzieEdit" << QRect(10, 20, 160, 41) << QString();
    QTest::newRow("route") << "groupBox_8" << QRect(9, 230, 180, 80) << "WYZNACZONA TRASA";
    QTest::newRow("route box") << "trasaEdit" << QRect(10, 20, 160, 51) << QString();
    QTest::newRow("legend") << "groupBox" << QRect(10, 310, 171, 111) << "Legenda";
    QTest::newRow("legend picture") << "legendLabel" << QRect(0, 11, 170, 101) << QString();
    QTest::newRow("quick solve") << "solveButton" << QRect(15, 100, 170, 31) << "szybkie rozwiazanie";
    QTest::newRow("quick route") << "groupBox_9" << QRect(10, 160, 180, 121) << "WYZNACZONA TRASA";
    QTest::newRow("quick route box") << "trasaEdit2" << QRect(10, 20, 160, 91) << QString();
}

void TestFleurySolver::form()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    Graph graph;
    Dialog dialog(graph);
    auto *widget = dialog.solver->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        QCOMPARE(group->title(), text);
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), text);
    } else if (auto *edit = qobject_cast<QTextEdit *>(widget)) {
        QVERIFY(edit->isReadOnly());
        QVERIFY(edit->toPlainText().isEmpty());
    } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("krok po kroku"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("szybkie rozw."));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->findChild<QLabel *>("label")->text().count(QStringLiteral("font-size:10pt")), 3);
    }
}

void TestFleurySolver::opening_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("triangle") << triangle << 0 << true;
    QTest::newRow("triangle and a vertex without edges") << triangle << 4 << true;
    QTest::newRow("no vertices") << QString() << 0 << true;
    QTest::newRow("vertices without edges") << QString() << 3 << true;
    QTest::newRow("odd degrees") << "AB1 BC1" << 0 << false;
    QTest::newRow("two separate triangles") << "AB1 BC1 CA1 DE1 EF1 FD1" << 0 << false;
    QTest::newRow("two triangles sharing a vertex") << "AB1 BC1 CA1 CD1 DE1 EC1" << 0 << true;
}

void TestFleurySolver::opening()
{
    QFETCH(QString, edges);
    QFETCH(int, count);
    QFETCH(bool, accepted);

    Graph graph;
    build(graph, edges, count);
    Dialog dialog(graph);
    QCOMPARE(dialog.solver->windowTitle(), QStringLiteral("Algorytm Fleury'ego"));
    QCOMPARE(dialog.lines(), QStringList(accepted ? "wprowadzono graf eulerowski." : "ERR: Wprowadzono nie-eulerowski graf."));
    QCOMPARE(dialog.info(), accepted ? QStringLiteral("Wybierz wierzchołek początkowy.") : QStringLiteral("Wprowadź graf Eulerowski."));
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(!dialog.solveButton()->isEnabled());
}

void TestFleurySolver::triangleClickByClick_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<QString>("stack");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QStringList>("newLines");

    const QString check = "Sprawdzamy czy aktualny wierzchołek jest izolowany.";
    const QString choose = "Wybieramy dowolny wierzchołek sąsiadujący";
    const QString push = "Odkładamy obecny wierzchołek na stos.";
    const QString remove = "Oznaczamy krawedź pomiędzy obecnym wierzchołkiem, a wierzchołkiem sąsiadującym jako usuniętą.";
    const QString move = "Zmieniamy obecny wierzchołek na wierzchołek sąsiadujący.";
    const QString pop = "Sciągamy wierzchołek ze stosu.";

    QTest::newRow("click on A") << 0 << "A," << "" << "" << "Klikaj w przycisk 'krok dalej'"
                                << QStringList{"wierzchołek A dodano do rozwiązania.", "wierzcholek A został oznaczony jako początkowy."};
    QTest::newRow("1 A not isolated") << 1 << "A," << "" << "" << check << QStringList{"wierzchołek A uznany za nieizolowany."};
    QTest::newRow("2 B chosen") << 2 << "A," << "" << "" << choose << QStringList{"wierzchołek B wybrano jako sąsiadujący do A"};
    QTest::newRow("3 A pushed") << 3 << "A," << "A," << "" << push << QStringList{"wierzchołek A został umieszczony na stosie."};
    QTest::newRow("4 AB removed") << 4 << "A," << "A," << "AB," << remove << QStringList{"usunięto krawedź AB"};
    QTest::newRow("5 on B") << 5 << "A," << "A," << "AB," << move << QStringList{"zmiana aktualnego wierzchołka na B."};
    QTest::newRow("7 C chosen") << 7 << "A," << "A," << "AB," << choose << QStringList{"wierzchołek C wybrano jako sąsiadujący do B"};
    QTest::newRow("10 on C") << 10 << "A," << "A,B," << "AB,BC," << move << QStringList{"zmiana aktualnego wierzchołka na C."};
    QTest::newRow("12 A chosen") << 12 << "A," << "A,B," << "AB,BC," << choose << QStringList{"wierzchołek A wybrano jako sąsiadujący do C"};
    QTest::newRow("15 back on A") << 15 << "A," << "A,B,C," << "AB,BC,CA," << move << QStringList{"zmiana aktualnego wierzchołka na A."};
    QTest::newRow("16 A isolated") << 16 << "A," << "A,B,C," << "AB,BC,CA," << check << QStringList{"wierzchołek A uznany za izolowany."};
    QTest::newRow("17 C popped") << 17 << "C," << "A,B," << "AB,BC,CA," << pop
                                 << QStringList{"wierzchołek C dodano do rozwiązania.", "sciągnięto wierzchołek C ze stosu."};
    QTest::newRow("19 B popped") << 19 << "B," << "A," << "AB,BC,CA," << pop
                                 << QStringList{"wierzchołek B dodano do rozwiązania.", "sciągnięto wierzchołek B ze stosu."};
    QTest::newRow("21 A popped") << 21 << "A," << "" << "AB,BC,CA," << pop
                                 << QStringList{"wierzchołek A dodano do rozwiązania.", "sciągnięto wierzchołek A ze stosu."};
    QTest::newRow("22 A isolated") << 22 << "A," << "" << "AB,BC,CA," << check << QStringList{"wierzchołek A uznany za izolowany."};
    QTest::newRow("23 stack empty") << 23 << "A," << "" << "AB,BC,CA," << "Stos był już pusty - zatem kończymy pracę."
                                    << QStringList{"stwierdzono stan stosu: pusty - przystępuję do końca pracy algorytmu."};
    QTest::newRow("24 route") << 24 << "A," << "" << "AB,BC,CA," << "Uzyskaliśmy wynik" << QStringList();
}

void TestFleurySolver::triangleClickByClick()
{
    QFETCH(int, clicks);
    QFETCH(QString, solution);
    QFETCH(QString, stack);
    QFETCH(QString, removed);
    QFETCH(QString, instruction);
    QFETCH(QStringList, newLines);

    Graph graph;
    build(graph, triangle);
    Dialog dialog(graph);
    int before = dialog.lines().size();
    if (clicks == 0) {
        dialog.click("A");
    } else {
        dialog.click("A");
        dialog.step(clicks - 1);
        before = dialog.lines().size();
        dialog.step();
    }
    QCOMPARE(dialog.box("rozwiazanieEdit"), solution);
    QCOMPARE(dialog.box("stosEdit"), stack);
    QCOMPARE(dialog.box("krawedzieEdit"), removed);
    QCOMPARE(dialog.info(), instruction);
    QCOMPARE(dialog.lines().mid(before), newLines);
}

void TestFleurySolver::triangleRouteAfterTheLastClick()
{
    Graph graph;
    build(graph, triangle);
    Dialog dialog(graph);
    dialog.click("A");
    dialog.step(23);
    QVERIFY(dialog.stepButton()->isEnabled());
    QVERIFY(dialog.box("trasaEdit").isEmpty());
    dialog.step();
    QCOMPARE(dialog.box("trasaEdit"), triangleRoute);
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(dialog.solveButton()->isEnabled());
    QCOMPARE(dialog.solver->findChild<QTextEdit *>("trasaEdit")->textCursor().charFormat().fontWeight(), int(QFont::Black));
}

void TestFleurySolver::quickSolveTriangle()
{
    Graph graph;
    build(graph, triangle);
    Dialog dialog(graph);
    dialog.click("A");
    dialog.quick();

    QCOMPARE(dialog.box("trasaEdit2"), triangleRoute);
    QCOMPARE(dialog.box("krawedzieEdit"), QStringLiteral("AB,BC,CA,"));
    QCOMPARE(dialog.box("rozwiazanieEdit"), QStringLiteral("A,"));
    QVERIFY(dialog.box("stosEdit").isEmpty());
    QVERIFY(dialog.box("trasaEdit").isEmpty());
    QCOMPARE(dialog.info(), QStringLiteral("Wyznaczono rozwiązanie."));
    QCOMPARE(dialog.lines().mid(3), (QStringList{"wierzchołek A dodano do rozwiązania.",
                                                 "aktywowano tryb szybkiego rozwiązania.",
                                                 "wierzchołek C dodano do rozwiązania.",
                                                 "wierzchołek B dodano do rozwiązania.",
                                                 "wierzchołek A dodano do rozwiązania.",
                                                 "dokonano 'szybkiego rozwiązania'."}));
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(!dialog.solveButton()->isEnabled());

    // The walk marks what it reaches as chosen, never as current.
    QCOMPARE(lookOf(byName(graph, "A")), (Look{15, Qt::white, Qt::green, 3}));
    QCOMPARE(lookOf(byName(graph, "B")), chosen);
    for (GraphEdge *edge : graph.edges())
        QVERIFY(isRemoved(edge));

    // Nothing more to do: vertex clicks are ignored.
    const int lines = dialog.lines().size();
    dialog.click("B");
    QCOMPARE(dialog.lines().size(), lines);
}

void TestFleurySolver::quickSolveDuringOrAfterSteps_data()
{
    QTest::addColumn<int>("clicks");

    QTest::newRow("after a push") << 8;
    QTest::newRow("after a pop") << 17;
    QTest::newRow("after the route") << 24;
}

void TestFleurySolver::quickSolveDuringOrAfterSteps()
{
    QFETCH(int, clicks);

    Graph graph;
    build(graph, triangle);
    Dialog dialog(graph);
    dialog.click("A");
    dialog.step(clicks);
    const QString stack = dialog.box("stosEdit");
    const QString removed = dialog.box("krawedzieEdit");
    const QString route = dialog.box("trasaEdit");
    // Where the user left the cursor of a box does not matter.
    dialog.solver->findChild<QTextEdit *>("krawedzieEdit")->moveCursor(QTextCursor::Start);

    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), triangleRoute);
    QCOMPARE(dialog.box("stosEdit"), stack);
    QCOMPARE(dialog.box("krawedzieEdit"), removed + "AB,BC,CA,");
    QCOMPARE(dialog.box("trasaEdit"), route);
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(!dialog.solveButton()->isEnabled());
}

void TestFleurySolver::edgelessGraphStartsAnywhere_data()
{
    QTest::addColumn<bool>("quick");

    QTest::newRow("step by step") << false;
    QTest::newRow("quick solve") << true;
}

void TestFleurySolver::edgelessGraphStartsAnywhere()
{
    QFETCH(bool, quick);

    Graph graph;
    build(graph, QString(), 3);
    Dialog dialog(graph);
    dialog.click("B");
    QCOMPARE(lookOf(byName(graph, "B")), started);
    if (quick) {
        dialog.quick();
        QCOMPARE(dialog.box("trasaEdit2"), QStringLiteral("B"));
    } else {
        dialog.step();
        QCOMPARE(dialog.lines().last(), QStringLiteral("wierzchołek B uznany za izolowany."));
        dialog.step();
        QCOMPARE(dialog.info(), QStringLiteral("Stos był już pusty - zatem kończymy pracę."));
        dialog.step();
        QCOMPARE(dialog.box("trasaEdit"), QStringLiteral("B"));
    }
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(dialog.box("krawedzieEdit").isEmpty());
}

void TestFleurySolver::startNeedsEdgesWhenTheGraphHasThem()
{
    Graph graph;
    build(graph, triangle, 4);
    Dialog dialog(graph);
    dialog.click("D");
    QCOMPARE(dialog.info(), QStringLiteral("Wybierz wierzchołek, z którego wychodzą krawędzie."));
    QCOMPARE(dialog.lines().size(), 1);
    QCOMPARE(lookOf(byName(graph, "D")), plain);
    QVERIFY(!dialog.stepButton()->isEnabled());
    QVERIFY(!dialog.solveButton()->isEnabled());

    dialog.click("B");
    QCOMPARE(lookOf(byName(graph, "B")), started);
    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), QStringLiteral("B->A->C->B"));
}

void TestFleurySolver::refusedGraphCannotBeWalked()
{
    Graph graph;
    build(graph, "AB1 BC1 CA1 DE1 EF1 FD1");
    Dialog dialog(graph);
    dialog.click("A");
    QCOMPARE(lookOf(byName(graph, "A")), plain);
    QCOMPARE(dialog.lines().size(), 1);
    QVERIFY(!dialog.stepButton()->isEnabled());

    // Even a step or quick solve forced past the disabled buttons walks nothing.
    const QString refused = "ERR: Próba realizacji algorytmu Fleurego na nie-eulerowskim grafie.";
    QMetaObject::invokeMethod(dialog.solver.get(), "stepForwardButtonClicked");
    QCOMPARE(dialog.lines().last(), refused);
    QMetaObject::invokeMethod(dialog.solver.get(), "quickSolve");
    QCOMPARE(dialog.lines(), (QStringList{"ERR: Wprowadzono nie-eulerowski graf.", refused, refused}));
    QCOMPARE(dialog.info(), QStringLiteral("Wprowadź graf Eulerowski."));
    QVERIFY(dialog.box("trasaEdit2").isEmpty());
    for (GraphEdge *edge : graph.edges())
        QVERIFY(isPlain(edge));
}

void TestFleurySolver::marks_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("vertex");
    QTest::addColumn<Look>("look");

    // Drawn so that A's first edge runs from B to A: B is reached as the edge's start.
    QTest::newRow("start") << 0 << "A" << started;
    QTest::newRow("not reached yet") << 0 << "C" << plain;
    QTest::newRow("neighbour at an edge's start") << 2 << "B" << chosen;
    QTest::newRow("neighbour at an edge's end") << 7 << "C" << chosen;
    QTest::newRow("start left behind keeps its fill") << 5 << "A" << started;
    QTest::newRow("current") << 5 << "B" << current;
    QTest::newRow("former current keeps its fill") << 10 << "B" << current;
    QTest::newRow("start chosen again") << 12 << "A" << Look{15, Qt::white, Qt::green, 3};
    QTest::newRow("start current again") << 15 << "A" << started;
}

void TestFleurySolver::marks()
{
    QFETCH(int, clicks);
    QFETCH(QString, vertex);
    QFETCH(Look, look);

    Graph graph;
    build(graph, "BA1 BC1 CA1");
    Dialog dialog(graph);
    dialog.click("A");
    dialog.step(clicks);
    QCOMPARE(lookOf(byName(graph, vertex)), look);

    // An edge is marked exactly when the walk has used it.
    const QStringList removed = dialog.box("krawedzieEdit").split(',', Qt::SkipEmptyParts);
    for (GraphEdge *edge : graph.edges())
        QVERIFY2(removed.contains(edge->name()) ? isRemoved(edge) : isPlain(edge), qPrintable(edge->name()));
}

void TestFleurySolver::bowtieStackBoxAfterEveryClick()
{
    // Two triangles meeting at C: the walk from A gets back to A first, then
    // pops to C and pushes again to take the second triangle.
    Graph graph;
    build(graph, "AB1 BC1 CA1 CD1 DE1 EC1");
    Dialog dialog(graph);
    dialog.click("A");
    const QMap<int, QString> changes{{3, "A,"}, {8, "A,B,"}, {13, "A,B,C,"}, {17, "A,B,"}, {20, "A,B,C,"},
                                     {25, "A,B,C,D,"}, {30, "A,B,C,D,E,"}, {34, "A,B,C,D,"}, {36, "A,B,C,"},
                                     {38, "A,B,"}, {40, "A,"}, {42, ""}};
    QString stack;
    for (int click = 1; click <= 7 * 6 + 3; ++click) {
        // The user clicks into the boxes between steps, which moves their cursors to the front.
        for (const char *box : {"stosEdit", "krawedzieEdit"})
            QTest::mouseClick(dialog.solver->findChild<QTextEdit *>(box)->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(dialog.stepButton()->isEnabled());
        dialog.step();
        stack = changes.value(click, stack);
        QVERIFY2(dialog.box("stosEdit") == stack, qPrintable(QStringLiteral("click %1: %2").arg(click).arg(dialog.box("stosEdit"))));
    }
    QVERIFY(!dialog.stepButton()->isEnabled());
    QCOMPARE(dialog.box("krawedzieEdit"), QStringLiteral("AB,BC,CA,CD,DE,EC,"));
    QCOMPARE(dialog.box("trasaEdit"), QStringLiteral("A->B->C->D->E->C->A"));
}

void TestFleurySolver::namesPastTheHundredTwentyEighthVertex()
{
    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, 131, {{128, 129, 1}, {129, 130, 1}, {130, 128, 1}});
    const QString first = verticles.at(128)->name();
    const QString second = verticles.at(129)->name();
    const QString third = verticles.at(130)->name();
    QCOMPARE(first, QString(QChar(65 + 128)));

    Dialog dialog(graph);
    emit graph.verticleClicked(verticles.at(128));
    dialog.step(5);
    QCOMPARE(dialog.lines().last(), QStringLiteral("zmiana aktualnego wierzchołka na %1.").arg(second));
    dialog.quick();
    QCOMPARE(dialog.box("trasaEdit2"), QStringList({first, second, third, first}).join("->"));
    QVERIFY(dialog.lines().contains(QStringLiteral("wierzchołek %1 dodano do rozwiązania.").arg(third)));
}

void TestFleurySolver::closingRestoresEveryItem_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("quick");

    QTest::newRow("waiting for the start") << triangle << -1 << false;
    QTest::newRow("in the middle") << triangle << 12 << false;
    QTest::newRow("finished") << triangle << 24 << false;
    QTest::newRow("quick solved after steps") << triangle << 6 << true;
    QTest::newRow("bowtie quick solved") << "AB1 BC1 CA1 CD1 DE1 EC1" << 0 << true;
}

void TestFleurySolver::closingRestoresEveryItem()
{
    QFETCH(QString, edges);
    QFETCH(int, clicks);
    QFETCH(bool, quick);

    Graph graph;
    build(graph, edges);
    Dialog dialog(graph);
    if (clicks >= 0) {
        dialog.click("A");
        dialog.step(clicks);
    }
    if (quick)
        dialog.quick();
    dialog.solver->close();
    dialog.solver.reset();

    for (GraphVerticle *v : graph.verticles())
        QCOMPARE(lookOf(v), plain);
    for (GraphEdge *edge : graph.edges())
        QVERIFY2(isPlain(edge), qPrintable(edge->name()));
}

void TestFleurySolver::launchedFromTheMainWindow()
{
    Perewal window;
    build(*window.graph(), triangle);
    window.show();

    QString title;
    bool modal = false;
    QSize legend;
    QTimer::singleShot(0, &window, [&] {
        QPointer<QWidget> dialog = QApplication::activeModalWidget();
        if (auto *solver = qobject_cast<FleurySolver *>(dialog)) {
            title = solver->windowTitle();
            modal = solver->isModal();
            legend = solver->findChild<QLabel *>("legendLabel")->pixmap().size();
            emit window.graph()->verticleClicked(byName(*window.graph(), "A"));
            QTest::mouseClick(solver->findChild<QPushButton *>("solveButton"), Qt::LeftButton);
        }
        // Close whatever opened, so a failure cannot leave the loop running.
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<QDialog *>(top))
                open->reject();
        }
    });
    QTest::mouseClick(window.findChild<QPushButton *>("fleuryButton"), Qt::LeftButton);

    QCOMPARE(title, QStringLiteral("Algorytm Fleury'ego"));
    QVERIFY(modal);
    QCOMPARE(legend, QSize(171, 98));
    for (GraphVerticle *v : window.graph()->verticles())
        QCOMPARE(lookOf(v), plain);
    for (GraphEdge *edge : window.graph()->edges())
        QVERIFY(isPlain(edge));
}

void TestFleurySolver::randomEulerianGraphs_data()
{
    QTest::addColumn<int>("graphs");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<int>("cycles");
    QTest::addColumn<int>("maxCycleLength");

    QTest::newRow("small") << 40 << 6 << 3 << 5;
    QTest::newRow("medium") << 15 << 20 << 10 << 10;
    QTest::newRow("large") << 3 << 50 << 40 << 12;
}

// The walk checked against what an Euler cycle is, and the two modes against each other.
void TestFleurySolver::randomEulerianGraphs()
{
    QFETCH(int, graphs);
    QFETCH(int, verticles);
    QFETCH(int, cycles);
    QFETCH(int, maxCycleLength);

    for (int seed = 1; seed <= graphs; ++seed) {
        std::mt19937 rng(seed);
        Graph graph;
        build(graph, verticles, randomEulerian(rng, verticles, cycles, maxCycleLength));
        const int edgeCount = graph.edges().size();
        QList<GraphVerticle *> withEdges;
        for (GraphVerticle *v : graph.verticles()) {
            if (!v->edges().isEmpty())
                withEdges.append(v);
        }
        GraphVerticle *start = withEdges.at(std::uniform_int_distribution<int>(0, withEdges.size() - 1)(rng));
        const QString where = QStringLiteral("seed %1, %2 edges").arg(seed).arg(edgeCount);

        Dialog dialog(graph);
        QVERIFY2(dialog.lines().first() == "wprowadzono graf eulerowski.", qPrintable(where));
        emit graph.verticleClicked(start);
        int clicks = 0;
        while (dialog.stepButton()->isEnabled() && clicks <= 7 * edgeCount + 3) {
            dialog.step();
            ++clicks;
        }
        QVERIFY2(clicks == 7 * edgeCount + 3, qPrintable(where));

        const QString route = dialog.box("trasaEdit");
        const QStringList names = route.split("->");
        QVERIFY2(names.size() == edgeCount + 1, qPrintable(where));
        QVERIFY2(names.first() == start->name() && names.last() == start->name(), qPrintable(where));
        QSet<GraphEdge *> used;
        for (int i = 0; i + 1 < names.size(); ++i) {
            GraphEdge *edge = graph.edgeBetween(byName(graph, names.at(i)), byName(graph, names.at(i + 1)));
            QVERIFY2(edge, qPrintable(where + ": no edge " + names.at(i) + names.at(i + 1)));
            QVERIFY2(!used.contains(edge), qPrintable(where + ": twice " + edge->name()));
            used.insert(edge);
        }
        QVERIFY2(used.size() == edgeCount, qPrintable(where));

        dialog.quick();
        QVERIFY2(dialog.box("trasaEdit2") == route, qPrintable(where));
    }
}

QTEST_MAIN(TestFleurySolver)
#include "tst_fleurysolver.moc"
