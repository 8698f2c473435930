#include "app/perewal.h"
#include "graph/graph.h"
#include "solvers/abstractsolver.h"
#include "tests/graphfixtures.h"
#include "tests/support/testgraphs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

#include <sys/resource.h>

using namespace fixtures;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A graph file made here, not by the program: vertices named by the characters
// of names, the i-th at (i + 1, i + 1), and edges such as "XY3", X to Y weighing 3.
QByteArray graphFile(const QString &names, const QString &edges)
{
    const QStringList words = edges.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(names.size()) << qint32(words.size());
    for (int i = 0; i < names.size(); ++i)
        out << names.at(i) << double(i + 1) << double(i + 1);
    for (const QString &word : words)
        out << word.at(0) << word.at(1) << word.mid(2).toDouble();
    return bytes;
}

} // namespace

class TestPerewal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startsWithTitleAndWeightSchemes();
    void logLinesAreDatedNewestFirst();
    void algorithmButtonsOpenModalDialogs_data();
    void algorithmButtonsOpenModalDialogs();
    void savingKeepsTheOldFileUnlessItSucceeds_data();
    void savingKeepsTheOldFileUnlessItSucceeds();
    void randomGraphsComeBackAsDrawn();
    void loadingReplacesTheDrawingOrLogsWhy_data();
    void loadingReplacesTheDrawingOrLogsWhy();
    void fileDialogsStartInGrafyAndCancelCleanly();

private:
    template<typename T = QWidget>
    T *child(const QString &name) const { return window->findChild<T *>(name); }
    QString logged() const;
    QStringList cancelDialogOf(const QString &button);
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir->filePath(name)); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Perewal> window;
};

void TestPerewal::init()
{
    dir = std::make_unique<QTemporaryDir>();
    window = std::make_unique<Perewal>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

// The log, newest first, without the dates and with the system's reason after a file name cut to "(...)".
QString TestPerewal::logged() const
{
    QStringList messages = TestGraphs::rows(child<QListWidget>("eventLog"));
    for (QString &line : messages)
        line = line.section(QStringLiteral(" - "), 1);
    static const QRegularExpression reason(QStringLiteral("\\.graf \\([^()]*\\)"));
    return messages.join(QLatin1Char('\n')).replace(reason, QStringLiteral(".graf (...)"));
}

// Clicks the button and cancels the file dialog it opens; what the dialog showed: caption, filters, start folder.
QStringList TestPerewal::cancelDialogOf(const QString &button)
{
    QStringList shown;
    QTimer::singleShot(0, this, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            shown << dialog->windowTitle() << dialog->nameFilters()
                  << QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
            dialog->reject();
        }
    });
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    return shown;
}

void TestPerewal::startsWithTitleAndWeightSchemes()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Perewal"));
    // Each entry hands its index to the scene, so the entries must be in the schemes' order.
    const QStringList entries{"Jednostkowa = 1", "Odleglosc", "Odl. Manhattan", "Losowa 1-10",
                              "Losowa 1-100", "Losowa 0-10", "Losowa 0-100"};
    auto *combo = child<QComboBox>("newEdgeWieghtComboBox");
    QCOMPARE(combo->count(), entries.size());
    for (int scheme = entries.size() - 1; scheme >= 0; --scheme) {
        combo->setCurrentIndex(scheme);
        QCOMPARE(combo->currentText(), entries.at(scheme));
        QCOMPARE(window->graph()->weightScheme(), scheme);
    }
}

void TestPerewal::logLinesAreDatedNewestFirst()
{
    const QString before = QDateTime::currentDateTime().toString(Qt::TextDate);
    // The scene's hint for the new mode, then a message with a dash of its own.
    QTest::mouseClick(child<QPushButton>("addVerticleButton"), Qt::LeftButton);
    emit window->graph()->showExternInfo(QStringLiteral("druga - z myślnikiem"));
    const QString after = QDateTime::currentDateTime().toString(Qt::TextDate);

    QCOMPARE(child<QLabel>("statusLabel")->text(), QStringLiteral("Dodawanie wierzchołków, kliknij LPM aby dodać"));
    QCOMPARE(logged(), QStringLiteral("druga - z myślnikiem\nKliknij dwukrotnie aby dodać wierzchołek..."));
    for (const QString &line : TestGraphs::rows(child<QListWidget>("eventLog")))
        QVERIFY2(line.startsWith(before + " - ") || line.startsWith(after + " - "), qPrintable(line));
}

