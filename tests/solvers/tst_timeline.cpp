#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/historymodel.h"
#include "solvers/mintysolver.h"
#include "solvers/timeline.h"
#include "tests/support/snapshot.h"

#include <QListView>
#include <QToolButton>

#include <functional>
#include <random>

using namespace TestGraphs;

namespace {

// A graph of the kind each solver runs on, the same for every call with the same seed.
QList<EdgeSpec> graphFor(const QString &solver, std::mt19937 &rng, int count)
{
    if (solver == QLatin1String("fleury"))
        return randomEulerian(rng, count, count / 2 + 1, qMin(count - 1, 6));
    return randomConnected(rng, count, count, 0, 9);
}

QString startFor(const Graph &graph, std::mt19937 &rng)
{
    // Fleury takes only a vertex with edges; any edge's end suits every solver.
    const QList<GraphEdge *> edges = graph.edges();
    GraphEdge *edge = edges.at(std::uniform_int_distribution<int>(0, edges.size() - 1)(rng));
    return (rng() % 2 ? edge->start() : edge->end())->name();
}

std::unique_ptr<AbstractSolver> open(const QString &solver, Graph &graph)
{
    std::unique_ptr<AbstractSolver> dialog = TestGraphs::openSolver(solver, graph);
    dialog->show();
    return dialog;
}

// Lets the dialog finish what the last action began (a click's step is committed once the click is handled).
void settle()
{
    QCoreApplication::processEvents();
}

bool activate(QWidget &dialog)
{
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

QPushButton *button(QWidget &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1String(name));
}

// Keys go to whatever has the focus, as a user's do.
void key(QWidget &dialog, int key)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &dialog, Qt::Key(key));
}

// What a fresh dialog shows before the start, after it and after every press of "Krok dalej...".
struct FreshRun
{
    QList<QStringList> moments; // [0] before the start, [1] after it, [k + 1] after k presses
    QStringList history;        // every line, oldest first, at the end
    QStringList quick;          // after `quickAfter` presses and the quick solve, for Fleury
};

FreshRun freshRun(const QString &solver, const QList<EdgeSpec> &edges, int count, const QString &start, int quickAfter)
{
    FreshRun run;
    Graph graph;
    build(graph, count, edges);
    std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
    settle();
    run.moments.append(snapshot(*dialog, graph));
    emit graph.verticleClicked(byName(graph, start));
    settle();
    run.moments.append(snapshot(*dialog, graph));
    QPushButton *step = button(*dialog, "stepForwardButton");
    while (step->isEnabled() && run.moments.size() < 5000) {
        step->click();
        run.moments.append(snapshot(*dialog, graph));
    }
    run.history = history(dialog->findChild<QAbstractItemView *>(QStringLiteral("eventLogWidget")));
    if (quickAfter >= 0) {
        Graph again;
        build(again, count, edges);
        std::unique_ptr<AbstractSolver> other = open(solver, again);
        emit again.verticleClicked(byName(again, start));
        settle();
        for (int i = 0; i < quickAfter; ++i)
            button(*other, "stepForwardButton")->click();
        button(*other, "solveButton")->click();
        settle();
        run.quick = snapshot(*other, again);
    }
    return run;
}

} // namespace

class TestTimeline : public QObject
{
    Q_OBJECT

private slots:
    void walksShowWhatFreshRunsShow_data();
    void walksShowWhatFreshRunsShow();
    void keysWorkWhereverTheFocusIs_data();
    void keysWorkWhereverTheFocusIs();
    void playStopsAtTheEndAndAtAnyControl();
    void aNewStartReplacesTheRun();
    void historyKeepsItsLinesWhateverIsDone_data();
    void historyKeepsItsLinesWhateverIsDone();
    void textsComeBackInTheirWeights_data();
    void textsComeBackInTheirWeights();
};

void TestTimeline::walksShowWhatFreshRunsShow_data()
{
    QTest::addColumn<QString>("solver");
    QTest::addColumn<int>("seed");
    for (const char *solver : {"minty", "dijkstraprim", "fleury"}) {
        for (int seed = 1; seed <= 8; ++seed)
            QTest::addRow("%s, seed %d", solver, seed) << QString::fromLatin1(solver) << seed;
    }
}

