#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"
#include "graph/randomsource.h"
#include "tests/graphfixtures.h"

#include <QBuffer>
#include <QDataStream>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <limits>
#include <memory>

using namespace fixtures;

namespace {

// Composes graph files record by record; the counts follow the records
// unless a test sets them.
class FileBuilder
{
public:
    FileBuilder &verticle(QChar name, double x = 0, double y = 0)
    {
        QDataStream out(&m_records, QIODevice::Append);
        out << name << x << y;
        ++m_verticles;
        return *this;
    }
    FileBuilder &edge(QChar start, QChar end, double weight = 1)
    {
        QDataStream out(&m_records, QIODevice::Append);
        out << start << end << weight;
        ++m_edges;
        return *this;
    }
    FileBuilder &counts(qint32 verticles, qint32 edges)
    {
        m_verticles = verticles;
        m_edges = edges;
        return *this;
    }
    FileBuilder &rawBytes(int count)
    {
        m_records.append(count, '\x5a');
        return *this;
    }
    QByteArray bytes() const
    {
        QByteArray result;
        QDataStream(&result, QIODevice::WriteOnly) << m_verticles << m_edges;
        return result + m_records;
    }

private:
    QByteArray m_records;
    qint32 m_verticles = 0;
    qint32 m_edges = 0;
};

QByteArray written(const Graph &graph)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << graph;
    return bytes;
}

QDataStream::Status read(QIODevice &device, Graph &graph)
{
    QDataStream in(&device);
    in >> graph;
    return in.status();
}

QDataStream::Status read(const QByteArray &bytes, Graph &graph)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, graph);
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &signal : spy)
        result.append(signal.first().toString());
    return result;
}

// Like a pipe or a socket: no size to look at, the data simply ends.
class Pipe : public QIODevice
{
public:
    explicit Pipe(const QByteArray &data)
        : m_data(data)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 size = qMin(maxSize, qint64(m_data.size()) - m_read);
        memcpy(data, m_data.constData() + m_read, size_t(size));
        m_read += size;
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_read = 0;
};

const QString duplicate = QStringLiteral("Krawedz już istnieje...");

} // namespace

class TestGraphFile : public QObject
{
    Q_OBJECT

private slots:
    void writesTheFileByteForByte_data();
    void writesTheFileByteForByte();
    void weightsAreWrittenWhole_data();
    void weightsAreWrittenWhole();
    void readsTheTriangle();
    void saveAndLoadKeepTheDrawing_data();
    void saveAndLoadKeepTheDrawing();
    void recordsAreCheckedOneByOne_data();
    void recordsAreCheckedOneByOne();
    void damagedFileLeavesTheSceneAlone_data();
    void damagedFileLeavesTheSceneAlone();
};

void TestGraphFile::writesTheFileByteForByte_data()
{
    QTest::addColumn<bool>("triangle");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("an empty graph is two zero counts") << false << QByteArray(8, '\0');
    QTest::newRow("the triangle, edges in key order") << true << triangleFile();
}

void TestGraphFile::writesTheFileByteForByte()
{
    QFETCH(bool, triangle);
    QFETCH(QByteArray, expected);

    Graph graph;
    if (triangle)
        drawTriangle(graph);
    const QStringList before = snapshot(graph);

    QCOMPARE(written(graph).toHex(' '), expected.toHex(' '));
    QCOMPARE(snapshot(graph), before);
}

void TestGraphFile::weightsAreWrittenWhole_data()
{
    QTest::addColumn<qreal>("weight");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("-2.5 as -2") << -2.5 << QByteArray::fromHex("c000000000000000");
    QTest::newRow("-0.4 as 0 without a sign") << -0.4 << QByteArray::fromHex("0000000000000000");
    QTest::newRow("minus infinity stays") << -std::numeric_limits<qreal>::infinity()
                                          << QByteArray::fromHex("fff0000000000000");
}

void TestGraphFile::weightsAreWrittenWhole()
{
    QFETCH(qreal, weight);
    QFETCH(QByteArray, expected);

    Graph graph;
    GraphVerticle *a = graph.addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph.addVerticle(QPointF(5, 5));
    QVERIFY(graph.addEdge(a, b, weight));
    const QByteArray bytes = written(graph);
    QCOMPARE(bytes.size(), 8 + 2 * 18 + 12);
    QCOMPARE(bytes.right(12).toHex(' '), (QByteArray::fromHex("0041 0042") + expected).toHex(' '));
}

void TestGraphFile::readsTheTriangle()
{
    Graph graph;
    QSignalSpy info(&graph, &Graph::showExternInfo);
    QCOMPARE(read(triangleFile(), graph), QDataStream::Ok);

    const QList<GraphVerticle *> v = graph.verticles();
    QCOMPARE(names(v), (QStringList{"A", "B", "C"}));
    QCOMPARE(v[0]->pos(), QPointF(10, 20));
    QCOMPARE(v[1]->pos(), QPointF(50, 20));
    QCOMPARE(v[2]->pos(), QPointF(30, 60));
    QCOMPARE(names(graph.edges()), (QStringList{"AB", "BC", "CA"}));
    QList<qreal> weights;
    for (const GraphEdge *edge : graph.edges())
        weights.append(edge->weight());
    QCOMPARE(weights, (QList<qreal>{40, 44, 1}));
    QCOMPARE(graph.edges().at(1)->weightLabel()->text(), QStringLiteral("44"));
    QCOMPARE(info.count(), 0);
}

