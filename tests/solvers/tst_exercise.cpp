#include "app/perewal.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/exercise.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"
#include "tests/support/snapshot.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QTextEdit>
#include <QtTest>

#include <limits>
#include <numeric>
#include <random>

using namespace TestGraphs;

namespace {

enum Algorithm { Minty, Prim, Fleury };

std::unique_ptr<AbstractSolver> open(Algorithm algorithm, Graph &graph)
{
    static const QStringList names{QStringLiteral("minty"), QStringLiteral("dijkstraprim"), QStringLiteral("fleury")};
    std::unique_ptr<AbstractSolver> dialog = TestGraphs::openSolver(names.at(algorithm), graph);
    dialog->show();
    return dialog;
}

// A graph of the program's own generator, of the kind the algorithm needs, its size and number from the seed.
QList<EdgeSpec> randomGraph(Algorithm algorithm, std::mt19937 &rng)
{
    GraphGenerator::Settings settings;
    settings.kind = algorithm == Fleury ? GraphGenerator::EulerianConnected : GraphGenerator::Connected;
    settings.verticles = std::uniform_int_distribution<int>(algorithm == Fleury ? 3 : 2, 14)(rng);
    settings.density = std::uniform_int_distribution<int>(10, 80)(rng);
    // Small weights from 0: equal sums and weights, where the student's choice and the built-in one part.
    settings.weights = Graph::Random0To10;
    settings.number = rng();
    GraphGenerator generator(settings);
    QList<EdgeSpec> edges;
    if (!generator.generate())
        return edges;
    for (const GraphGenerator::Edge &e : generator.edges())
        edges.append({e.start, e.end, qreal(e.weight)});
    return edges;
}

int vertexCount(const QList<EdgeSpec> &edges)
{
    int count = 1;
    for (const EdgeSpec &e : edges)
        count = qMax(count, qMax(e.start, e.end) + 1);
    return count;
}

// Dijkstra's method over an adjacency matrix, independent of the solver's labels.
QList<qreal> dijkstra(int count, const QList<EdgeSpec> &edges, int start)
{
    const qreal infinity = std::numeric_limits<qreal>::infinity();
    QList<QList<qreal>> weight(count, QList<qreal>(count, infinity));
    for (const EdgeSpec &e : edges)
        weight[e.start][e.end] = weight[e.end][e.start] = e.weight;
    QList<qreal> distance(count, infinity);
    QList<bool> done(count, false);
    distance[start] = 0;
    for (int round = 0; round < count; ++round) {
        int next = -1;
        for (int v = 0; v < count; ++v) {
            if (!done[v] && (next < 0 || distance[v] < distance[next]))
                next = v;
        }
        done[next] = true;
        for (int v = 0; v < count; ++v)
            distance[v] = qMin(distance[v], distance[next] + weight[next][v]);
    }
    return distance;
}

qreal kruskal(int count, QList<EdgeSpec> edges)
{
    std::stable_sort(edges.begin(), edges.end(), [](const EdgeSpec &a, const EdgeSpec &b) { return a.weight < b.weight; });
    QList<int> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    std::function<int(int)> root = [&](int v) { return parent[v] == v ? v : parent[v] = root(parent[v]); };
    qreal total = 0;
    for (const EdgeSpec &e : edges) {
        if (root(e.start) != root(e.end)) {
            parent[root(e.start)] = root(e.end);
            total += e.weight;
        }
    }
    return total;
}

/// A simulated student: answers each decision with a right answer, or presses the step button when none is asked.
struct Student
{
    enum Choice { Uniform, BuiltIn };

    Student(AbstractSolver &dialog, Graph &graph, Choice choice, int seed)
        : dialog(dialog)
        , graph(graph)
        , driver(graph, &dialog)
        , exercise(dialog.findChild<Exercise *>(QStringLiteral("exercise")))
        , choice(choice)
        , rng(seed)
    {
    }

    void switchOn() { driver.child<QCheckBox>("exerciseCheckBox")->click(); }

    GraphEdge *pick(const QList<GraphEdge *> &edges)
    {
        if (choice == BuiltIn)
            return edges.first();
        return edges.at(std::uniform_int_distribution<int>(0, edges.size() - 1)(rng));
    }

