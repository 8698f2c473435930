#include "app/perewal.h"
#include "graph/editcommand.h"
#include "graph/graph.h"
#include "graph/graphfile.h"
#include "graph/graphview.h"
#include "graph/randomsource.h"
#include "tests/support/testgraphs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#endif

// The address sanitizer: gcc says so by a macro, clang by a feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PEREWAL_ADDRESS_SANITIZER
#endif
#endif

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

// A graph file: vertex records named by position, edge records joining the vertices at the given indices.
QByteArray fileOf(const QList<QPointF> &points, const QList<TestGraphs::EdgeSpec> &edges)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(points.size()) << qint32(edges.size());
    for (int i = 0; i < points.size(); ++i)
        out << QChar(char16_t(65 + i)) << points[i].x() << points[i].y();
    for (const TestGraphs::EdgeSpec &e : edges)
        out << QChar(char16_t(65 + e.start)) << QChar(char16_t(65 + e.end)) << double(e.weight);
    return bytes;
}

// The triangle's file with A's place and C-A's weight changed.
QByteArray triangleWith(QPointF a, double weightOfCA = 1)
{
    return fileOf({a, {50, 20}, {30, 60}}, {{0, 1, 40}, {1, 2, 44}, {2, 0, weightOfCA}});
}

// A hub at (50, 50) joined to every other vertex, the others on a spiral around it.
QByteArray starFile(int verticles)
{
    QList<QPointF> points{{50, 50}};
    QList<TestGraphs::EdgeSpec> edges;
    for (int i = 1; i < verticles; ++i) {
        const qreal turn = 0.1 * i;
        points.append(QPointF(50 + 3 * i * qCos(turn) / 10, 50 + 3 * i * qSin(turn) / 10));
        edges.append({0, i, qreal(i % 100)});
    }
    return fileOf(points, edges);
}

// A(0, 0), B(50, 0), the edge A-B, then `count` records that are skipped: in turn one to a missing vertex Q,
// one from B to itself, one repeating A-B as B-A. With the log they make: the first ten named, the rest counted.
QPair<QByteArray, QStringList> badRecords(int count)
{
    const QList<TestGraphs::EdgeSpec> records{{0, 16, 1}, {1, 1, 1}, {1, 0, 1}};
    const QStringList said{"Pominięto krawędź nr %1 z pliku (A-Q): w pliku nie ma wierzchołka Q",
                           "Pominięto krawędź nr %1 z pliku (B-B): łączy wierzchołek z nim samym",
                           "Pominięto krawędź nr %1 z pliku (B-A): te wierzchołki łączy już wcześniejsza krawędź"};
    QList<TestGraphs::EdgeSpec> edges{{0, 1, 1}};
    QStringList log;
    for (int i = 0; i < count; ++i) {
        edges.append(records[i % 3]);
        if (i < 10 && i % 3 == 2)
            log.append(QStringLiteral("Krawedz już istnieje..."));
        if (i < 10)
            log.append(said[i % 3].arg(i + 2));
    }
    if (count > 10)
        log.append(QStringLiteral("Dalszych pominiętych krawędzi z pliku: %1").arg(count - 10));
    log.append(QStringLiteral("Wczytano graf z pliku %1: wierzchołki: 2, krawędzie: 1"));
    return {fileOf({{0, 0}, {50, 0}}, edges), log};
}

// The counts alone: the start of a file whose records are left out or left to a sparse file's zeros.
QByteArray header(qint32 verticles, qint32 edges)
{
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << verticles << edges;
    return bytes;
}

// A figure of this process's memory in MiB as the kernel counts it: "VmHWM" the peak, "VmSize" the address space.
qint64 statusMib(const QByteArray &key)
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return -1;
    return qint64(key == "VmHWM" ? counters.PeakWorkingSetSize : counters.PagefileUsage) >> 20;
#endif
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toLongLong() / 1024;
    }
    return -1;
}

// The window's log, newest first, each line without its date, which must be the time of now.
QStringList messages(const Perewal &window)
{
    QStringList lines = TestGraphs::rows(window.findChild<QListWidget *>("eventLog"));
    for (QString &line : lines) {
        const QDateTime stamp = QDateTime::fromString(line.section(QStringLiteral(" - "), 0, 0), Qt::TextDate);
        line = stamp.isValid() && qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60
                   ? line.section(QStringLiteral(" - "), 1) : QStringLiteral("not dated now: ") + line;
    }
    return lines;
}

