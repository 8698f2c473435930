#include "app/perewal.h"
#include "graph/editcommand.h"
#include "graph/graph.h"
#include "graph/graphview.h"
#include "tests/support/testgraphs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

#include <sys/resource.h>

namespace {

// A(10, 20), B(50, 20), C(30, 60); edges C-A 1, B-C by distance (44.72), A-B 40, drawn in that order.
void drawTriangle(Graph &graph)
{
    const QList<GraphVerticle *> v{graph.addVerticle(QPointF(10, 20)), graph.addVerticle(QPointF(50, 20)),
                                   graph.addVerticle(QPointF(30, 60))};
    graph.addEdge(v[2], v[0], 1);
    graph.addEdge(v[1], v[2], QLineF(v[1]->pos(), v[2]->pos()).length());
    graph.addEdge(v[0], v[1], 40);
}

// The triangle's file written out by hand: the counts, each vertex (name, x, y), each edge in key order with
// its weight cut to whole.
const char triangleHex[] = "00000003 00000003"
                           " 0041 4024000000000000 4034000000000000"
                           " 0042 4049000000000000 4034000000000000"
                           " 0043 403e000000000000 404e000000000000"
                           " 0041 0042 4044000000000000 0042 0043 4046000000000000 0043 0041 3ff0000000000000";

// Every vertex by name and place, then every edge by name and weight, in list order.
QStringList describe(const Graph &graph)
{
    QStringList lines;
    for (const GraphVerticle *v : graph.verticles())
        lines.append(QStringLiteral("%1 (%2, %3)").arg(v->name()).arg(v->pos().x()).arg(v->pos().y()));
    for (const GraphEdge *edge : graph.edges())
        lines.append(QStringLiteral("%1 %2").arg(edge->name()).arg(edge->weight()));
    return lines;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestPerewal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startsWithTitleAndWeightSchemes();
    void buttonsOpenModalDialogsThatCancelCleanly_data();
    void buttonsOpenModalDialogsThatCancelCleanly();
    void savingKeepsTheOldFileUnlessItSucceeds_data();
    void savingKeepsTheOldFileUnlessItSucceeds();
    void randomGraphsComeBackAsDrawn();
    void loadingReplacesTheDrawingOrLogsWhy_data();
    void loadingReplacesTheDrawingOrLogsWhy();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void filesOpenFromTheCommandLine_data();
    void filesOpenFromTheCommandLine();
    void typedWeights_data();
    void typedWeights();
    void buttonsShowTheModeAndKeysEdit();

private:
    QString logged() const;
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir->filePath(name)); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Perewal> window;
};

void TestPerewal::init()
{
    dir = std::make_unique<QTemporaryDir>();
    window = std::make_unique<Perewal>();
}

// The log, newest first: each line without its date, which must be the time of now, and with the system's
// reason after a file name cut to "(...)".
QString TestPerewal::logged() const
{
    QStringList messages = TestGraphs::rows(window->findChild<QListWidget *>("eventLog"));
    for (QString &line : messages) {
        const QDateTime stamp = QDateTime::fromString(line.section(QStringLiteral(" - "), 0, 0), Qt::TextDate);
        line = stamp.isValid() && qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60
                   ? line.section(QStringLiteral(" - "), 1) : QStringLiteral("not dated now: ") + line;
    }
    static const QRegularExpression reason(QStringLiteral("\\.graf \\([^()]*\\)"));
    return messages.join(QLatin1Char('\n')).replace(reason, QStringLiteral(".graf (...)"));
}

void TestPerewal::startsWithTitleAndWeightSchemes()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Perewal"));
    // Each entry hands its index to the scene, so the entries must be in the schemes' order.
    auto *combo = window->findChild<QComboBox *>("newEdgeWieghtComboBox");
    QStringList entries;
    for (int scheme = combo->count() - 1; scheme >= 0; --scheme) {
        combo->setCurrentIndex(scheme);
        entries.prepend(QStringLiteral("%1 %2").arg(combo->currentText()).arg(window->graph()->weightScheme()));
    }
    QCOMPARE(entries.join(", "), "Jednostkowa = 1 0, Odleglosc 1, Odl. Manhattan 2, Losowa 1-10 3, Losowa 1-100 4, "
                                 "Losowa 0-10 5, Losowa 0-100 6");
}