    /// One action: a right answer (possibly one part of a decision) or a press; false at the end of the run.
    bool act()
    {
        // A click on a vertex becomes a step once the event loop has handled it, as in the running program.
        QCoreApplication::processEvents();
        if (!driver.stepButton()->isEnabled())
            return false;
        const ExerciseDecision *d = exercise->decision();
        if (!d) {
            driver.press();
            return true;
        }
        switch (d->kind) {
        case ExerciseDecision::YesNo:
            exercise->answer(d->yes);
            break;
        case ExerciseDecision::EdgeSet: {
            QList<GraphEdge *> edges = d->right;
            if (choice == Uniform)
                std::shuffle(edges.begin(), edges.end(), rng);
            for (GraphEdge *e : edges)
                exercise->clickEdge(e);
            // Half the time through the step button, which confirms a set as "Zatwierdź" does.
            if (rng() % 2)
                exercise->confirm();
            else
                driver.press();
            break;
        }
        case ExerciseDecision::LeastEdge:
        case ExerciseDecision::AnyEdge:
            exercise->clickEdge(pick(d->right));
            break;
        }
        return true;
    }

    AbstractSolver &dialog;
    Graph &graph;
    SolverDriver driver;
    Exercise *exercise;
    Choice choice;
    std::mt19937 rng;
};

// What the student's run and the demonstration's share: all but the exercise's own widgets and marks, and
// the play button, which the mode turns off.
QStringList shared(const QStringList &lines)
{
    QStringList kept;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("exercise")) && !line.startsWith(QLatin1String("newExercise"))
            && !line.startsWith(QLatin1String("selection")) && !line.startsWith(QLatin1String("playButton"))
            && !line.contains(QStringLiteral("Koniec ćwiczenia:")))
            kept.append(line);
    }
    return kept;
}

// A wrong answer is a step of the timeline for its history line, so the timeline's own buttons may change.
QStringList withoutHistory(const QStringList &lines)
{
    QStringList kept;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("eventLogWidget")) && !line.startsWith(QLatin1String("exercise"))
            && !line.startsWith(QLatin1String("toStartButton")) && !line.startsWith(QLatin1String("stepBackButton")))
            kept.append(line);
    }
    return kept;
}

QString edgeName(const GraphEdge *e)
{
    return e->start()->name() + QStringLiteral("–") + e->end()->name();
}

void addAlgorithms()
{
    QTest::addColumn<int>("algorithm");
    QTest::addColumn<int>("seed");
    const char *names[] = {"Minty", "Dijkstra-Prim", "Fleury"};
    for (int algorithm = Minty; algorithm <= Fleury; ++algorithm) {
        for (int seed = 1; seed <= 15; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("%1 seed %2").arg(QLatin1String(names[algorithm])).arg(seed)))
                << algorithm << seed;
    }
}

} // namespace

class TestExercise : public QObject
{
    Q_OBJECT

private slots:
    void aStudentPickingAnyRightAnswerFinishesCorrectly_data() { addAlgorithms(); }
    void aStudentPickingAnyRightAnswerFinishesCorrectly();
    void theBuiltInChoicesReplayTheDemonstration_data() { addAlgorithms(); }
    void theBuiltInChoicesReplayTheDemonstration();
    void wrongAnswersChangeNothingAndSayWhy_data() { addAlgorithms(); }
    void wrongAnswersChangeNothingAndSayWhy();
    void explanationsNameTheNumbers_data();
    void explanationsNameTheNumbers();
    void hintShowsEveryRightAnswerAndCounts();
    void stepBackUndoesADecisionAndForwardWaits();
    void switchingAfterTheStartRestarts();
    void edgesAreClickedOnTheCanvas();
    void offByDefaultWithOnlyTheSwitchShown();
    void newExerciseReplacesTheGraphAndStartsAgain_data();
    void newExerciseReplacesTheGraphAndStartsAgain();
};