// A small drawing in full, a large one by its counts; anything left in the scene besides vertices, edges and
// their labels, and any vertex not named by its place, is said.
QString outline(const Graph &graph)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const qsizetype edges = graph.edges().size();
    QString text = verticles.size() + edges <= 8 ? describe(graph).join(QStringLiteral(", "))
                                                 : QStringLiteral("%1 vertices, %2 edges").arg(verticles.size()).arg(edges);
    for (int i = 0; i < verticles.size(); ++i) {
        if (verticles[i]->name() != QString(QChar(char16_t(65 + i)))) {
            text += QStringLiteral(", not named by place from %1").arg(i);
            break;
        }
    }
    if (const qsizetype stray = graph.items().size() - 2 * (verticles.size() + edges))
        text += QStringLiteral(", %1 stray items").arg(stray);
    return text;
}

struct LoadOutcome
{
    bool loaded = false;
    QString drawing; // "kept" when the drawing before is unchanged
    QStringList log; // oldest first
    qint64 ms = 0;
    qint64 mib = 0; // peak memory above what the process had before the window
};

/**
 * Opens a main window of 1280 × 800 with a small drawing, loads the file
 * through the window's load command and paints the whole drawing once.
 */
LoadOutcome loadInWindow(const QString &path)
{
    const qint64 start = statusMib("VmHWM");
    Perewal window;
    window.resize(1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    Graph &graph = *window.graph();
    TestGraphs::build(graph, "AB1", 4);
    const QString before = outline(graph);
    RandomSource::seed(1);

    LoadOutcome outcome;
    QElapsedTimer timer;
    timer.start();
    outcome.loaded = window.loadGraphFrom(path);
    auto *view = window.findChild<QGraphicsView *>("graphView");
    view->fitInView(graph.itemsBoundingRect(), Qt::KeepAspectRatio);
    view->viewport()->repaint();
    outcome.ms = timer.elapsed();

    outcome.drawing = outline(graph);
    if (outcome.drawing == before)
        outcome.drawing = QStringLiteral("kept");
    const QStringList log = messages(window);
    outcome.log = QStringList(log.crbegin(), log.crend());
    outcome.mib = statusMib("VmHWM") - start;
    return outcome;
}

// The child side of a load in a process of its own: the outcome as JSON on the standard output. A load that
// needs far more than its limit fails here rather than taking the machine down with it.
int reportLoad(const QString &path, qint64 mib)
{
#ifdef Q_OS_UNIX
    const rlim_t room = rlim_t(statusMib("VmSize") + 2 * mib + 512) << 20;
    const rlimit cap{room, room};
    setrlimit(RLIMIT_AS, &cap);
#else
    Q_UNUSED(mib);
#endif
    // Vertex names past the Latin letters come from scripts no font here covers, and Qt warns about each.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const LoadOutcome outcome = loadInWindow(path);
    const QJsonObject json{{"loaded", outcome.loaded},
                           {"drawing", outcome.drawing},
                           {"log", QJsonArray::fromStringList(outcome.log)},
                           {"ms", outcome.ms},
                           {"mib", outcome.mib}};
    QTextStream(stdout) << QJsonDocument(json).toJson(QJsonDocument::Compact) << Qt::endl;
    return 0;
}

// Runs this test program again to load the file alone, so that its time and memory are its own.
LoadOutcome loadAlone(const QString &path, int mib, int seconds)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-alone"), path, QString::number(mib)});
    if (!child.waitForFinished(seconds * 1000 + 30000)) {
        child.kill();
        child.waitForFinished();
        return {false, QStringLiteral("no answer in %1 s").arg(seconds + 30), {}, 0, 0};
    }
    const QJsonObject json = QJsonDocument::fromJson(child.readAllStandardOutput()).object();
    if (json.isEmpty()) {
        const QString end = child.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                      : QStringLiteral("exit code %1").arg(child.exitCode());
        return {false, QStringLiteral("no answer: ") + end, {}, 0, 0};
    }
    return {json["loaded"].toBool(), json["drawing"].toString(), json["log"].toVariant().toStringList(),
            json["ms"].toInteger(), json["mib"].toInteger()};
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
    void largestGraphRoundTripsByteForByte();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void filesOpenFromTheCommandLine_data();
    void filesOpenFromTheCommandLine();
    void typedWeights_data();
    void typedWeights();
    void buttonsShowTheModeAndKeysEdit();
    void ctrlSSavesAKnownFileAtOnce_data();
    void ctrlSSavesAKnownFileAtOnce();
    void logDatesSpeakTheInterfaceLanguage_data();
    void logDatesSpeakTheInterfaceLanguage();
    void windowComesBackAsItWasLeft();

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

// The log, newest first, with the system's reason after a file name cut to "(...)".
QString TestPerewal::logged() const
{
    static const QRegularExpression reason(QStringLiteral("\\.graf \\([^()]*\\)"));
    return messages(*window).join(QLatin1Char('\n')).replace(reason, QStringLiteral(".graf (...)"));
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
    QTest::addColumn<QString>("reason"); // the reason logged; "..." where the system words it

    QTest::newRow("over an old, longer file") << "stary.graf" << 0 << true << "";
    QTest::newRow("into a missing folder") << "brak/nowy.graf" << 0 << false << "...";
#ifdef Q_OS_UNIX
    // Windows has no limit of a file's size to stand in for a full disk.
    QTest::newRow("over an old file, the disk full half way") << "stary.graf" << 50 << false
        << "zapisano tylko 50 z 98 B: plik przekroczyłby największy rozmiar, na jaki system pozwala temu programowi";
#endif
}

void TestPerewal::savingKeepsTheOldFileUnlessItSucceeds()
{
    QFETCH(QString, target);
    QFETCH(int, room);
    QFETCH(bool, saved);
    QFETCH(QString, reason);

    QVERIFY(writeFile(path("stary.graf"), QByteArray(500, 'x')));
    drawTriangle(*window->graph());
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit fileSizeLimit{room ? rlim_t(room) : old.rlim_cur, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &fileSizeLimit);
    const bool result = window->saveGraphTo(path(target));
    setrlimit(RLIMIT_FSIZE, &old);
#else
    Q_UNUSED(room);
    const bool result = window->saveGraphTo(path(target));
#endif

    QCOMPARE(result, saved);
    QFile file(path("stary.graf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved ? QByteArray::fromHex(triangleHex) : QByteArray(500, 'x'));
    // No half-written file is left beside it either.
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("stary.graf"));
    const QString failed = QStringLiteral("Nie udało się zapisać grafu do pliku %1 (%2)").arg(path(target), reason);
    const QString done = QStringLiteral("Zapisano graf w pliku %1").arg(path(target));
    QCOMPARE(reason == "..." ? logged() : messages(*window).join('\n'), saved ? done : failed);
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
    // file, missing, directory, socket, fifo, sparse or device (a device's name in the folder); or a device's path
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content"); // a file's bytes; the start of a sparse file
    QTest::addColumn<qint64>("size"); // the length of a sparse file
    QTest::addColumn<QString>("drawing"); // outline() of the drawing afterwards; "kept" when refused
    QTest::addColumn<QStringList>("log"); // oldest first
    // Zero: loaded in this process. Otherwise loaded in a process of its own, whose peak memory may grow by
    // this many MiB at most, and which must be done loading and painting within the seconds given.
    QTest::addColumn<int>("mib");
    QTest::addColumn<int>("seconds");

    auto refused = [](const QString &reason) {
        return QStringList("Nie wczytano pliku %1 (" + reason + "), graf pozostał bez zmian");
    };
    auto row = [](const QString &name, const QString &kind, const QByteArray &content, const QString &drawing,
                  const QStringList &log, qint64 size = 0, int mib = 0, int seconds = 0) {
        QTest::newRow(qPrintable(name)) << kind << content << size << drawing << log << mib << seconds;
    };

    const QByteArray triangle = QByteArray::fromHex(triangleHex);
    const QString abc = "A (10, 20), B (50, 20), C (30, 60), ";
    auto loaded = [](int verticles, int edges) {
        return "Wczytano graf z pliku %1: wierzchołki: " + QString::number(verticles) + ", krawędzie: "
               + QString::number(edges);
    };
    row("the triangle", "file", triangle, abc + "AB 40, BC 44, CA 1", {loaded(3, 3)});
    row("the empty graph: two zero counts", "file", header(0, 0), "", {loaded(0, 0)});
    row("a weight of plus infinity is drawn at random", "file", triangleWith({10, 20}, qInf()), abc + "AB 40, BC 44, CA 6",
        {loaded(3, 3)});
    // A-B turned into A-Q, C-A into C-C.
    row("edges to a missing vertex or to their own start are skipped", "file",
        QByteArray::fromHex(QByteArray(triangleHex).replace("0041 0042", "0041 0051").replace("0043 0041", "0043 0043")),
        abc + "BC 44",
        {"Pominięto krawędź nr 1 z pliku (A-Q): w pliku nie ma wierzchołka Q",
         "Pominięto krawędź nr 3 z pliku (C-C): łączy wierzchołek z nim samym", loaded(3, 1)});
    // The largest a user can type, and the farthest place a drawing can still be seen whole at the smallest zoom.
    row("coordinates of magnitude 1,000,000 load", "file",
        fileOf({{-1000000, 1000000}, {1000000, -1000000}}, {{0, 1, 2}}), "A (-1e+06, 1e+06), B (1e+06, -1e+06), AB 2",
        {loaded(2, 1)});
    row("weights of magnitude 999,999,999 load; a negative one is named", "file", triangleWith({10, 20}, -999999999),
        abc + "AB 40, BC 44, CA -1e+09",
        {"Krawędzie o ujemnej wadze: C-A; algorytm Minty'ego ich nie przyjmie", loaded(3, 3)});
    row("a largest weight loads", "file", triangleWith({10, 20}, 999999999), abc + "AB 40, BC 44, CA 1e+09",
        {loaded(3, 3)});
    const QString tooFar = "wierzchołek nr 1 leży w punkcie (%1), a współrzędne mogą mieć wartość bezwzględną "
                           "najwyżej 1000000";
    row("a vertex at x = 1,000,000.5", "file", triangleWith({1000000.5, 20}), "kept", refused(tooFar.arg("1e+06, 20")));
    row("a vertex at y = -1,000,001", "file", triangleWith({10, -1000001}), "kept", refused(tooFar.arg("10, -1e+06")));
    row("a vertex at x = 1e308", "file", triangleWith({1e308, 20}), "kept", refused(tooFar.arg("1e+308, 20")));
    const QString tooHeavy = "krawędź nr 3 ma wagę %1, a waga może mieć wartość bezwzględną najwyżej 999999999";
    row("a weight of 1,000,000,000", "file", triangleWith({10, 20}, 1e9), "kept", refused(tooHeavy.arg("1e+09")));
    row("a weight of -1,000,000,000", "file", triangleWith({10, 20}, -1e9), "kept", refused(tooHeavy.arg("-1e+09")));
    row("a weight of 1e308", "file", triangleWith({10, 20}, 1e308), "kept", refused(tooHeavy.arg("1e+308")));
    for (const int bad : {10, 11, GraphFile::MaxEdges - 1}) {
        const auto [bytes, log] = badRecords(bad);
        row(QStringLiteral("%1 skipped edge records: ten named, the rest counted").arg(bad), "file", bytes,
            "A (0, 0), B (50, 0), AB 1", log, 0, bad > 11 ? 64 : 0, 20);
    }

    row("a missing file", "missing", {}, "kept", refused("nie ma takiego pliku"));
    row("a directory", "directory", {}, "kept", refused("to katalog, nie plik"));
#ifdef Q_OS_UNIX
    row("a socket", "socket", {}, "kept", refused("to gniazdo, a nie zwykły plik"));
    row("a FIFO without a writer", "fifo", {}, "kept", refused("to potok (FIFO), a nie zwykły plik"), 0, 32, 2);
    row("/dev/zero", "/dev/zero", {}, "kept", refused("to urządzenie, a nie zwykły plik"), 0, 32, 2);
#endif
#ifdef Q_OS_WIN
    // Windows reaches a device through these names in any folder; the console and a port wait for input.
    const QStringList device = refused("to urządzenie, a nie zwykły plik");
    row("NUL", "NUL", {}, "kept", device, 0, 32, 2);
    row("CON, the console", "CON", {}, "kept", device, 0, 32, 2);
    row("COM1.graf in the folder: the serial port", "device", {}, "kept", device, 0, 32, 2);
    row("a named pipe", "\\\\.\\pipe\\perewal", {}, "kept", device, 0, 32, 2);
#endif

    const QString tooShort = "plik ma %1 B, za mało nawet na nagłówek z liczbami wierzchołków i krawędzi (8 B)";
    const QString wrongSize = "plik ma %1 B, a dla liczb z nagłówka (wierzchołki: %2, krawędzie: %3) powinien mieć "
                              "dokładnie %4 B";
    for (int length = 0; length < triangle.size(); ++length) {
        row(QStringLiteral("the triangle cut to %1 bytes").arg(length), "file", triangle.left(length), "kept",
            refused(length < 8 ? tooShort.arg(length) : wrongSize.arg(length).arg(3).arg(3).arg(98)));
    }
    row("the triangle with a byte after it", "file", triangle + '\0', "kept",
        refused(wrongSize.arg(99).arg(3).arg(3).arg(98)));
    row("4 KiB of zeros", "file", QByteArray(4096, '\0'), "kept", refused(wrongSize.arg(4096).arg(0).arg(0).arg(8)));
    row("negative vertex count", "file", header(-1, 3) + triangle.mid(8), "kept",
        refused("nagłówek podaje ujemną liczbę wierzchołków (-1) albo krawędzi (3)"));
    row("negative edge count", "file", header(3, -3) + triangle.mid(8), "kept",
        refused("nagłówek podaje ujemną liczbę wierzchołków (3) albo krawędzi (-3)"));

    const QString tooMany = "za dużo wierzchołków: %1, a różnych jednoznakowych nazw jest tylko 65471";
    row("65,472 vertices, one more than there are names", "file", fileOf(QList<QPointF>(65472), {}), "kept",
        refused(tooMany.arg(65472)), 0, 64, 5);
    row("a sparse 2 GB file promising 2^31 - 1 vertices", "sparse", header(INT_MAX, 3), "kept",
        refused(tooMany.arg(INT_MAX)), qint64(2) << 30, 32, 2);
    row("a sparse file exactly as long as 119,304,646 vertices need", "sparse", header(119304646, 0), "kept",
        refused(tooMany.arg(119304646)), 8 + 18 * qint64(119304646), 32, 2);
    row("a million isolated vertices", "sparse", header(1000000, 0), "kept", refused(tooMany.arg(1000000)),
        8 + 18 * 1000000, 32, 2);
    row("a sparse 25 GB file of 2^31 - 1 edge records", "sparse", header(2, INT_MAX), "kept",
        refused("za dużo krawędzi: 2147483647, a plik z grafem może ich mieć najwyżej 300000"),
        8 + 36 + 12 * qint64(INT_MAX), 32, 2);

    const QString notFinite = "wierzchołek nr 1 leży w punkcie (%1), a współrzędne muszą być liczbami skończonymi";
    row("a vertex at x = NaN", "file", triangleWith({qQNaN(), 20}), "kept", refused(notFinite.arg("nan, 20")));
    row("a vertex at y = +infinity", "file", triangleWith({10, qInf()}), "kept", refused(notFinite.arg("10, inf")));
    row("a vertex at x = -infinity", "file", triangleWith({-qInf(), 20}), "kept", refused(notFinite.arg("-inf, 20")));
    const QString badWeight = "krawędź nr 3 ma wagę %1, a waga musi być liczbą "
                              "(plus nieskończoność oznacza wagę losową)";
    row("a weight of NaN", "file", triangleWith({10, 20}, qQNaN()), "kept", refused(badWeight.arg("nan")));
    row("a weight of minus infinity", "file", triangleWith({10, 20}, -qInf()), "kept", refused(badWeight.arg("-inf")));

    // What a star of 10,000 edges cost to paint once: 2.4 GB and 15 s.
    row("a star of 10,000 edges", "file", starFile(10001), "10001 vertices, 10000 edges", {loaded(10001, 10000)}, 0,
        512, 60);
    row("the largest star: 65,471 vertices, a 2 MB file", "file", starFile(Graph::MaxVerticles),
        "65471 vertices, 65470 edges", {loaded(Graph::MaxVerticles, Graph::MaxVerticles - 1)}, 0, 2048, 120);
}

void TestPerewal::loadingReplacesTheDrawingOrLogsWhy()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, drawing);
    QFETCH(QStringList, log);
    QFETCH(int, mib);
    QFETCH(int, seconds);

    QString file = path("plik.graf");
    [[maybe_unused]] const QByteArray name = QFile::encodeName(file);
    if (kind == "file") {
        QVERIFY(writeFile(file, content));
    } else if (kind == "sparse") {
        QVERIFY(writeFile(file, content));
        QVERIFY(QFile::resize(file, size));
    } else if (kind == "directory") {
        QVERIFY(QDir().mkdir(file));
#ifdef Q_OS_UNIX
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(name.constData(), 0600), 0);
    } else if (kind == "socket") {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(name.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, name.constData(), name.size());
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        close(listener);
#endif
    } else if (kind == "device") {
        file = path("COM1.graf");
    } else if (kind != "missing") {
        file = kind;
    }