void TestPerewal::buttonsOpenModalDialogsThatCancelCleanly_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QString>("shown"); // the dialog's title, then its instruction or its filter and folder

    const QString start = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString pieces = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    const QString minty = QStringLiteral("Algorytm Minty'ego: "), prim = QStringLiteral("Algorytm Dijkstry-Prima: ");
    QTest::newRow("Minty, a path") << "mintyButton" << "AB1 BC1" << minty + start;
    QTest::newRow("Minty, two pieces") << "mintyButton" << "AB1 CD1" << minty + pieces;
    QTest::newRow("Dijkstra-Prim, a path") << "dijkstraPrimButton" << "AB1 BC1" << prim + start;
    QTest::newRow("Dijkstra-Prim, two pieces") << "dijkstraPrimButton" << "AB1 CD1" << prim + pieces;
    const QString fleury = QStringLiteral("Algorytm Fleury'ego: ");
    QTest::newRow("Fleury, a cycle") << "fleuryButton" << "AB1 BC1 CA1" << fleury + "Wybierz wierzchołek początkowy.";
    QTest::newRow("Fleury, odd degrees") << "fleuryButton" << "AB1 BC1" << fleury + "Wprowadź graf Eulerowski.";
    const QString files = QStringLiteral(": Pliki z grafami (*.graf) in grafy");
    QTest::newRow("saving") << "graphSaveButton" << "AB1" << "Wybierz plik do zapisu" + files;
    QTest::newRow("loading") << "graphLoadButton" << "AB1" << "Wybierz plik z grafem do wczytania" + files;
}

void TestPerewal::buttonsOpenModalDialogsThatCancelCleanly()
{
    QFETCH(QString, button);
    QFETCH(QString, graph);
    QFETCH(QString, shown);

    TestGraphs::build(*window->graph(), graph);
    const QStringList before = describe(*window->graph());
    // The test runs beside the program, where the build copied the examples into grafy.
    const QString grafy = QDir(QCoreApplication::applicationDirPath() + "/grafy").canonicalPath();
    QString seen;
    TestGraphs::driveModal<QDialog>(
        this, [&] { QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton); },
        [&](QDialog &dialog) {
            seen = dialog.windowTitle() + ": ";
            if (auto *info = dialog.findChild<QLabel *>("currentInfoLabel"))
                seen += info->text();
            if (auto *files = qobject_cast<QFileDialog *>(&dialog))
                seen += files->nameFilters().join('|') + " in "
                        + (files->directory().canonicalPath() == grafy ? "grafy" : files->directory().path());
        });
    QCOMPARE(seen, shown);
    QVERIFY(!window->findChild<QDialog *>());
    QCOMPARE(describe(*window->graph()), before);
    QCOMPARE(logged(), QString());
}

void TestPerewal::savingKeepsTheOldFileUnlessItSucceeds_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("room"); // bytes a file may grow to, as on a nearly full disk; 0: no limit
    QTest::addColumn<bool>("saved");

    QTest::newRow("over an old, longer file") << "stary.graf" << 0 << true;
    QTest::newRow("into a missing folder") << "brak/nowy.graf" << 0 << false;
    QTest::newRow("over an old file, the disk full half way") << "stary.graf" << 50 << false;
}