void TestExercise::aStudentPickingAnyRightAnswerFinishesCorrectly()
{
    QFETCH(int, algorithm);
    QFETCH(int, seed);
    std::mt19937 rng(seed);
    const QList<EdgeSpec> edges = randomGraph(Algorithm(algorithm), rng);
    QVERIFY(!edges.isEmpty());
    const int count = vertexCount(edges);
    const int start = std::uniform_int_distribution<int>(0, count - 1)(rng);

    Graph graph;
    const QList<GraphVerticle *> verticles = build(graph, count, edges);
    auto dialog = open(Algorithm(algorithm), graph);
    Student student(*dialog, graph, Student::Uniform, seed);
    student.switchOn();
    // Fleury's walk starts where an edge is.
    GraphVerticle *first = algorithm == Fleury ? edges.first().start == start ? verticles.at(start)
                                                                              : verticles.at(edges.first().start)
                                               : verticles.at(start);
    emit graph.verticleClicked(first);
    int actions = 0;
    while (student.act())
        QVERIFY(++actions < 100000);
    QVERIFY2(student.exercise->mistakes() == 0, qPrintable(student.driver.events().filter(QStringLiteral("Zła")).join(QLatin1Char('\n'))));
    QVERIFY2(student.driver.events().last().contains(QStringLiteral("Koniec ćwiczenia: ")), qPrintable(student.driver.events().mid(student.driver.events().size() - 3).join(QLatin1Char('\n'))));

    if (algorithm == Minty) {
        const QList<qreal> distance = dijkstra(count, edges, verticles.indexOf(first));
        const QStringList ways = student.driver.list("shortestWaysList");
        QCOMPARE(ways.size(), count - 1);
        for (const QString &way : ways) {
            const int open = way.indexOf(QLatin1Char('('));
            GraphVerticle *v = byName(graph, way.left(open));
            QVERIFY(v);
            QCOMPARE(way.mid(open + 1, way.indexOf(QLatin1Char(')')) - open - 1).toDouble(),
                     distance.at(verticles.indexOf(v)));
        }
    } else if (algorithm == Prim) {
        const QString total = student.driver.child<QLabel>("totalWeightLabel")->text();
        QCOMPARE(total, QStringLiteral("Waga drzewa: %1").arg(kruskal(count, edges)));
        int green = 0;
        for (const GraphEdge *e : graph.edges())
            green += e->pen().color() == QColor(Qt::green);
        QCOMPARE(green, count - 1);
    } else {
        const QStringList route = student.driver.child<QTextEdit>("trasaEdit")->toPlainText().split(QStringLiteral("->"));
        QCOMPARE(route.size(), edges.size() + 1);
        QCOMPARE(route.first(), route.last());
        QSet<GraphEdge *> walked;
        for (int i = 1; i < route.size(); ++i) {
            GraphEdge *e = graph.edgeBetween(byName(graph, route.at(i - 1)), byName(graph, route.at(i)));
            QVERIFY2(e, qPrintable(route.at(i - 1) + route.at(i)));
            QVERIFY(!walked.contains(e));
            walked.insert(e);
        }
    }
}

void TestExercise::theBuiltInChoicesReplayTheDemonstration()
{
    QFETCH(int, algorithm);
    QFETCH(int, seed);
    std::mt19937 rng(seed);
    const QList<EdgeSpec> edges = randomGraph(Algorithm(algorithm), rng);
    QVERIFY(!edges.isEmpty());
    const int count = vertexCount(edges);

    Graph shown;
    build(shown, count, edges);
    auto demonstration = open(Algorithm(algorithm), shown);
    SolverDriver watch(shown, demonstration.get());
    emit shown.verticleClicked(shown.verticles().at(edges.first().start));
    QCoreApplication::processEvents();
    QList<QStringList> demonstrated{snapshot(*demonstration, shown)};
    while (watch.stepButton()->isEnabled()) {
        watch.press();
        demonstrated.append(snapshot(*demonstration, shown));
    }

    Graph done;
    build(done, count, edges);
    auto dialog = open(Algorithm(algorithm), done);
    Student student(*dialog, done, Student::BuiltIn, seed);
    student.switchOn();
    emit done.verticleClicked(done.verticles().at(edges.first().start));
    QCoreApplication::processEvents();
    QList<QStringList> answered{snapshot(*dialog, done)};
    int position = dialog->timelinePosition();
    while (student.act()) {
        if (dialog->timelinePosition() != position) {
            position = dialog->timelinePosition();
            answered.append(snapshot(*dialog, done));
        }
    }
    QCOMPARE(answered.size(), demonstrated.size());
    for (int i = 0; i < answered.size(); ++i)
        QCOMPARE(shared(answered.at(i)), shared(demonstrated.at(i)));
    // The one line the demonstration lacks: the summary, written by the last step.
    QCOMPARE(answered.last().filter(QStringLiteral("Koniec ćwiczenia:")).size(), 1);
}