#if defined(__SANITIZE_ADDRESS__) || defined(PEREWAL_ADDRESS_SANITIZER)
    if (mib)
        QSKIP("the address sanitizer reserves terabytes of address space and doubles what a load costs: "
              "the budget of this load cannot be checked here");
#endif
    const LoadOutcome outcome = mib ? loadAlone(file, mib, seconds) : loadInWindow(file);
    QCOMPARE(outcome.drawing, drawing);
    QCOMPARE(outcome.loaded, drawing != "kept");
    QCOMPARE(outcome.log, log.replaceInStrings("%1", QDir::toNativeSeparators(file)));
    if (mib) {
        qInfo("loaded and painted in %lld ms, peak memory grew by %lld MiB", outcome.ms, outcome.mib);
        QVERIFY2(outcome.ms <= seconds * 1000, qPrintable(QStringLiteral("%1 ms").arg(outcome.ms)));
        QVERIFY2(outcome.mib <= mib, qPrintable(QStringLiteral("%1 MiB").arg(outcome.mib)));
    }
}

void TestPerewal::largestGraphRoundTripsByteForByte()
{
    const QByteArray star = starFile(Graph::MaxVerticles);
    QVERIFY(writeFile(path("gwiazda.graf"), star));
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const bool loaded = window->loadGraphFrom(path("gwiazda.graf"));
    qInstallMessageHandler(previous);
    QVERIFY(loaded);
    QVERIFY(window->saveGraphTo(path("kopia.graf")));
    QFile copy(path("kopia.graf"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QVERIFY(copy.readAll() == star);

    // No name is left for one more vertex.
    Graph &graph = *window->graph();
    graph.setMode(Graph::AddVerticle);
    QGraphicsView *view = window->findChild<QGraphicsView *>("graphView");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(50, 90)));
    QCOMPARE(graph.verticles().size(), Graph::MaxVerticles);
    QCOMPARE(messages(*window).first(), "Nie dodano wierzchołka: graf ma już 65471 wierzchołków, a tylko tylu można "
                                        "nadać różne jednoznakowe nazwy");
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
    QTest::newRow("Ctrl+Q, discarded") << "quit" << true << QStringList{"Nie zapisuj"} << "closed";
    QTest::newRow("Ctrl+Q, cancelled") << "quit" << true << QStringList{"Anuluj"} << "open";
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
    } else if (action == QLatin1String("quit")) {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        seen << (window->isVisible() ? "open" : "closed");
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
    // The title says which file the drawing is, once it is one, and that a changed drawing has none yet.
    QCOMPARE(window->windowTitle(), outcome.startsWith("loaded") ? "inny.graf[*] – Perewal"
                                    : outcome.contains("saved") && !outcome.startsWith("empty") ? "zapis.graf[*] – Perewal"
                                    : unsaved && !outcome.startsWith("empty")                   ? "Bez nazwy[*] – Perewal"
                                                                                                 : "Perewal");
    QCOMPARE(window->isWindowModified(), unsaved && !outcome.contains("saved") && !outcome.startsWith("loaded")
                                             && !outcome.startsWith("empty"));
}