void TestPerewal::savingKeepsTheOldFileUnlessItSucceeds()
{
    QFETCH(QString, target);
    QFETCH(int, room);
    QFETCH(bool, saved);

    QVERIFY(writeFile(path("stary.graf"), QByteArray(500, 'x')));
    drawTriangle(*window->graph());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit fileSizeLimit{room ? rlim_t(room) : old.rlim_cur, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &fileSizeLimit);
    const bool result = window->saveGraphTo(path(target));
    setrlimit(RLIMIT_FSIZE, &old);

    QCOMPARE(result, saved);
    QFile file(path("stary.graf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved ? QByteArray::fromHex(triangleHex) : QByteArray(500, 'x'));
    // No half-written file is left beside it either.
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("stary.graf"));
    const QString failed = QStringLiteral("Nie udało się zapisać grafu do pliku %1 (...)").arg(path(target));
    QCOMPARE(logged(), saved ? QString() : failed);
}

void TestPerewal::randomGraphsComeBackAsDrawn()
{
    // Names past Z, places off the grid, edges drawn both ways, negative and zero weights.
    std::mt19937 rng(40);
    TestGraphs::build(*window->graph(), 40, TestGraphs::randomConnected(rng, 40, 60, -5, 100));
    const QStringList drawn = describe(*window->graph());
    QVERIFY(window->saveGraphTo(path("duzy.graf")));
    QVERIFY(window->loadGraphFrom(path("duzy.graf")));
    QCOMPARE(describe(*window->graph()), drawn);
}

void TestPerewal::loadingReplacesTheDrawingOrLogsWhy_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no such file
    QTest::addColumn<QStringList>("scene"); // empty: the drawing stays as it was
    QTest::addColumn<QString>("log");

    const QByteArray triangle = QByteArray::fromHex(triangleHex);
    const QStringList abc{"A (10, 20)", "B (50, 20)", "C (30, 60)"};
    QTest::newRow("the triangle") << triangle << abc + QStringList{"AB 40", "BC 44", "CA 1"} << QString();
    // A-B turned into A-Q, C-A into C-C; newest message first.
    QTest::newRow("edges to a missing vertex or to their own start are skipped")
        << QByteArray::fromHex(QByteArray(triangleHex).replace("0041 0042", "0041 0051")
                                   .replace("0043 0041", "0043 0043"))
        << abc + QStringList{"BC 44"}
        << "Pominięto krawędź nr 3 z pliku (C-C): łączy wierzchołek z nim samym\n"
           "Pominięto krawędź nr 1 z pliku (A-Q): w pliku nie ma wierzchołka Q";
    QTest::newRow("a missing file") << QByteArray() << QStringList()
                                    << "Nie udało się otworzyć pliku %1 (...), graf pozostał bez zmian";

    auto refused = [](const QString &name, const QByteArray &content) {
        QTest::newRow(qPrintable(name)) << content << QStringList()
            << "Plik %1 jest uszkodzony albo nie zawiera grafu, graf pozostał bez zmian";
    };
    for (int length = 0; length < triangle.size(); ++length)
        refused(QStringLiteral("the triangle cut to %1 bytes").arg(length), triangle.left(length));
    for (const char *counts : {"ffffffff 00000003", "00000003 fffffffd", "7fffffff 00000003", "00000003 7fffffff"})
        refused(QStringLiteral("a negative or huge count: %1").arg(counts),
                QByteArray::fromHex(QByteArray(triangleHex).replace("00000003 00000003", counts)));
}

void TestPerewal::loadingReplacesTheDrawingOrLogsWhy()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, scene);
    QFETCH(QString, log);

    if (!content.isNull())
        QVERIFY(writeFile(path("plik.graf"), content));
    Graph &graph = *window->graph();
    TestGraphs::build(graph, "AB1", 4);
    const QStringList before = describe(graph);

    QCOMPARE(window->loadGraphFrom(path("plik.graf")), !scene.isEmpty());
    QCOMPARE(describe(graph), scene.isEmpty() ? before : scene);
    QCOMPARE(logged(), log.replace(QStringLiteral("%1"), path("plik.graf")));
    // Nothing of the old drawing is left: a label for each vertex, a weight label for each edge.
    QCOMPARE(graph.items().size(), 2 * (graph.verticles().size() + graph.edges().size()));
}

void TestPerewal::unsavedChangesAreAskedAbout_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QStringList>("answers"); // buttons of the question, then files of the dialogs ("" cancels one)
    QTest::addColumn<QString>("outcome");

    QTest::newRow("close, nothing unsaved") << "close" << false << QStringList() << "closed";
    QTest::newRow("close, saved first") << "close" << true << QStringList{"Zapisz", "zapis.graf"} << "closed, saved";
    QTest::newRow("close, save dialog cancelled") << "close" << true << QStringList{"Zapisz", ""} << "open";
    QTest::newRow("close, discarded") << "close" << true << QStringList{"Nie zapisuj"} << "closed";
    QTest::newRow("close, cancelled") << "close" << true << QStringList{"Anuluj"} << "open";
    QTest::newRow("load, nothing unsaved") << "load" << false << QStringList{"inny.graf"} << "loaded";
    QTest::newRow("load, saved first") << "load" << true << QStringList{"Zapisz", "zapis.graf", "inny.graf"}
                                       << "loaded, saved";
    QTest::newRow("load, discarded") << "load" << true << QStringList{"Nie zapisuj", "inny.graf"} << "loaded";
    QTest::newRow("load, cancelled") << "load" << true << QStringList{"Anuluj"} << "kept";
    QTest::newRow("new, saved first") << "new" << true << QStringList{"Zapisz", "zapis.graf"} << "empty, saved";
    QTest::newRow("new, discarded") << "new" << true << QStringList{"Nie zapisuj"} << "empty";
    QTest::newRow("new, cancelled") << "new" << true << QStringList{"Anuluj"} << "kept";
}