void TestExercise::wrongAnswersChangeNothingAndSayWhy()
{
    QFETCH(int, algorithm);
    QFETCH(int, seed);
    std::mt19937 rng(seed);
    const QList<EdgeSpec> edges = randomGraph(Algorithm(algorithm), rng);
    QVERIFY(!edges.isEmpty());
    const int count = vertexCount(edges);

    Graph graph;
    build(graph, count, edges);
    auto dialog = open(Algorithm(algorithm), graph);
    Student student(*dialog, graph, Student::Uniform, seed);
    student.switchOn();
    emit graph.verticleClicked(graph.verticles().at(edges.first().start));
    QCoreApplication::processEvents();

    int mistakes = 0;
    int sampled = 0;
    do {
        const ExerciseDecision *d = student.exercise->decision();
        // The first decision and a third of the others.
        if (!d || (sampled > 0 && rng() % 3 != 0))
            continue;
        ++sampled;
        const ExerciseDecision asked = *d;
        // Every wrong answer of the decision, at most six edges of them.
        QList<std::function<QString()>> wrongs;
        if (asked.kind == ExerciseDecision::YesNo) {
            wrongs.append([&] {
                student.exercise->answer(!asked.yes);
                return asked.at ? asked.at->name() : !asked.outside.isEmpty() && !asked.yes ? asked.outside.first()->name()
                                                                                            : QString();
            });
        } else {
            QList<GraphEdge *> others = graph.edges();
            std::shuffle(others.begin(), others.end(), rng);
            for (GraphEdge *e : others) {
                if (asked.right.contains(e) || wrongs.size() >= 6)
                    continue;
                wrongs.append([&, e] {
                    student.exercise->clickEdge(e);
                    if (asked.kind == ExerciseDecision::EdgeSet) {
                        for (GraphEdge *r : asked.right)
                            student.exercise->clickEdge(r);
                        student.exercise->confirm();
                    }
                    return edgeName(e);
                });
            }
            if (asked.kind == ExerciseDecision::EdgeSet && !asked.right.isEmpty()) {
                GraphEdge *missing = asked.right.at(int(rng() % asked.right.size()));
                wrongs.append([&, missing] {
                    for (GraphEdge *r : asked.right) {
                        if (r != missing)
                            student.exercise->clickEdge(r);
                    }
                    student.exercise->confirm();
                    return edgeName(missing);
                });
            }
        }
        for (const auto &answerWrongly : std::as_const(wrongs)) {
            const QStringList before = withoutHistory(shared(snapshot(*dialog, graph)));
            const int lines = student.driver.events().size();
            const QString named = answerWrongly();
            QCOMPARE(student.exercise->mistakes(), ++mistakes);
            QStringList after = withoutHistory(shared(snapshot(*dialog, graph)));
            after.erase(std::remove_if(after.begin(), after.end(),
                                       [](const QString &l) { return l.startsWith(QLatin1String("exercise")); }),
                        after.end());
            QCOMPARE(after, before);
            QCOMPARE(student.driver.events().size(), lines + 1);
            const QString line = student.driver.events().last();
            QVERIFY2(line.startsWith(QStringLiteral("Zła odpowiedź: ")), qPrintable(line));
            QVERIFY2(line.contains(named), qPrintable(line + QStringLiteral(" / ") + named));
            QCOMPARE(QStringLiteral("Zła odpowiedź: ") + student.exercise->note(), line);
            QVERIFY(student.exercise->decision());
            QCOMPARE(student.exercise->decision()->right, asked.right);
            // A set clicked wrongly is cleared before the next try.
            for (GraphEdge *e : student.exercise->selection())
                student.exercise->clickEdge(e);
        }
    } while (student.act());
    QVERIFY(sampled > 0);
    QVERIFY(student.driver.events().last().contains(
        QRegularExpression(QStringLiteral("Koniec ćwiczenia: \\d+ decyzj[aei], %1 b\u0142(ąd|ędy|ędów),").arg(mistakes))));
}