void TestPerewal::filesOpenFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<bool>("refused");

    QTest::newRow("none") << QStringList{"perewal"} << 0 << false;
    QTest::newRow("a graph") << QStringList{"perewal", "trojkat.graf"} << 3 << false;
    QTest::newRow("a damaged file") << QStringList{"perewal", "uciety.graf"} << 0 << true;
    QTest::newRow("a missing file") << QStringList{"perewal", "brak.graf"} << 0 << true;
}

void TestPerewal::filesOpenFromTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, verticles);
    QFETCH(bool, refused);

    QVERIFY(writeFile(path("trojkat.graf"), QByteArray::fromHex(triangleHex)));
    QVERIFY(writeFile(path("uciety.graf"), QByteArray::fromHex(triangleHex).left(30)));
    for (int i = 1; i < arguments.size(); ++i)
        arguments[i] = path(arguments[i]);
    window->openArguments(arguments);
    QCOMPARE(window->graph()->verticles().size(), verticles);
    // The load button's message: the file, why, and the drawing left as it was.
    const QString log = logged();
    QCOMPARE(log.startsWith("Nie wczytano pliku " + arguments.value(1) + " (")
                 && log.endsWith(QStringLiteral("), graf pozostał bez zmian")),
             refused);
    // A file loaded is named with its counts; without a file, nothing is said.
    QCOMPARE(log.startsWith("Wczytano graf z pliku " + arguments.value(1) + ": wierzchołki: 3, krawędzie: 3"),
             !refused && arguments.size() > 1);
    QCOMPARE(log.isEmpty(), arguments.size() == 1);
    // A file opened so counts as saved: nothing to ask about at closing.
    QVERIFY(window->close());
}