// Closing, loading and a new drawing ask before they throw away unsaved
// changes; cancelling leaves everything as it was.
void TestPerewal::unsavedChangesAreAskedAbout()
{
    QFETCH(QString, action);
    QFETCH(bool, unsaved);
    QFETCH(QStringList, answers);
    QFETCH(QString, outcome);

    QVERIFY(writeFile(path("inny.graf"), QByteArray::fromHex(triangleHex)));
    Graph &graph = *window->graph();
    TestGraphs::build(graph, "AB1 BC2");
    if (unsaved)
        graph.undoStack()->push(EditCommand::addVerticle(&graph, QPointF(40, 40)));
    const QStringList drawing = describe(graph);
    window->show();

    QStringList asked;
    QList<std::function<void(QWidget &)>> steps;
    for (const QString &answer : std::as_const(answers)) {
        steps << [&asked, answer, this](QWidget &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                asked << box->text();
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text().remove(QLatin1Char('&')) == answer)
                        button->click();
                }
            } else if (auto *files = qobject_cast<QFileDialog *>(&dialog)) {
                asked << files->windowTitle();
                if (answer.isEmpty()) {
                    files->reject();
                } else {
                    // Typed into the name field, as a user does.
                    files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path(answer));
                    static_cast<QDialog *>(files)->accept();
                }
            }
        };
    }
    TestGraphs::answerModals(this, steps);
    QStringList seen;
    if (action == QLatin1String("close")) {
        seen << (window->close() ? "closed" : "open");
    } else {
        if (action == QLatin1String("load"))
            window->loadGraph();
        else
            window->newDrawing();
        const QStringList now = describe(graph);
        seen << (now == drawing ? "kept" : now.isEmpty() ? "empty" : now.size() == 6 ? "loaded" : now.join(", "));
    }
    if (QFile::exists(path("zapis.graf")))
        seen << "saved";
    QCOMPARE(seen.join(", "), outcome);
    const QStringList questions = asked.filter(QStringLiteral("Zapisać zmiany?"));
    QCOMPARE(questions.size(), unsaved ? 1 : 0);
    QCOMPARE(asked.size(), answers.size());
    // The title says which file the drawing is, once it is one.
    QCOMPARE(window->windowTitle(), outcome.startsWith("loaded") ? "inny.graf[*] – Perewal"
                                    : outcome.contains("saved") && !outcome.startsWith("empty") ? "zapis.graf[*] – Perewal"
                                                                                                 : "Perewal");
}

void TestPerewal::filesOpenFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<QString>("log");

    const QString damaged = QStringLiteral("Plik %1 jest uszkodzony albo nie zawiera grafu, graf pozostał bez zmian");
    QTest::newRow("none") << QStringList{"perewal"} << 0 << "";
    QTest::newRow("a graph") << QStringList{"perewal", "trojkat.graf"} << 3 << "";
    QTest::newRow("a damaged file") << QStringList{"perewal", "uciety.graf"} << 0 << damaged;
    QTest::newRow("a missing file") << QStringList{"perewal", "brak.graf"} << 0
                                    << "Nie udało się otworzyć pliku %1 (...), graf pozostał bez zmian";
}

void TestPerewal::filesOpenFromTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, verticles);
    QFETCH(QString, log);

    QVERIFY(writeFile(path("trojkat.graf"), QByteArray::fromHex(triangleHex)));
    QVERIFY(writeFile(path("uciety.graf"), QByteArray::fromHex(triangleHex).left(30)));
    for (int i = 1; i < arguments.size(); ++i)
        arguments[i] = path(arguments[i]);
    window->openArguments(arguments);
    QCOMPARE(window->graph()->verticles().size(), verticles);
    QCOMPARE(logged(), log.arg(arguments.value(1)));
    // A file opened so counts as saved: nothing to ask about at closing.
    QVERIFY(window->close());
}

