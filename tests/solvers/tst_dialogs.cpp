#include "app/perewal.h"
#include "app/translations.h"
#include "graph/graphview.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/helpwindow.h"
#include "solvers/longlinelayout.h"
#include "solvers/mintysolver.h"
#include "tests/support/snapshot.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QTextLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <functional>
#include <memory>
#include <random>

using namespace TestGraphs;

namespace {

const QStringList solvers{"minty", "dijkstraprim", "fleury"};

std::unique_ptr<AbstractSolver> open(const QString &solver, Graph &graph, QWidget *parent = nullptr)
{
    return TestGraphs::openSolver(solver, graph, parent);
}

bool showActive(QWidget &dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

template<typename T = QWidget>
T *child(const QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

void press(QWidget &dialog, const char *name, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void finish(QWidget &dialog)
{
    for (int i = 0; i < 10000 && child<QPushButton>(dialog, "stepForwardButton")->isEnabled(); ++i)
        press(dialog, "stepForwardButton");
}

void key(QWidget &dialog, int key)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &dialog, Qt::Key(key));
    QCoreApplication::processEvents();
}

// The part of the widget not cut off by the widgets it lies in, up to its window, in its own coordinates.
QRect visiblePart(const QWidget *widget, QRect rect)
{
    QPoint offset;
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (!w->isVisible())
            return QRect();
        rect &= QRect(-offset, w->size());
        if (w->isWindow())
            break;
        offset += w->pos();
    }
    return rect;
}

// What each solver's dialog shows as its result, once the run has ended.
QWidget *resultOf(const QString &solver, const QWidget &dialog, bool quick)
{
    if (solver == QLatin1String("minty"))
        return child(dialog, "shortestWaysList");
    if (solver == QLatin1String("dijkstraprim"))
        return child(dialog, "totalWeightLabel");
    return child(dialog, quick ? "trasaEdit2" : "trasaEdit");
}

QString helpTitleOf(const QString &solver, const QString &language)
{
    const bool en = language == QLatin1String("en");
    if (solver == QLatin1String("minty"))
        return en ? QStringLiteral("Minty's algorithm") : QStringLiteral("Algorytm Minty'ego");
    if (solver == QLatin1String("dijkstraprim"))
        return en ? QStringLiteral("The Dijkstra-Prim algorithm") : QStringLiteral("Algorytm Dijkstry-Prima");
    return en ? QStringLiteral("Fleury's algorithm") : QStringLiteral("Algorytm Fleury'ego");
}

// A triangle with a tail of two more triangles: connected, every degree even, long enough ways and routes.
const char *const anyGraph = "AB1 BC2 CA3 CD1 DE1 EC1 EF2 FG1 GE1";

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyEndingLeavesThePlainCanvas_data();
    void everyEndingLeavesThePlainCanvas();
    void helpOpensAtTheAlgorithm_data();
    void helpOpensAtTheAlgorithm();
    void resultsShowWithoutScrolling_data();
    void resultsShowWithoutScrolling();
    void longRowsShowWholeOnHover_data();
    void longRowsShowWholeOnHover();
    void routesWrapBetweenVerticles_data();
    void routesWrapBetweenVerticles();
    void opensOverTheMainWindow_data();
    void opensOverTheMainWindow();
    void resizingFitsTheDrawingUntilZoomedByHand();
    void theMomentAfterTheStartLooksTheSameHoweverReached_data();
    void theMomentAfterTheStartLooksTheSameHoweverReached();
    void spacePressesTheControlWithTheFocusFrame();
};

void TestDialogs::init()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void TestDialogs::everyEndingLeavesThePlainCanvas_data()
{
    QTest::addColumn<QString>("solver");
    QTest::addColumn<QString>("ending");
    for (const QString &solver : solvers) {
        for (const char *ending : {"Escape", "close event", "close()", "reject()", "done()", "accept()"})
            QTest::addRow("%s, %s", qPrintable(solver), ending) << solver << QString::fromLatin1(ending);
    }
}

