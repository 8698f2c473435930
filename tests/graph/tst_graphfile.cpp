#include "graph/graph.h"
#include "graph/graphfile.h"
#include "graph/randomsource.h"
#include "tests/graphfixtures.h"
#include "tests/support/testgraphs.h"

#include <QDataStream>
#include <QSignalSpy>
#include <QtTest>

using namespace fixtures;

namespace {

// A graph file with vertices named by the characters of names, the i-th at
// (i + 1, i + 1), and edges written as "XY3": from X to Y, weight 3.
QByteArray graphFile(const QString &names, const QString &edges = QString())
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

QByteArray written(const Graph &graph)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << graph;
    return bytes;
}

QDataStream::Status read(const QByteArray &bytes, Graph &graph)
{
    QDataStream in(bytes);
    in >> graph;
    return in.status();
}

} // namespace

class TestGraphFile : public QObject
{
    Q_OBJECT

private slots:
    void writesAndReadsTheTriangleByteForByte_data();
    void writesAndReadsTheTriangleByteForByte();
    void saveAndLoadKeepTheDrawing_data();
    void saveAndLoadKeepTheDrawing();
    void recordsAreCheckedOneByOne_data();
    void recordsAreCheckedOneByOne();
    void damagedFileLeavesTheSceneAlone_data();
    void damagedFileLeavesTheSceneAlone();
};

void TestGraphFile::writesAndReadsTheTriangleByteForByte_data()
{
    QTest::addColumn<qreal>("lastWeight");
    QTest::addColumn<QByteArray>("lastRecordWeight");

    QTest::newRow("whole weights, edges in key order") << 1.0 << QByteArray::fromHex("3ff0000000000000");
    QTest::newRow("-2.7 as -2") << -2.7 << QByteArray::fromHex("c000000000000000");
    QTest::newRow("-0.4 as 0 without a sign") << -0.4 << QByteArray::fromHex("0000000000000000");
}

void TestGraphFile::writesAndReadsTheTriangleByteForByte()
{
    QFETCH(qreal, lastWeight);
    QFETCH(QByteArray, lastRecordWeight);

    Graph graph;
    drawTriangle(graph, lastWeight);
    const QByteArray expected = triangleFile().chopped(8) + lastRecordWeight;
    QCOMPARE(written(graph).toHex(' '), expected.toHex(' '));

    Graph loaded;
    QCOMPARE(read(expected, loaded), QDataStream::Ok);
    QCOMPARE(describe(loaded), describe(graph));
}

void TestGraphFile::saveAndLoadKeepTheDrawing_data()
{
    QTest::addColumn<int>("verticles");
    QTest::addColumn<int>("extraEdges");

    QTest::newRow("nothing drawn is two zero counts") << 0 << 0;
    QTest::newRow("a tree and a few cycles") << 9 << 6;
    QTest::newRow("40 vertices, names past Z") << 40 << 60;
}

void TestGraphFile::saveAndLoadKeepTheDrawing()
{
    QFETCH(int, verticles);
    QFETCH(int, extraEdges);

    // Fractional places, edges drawn in both directions, negative and zero weights.
    std::mt19937 rng(verticles);
    Graph original;
    TestGraphs::build(original, verticles, TestGraphs::randomConnected(rng, verticles, extraEdges, -5, 100));
    const QByteArray bytes = written(original);
    QCOMPARE(bytes.size(), 8 + 18 * verticles + 12 * original.edges().size());

    // Loaded over another drawing, which goes; mode and weight scheme stay.
    Graph loaded;
    drawSomething(loaded);
    loaded.setMode(Graph::AddEdge);
    loaded.setWeightScheme(Graph::Manhattan);
    QSignalSpy info(&loaded, &Graph::showExternInfo);
    QCOMPARE(read(bytes, loaded), QDataStream::Ok);

    QCOMPARE(describe(loaded), describe(original));
    QCOMPARE(info.count(), 0);
    QCOMPARE(loaded.mode(), int(Graph::AddEdge));
    QCOMPARE(loaded.weightScheme(), int(Graph::Manhattan));
}