// After any walk of steps forward, back, to the start and jumps, the dialog
// shows what a fresh one shows after as many presses; its history ends up
// with every line once; closing it leaves the plain canvas.
void TestTimeline::walksShowWhatFreshRunsShow()
{
    QFETCH(QString, solver);
    QFETCH(int, seed);

    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(4, 8)(rng);
    const QList<EdgeSpec> edges = graphFor(solver, rng, count);
    Graph graph;
    build(graph, count, edges);
    const QString start = startFor(graph, rng);
    const bool fleury = solver == QLatin1String("fleury");
    const int quickAfter = fleury ? std::uniform_int_distribution<int>(0, 12)(rng) : -1;
    const FreshRun fresh = freshRun(solver, edges, count, start, quickAfter);
    const int steps = fresh.moments.size() - 2;

    std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
    QVERIFY(activate(*dialog));
    emit graph.verticleClicked(byName(graph, start));
    settle();
    auto *history = dialog->findChild<QAbstractItemView *>(QStringLiteral("eventLogWidget"));
    bool quickDone = false;
    std::uniform_int_distribution<int> pick(0, 99);
    for (int action = 0; action < 120; ++action) {
        const int position = dialog->timelinePosition();
        const int choice = pick(rng);
        QString done;
        if (fleury && position == quickAfter && !quickDone && choice < 50) {
            done = QStringLiteral("quick solve");
            button(*dialog, "solveButton")->click();
            quickDone = true;
        } else if (choice < 30) {
            done = QStringLiteral("Krok dalej...");
            QTest::mouseClick(button(*dialog, "stepForwardButton"), Qt::LeftButton);
        } else if (choice < 50) {
            const int keys[] = {Qt::Key_Right, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
            done = QStringLiteral("forward key");
            key(*dialog, keys[rng() % 4]);
        } else if (choice < 70) {
            done = QStringLiteral("back");
            if (rng() % 2)
                QTest::mouseClick(button(*dialog, "stepBackButton"), Qt::LeftButton);
            else
                key(*dialog, rng() % 2 ? Qt::Key_Left : Qt::Key_Backspace);
        } else if (choice < 78) {
            done = QStringLiteral("start");
            if (rng() % 2)
                QTest::mouseClick(button(*dialog, "toStartButton"), Qt::LeftButton);
            else
                key(*dialog, Qt::Key_Home);
        } else {
            const QModelIndex line = history->model()->index(
                std::uniform_int_distribution<int>(0, history->model()->rowCount() - 1)(rng), 0);
            done = QStringLiteral("double click on ") + line.data().toString().mid(11);
            history->scrollTo(line);
            QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, history->visualRect(line).center());
        }
        settle();
        const int now = dialog->timelinePosition();
        const QString where =
            QStringLiteral("action %1 (%2) from %3 to %4").arg(action).arg(done).arg(position).arg(now);
        QVERIFY2(now >= -1 && now <= steps, qPrintable(where));
        // After a quick solve the timeline's next step from quickAfter is the quick solve.
        const bool atQuick = quickDone && now == quickAfter + 1 && dialog->timelineLength() == quickAfter + 2
                             && !button(*dialog, "solveButton")->isEnabled();
        const QStringList expected = atQuick ? fresh.quick : fresh.moments.at(now + 1);
        const QStringList shown = snapshot(*dialog, graph);
        if (shown != expected) {
            for (int i = 0; i < qMax(shown.size(), expected.size()); ++i) {
                if (shown.value(i) != expected.value(i)) {
                    qWarning("%s: line %d shows \"%s\", a fresh run \"%s\"", qPrintable(where), i,
                             qPrintable(shown.value(i)), qPrintable(expected.value(i)));
                    break;
                }
            }
        }
        QCOMPARE(shown, expected);
    }

    // Back at the start, then to the end: every line once, as in the fresh run, unless a quick solve ends this one.
    key(*dialog, Qt::Key_Home);
    key(*dialog, Qt::Key_End);
    QTRY_VERIFY(!dialog->isPlaying());
    settle();
    if (dialog->timelinePosition() == steps) {
        QCOMPARE(TestGraphs::history(history), fresh.history);
    } else {
        QVERIFY(quickDone);
        QCOMPARE(dialog->timelinePosition(), quickAfter + 1);
        QCOMPARE(snapshot(*dialog, graph), fresh.quick);
    }

    // Closed at a random moment, the canvas is plain again.
    dialog->jumpTo(std::uniform_int_distribution<int>(-1, dialog->timelineLength() - 1)(rng));
    QVERIFY(dialog->close());
    dialog.reset();
    QCOMPARE(marked(graph), QStringList());
    QCOMPARE(canvasMarks(graph), QStringList());
}