// However the dialog ends, the canvas is plain again, the marks over it gone
// too; and every dialog, of any kind, opens on a plain canvas.
void TestDialogs::everyEndingLeavesThePlainCanvas()
{
    QFETCH(QString, solver);
    QFETCH(QString, ending);

    Graph graph;
    build(graph, anyGraph);
    {
        std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
        QVERIFY(showActive(*dialog));
        emit graph.verticleClicked(byName(graph, QStringLiteral("C")));
        QCoreApplication::processEvents();
        press(*dialog, "stepForwardButton", 3);
        if (solver == QLatin1String("minty")) {
            // A way drawn over the canvas as well.
            finish(*dialog);
            child<QListWidget>(*dialog, "shortestWaysList")->setCurrentRow(0);
            QVERIFY(!canvasMarks(graph).isEmpty());
        }
        QVERIFY(!marked(graph).isEmpty());

        if (ending == QLatin1String("Escape")) {
            key(*dialog, Qt::Key_Escape);
        } else if (ending == QLatin1String("close event")) {
            // As the window manager's close button and Alt+F4 deliver it.
            QCloseEvent event;
            QApplication::sendEvent(dialog->windowHandle(), &event);
        } else if (ending == QLatin1String("close()")) {
            dialog->close();
        } else if (ending == QLatin1String("reject()")) {
            dialog->reject();
        } else if (ending == QLatin1String("done()")) {
            dialog->done(7);
        } else {
            dialog->accept();
        }
        QVERIFY(!dialog->isVisible());
        QCOMPARE(marked(graph), QStringList());
        QCOMPARE(canvasMarks(graph), QStringList());
    }

    // Marks left on the canvas by anything else do not reach the next dialog.
    for (const QString &next : solvers) {
        markAll(graph);
        std::unique_ptr<AbstractSolver> dialog = open(next, graph);
        dialog->show();
        QVERIFY2(marked(graph).isEmpty(), qPrintable(next));
    }
}

void TestDialogs::helpOpensAtTheAlgorithm_data()
{
    QTest::addColumn<QString>("solver");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("exercise");
    for (const QString &solver : solvers) {
        for (const char *language : {"pl", "en"}) {
            QTest::addRow("%s, %s, F1", qPrintable(solver), language)
                << solver << QString::fromLatin1(language) << true << false;
            QTest::addRow("%s, %s, Pomoc", qPrintable(solver), language)
                << solver << QString::fromLatin1(language) << false << false;
            QTest::addRow("%s, %s, F1 in the exercise mode", qPrintable(solver), language)
                << solver << QString::fromLatin1(language) << true << true;
        }
    }
}

// F1 and the dialog's help button open the help of the dialog's window at the
// algorithm's part, in the interface's language, with its name in sight.
void TestDialogs::helpOpensAtTheAlgorithm()
{
    QFETCH(QString, solver);
    QFETCH(QString, language);
    QFETCH(bool, byKey);
    QFETCH(bool, exercise);

    Translations translations;
    translations.install(*QCoreApplication::instance(), language);
    Graph graph;
    build(graph, anyGraph);
    std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
    QVERIFY(showActive(*dialog));
    if (exercise)
        child<QCheckBox>(*dialog, "exerciseCheckBox")->setChecked(true);
    if (byKey)
        key(*dialog, Qt::Key_F1);
    else
        QTest::mouseClick(child<QToolButton>(*dialog, "helpButton"), Qt::LeftButton);

    auto *help = dialog->findChild<HelpWindow *>();
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    // Not under the modal dialog's block: the help belongs to the dialog's window.
    QCOMPARE(help->parentWidget(), dialog.get());
    QCOMPARE(help->page(), exercise                              ? QStringLiteral("cwiczenie")
                           : solver == QLatin1String("dijkstraprim") ? QStringLiteral("dijkstra-prim")
                                                                     : solver);
    auto *browser = help->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    const QString title = !exercise ? helpTitleOf(solver, language)
                          : language == QLatin1String("en") ? QStringLiteral("Exercise mode") : QStringLiteral("Ćwiczenie");
    QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
    QTextBlock block = browser->document()->firstBlock();
    while (block.isValid() && !block.text().startsWith(title))
        block = block.next();
    QVERIFY2(block.isValid(), qPrintable(title));
    // Its first line in sight: at the top, or lower when the page ends before.
    const QRectF rect = browser->document()->documentLayout()->blockBoundingRect(block);
    const int top = browser->verticalScrollBar()->value();
    QVERIFY2(rect.top() >= top - 1 && rect.top() + 20 <= top + browser->viewport()->height(),
             qPrintable(QStringLiteral("%1 at %2, the view from %3").arg(title).arg(rect.top()).arg(top)));
    // Asked again, the same window comes up.
    key(*dialog, Qt::Key_F1);
    QCOMPARE(dialog->findChildren<HelpWindow *>().size(), 1);
}