void TestPerewal::typedWeights_data()
{
    QTest::addColumn<QString>("typed"); // null: the editor is cancelled
    QTest::addColumn<QString>("reason"); // beside the field while the editor stays open; empty: it closes
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("log");

    const QString refused = QStringLiteral("\"%1\" nie jest wagą: waga to liczba całkowita od 0 do 999999999.");
    QTest::newRow("a whole number") << "17" << "" << "17" << "Zmieniono wagę krawędzi AB na 17";
    QTest::newRow("with blanks around") << " 8 " << "" << "8" << "Zmieniono wagę krawędzi AB na 8";
    QTest::newRow("zero") << "0" << "" << "0" << "Zmieniono wagę krawędzi AB na 0";
    QTest::newRow("the largest") << "999999999" << "" << "999999999" << "Zmieniono wagę krawędzi AB na 999999999";
    QTest::newRow("negative") << "-3" << refused.arg("-3") << "40" << "";
    QTest::newRow("not a number") << "abc" << refused.arg("abc") << "40" << "";
    QTest::newRow("a fraction") << "2.5" << refused.arg("2.5") << "40" << "";
    QTest::newRow("too large") << "1000000000" << refused.arg("1000000000") << "40" << "";
    QTest::newRow("nothing") << "" << "Wpisz wagę: liczbę całkowitą od 0 do 999999999." << "40" << "";
    QTest::newRow("cancelled") << QString() << "" << "40" << "";
}