void TestExercise::explanationsNameTheNumbers_data()
{
    QTest::addColumn<int>("algorithm");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("rightAnswers"); // answered with the built-in choice before the wrong one
    QTest::addColumn<QString>("wrong");    // an edge, or "yes"/"no"
    QTest::addColumn<QString>("why");

    // Both from A. Minty: A(0); current AB(4), AC(3); C labelled 3; current AB(4), CD(3+9), CE(3+7)...
    // Dijkstra-Prim: the gate, then AB, AC listed.
    const QString minty = QStringLiteral("AB4 AC3 CD9 CE7 BD2 DE1");
    const QString prim = minty;
    QTest::newRow("Minty: a missing current edge") << int(Minty) << minty << 0 << "-AC"
        << "Brakuje krawędzi A–C: prowadzi od oznaczonego do nieoznaczonego wierzchołka.";
    QTest::newRow("Minty: an edge of two open ends") << int(Minty) << minty << 0 << "CD"
        << "Żaden koniec krawędzi C–D nie jest oznaczony.";
    QTest::newRow("Minty: a larger sum") << int(Minty) << minty << 4 << "CE"
        << "Krawędź C–E: 3 + 7 = 10, a najmniejsza suma to 4 (A–B).";
    QTest::newRow("Minty: both ends labelled") << int(Minty) << minty << 6 << "AC"
        << "Oba końce krawędzi A–C są już oznaczone.";
    QTest::newRow("Minty: not all labelled") << int(Minty) << minty << 2 << "yes"
        << "Nie wszystkie wierzchołki są oznaczone: B, D, E.";
    QTest::newRow("Minty: not on the list") << int(Minty) << minty << 1 << "DE"
        << "Krawędzi D–E nie ma na liście krawędzi bieżących.";
    QTest::newRow("Dijkstra-Prim: the tree does not span") << int(Prim) << prim << 0 << "yes"
        << "Poza drzewem są jeszcze wierzchołki: B, C, D, E.";
    QTest::newRow("Dijkstra-Prim: a heavier edge") << int(Prim) << prim << 3 << "AB"
        << "Krawędź A–B waży 4, a najlżejsza krawędź bieżąca waży 3 (A–C).";
    QTest::newRow("Dijkstra-Prim: both ends in the tree") << int(Prim) << prim << 7 << "AC"
        << "Oba końce krawędzi A–C są już w drzewie.";
    QTest::newRow("Dijkstra-Prim: not from the last vertex") << int(Prim) << prim << 5 << "BD"
        << "Krawędź B–D nie wychodzi z wierzchołka C, dodanego do drzewa ostatnio.";
    QTest::newRow("Dijkstra-Prim: already listed") << int(Prim) << prim << 5 << "AB"
        << "Krawędź A–B jest już na liście krawędzi bieżących.";
    QTest::newRow("Dijkstra-Prim: a missing edge") << int(Prim) << prim << 1 << "-AB"
        << "Brakuje krawędzi A–B: prowadzi od wierzchołka A poza drzewo.";
    // Walk from A over the triangle and the square A-D-E-F.
    const QString fleury = QStringLiteral("AB1 BC1 CA1 AD1 DE1 EF1 FA1");
    QTest::newRow("Fleury: not isolated") << int(Fleury) << fleury << 0 << "yes"
        << "Z wierzchołka A wychodzą jeszcze nieużyte krawędzie: A–B, A–D, C–A, F–A.";
    QTest::newRow("Fleury: not from the current vertex") << int(Fleury) << fleury << 1 << "DE"
        << "Krawędź D–E nie wychodzi z wierzchołka A.";
    QTest::newRow("Fleury: a removed edge") << int(Fleury) << fleury << 6 << "AB"
        << "Krawędź A–B jest już usunięta.";
}