void TestGraphFile::saveAndLoadKeepTheDrawing_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("distance weights") << int(Graph::Distance) << 8 << 1u;
    QTest::newRow("manhattan weights") << int(Graph::Manhattan) << 12 << 2u;
    QTest::newRow("random 0-100 weights") << int(Graph::Random0To100) << 15 << 3u;
    QTest::newRow("40 vertices, names past Z") << int(Graph::Random1To10) << 40 << 4u;
}

void TestGraphFile::saveAndLoadKeepTheDrawing()
{
    QFETCH(int, scheme);
    QFETCH(int, verticles);
    QFETCH(quint32, seed);

    // A random drawing with fractional positions and edges in both directions.
    QRandomGenerator random(seed);
    Graph original;
    original.setWeightScheme(scheme);
    for (int i = 0; i < verticles; ++i)
        original.addVerticle(QPointF(random.bounded(-200.0) + 100, random.bounded(300.0) - 50));
    const QList<GraphVerticle *> v = original.verticles();
    for (int i = 0; i < 2 * verticles; ++i) {
        GraphVerticle *s = v.at(random.bounded(verticles));
        GraphVerticle *e = v.at(random.bounded(verticles));
        if (s != e)
            original.addEdge(s, e, original.newEdgeWeight(s, e));
    }
    const QByteArray bytes = written(original);
    QCOMPARE(bytes.size(), 8 + 18 * verticles + 12 * original.edges().size());

    // Loaded over another drawing, which goes; mode and scheme stay.
    Graph loaded;
    drawTriangle(loaded);
    loaded.setMode(Graph::AddEdge);
    loaded.setWeightScheme(Graph::Manhattan);
    QSignalSpy info(&loaded, &Graph::showExternInfo);
    QCOMPARE(read(bytes, loaded), QDataStream::Ok);

    QCOMPARE(info.count(), 0);
    QCOMPARE(loaded.mode(), int(Graph::AddEdge));
    QCOMPARE(loaded.weightScheme(), int(Graph::Manhattan));
    QCOMPARE(names(loaded.verticles()), names(original.verticles()));
    for (int i = 0; i < verticles; ++i)
        QCOMPARE(loaded.verticles().at(i)->pos(), v.at(i)->pos());
    QCOMPARE(names(loaded.edges()), names(original.edges()));
    for (int i = 0; i < original.edges().size(); ++i) {
        const GraphEdge *edge = loaded.edges().at(i);
        QCOMPARE(edge->weight(), original.edges().at(i)->weight());
        QCOMPARE(edge->weightLabel()->text(), original.edges().at(i)->weightLabel()->text());
    }
    QCOMPARE(written(loaded), bytes);
}

void TestGraphFile::recordsAreCheckedOneByOne_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("verticles");
    QTest::addColumn<QStringList>("edges");
    QTest::addColumn<QList<qreal>>("weights");
    QTest::addColumn<QStringList>("messages");

    const QStringList abc{"A", "B", "C"};
    auto xyz = [] { return FileBuilder().verticle('X', 1, 1).verticle('Y', 2, 2).verticle('Z', 3, 3); };

    QTest::newRow("two zero counts empty the scene") << FileBuilder().bytes() << QStringList() << QStringList()
                                                     << QList<qreal>() << QStringList();
    QTest::newRow("names follow positions without edges") << xyz().bytes() << abc << QStringList()
                                                          << QList<qreal>() << QStringList();
    QTest::newRow("names follow positions with an edge")
        << xyz().edge('X', 'Y', 3).bytes() << abc << QStringList{"AB"} << QList<qreal>{3} << QStringList();
    QTest::newRow("an edge keeps its direction")
        << xyz().edge('Z', 'X', 3).bytes() << abc << QStringList{"CA"} << QList<qreal>{3} << QStringList();
    QTest::newRow("a repeated pair is refused")
        << xyz().edge('X', 'Y', 3).edge('X', 'Y', 4).bytes() << abc << QStringList{"AB"} << QList<qreal>{3}
        << QStringList{duplicate};
    QTest::newRow("a reversed pair is refused")
        << xyz().edge('X', 'Y', 3).edge('Y', 'X', 4).bytes() << abc << QStringList{"AB"} << QList<qreal>{3}
        << QStringList{duplicate};
    QTest::newRow("an unknown end is skipped")
        << xyz().edge('X', 'Q').edge('Y', 'Z', 2).bytes() << abc << QStringList{"BC"} << QList<qreal>{2}
        << QStringList{"Pominięto krawędź nr 1 z pliku (X-Q): w pliku nie ma wierzchołka Q"};
    QTest::newRow("an unknown start is skipped")
        << xyz().edge('Y', 'Z', 2).edge('A', 'Z').bytes() << abc << QStringList{"BC"} << QList<qreal>{2}
        << QStringList{"Pominięto krawędź nr 2 z pliku (A-Z): w pliku nie ma wierzchołka A"};
    QTest::newRow("edges without vertices are skipped")
        << FileBuilder().edge('A', 'B').bytes() << QStringList() << QStringList() << QList<qreal>()
        << QStringList{"Pominięto krawędź nr 1 z pliku (A-B): w pliku nie ma wierzchołka A"};
    QTest::newRow("a null character is shown by its code")
        << xyz().edge(QChar(0), 'X').bytes() << abc << QStringList() << QList<qreal>()
        << QStringList{"Pominięto krawędź nr 1 z pliku (U+0000-X): w pliku nie ma wierzchołka U+0000"};
    QTest::newRow("a loop is skipped")
        << xyz().edge('Z', 'Z').edge('X', 'Z', 5).bytes() << abc << QStringList{"AC"} << QList<qreal>{5}
        << QStringList{"Pominięto krawędź nr 1 z pliku (Z-Z): łączy wierzchołek z nim samym"};
    QTest::newRow("a repeated name belongs to its last vertex")
        << FileBuilder().verticle('X').verticle('X', 5).verticle('Y', 9).edge('Y', 'X', 2).edge('X', 'X').bytes()
        << abc << QStringList{"CB"} << QList<qreal>{2}
        << QStringList{"Pominięto krawędź nr 2 z pliku (X-X): łączy wierzchołek z nim samym"};
    // RandomSource restarts at 1 for every row: its first value, 41, gives 41 % 10 + 5.
    QTest::newRow("plus infinity weighs 5 to 14")
        << xyz().edge('X', 'Y', std::numeric_limits<double>::infinity()).bytes() << abc << QStringList{"AB"}
        << QList<qreal>{6} << QStringList();
}