// A double click on an edge in the idle mode asks for its weight; a text that is no weight keeps the editor
// open with the reason beside the field; undoing takes a typed one back.
void TestPerewal::typedWeights()
{
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    QFETCH(QString, weight);
    QFETCH(QString, log);

    Graph &graph = *window->graph();
    drawTriangle(graph);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *view = window->findChild<GraphView *>(QStringLiteral("graphView"));
    QString asked, shown;
    bool stayedOpen = false, okEnabled = false;
    TestGraphs::answerModals(this, {[&](QWidget &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("weightEdit"));
        asked = dialog.findChild<QLabel *>(QStringLiteral("weightPromptLabel"))->text() + QLatin1Char(' ') + edit->text();
        if (typed.isNull()) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return;
        }
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        okEnabled = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled();
        QTest::keyClick(edit, Qt::Key_Return);
        stayedOpen = dialog.isVisible();
        shown = dialog.findChild<QLabel *>(QStringLiteral("weightReasonLabel"))->text();
        if (stayedOpen)
            QTest::keyClick(&dialog, Qt::Key_Escape);
    }});
    // On AB, left of its weight label and outside A.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(23, 20)));
    QCOMPARE(asked, QStringLiteral("Waga krawędzi AB (liczba całkowita od 0 do 999999999): 40"));
    QCOMPARE(shown, reason);
    QCOMPARE(stayedOpen, !reason.isEmpty());
    QCOMPARE(okEnabled, reason.isEmpty() && !typed.isNull());
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
    // On AB, beyond the few pixels around A that pick A.
    QCursor::setPos(view->viewport()->mapToGlobal(view->mapFromScene(QPointF(24, 20))));
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