void TestExercise::explanationsNameTheNumbers()
{
    QFETCH(int, algorithm);
    QFETCH(QString, graph);
    QFETCH(int, rightAnswers);
    QFETCH(QString, wrong);
    QFETCH(QString, why);

    Graph scene;
    build(scene, graph);
    auto dialog = open(Algorithm(algorithm), scene);
    Student student(*dialog, scene, Student::BuiltIn, 1);
    student.switchOn();
    student.driver.start(QStringLiteral("A"));
    QCoreApplication::processEvents();
    for (int i = 0; i < rightAnswers; ++i)
        QVERIFY(student.act());
    QVERIFY(student.exercise->decision());
    // A copy: an answer makes the exercise ask anew, and its decisions with it.
    const ExerciseDecision asked = *student.exercise->decision();
    const ExerciseDecision *d = &asked;
    if (wrong == QLatin1String("yes") || wrong == QLatin1String("no")) {
        student.exercise->answer(wrong == QLatin1String("yes"));
    } else if (wrong.startsWith(QLatin1Char('-'))) {
        GraphEdge *missing = scene.edgeBetween(byName(scene, wrong.mid(1, 1)), byName(scene, wrong.mid(2, 1)));
        for (GraphEdge *e : d->right) {
            if (e != missing)
                student.exercise->clickEdge(e);
        }
        student.exercise->confirm();
    } else {
        student.exercise->clickEdge(scene.edgeBetween(byName(scene, wrong.left(1)), byName(scene, wrong.mid(1, 1))));
        if (d->kind == ExerciseDecision::EdgeSet)
            student.exercise->confirm();
    }
    QCOMPARE(student.exercise->note(), why);
    QCOMPARE(student.driver.events().last(), QStringLiteral("Zła odpowiedź: ") + why);
    // Beside the item: the explanation's own box on the canvas.
    bool shown = false;
    for (QGraphicsItem *item : scene.items()) {
        if (auto *text = dynamic_cast<QGraphicsSimpleTextItem *>(item))
            shown = shown || text->text().replace(QLatin1Char('\n'), QLatin1Char(' ')) == why;
    }
    QVERIFY(shown);
}

void TestExercise::hintShowsEveryRightAnswerAndCounts()
{
    Graph graph;
    build(graph, QStringLiteral("AB2 AC1 CB1 BD1 CD2"));
    auto dialog = open(Minty, graph);
    Student student(*dialog, graph, Student::BuiltIn, 1);
    student.switchOn();
    student.driver.start(QStringLiteral("A"));
    QVERIFY(student.act()); // current edges AB, AC
    QVERIFY(student.act()); // AC (1) chosen
    QVERIFY(student.act()); // not all labelled
    QVERIFY(student.act()); // current edges AB, CB, CD
    // AB and CB both sum to 2: the hint shows both, and either is right.
    QCOMPARE(student.exercise->decision()->right.size(), 2);
    QCOMPARE(canvasMarks(graph).filter(QStringLiteral("exercise")), QStringList());
    auto *hint = student.driver.child<QPushButton>("exerciseHintButton");
    QCOMPARE(hint->shortcut(), QKeySequence(Qt::Key_H));
    hint->click();
    QCOMPARE(student.exercise->hints(), 1);
    QCOMPARE(canvasMarks(graph).filter(QStringLiteral("exercise")), (QStringList{"exercise AB", "exercise CB"}));
    QCOMPARE(student.driver.child<QLabel>("exerciseSummaryLabel")->text(),
             QStringLiteral("Decyzje: 4, błędy: 0, podpowiedzi: 1"));
    student.exercise->clickEdge(graph.edgeBetween(byName(graph, "C"), byName(graph, "B"))); // not the built-in AB
    QCOMPARE(canvasMarks(graph).filter(QStringLiteral("exercise")), QStringList());
    QVERIFY(student.driver.events().contains(QStringLiteral("Jako krawędź o najmniejszej sumie wybrano krawędź 'CB'.")));
    while (student.act()) {
    }
    QVERIFY2(student.driver.events().last().contains(
                 QRegularExpression(QStringLiteral("^Koniec ćwiczenia: 9 decyzji, 0 błędów, 1 podpowiedź, \\d+ s\\.$"))),
             qPrintable(student.driver.events().last()));
    QVERIFY(student.driver.child<QLabel>("exerciseSummaryLabel")->text().startsWith(QStringLiteral("Wynik: 9 decyzji, 0 błędów, 1 podpowiedź")));
}