void TestTimeline::keysWorkWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    // A run of a triangle: start, then 7 presses to the end.
    for (const char *focus : {"eventLogWidget", "openVerticlesList", "stepForwardButton", "stepBackButton"}) {
        const QString f = QString::fromLatin1(focus);
        QTest::addRow("Right in %s", focus) << f << int(Qt::Key_Right) << 2 << 3;
        QTest::addRow("Space in %s", focus) << f << int(Qt::Key_Space) << 2 << 3;
        QTest::addRow("Enter in %s", focus) << f << int(Qt::Key_Return) << 2 << 3;
        QTest::addRow("keypad Enter in %s", focus) << f << int(Qt::Key_Enter) << 2 << 3;
        QTest::addRow("Left in %s", focus) << f << int(Qt::Key_Left) << 2 << 1;
        QTest::addRow("Backspace in %s", focus) << f << int(Qt::Key_Backspace) << 2 << 1;
        QTest::addRow("Home in %s", focus) << f << int(Qt::Key_Home) << 5 << 0;
        QTest::addRow("End in %s", focus) << f << int(Qt::Key_End) << 1 << 7;
    }
    QTest::newRow("Left before the start stays") << "eventLogWidget" << int(Qt::Key_Left) << -1 << -1;
    QTest::newRow("Right at the end stays") << "eventLogWidget" << int(Qt::Key_Right) << 7 << 7;
}

void TestTimeline::keysWorkWhereverTheFocusIs()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, from);
    QFETCH(int, to);

    Graph graph;
    build(graph, "AB1 BC1 CA2");
    SolverRun<DijkstraPrimSolver> run(graph);
    QVERIFY(activate(run.solver));
    run.start(QStringLiteral("A"));
    settle();
    run.finish();
    if (from < 0)
        run.solver.jumpTo(-1);
    else
        run.solver.jumpTo(from);
    QCOMPARE(run.solver.timelinePosition(), from);

    QWidget *target = run.child(focus.toLatin1().constData());
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key(key));
    QTRY_VERIFY(!run.solver.isPlaying());
    QCOMPARE(run.solver.timelinePosition(), to);
}

void TestTimeline::playStopsAtTheEndAndAtAnyControl()
{
    Graph graph;
    build(graph, "AB1 BC1 CA1");
    SolverRun<FleurySolver> run(graph);
    QVERIFY(activate(run.solver));
    run.start(QStringLiteral("A"));
    settle();
    auto *play = run.child<QToolButton>("playButton");
    run.solver.setPace(5);

    // Played to the end: 24 presses of the triangle, then it stops by itself.
    QTest::mouseClick(play, Qt::LeftButton);
    QVERIFY(run.solver.isPlaying());
    QCOMPARE(play->text(), QStringLiteral("Zatrzymaj"));
    QTRY_VERIFY_WITH_TIMEOUT(!run.solver.isPlaying(), 15000);
    QCOMPARE(run.solver.timelinePosition(), 24);
    QCOMPARE(play->text(), QStringLiteral("Odtwarzaj"));
    QVERIFY(!play->isEnabled());

    // Any other control or key stops it, P too.
    const QList<std::function<void()>> stops{
        [&] { QTest::mouseClick(run.child<QPushButton>("stepBackButton"), Qt::LeftButton); },
        [&] { QTest::mouseClick(run.stepButton(), Qt::LeftButton); },
        [&] { QTest::mouseClick(run.child<QPushButton>("toStartButton"), Qt::LeftButton); },
        [&] { run.child<QPushButton>("solveButton")->click(); },
        [&] { QTest::keyClick(&run.solver, Qt::Key_P); },
        [&] { QTest::keyClick(&run.solver, Qt::Key_Left); },
        [&] { emit graph.verticleClicked(byName(graph, QStringLiteral("B"))); },
    };
    for (int i = 0; i < stops.size(); ++i) {
        run.solver.jumpTo(3);
        QTest::keyClick(&run.solver, Qt::Key_P);
        QVERIFY2(run.solver.isPlaying(), qPrintable(QString::number(i)));
        stops.at(i)();
        QVERIFY2(!run.solver.isPlaying(), qPrintable(QString::number(i)));
        settle();
    }
}