void TestPerewal::ctrlSSavesAKnownFileAtOnce_data()
{
    QTest::addColumn<bool>("known"); // the drawing was loaded from a file
    QTest::addColumn<QString>("asked"); // the dialogs that came up, cancelled
    QTest::addColumn<QString>("log");

    QTest::newRow("a drawing with a file") << true << "" << "Zapisano graf w pliku %1";
    QTest::newRow("a new drawing") << false << "Wybierz plik do zapisu" << "";
}

// Ctrl+S writes a drawing that has a file straight to it; only a new drawing asks where.
void TestPerewal::ctrlSSavesAKnownFileAtOnce()
{
    QFETCH(bool, known);
    QFETCH(QString, asked);
    QFETCH(QString, log);

    const QString file = path("trojkat.graf");
    QVERIFY(writeFile(file, QByteArray::fromHex(triangleHex)));
    Graph &graph = *window->graph();
    if (known)
        QVERIFY(window->loadGraphFrom(file));
    graph.undoStack()->push(EditCommand::addVerticle(&graph, QPointF(90, 90)));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList dialogs;
    TestGraphs::answerModals(this, {[&](QWidget &dialog) {
        dialogs << dialog.windowTitle();
        static_cast<QDialog &>(dialog).reject();
    }});
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    // A dialog that came up has been answered by now.
    QTest::qWait(200);

    QCOMPARE(dialogs.join(", "), asked);
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes != QByteArray::fromHex(triangleHex), known);
    QCOMPARE(bytes.left(4), known ? QByteArray::fromHex("00000004") : QByteArray::fromHex("00000003"));
    QCOMPARE(window->isWindowModified(), !known);
    QCOMPARE(messages(*window).value(0), log.isEmpty() ? QString() : log.arg(file));
}