void TestExercise::stepBackUndoesADecisionAndForwardWaits()
{
    Graph graph;
    build(graph, QStringLiteral("AB2 AC1 CB1 BD1 CD2"));
    auto dialog = open(Minty, graph);
    Student student(*dialog, graph, Student::BuiltIn, 1);
    student.switchOn();
    student.driver.start(QStringLiteral("A"));
    QVERIFY(student.act());
    QVERIFY(student.act());
    const QStringList chosen = snapshot(*dialog, graph);
    const int position = dialog->timelinePosition();
    QCOMPARE(student.exercise->decisions(), 2);

    dialog->stepBack();
    QCOMPARE(dialog->timelinePosition(), position - 1);
    QCOMPARE(student.exercise->decisions(), 1);
    QCOMPARE(student.exercise->decision()->kind, ExerciseDecision::LeastEdge);
    // Neither the button, the keys, play nor a jump passes over the decision undone.
    student.driver.press();
    QTest::keyClick(dialog.get(), Qt::Key_Right);
    dialog->goToEnd();
    dialog->togglePlay();
    dialog->jumpTo(position);
    QCOMPARE(dialog->timelinePosition(), position - 1);
    QVERIFY(!dialog->isPlaying());
    QVERIFY(!student.driver.child<QAbstractButton>("playButton")->isEnabled());
    QVERIFY(student.driver.child<QLabel>("exerciseQuestionLabel")->text().startsWith(QLatin1String("Najpierw odpowiedz")));
    // Answered again, the run is where it was.
    QVERIFY(student.act());
    QCOMPARE(dialog->timelinePosition(), position);
    QCOMPARE(shared(snapshot(*dialog, graph)), shared(chosen));
    QCOMPARE(student.exercise->decisions(), 2);
}

void TestExercise::switchingAfterTheStartRestarts()
{
    Graph graph;
    build(graph, QStringLiteral("AB2 AC1 CB1"));
    auto dialog = open(Prim, graph);
    SolverDriver driver(graph, dialog.get());
    driver.start(QStringLiteral("A"));
    driver.press(2);
    auto *check = driver.child<QCheckBox>("exerciseCheckBox");
    check->click();
    QVERIFY(check->isChecked());
    QCOMPARE(dialog->timelinePosition(), -1);
    QCOMPARE(driver.info(), QStringLiteral("Wybierz wierzchołek startowy."));
    QCOMPARE(marked(graph), QStringList());
    driver.start(QStringLiteral("B"));
    QCoreApplication::processEvents();
    QCOMPARE(dialog->timelinePosition(), 0);
    QVERIFY(dialog->findChild<Exercise *>()->decision());
    QCOMPARE(check->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    check->click();
    QVERIFY(!check->isChecked());
    QCOMPARE(dialog->timelinePosition(), -1);
    QVERIFY(!dialog->findChild<Exercise *>()->decision());
}

void TestExercise::edgesAreClickedOnTheCanvas()
{
    Graph graph;
    build(graph, QStringLiteral("AB2 AC1 CB1"));
    auto dialog = open(Minty, graph);
    Student student(*dialog, graph, Student::BuiltIn, 1);
    student.switchOn();
    student.driver.start(QStringLiteral("A"));
    QCoreApplication::processEvents();
    auto *view = dialog->findChild<QGraphicsView *>(QStringLiteral("graphView"));
    GraphEdge *ab = graph.edges().first();
    const QPoint middle = view->mapFromScene(ab->line().center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middle);
    QCOMPARE(student.exercise->selection(), QList<GraphEdge *>{ab});
    QCOMPARE(canvasMarks(graph).filter(QStringLiteral("selection")), QStringList{"selection AB"});
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middle);
    QCOMPARE(student.exercise->selection(), QList<GraphEdge *>());
}