void TestDialogs::resultsShowWithoutScrolling_data()
{
    QTest::addColumn<QString>("solver");
    QTest::addColumn<bool>("quick");
    QTest::addColumn<QSize>("size");
    // The dialog's own size, then what a 1600 x 1000 screen at twice the scale leaves it.
    for (const QSize &size : {QSize(), QSize(784, 452)}) {
        const QByteArray sized = size.isValid() ? QByteArray("784 x 452") : QByteArray("default size");
        QTest::addRow("Minty, %s", sized.constData()) << "minty" << false << size;
        QTest::addRow("Dijkstra-Prim, %s", sized.constData()) << "dijkstraprim" << false << size;
        QTest::addRow("Fleury step by step, %s", sized.constData()) << "fleury" << false << size;
        QTest::addRow("Fleury quick solve, %s", sized.constData()) << "fleury" << true << size;
    }
}

// At the end of a run its result lies in the visible part of the dialog, the
// side panel scrolled to it when it scrolls; and Dijkstra-Prim says the
// tree's weight in the history too.
void TestDialogs::resultsShowWithoutScrolling()
{
    QFETCH(QString, solver);
    QFETCH(bool, quick);
    QFETCH(QSize, size);

    Graph graph;
    build(graph, anyGraph);
    std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
    if (size.isValid())
        dialog->resize(size);
    QVERIFY(showActive(*dialog));
    const QSize room = dialog->screen()->availableGeometry().size();
    QVERIFY(dialog->width() <= room.width() && dialog->height() <= room.height());
    if (!size.isValid() && room.width() >= 806 && room.height() >= 628)
        QCOMPARE(dialog->size(), QSize(790, 580));

    emit graph.verticleClicked(byName(graph, QStringLiteral("A")));
    QCoreApplication::processEvents();
    if (quick) {
        child<QTabWidget>(*dialog, "tabWidget")->setCurrentIndex(1);
        press(*dialog, "solveButton");
    } else {
        finish(*dialog);
    }
    QWidget *result = resultOf(solver, *dialog, quick);
    QRect shown;
    if (auto *list = qobject_cast<QListWidget *>(result)) {
        QVERIFY(list->count() > 0);
        const QRect row = list->visualItemRect(list->item(0)).translated(list->viewport()->pos());
        QTRY_COMPARE(visiblePart(list, row), row);
    } else {
        QTRY_COMPARE(visiblePart(result, result->rect()), result->rect());
    }
    if (auto *edit = qobject_cast<QTextEdit *>(result))
        QVERIFY(edit->toPlainText().startsWith(QLatin1String("A->")));

    if (solver == QLatin1String("dijkstraprim")) {
        const QString label = child<QLabel>(*dialog, "totalWeightLabel")->text();
        QVERIFY(label.startsWith(QLatin1String("Waga drzewa: ")));
        QCOMPARE(history(child<QAbstractItemView>(*dialog, "eventLogWidget")).constLast(), label + QLatin1Char('.'));
    }
}