void TestPerewal::logDatesSpeakTheInterfaceLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Polish") << "pl";
    QTest::newRow("English") << "en";
}

// The log keeps the toolkit's text date layout, with the day and month names of the interface's language.
void TestPerewal::logDatesSpeakTheInterfaceLanguage()
{
    QFETCH(QString, language);

    const QLocale before;
    QLocale::setDefault(QLocale(language));
    window->addLogLine(QStringLiteral("x"));
    QLocale::setDefault(before);
    const QString line = TestGraphs::rows(window->findChild<QListWidget *>("eventLog")).value(0);

    const QLocale locale(language);
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList words = line.split(QLatin1Char(' '));
    QCOMPARE(words.size(), 7);
    QCOMPARE(words.mid(5), (QStringList{"-", "x"}));
    // Day, month, day of the month, time, year: read back in that language, it is now.
    const QDateTime read = locale.toDateTime(words.mid(0, 5).join(' '), QStringLiteral("ddd MMM d HH:mm:ss yyyy"));
    QVERIFY2(read.isValid() && qAbs(read.secsTo(now)) < 60, qPrintable(line));
    QCOMPARE(words.at(0), locale.dayName(now.date().dayOfWeek(), QLocale::ShortFormat));
    if (language == QLatin1String("en")) // as Qt::TextDate has it
        QCOMPARE(QDateTime::fromString(words.mid(0, 5).join(' '), Qt::TextDate), read);
}

// Size, place and the height of the log come back at the next start.
void TestPerewal::windowComesBackAsItWasLeft()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Perewal"), QStringLiteral("Perewal")).clear();
    window->restoreLayout();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->setGeometry(QRect(QPoint(120, 90), QSize(900, 640)));
    auto *splitter = window->findChild<QSplitter *>(QStringLiteral("canvasSplitter"));
    splitter->setSizes({300, 250});
    const QList<int> sizes = splitter->sizes();
    const QRect geometry = window->geometry();
    QVERIFY(window->close());

    Perewal again;
    again.restoreLayout();
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.geometry(), geometry);
    QCOMPARE(again.findChild<QSplitter *>(QStringLiteral("canvasSplitter"))->sizes(), sizes);
    QSettings(QStringLiteral("Perewal"), QStringLiteral("Perewal")).clear();
    QStandardPaths::setTestModeEnabled(false);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (argc == 4 && std::strcmp(argv[1], "--load-alone") == 0)
        return reportLoad(QFile::decodeName(argv[2]), std::atoll(argv[3]));
    TestPerewal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_perewal.moc"