// From "Od początku" a click on another vertex starts a new run: the old timeline is gone.
void TestTimeline::aNewStartReplacesTheRun()
{
    Graph graph;
    build(graph, "AB1 BC2 CA4");
    SolverRun<MintySolver> run(graph);
    run.start(QStringLiteral("A"));
    settle();
    run.finish();
    const int steps = run.solver.timelineLength();
    run.start(QStringLiteral("B")); // after the start, as in a fresh run, a click does nothing
    settle();
    QCOMPARE(run.solver.timelineLength(), steps);
    QCOMPARE(run.list("closedVerticlesList").first(), QStringLiteral("A(0)"));

    QTest::mouseClick(run.child<QPushButton>("toStartButton"), Qt::LeftButton);
    run.start(QStringLiteral("B"));
    settle();
    QCOMPARE(run.solver.timelinePosition(), 0);
    QCOMPARE(run.solver.timelineLength(), 1);
    QCOMPARE(run.list("closedVerticlesList"), QStringList{"B(0)"});
    QCOMPARE(run.events(),
             (QStringList{"Wybrano wierzchołek 'B' jako startowy.",
                          "Dodano wierzchołek 'B' do listy wierzchołków odwiedzonych i przypisano mu wartość: 0."}));
    QCOMPARE(marked(graph), QStringList{"B: green r15 w3"});
}

void TestTimeline::historyKeepsItsLinesWhateverIsDone_data()
{
    QTest::addColumn<int>("lineLength");
    QTest::addColumn<int>("seed");
    // Short lines fill a packed block with hundreds; long ones with a few, or one line is a block.
    QTest::newRow("short lines") << 40 << 1;
    QTest::newRow("lines of a row") << 300 << 2;
    QTest::newRow("lines longer than a block") << HistoryModel::BlockBytes + 100 << 3;
}

// Random prepends, retags and removals against a plain list of lines: every
// row reads back its text and step, across packed blocks and open ones.
void TestTimeline::historyKeepsItsLinesWhateverIsDone()
{
    QFETCH(int, lineLength);
    QFETCH(int, seed);
    std::mt19937 random(seed);
    auto below = [&](int n) { return int(random() % unsigned(n)); };
    HistoryModel model([] { return 0; }, nullptr);
    QStringList texts; // newest first, as the rows
    QList<int> steps;
    const QStringList words = {"Dodano krawędź", "'A-B'", "ą̀", QString(QChar(0xD800)), "->", "(12)", "Ω"};
    int step = -1;
    const int rounds = qMax(60, 6000 * 40 / lineLength);
    for (int round = 0; round < rounds; ++round) {
        const int what = below(20);
        if (what < 15) {
            QString text;
            const int length = lineLength / 2 + below(lineLength);
            while (text.size() < length)
                text += words.at(below(words.size())) + QLatin1Char(' ');
            step += below(3) == 0;
            model.prepend(text, step);
            texts.prepend(text);
            steps.prepend(step);
        } else if (what < 18 && !texts.isEmpty()) {
            const int row = below(texts.size());
            const int newStep = below(4) == 0 ? HistoryModel::Pending : steps.at(row) + below(3) - 1;
            model.setStep(row, newStep);
            steps[row] = newStep;
        } else if (!texts.isEmpty()) {
            const int row = below(texts.size());
            const int count = 1 + below(qMin(texts.size() - row, 8));
            QVERIFY(model.removeRows(row, count));
            texts.remove(row, count);
            steps.remove(row, count);
        }
        if (round % 97 == 0 || round + 3 > rounds) {
            QCOMPARE(model.rowCount(), texts.size());
            for (int row = 0; row < texts.size(); ++row) {
                QCOMPARE(model.text(row), texts.at(row));
                QCOMPARE(model.step(row), steps.at(row));
            }
        }
    }
    // Packed, the lines take less than their UTF-8.
    qint64 utf8 = 0;
    for (const QString &text : std::as_const(texts))
        utf8 += text.toUtf8().size();
    if (texts.size() > 100)
        QVERIFY2(model.storedBytes() < utf8, qPrintable(QString::number(model.storedBytes())));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.storedBytes(), 0);
}