void TestDialogs::longRowsShowWholeOnHover_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("tip");
    // A path A-B-...-P: the way to P runs through every vertex.
    QTest::newRow("a way too long for the list") << 14 << true;
    QTest::newRow("a short way") << 0 << false;
}

void TestDialogs::longRowsShowWholeOnHover()
{
    QFETCH(int, row);
    QFETCH(bool, tip);

    Graph graph;
    QList<EdgeSpec> path;
    for (int i = 0; i + 1 < 16; ++i)
        path.append({i, i + 1, 1});
    build(graph, 16, path);
    MintySolver dialog(&graph, nullptr);
    QVERIFY(showActive(dialog));
    emit graph.verticleClicked(byName(graph, QStringLiteral("A")));
    QCoreApplication::processEvents();
    finish(dialog);
    auto *list = child<QListWidget>(dialog, "shortestWaysList");
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    QCOMPARE(QToolTip::isVisible(), tip);
    if (tip)
        QCOMPARE(QToolTip::text(), item->text());
    QToolTip::hideText();
}

void TestDialogs::routesWrapBetweenVerticles_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<QString>("language");
    for (int seed = 1; seed <= 6; ++seed) {
        QTest::addRow("seed %d", seed) << seed << "pl";
        QTest::addRow("seed %d, English", seed) << seed << "en";
    }
}

// Every line of the route ends after an arrow, or ends the route; the tabs show their whole titles.
void TestDialogs::routesWrapBetweenVerticles()
{
    QFETCH(int, seed);
    QFETCH(QString, language);

    Translations translations;
    translations.install(*QCoreApplication::instance(), language);
    std::mt19937 rng(seed);
    const int count = std::uniform_int_distribution<int>(6, 20)(rng);
    Graph graph;
    build(graph, count, randomEulerian(rng, count, count, 6));
    FleurySolver dialog(&graph, nullptr);
    QVERIFY(showActive(dialog));
    emit graph.verticleClicked(graph.edges().first()->start());
    QCoreApplication::processEvents();
    finish(dialog);
    press(dialog, "solveButton");

    for (const char *name : {"trasaEdit", "trasaEdit2"}) {
        auto *edit = child<QTextEdit>(dialog, name);
        auto *layout = qobject_cast<LongLineLayout *>(edit->document()->documentLayout());
        QVERIFY(layout);
        QVERIFY(layout->lineCount() > 1);
        // One run of Black from the first name on, the cursor before it: as if set in one go.
        QCOMPARE(formattedText(edit), QStringLiteral("@900:") + edit->toPlainText());
        QCOMPARE(edit->textCursor().position(), 0);
        QVERIFY(!edit->textCursor().hasSelection());
        QCOMPARE(edit->fontWeight(), int(QFont::Black));
        QVERIFY(!edit->document()->isModified());
        for (int i = 0; i < layout->lineCount(); ++i) {
            const LongLineLayout::LineInfo line = layout->lineAt(i);
            const QString text = edit->toPlainText().mid(line.start, line.length);
            QVERIFY2(i + 1 == layout->lineCount() ? text.size() == 1 || text.endsWith(QLatin1String("->")) == false
                                                  : text.endsWith(QLatin1String("->")),
                     qPrintable(QStringLiteral("%1 line %2: %3").arg(QLatin1String(name)).arg(i).arg(text)));
            QVERIFY2(line.naturalWidth <= edit->viewport()->width(), qPrintable(text));
        }
    }

    QTabBar *tabs = child<QTabWidget>(dialog, "tabWidget")->tabBar();
    for (int i = 0; i < tabs->count(); ++i) {
        const int needed = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
        QVERIFY2(tabs->tabRect(i).width() > needed, qPrintable(tabs->tabText(i)));
        QVERIFY2(tabs->rect().contains(tabs->tabRect(i)), qPrintable(tabs->tabText(i)));
    }
}