void TestPerewal::algorithmButtonsOpenModalDialogs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QString>("shown"); // the dialog's title and instruction

    const QString start = QStringLiteral("Wybierz wierzchołek startowy.");
    const QString pieces = QStringLiteral("Wprowadzony graf jest niespójny!!!");
    QTest::newRow("Minty, a path") << "mintyButton" << "AB1 BC1" << "Algorytm Minty'ego: " + start;
    QTest::newRow("Minty refuses two pieces") << "mintyButton" << "AB1 CD1" << "Algorytm Minty'ego: " + pieces;
    QTest::newRow("Dijkstra-Prim, a path")
        << "dijkstraPrimButton" << "AB1 BC1" << "Algorytm Dijkstry-Prima: " + start;
    QTest::newRow("Dijkstra-Prim refuses two pieces")
        << "dijkstraPrimButton" << "AB1 CD1" << "Algorytm Dijkstry-Prima: " + pieces;
    QTest::newRow("Fleury, a triangle")
        << "fleuryButton" << "AB1 BC1 CA1" << "Algorytm Fleury'ego: Wybierz wierzchołek początkowy.";
    QTest::newRow("Fleury refuses odd degrees")
        << "fleuryButton" << "AB1 BC1" << "Algorytm Fleury'ego: Wprowadź graf Eulerowski.";
}

void TestPerewal::algorithmButtonsOpenModalDialogs()
{
    QFETCH(QString, button);
    QFETCH(QString, graph);
    QFETCH(QString, shown);

    TestGraphs::build(*window->graph(), graph);
    QString seen;
    // Runs in the dialog's own event loop, which only a modal dialog has; closing the dialog ends it.
    QTimer::singleShot(0, window.get(), [&] {
        if (auto *dialog = qobject_cast<AbstractSolver *>(QApplication::activeModalWidget())) {
            seen = dialog->windowTitle() + ": " + dialog->findChild<QLabel *>("currentInfoLabel")->text();
            dialog->reject();
        }
    });
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(seen, shown);
    QVERIFY(!window->findChild<AbstractSolver *>());
}

void TestPerewal::savingKeepsTheOldFileUnlessItSucceeds_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("room"); // bytes a file may grow to, as on a nearly full disk; 0: no limit
    QTest::addColumn<bool>("saved");

    QTest::newRow("over an old, longer file") << "stary.graf" << 0 << true;
    QTest::newRow("onto a folder") << "folder.graf" << 0 << false;
    QTest::newRow("into a missing folder") << "brak/nowy.graf" << 0 << false;
    QTest::newRow("over an old file, the disk full half way") << "stary.graf" << 50 << false;
}

void TestPerewal::savingKeepsTheOldFileUnlessItSucceeds()
{
    QFETCH(QString, target);
    QFETCH(int, room);
    QFETCH(bool, saved);

    QVERIFY(writeFile(path("stary.graf"), QByteArray(500, 'x')));
    QVERIFY(QDir(dir->path()).mkdir("folder.graf"));
    drawTriangle(*window->graph());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit fileSizeLimit{room ? rlim_t(room) : old.rlim_cur, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &fileSizeLimit);
    const bool result = window->saveGraphTo(path(target));
    setrlimit(RLIMIT_FSIZE, &old);

    QCOMPARE(result, saved);
    QCOMPARE(readFile(path("stary.graf")), saved ? triangleFile() : QByteArray(500, 'x'));
    // No half-written file is left beside it either.
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"folder.graf", "stary.graf"}));
    const QString failed = QStringLiteral("Nie udało się zapisać grafu do pliku %1 (...)").arg(path(target));
    QCOMPARE(logged(), saved ? QString() : failed);
}

void TestPerewal::randomGraphsComeBackAsDrawn()
{
    // Names past Z, fractional places, edges drawn both ways, negative and zero weights.
    std::mt19937 rng(40);
    TestGraphs::build(*window->graph(), 40, TestGraphs::randomConnected(rng, 40, 60, -5, 100));
    const QStringList drawn = describe(*window->graph());
    QVERIFY(window->saveGraphTo(path("duzy.graf")));
    QCOMPARE(QFileInfo(path("duzy.graf")).size(), 8 + 18 * 40 + 12 * window->graph()->edges().size());
    window->graph()->addVerticle(QPointF(5, 5));
    QVERIFY(window->loadGraphFrom(path("duzy.graf")));
    QCOMPARE(describe(*window->graph()), drawn);
    QCOMPARE(logged(), QString());
}