void TestTimeline::textsComeBackInTheirWeights_data()
{
    QTest::addColumn<int>("longest");
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("restartAt"); // the step a click on a new start makes, back at the first; -1: none
    QTest::newRow("a few characters at a time") << 8 << 1 << -1;
    QTest::newRow("runs of hundreds") << 700 << 2 << -1;
    QTest::newRow("runs longer than a piece") << 70000 << 3 << -1;
    QTest::newRow("a new start that writes") << 700 << 4 << 12;
}

namespace {
// A solver that has its start from the first step on; its own state is not under test.
struct StartedStore : TimelineStateStore
{
    void save(int) override {}
    void restore(int) override {}
    bool started() const override { return true; }
};
} // namespace

// Random writes and cuts in random weights, several in one edit at times:
// every moment of a box comes back with its text and its weights.
void TestTimeline::textsComeBackInTheirWeights()
{
    QFETCH(int, longest);
    QFETCH(int, seed);
    QFETCH(int, restartAt);
    std::mt19937 random(seed);
    auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    Graph graph;
    QWidget window;
    auto *box = new QTextEdit(&window);
    box->setObjectName(QStringLiteral("box"));
    Timeline timeline(&graph, new QListView(&window), nullptr);
    timeline.setStateStore(std::make_unique<StartedStore>());
    timeline.watch(box);
    timeline.setRecording(true);
    const int weights[] = {QFont::Normal, QFont::Bold, QFont::Black};
    QStringList moments; // after each step
    for (int step = 0; step < 24; ++step) {
        if (step == restartAt) {
            // The new start's step replaces all the others, from before the first on.
            timeline.moveTo(0);
            timeline.openStart();
            timeline.begin(Timeline::Click);
            QCOMPARE(formattedText(box), QString());
            moments.clear();
        } else {
            timeline.begin(Timeline::Forward);
        }
        QTextCursor cursor(box->document());
        const bool oneEdit = upTo(1);
        if (oneEdit)
            cursor.beginEditBlock();
        for (int edit = upTo(3); edit >= 0; --edit) {
            const int size = box->document()->characterCount() - 1;
            cursor.setPosition(upTo(size));
            if (upTo(2) == 0)
                cursor.setPosition(upTo(size), QTextCursor::KeepAnchor);
            QString text(1 + upTo(longest - 1), Qt::Uninitialized);
            for (QChar &c : text)
                c = QChar(u'a' + upTo(3));
            QTextCharFormat format;
            format.setFontWeight(weights[upTo(2)]);
            cursor.insertText(text, format);
        }
        if (oneEdit)
            cursor.endEditBlock();
        QVERIFY(timeline.commit());
        moments.append(formattedText(box));
    }
    for (int move = 0; move < 40; ++move) {
        const int to = upTo(moments.size()) - 1;
        timeline.moveTo(to);
        QCOMPARE(formattedText(box), to < 0 ? QString() : moments.at(to));
    }
}

QTEST_MAIN(TestTimeline)
#include "tst_timeline.moc"