void TestGraphFile::recordsAreCheckedOneByOne()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, verticles);
    QFETCH(QStringList, edges);
    QFETCH(QList<qreal>, weights);
    QFETCH(QStringList, messages);

    Graph graph;
    drawTriangle(graph);
    QSignalSpy info(&graph, &Graph::showExternInfo);
    RandomSource::seed(1);
    QCOMPARE(read(file, graph), QDataStream::Ok);

    QCOMPARE(names(graph.verticles()), verticles);
    QCOMPARE(names(graph.edges()), edges);
    QList<qreal> readWeights;
    for (const GraphEdge *edge : graph.edges())
        readWeights.append(edge->weight());
    QCOMPARE(readWeights, weights);
    QCOMPARE(texts(info), messages);
    // Nothing of the old drawing is left: each vertex has its label, each edge its weight label.
    QCOMPARE(graph.items().size(), 2 * (verticles.size() + edges.size()));
}

void TestGraphFile::damagedFileLeavesTheSceneAlone_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<int>("status");

    const QByteArray whole = triangleFile();
    for (int length = 0; length < whole.size(); ++length) {
        QTest::addRow("the triangle cut to %d bytes", length) << whole.left(length) << false
                                                               << int(QDataStream::ReadPastEnd);
    }
    const QByteArray records = whole.mid(8);
    const int corrupt = QDataStream::ReadCorruptData;
    const int pastEnd = QDataStream::ReadPastEnd;
    QTest::newRow("a negative vertex count") << FileBuilder().counts(-1, 0).bytes() << false << corrupt;
    QTest::newRow("a negative edge count") << FileBuilder().counts(3, -3).bytes() + records << false << corrupt;
    QTest::newRow("the lowest count") << FileBuilder().counts(std::numeric_limits<qint32>::min(), 0).bytes()
                                      << false << corrupt;
    QTest::newRow("a huge vertex count") << FileBuilder().counts(std::numeric_limits<qint32>::max(), 3).bytes()
                                                + records
                                         << false << pastEnd;
    QTest::newRow("a huge edge count") << FileBuilder().counts(3, std::numeric_limits<qint32>::max()).bytes()
                                              + records
                                       << false << pastEnd;
    QTest::newRow("one edge record too many") << FileBuilder().counts(3, 4).bytes() + records << false << pastEnd;
    QTest::newRow("huge counts from a device without a size")
        << FileBuilder().counts(std::numeric_limits<qint32>::max(), 1).rawBytes(18 * 5000).bytes() << true
        << pastEnd;
}

void TestGraphFile::damagedFileLeavesTheSceneAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, sequential);
    QFETCH(int, status);

    Graph graph;
    drawTriangle(graph);
    graph.addVerticle(QPointF(70, 80));
    const QStringList before = snapshot(graph);
    QSignalSpy info(&graph, &Graph::showExternInfo);

    std::unique_ptr<QIODevice> device;
    if (sequential) {
        device = std::make_unique<Pipe>(file);
    } else {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(file);
        buffer->open(QIODevice::ReadOnly);
        device = std::move(buffer);
    }
    QCOMPARE(int(read(*device, graph)), status);

    QCOMPARE(snapshot(graph), before);
    QCOMPARE(info.count(), 0);
}

QTEST_MAIN(TestGraphFile)
#include "tst_graphfile.moc"