void TestDialogs::opensOverTheMainWindow_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<QSize>("expected"); // empty: the window's own size
    QTest::newRow("a window larger than the dialog") << QRect(3, 4, 796, 592) << false << QSize();
    QTest::newRow("a window smaller than the dialog") << QRect(10, 10, 650, 416) << false << QSize(790, 580);
    QTest::newRow("a window larger than the screen") << QRect(0, 0, 4000, 3000) << false << QSize();
    QTest::newRow("a maximised window") << QRect(30, 20, 900, 640) << true << QSize();
}

// The dialog takes the main window's place and size (never less than its
// own, never more than the screen), maximised when the window is.
void TestDialogs::opensOverTheMainWindow()
{
    QFETCH(QRect, window);
    QFETCH(bool, maximised);
    QFETCH(QSize, expected);

    Perewal main;
    build(*main.graph(), anyGraph);
    main.setGeometry(window);
    if (maximised)
        main.showMaximized();
    else
        main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect room = main.screen()->availableGeometry();
    for (const char *button : {"mintyButton", "dijkstraPrimButton", "fleuryButton"}) {
        QRect geometry;
        bool shownMaximised = false;
        QVERIFY(driveModal<AbstractSolver>(
            &main, [&] { child<QPushButton>(main, button)->click(); },
            [&](AbstractSolver &dialog) {
                geometry = dialog.frameGeometry();
                shownMaximised = dialog.isMaximized();
            }));
        QVERIFY2(room.contains(geometry), button);
        QCOMPARE(shownMaximised, maximised);
        if (maximised)
            continue;
        QSize size = expected.isValid() ? expected : main.size();
        size = size.boundedTo(room.size() - (main.frameGeometry().size() - main.size()));
        QCOMPARE(geometry.size(), size + (main.frameGeometry().size() - main.size()));
        if (room.contains(QRect(main.frameGeometry().topLeft(), geometry.size())))
            QCOMPARE(geometry.topLeft(), main.frameGeometry().topLeft());
    }
}

// A larger dialog shows the large drawing larger, until a zoom by hand, which it then keeps.
void TestDialogs::resizingFitsTheDrawingUntilZoomedByHand()
{
    Graph graph;
    for (int i = 0; i < 4; ++i)
        // Large, yet shown whole above the smallest zoom even in a small dialog.
        graph.addVerticle(QPointF(i % 2 * 1500, i / 2 * 1000));
    MintySolver dialog(&graph, nullptr);
    dialog.resize(700, 420);
    QVERIFY(showActive(dialog));
    const QSize opening = dialog.size();
    auto *view = child<GraphView>(dialog, "graphView");
    const qreal opened = view->zoom();
    QVERIFY(opened < 0.5);
    QVERIFY(view->visibleRect().contains(graph.itemsBoundingRect()));

    dialog.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(dialog.width() > opening.width() && dialog.height() > opening.height());
    QTRY_VERIFY(view->zoom() > opened);
    QVERIFY(view->visibleRect().contains(graph.itemsBoundingRect()));

    view->zoomIn();
    const qreal byHand = view->zoom();
    dialog.setWindowState(Qt::WindowNoState);
    dialog.resize(opening);
    QTRY_COMPARE(dialog.size(), opening);
    QCOMPARE(view->zoom(), byHand);
}

void TestDialogs::theMomentAfterTheStartLooksTheSameHoweverReached_data()
{
    QTest::addColumn<QString>("solver");
    QTest::addColumn<QString>("way");
    for (const QString &solver : solvers) {
        for (const char *way : {"start click", "Krok wstecz", "Left", "Od początku", "Home", "jump"})
            QTest::addRow("%s, %s", qPrintable(solver), way) << solver << QString::fromLatin1(way);
    }
}