void TestExercise::offByDefaultWithOnlyTheSwitchShown()
{
    Graph graph;
    build(graph, QStringLiteral("AB2 BC1 CA1"));
    for (int algorithm = Minty; algorithm <= Fleury; ++algorithm) {
        auto dialog = open(Algorithm(algorithm), graph);
        SolverDriver driver(graph, dialog.get());
        QVERIFY(!driver.child<QCheckBox>("exerciseCheckBox")->isChecked());
        QVERIFY(!driver.child<QCheckBox>("exerciseCheckBox")->toolTip().isEmpty());
        for (const char *name : {"exerciseQuestionLabel", "exerciseYesButton", "exerciseNoButton",
                                 "exerciseConfirmButton", "exerciseHintButton", "exerciseSummaryLabel"})
            QVERIFY2(driver.child(name)->isHidden(), name);
        driver.start(QStringLiteral("A"));
        QVERIFY(!dialog->findChild<Exercise *>()->decision());
        driver.press();
        QCOMPARE(dialog->timelinePosition(), 1);
        dialog->close();
    }
}

void TestExercise::newExerciseReplacesTheGraphAndStartsAgain_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("graph");
    QTest::newRow("Minty") << "mintyButton" << "AB1 BC2 CA3 CD1 DE4";
    QTest::newRow("Dijkstra-Prim") << "dijkstraPrimButton" << "AB1 BC2 CA3 CD1 DE4";
    QTest::newRow("Fleury") << "fleuryButton" << "AB1 BC1 CA1 CD1 DE1 EC1";
}

void TestExercise::newExerciseReplacesTheGraphAndStartsAgain()
{
    QFETCH(QString, button);
    QFETCH(QString, graph);
    Perewal window;
    Graph &scene = *window.graph();
    build(scene, graph);
    const int steps = scene.undoStack()->count();
    auto names = [&] {
        QStringList list;
        for (const GraphEdge *e : scene.edges())
            list.append(e->name());
        return list;
    };
    const QStringList before = names();

    QStringList history;
    bool again = false;
    bool checked = false;
    // The dialog that opens on the new graph: waited for, since it opens after the first one's loop has ended.
    std::function<void(int)> second = [&](int patience) {
        auto *dialog = qobject_cast<AbstractSolver *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (patience > 0)
                QTimer::singleShot(10, &window, [&, patience] { second(patience - 1); });
            return;
        }
        again = true;
        checked = dialog->findChild<QCheckBox *>(QStringLiteral("exerciseCheckBox"))->isChecked();
        history = SolverDriver(scene, dialog).events();
        dialog->close();
    };
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = qobject_cast<AbstractSolver *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *fresh = dialog->findChild<QPushButton *>(QStringLiteral("newExerciseButton"));
        QVERIFY(fresh->isHidden());
        dialog->findChild<QCheckBox *>(QStringLiteral("exerciseCheckBox"))->click();
        QVERIFY(!fresh->isHidden());
        QCOMPARE(fresh->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
        fresh->click();
        second(300);
    });
    window.findChild<QPushButton *>(button)->click();

    QVERIFY(again);
    QVERIFY(checked);
    QCOMPARE(history.filter(QRegularExpression(QStringLiteral("^Graf nr \\d+$"))).size(), 1);
    // A graph of the same kind and size, drawn anew as one step that undo takes back.
    QCOMPARE(scene.verticles().size(), 5);
    QVERIFY(names() != before);
    for (const GraphVerticle *v : scene.verticles())
        QVERIFY(!v->edges().isEmpty() && (button != QLatin1String("fleuryButton") || v->edges().size() % 2 == 0));
    QCOMPARE(window.fileName(), QString());
    QCOMPARE(scene.undoStack()->count(), steps + 1);
    scene.undoStack()->undo();
    QCOMPARE(names(), before);
}

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