void TestPerewal::loadingReplacesTheDrawingOrLogsWhy_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no such file
    QTest::addColumn<QStringList>("scene"); // empty: the drawing stays as it was
    QTest::addColumn<QString>("log");

    const QStringList xyz{"A (1, 1)", "B (2, 2)", "C (3, 3)"};
    QTest::newRow("the triangle") << triangleFile() << triangleDescription << QString();
    QTest::newRow("unknown ends and repeated pairs are skipped, odd names shown by code")
        << graphFile("XYZ", "XQ1 YZ2 ZY5 \tX1") << xyz + QStringList{"BC 2"}
        << "Pominięto krawędź nr 4 z pliku (U+0009-X): w pliku nie ma wierzchołka U+0009\n"
           "Krawedz już istnieje...\nPominięto krawędź nr 1 z pliku (X-Q): w pliku nie ma wierzchołka Q";
    QTest::newRow("a repeated name belongs to its last vertex, a loop is skipped")
        << graphFile("XXY", "YX2 XX1") << xyz + QStringList{"CB 2"}
        << "Pominięto krawędź nr 2 z pliku (X-X): łączy wierzchołek z nim samym";
    QTest::newRow("a missing file") << QByteArray() << QStringList()
                                    << "Nie udało się otworzyć pliku %1 (...), graf pozostał bez zmian";

    auto refused = [](const QString &name, const QByteArray &content) {
        QTest::newRow(qPrintable(name)) << content << QStringList()
            << "Plik %1 jest uszkodzony albo nie zawiera grafu, graf pozostał bez zmian";
    };
    for (int length = 0; length < triangleFile().size(); ++length)
        refused(QStringLiteral("the triangle cut to %1 bytes").arg(length), triangleFile().left(length));
    const QByteArray records = triangleFile().mid(8);
    refused("a negative vertex count", QByteArray::fromHex("ffffffff 00000000"));
    refused("a negative edge count", QByteArray::fromHex("00000003 fffffffd") + records);
    refused("a huge vertex count", QByteArray::fromHex("7fffffff 00000003") + records);
    refused("a huge edge count", QByteArray::fromHex("00000003 7fffffff") + records);
}

void TestPerewal::loadingReplacesTheDrawingOrLogsWhy()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, scene);
    QFETCH(QString, log);

    if (!content.isNull())
        QVERIFY(writeFile(path("plik.graf"), content));
    Graph &graph = *window->graph();
    drawSomething(graph);
    const QStringList before = snapshot(graph);

    const bool loads = !scene.isEmpty();
    QCOMPARE(window->loadGraphFrom(path("plik.graf")), loads);
    QCOMPARE(loads ? describe(graph) : snapshot(graph), loads ? scene : before);
    QCOMPARE(logged(), log.replace(QStringLiteral("%1"), path("plik.graf")));
    // Nothing of the old drawing is left: a label for each vertex, a weight label for each edge.
    QCOMPARE(graph.items().size(), 2 * (graph.verticles().size() + graph.edges().size()));
}

void TestPerewal::fileDialogsStartInGrafyAndCancelCleanly()
{
    drawTriangle(*window->graph());
    const QStringList before = snapshot(*window->graph());
    // The test runs beside the program, where the build copied the examples into grafy.
    const QString grafy = QDir(QCoreApplication::applicationDirPath() + "/grafy").canonicalPath();
    QCOMPARE(cancelDialogOf("graphSaveButton"),
             (QStringList{"Wybierz plik do zapisu", "Pliki z grafami (*.graf)", grafy}));
    QCOMPARE(cancelDialogOf("graphLoadButton"),
             (QStringList{"Wybierz plik z grafem do wczytania", "Pliki z grafami (*.graf)", grafy}));
    QCOMPARE(snapshot(*window->graph()), before);
    QCOMPARE(logged(), QString());
}

QTEST_MAIN(TestPerewal)
#include "tst_perewal.moc"