// Right after the start: Krok wstecz and Od początku off, Krok dalej on and
// focused, the second instruction line of Minty and Dijkstra-Prim shown;
// going back from there is not possible; arrived by a move, a click on
// another vertex starts a new run.
void TestDialogs::theMomentAfterTheStartLooksTheSameHoweverReached()
{
    QFETCH(QString, solver);
    QFETCH(QString, way);

    Graph graph;
    build(graph, anyGraph);
    std::unique_ptr<AbstractSolver> dialog = open(solver, graph);
    QVERIFY(showActive(*dialog));
    auto *hint = child<QLabel>(*dialog, "nextStepLabel");
    QVERIFY(hint->isHidden());
    emit graph.verticleClicked(byName(graph, QStringLiteral("A")));
    QCoreApplication::processEvents();
    const QStringList afterStart = snapshot(*dialog, graph);
    if (way != QLatin1String("start click")) {
        press(*dialog, "stepForwardButton", 4);
        QVERIFY(hint->isHidden());
        if (way == QLatin1String("Krok wstecz")) {
            press(*dialog, "stepBackButton", 4);
        } else if (way == QLatin1String("Left")) {
            for (int i = 0; i < 4; ++i)
                key(*dialog, Qt::Key_Left);
        } else if (way == QLatin1String("Od początku")) {
            press(*dialog, "toStartButton");
        } else if (way == QLatin1String("Home")) {
            key(*dialog, Qt::Key_Home);
        } else {
            dialog->jumpTo(0);
            QCoreApplication::processEvents();
        }
    }
    QCOMPARE(dialog->timelinePosition(), 0);
    QCOMPARE(snapshot(*dialog, graph), afterStart);
    QVERIFY(!child<QPushButton>(*dialog, "stepBackButton")->isEnabled());
    QVERIFY(!child<QPushButton>(*dialog, "toStartButton")->isEnabled());
    QVERIFY(child<QPushButton>(*dialog, "stepForwardButton")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(*dialog, "stepForwardButton"));
    QCOMPARE(hint->isVisible(), solver != QLatin1String("fleury"));
    if (hint->isVisible())
        QVERIFY(hint->text().contains(QLatin1String("Krok dalej...")));

    // Nothing before this moment to go back to.
    key(*dialog, Qt::Key_Left);
    QCOMPARE(dialog->timelinePosition(), 0);
    QCOMPARE(snapshot(*dialog, graph), afterStart);

    emit graph.verticleClicked(byName(graph, QStringLiteral("B")));
    QCoreApplication::processEvents();
    const bool restarted = way != QLatin1String("start click");
    QCOMPARE(dialog->timelineLength(), 1);
    QCOMPARE(marked(graph).join(' ').contains(QLatin1String("B: green")), restarted);
}

// The focus frame is where Space acts: on Krok dalej, which the moves along
// the timeline leave it on, or on a button of the solver's panel.
void TestDialogs::spacePressesTheControlWithTheFocusFrame()
{
    Graph graph;
    build(graph, anyGraph);
    FleurySolver dialog(&graph, nullptr);
    QVERIFY(showActive(dialog));
    emit graph.verticleClicked(byName(graph, QStringLiteral("A")));
    QCoreApplication::processEvents();
    auto *step = child<QPushButton>(dialog, "stepForwardButton");
    QCOMPARE(QApplication::focusWidget(), step);
    key(dialog, Qt::Key_Space);
    QCOMPARE(dialog.timelinePosition(), 1);
    for (const char *name : {"stepBackButton", "toStartButton", "playButton"}) {
        QCOMPARE(child(dialog, name)->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(child<QAbstractButton>(dialog, name), Qt::LeftButton);
        QCoreApplication::processEvents();
        if (dialog.isPlaying())
            dialog.togglePlay();
        QCOMPARE(QApplication::focusWidget(), step);
    }

    child<QTabWidget>(dialog, "tabWidget")->setCurrentIndex(1);
    auto *solve = child<QPushButton>(dialog, "solveButton");
    solve->setFocus(Qt::TabFocusReason);
    key(dialog, Qt::Key_Space);
    QVERIFY(!solve->isEnabled());
    QVERIFY(child<QTextEdit>(dialog, "trasaEdit2")->toPlainText().startsWith(QLatin1String("A->")));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