void TestGraphFile::recordsAreCheckedOneByOne_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("edges");
    QTest::addColumn<QStringList>("messages");

    const QString duplicate = QStringLiteral("Krawedz już istnieje...");
    QTest::newRow("vertices X, Y, Z show as A, B, C") << graphFile("XYZ") << QStringList() << QStringList();
    QTest::newRow("an edge keeps its direction") << graphFile("XYZ", "ZX3") << QStringList{"CA 3"} << QStringList();
    QTest::newRow("a repeated pair is refused") << graphFile("XYZ", "XY3 XY4") << QStringList{"AB 3"}
                                                << QStringList{duplicate};
    QTest::newRow("a reversed pair is refused") << graphFile("XYZ", "YX3 XY4") << QStringList{"BA 3"}
                                                << QStringList{duplicate};
    QTest::newRow("unknown ends are skipped, odd ones shown by code")
        << graphFile("XYZ", "XQ1 YZ2 \tX1") << QStringList{"BC 2"}
        << QStringList{"Pominięto krawędź nr 1 z pliku (X-Q): w pliku nie ma wierzchołka Q",
                       "Pominięto krawędź nr 3 z pliku (U+0009-X): w pliku nie ma wierzchołka U+0009"};
    QTest::newRow("a repeated name belongs to its last vertex, a loop is skipped")
        << graphFile("XXY", "YX2 XX1") << QStringList{"CB 2"}
        << QStringList{"Pominięto krawędź nr 2 z pliku (X-X): łączy wierzchołek z nim samym"};
    // RandomSource restarts at 1 for every row: its first value, 41, gives 41 % 10 + 5.
    QTest::newRow("plus infinity weighs 5 to 14") << graphFile("XYZ", "XYinf") << QStringList{"AB 6"}
                                                  << QStringList();
}

void TestGraphFile::recordsAreCheckedOneByOne()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, edges);
    QFETCH(QStringList, messages);

    Graph graph;
    drawSomething(graph);
    QSignalSpy info(&graph, &Graph::showExternInfo);
    RandomSource::seed(1);
    QCOMPARE(read(file, graph), QDataStream::Ok);

    QCOMPARE(describe(graph), (QStringList{"A (1, 1)", "B (2, 2)", "C (3, 3)"} + edges));
    QStringList shown;
    for (const QList<QVariant> &signal : info)
        shown.append(signal.first().toString());
    QCOMPARE(shown, messages);
    // Nothing of the old drawing is left: each vertex has its label, each edge its weight label.
    QCOMPARE(graph.items().size(), 2 * (graph.verticles().size() + graph.edges().size()));
}

void TestGraphFile::damagedFileLeavesTheSceneAlone_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");

    const int pastEnd = QDataStream::ReadPastEnd;
    const int corrupt = QDataStream::ReadCorruptData;
    const QByteArray whole = triangleFile();
    for (int length = 0; length < whole.size(); ++length)
        QTest::addRow("the triangle cut to %d bytes", length) << whole.left(length) << pastEnd;

    const QByteArray records = whole.mid(8);
    QTest::newRow("a negative vertex count") << QByteArray::fromHex("ffffffff 00000000") << corrupt;
    QTest::newRow("a negative edge count") << QByteArray::fromHex("00000003 fffffffd") + records << corrupt;
    QTest::newRow("a huge vertex count") << QByteArray::fromHex("7fffffff 00000003") + records << pastEnd;
    QTest::newRow("a huge edge count") << QByteArray::fromHex("00000003 7fffffff") + records << pastEnd;
}

void TestGraphFile::damagedFileLeavesTheSceneAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);

    Graph graph;
    drawSomething(graph);
    const QStringList before = snapshot(graph);
    QSignalSpy info(&graph, &Graph::showExternInfo);

    QCOMPARE(int(read(file, graph)), status);

    QCOMPARE(snapshot(graph), before);
    QCOMPARE(info.count(), 0);
}

QTEST_MAIN(TestGraphFile)
#include "tst_graphfile.moc"