void TestPerewal::typedWeights_data()
{
    QTest::addColumn<QString>("typed"); // null: the editor is cancelled
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("log");

    const QString refused = QStringLiteral("\"%1\" nie jest wagą: waga to liczba całkowita od 0 do 999999999. "
                                           "Krawędź AB ma nadal wagę 40");
    QTest::newRow("a whole number") << "17" << "17" << "Zmieniono wagę krawędzi AB na 17";
    QTest::newRow("with blanks around") << " 8 " << "8" << "Zmieniono wagę krawędzi AB na 8";
    QTest::newRow("zero") << "0" << "0" << "Zmieniono wagę krawędzi AB na 0";
    QTest::newRow("negative") << "-3" << "40" << refused.arg("-3");
    QTest::newRow("not a number") << "abc" << "40" << refused.arg("abc");
    QTest::newRow("a fraction") << "2.5" << "40" << refused.arg("2.5");
    QTest::newRow("too large") << "1000000000" << "40" << refused.arg("1000000000");
    QTest::newRow("cancelled") << QString() << "40" << "";
}

// A double click on an edge in the idle mode asks for its weight; undoing takes a typed one back.
void TestPerewal::typedWeights()
{
    QFETCH(QString, typed);
    QFETCH(QString, weight);
    QFETCH(QString, log);

    Graph &graph = *window->graph();
    drawTriangle(graph);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *view = window->findChild<GraphView *>(QStringLiteral("graphView"));
    QString asked;
    TestGraphs::answerModals(this, {[&](QWidget &dialog) {
        auto &input = static_cast<QInputDialog &>(dialog);
        asked = input.labelText() + QLatin1Char(' ') + input.textValue();
        if (typed.isNull()) {
            input.reject();
        } else {
            input.setTextValue(typed);
            input.accept();
        }
    }});
    // On AB, left of its weight label and outside A.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(23, 20)));
    QCOMPARE(asked, QStringLiteral("Waga krawędzi AB (liczba całkowita od 0 do 999999999): 40"));
    QCOMPARE(TestGraphs::byName(graph, "A")->edges().first()->weightLabel()->text(), weight);
    QCOMPARE(logged().section(QLatin1Char('\n'), 0, 0), log);
    QCOMPARE(graph.undoStack()->count(), weight == QLatin1String("40") ? 0 : 1);
    graph.undo();
    QCOMPARE(describe(graph), (QStringList{"A (10, 20)", "B (50, 20)", "C (30, 60)", "AB 40", "BC 44", "CA 1"}));
}

void TestPerewal::buttonsShowTheModeAndKeysEdit()
{
    Graph &graph = *window->graph();
    drawTriangle(graph);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *view = window->findChild<GraphView *>(QStringLiteral("graphView"));

    // The button of the current mode stays down; a right click back to the idle mode lets it up.
    const QStringList modeButtons{"addVerticleButton", "removeVerticleButton", "addEdgeButton", "removeEdgeButton"};
    auto down = [&] {
        QStringList names;
        for (const QString &name : modeButtons) {
            if (window->findChild<QPushButton *>(name)->isChecked())
                names << name;
        }
        return names.join(' ');
    };
    for (const QString &name : modeButtons) {
        QTest::mouseClick(window->findChild<QPushButton *>(name), Qt::LeftButton);
        QCOMPARE(down(), name);
        QVERIFY(!window->findChild<QPushButton *>(name)->toolTip().isEmpty());
    }
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->mapFromScene(QPointF(80, 80)));
    QCOMPARE(down(), QString());

    // Delete takes what is under the mouse pointer; each undo and redo is one line of the log.
    QCursor::setPos(view->viewport()->mapToGlobal(view->mapFromScene(QPointF(33, 62))));
    QTest::keyClick(window.get(), Qt::Key_Delete);
    QCursor::setPos(view->viewport()->mapToGlobal(view->mapFromScene(QPointF(21, 20))));
    QTest::keyClick(window.get(), Qt::Key_Delete);
    QCOMPARE(describe(graph), (QStringList{"A (10, 20)", "B (50, 20)"}));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(describe(graph), (QStringList{"A (10, 20)", "B (50, 20)", "AB 40"}));
    QCOMPARE(logged().section(QLatin1Char('\n'), 0, 5), QStringLiteral("Ponowiono: usunięcie wierzchołka C\nCofnięto: usunięcie wierzchołka C\n"
                                      "Cofnięto: usunięcie krawędzi AB\nUsunięto krawędź\nUsunięto wierzchołek\n"
                                      "Powrocono do normalnego trybu"));
}

QTEST_MAIN(TestPerewal)
#include "tst_perewal.moc"
