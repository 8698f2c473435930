#include "graph/graphfile.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QPointF>

namespace {

struct VerticleRecord
{
    QChar name;
    QPointF pos;
};

struct EdgeRecord
{
    QChar start;
    QChar end;
    double weight = 0;
};

QDataStream &operator>>(QDataStream &in, VerticleRecord &record)
{
    double x = 0;
    double y = 0;
    in >> record.name >> x >> y;
    record.pos = QPointF(x, y);
    return in;
}

QDataStream &operator>>(QDataStream &in, EdgeRecord &record)
{
    return in >> record.start >> record.end >> record.weight;
}

// Reads one record at a time, so a damaged count cannot make the list hold
// more than the bytes actually read.
template<typename Record>
bool readRecords(QDataStream &in, qint32 count, QList<Record> &records, qint64 recordSize)
{
    // Room for as many records as the bytes left can hold, never what a damaged count claims.
    if (const QIODevice *device = in.device(); device && !device->isSequential())
        records.reserve(int(qMin<qint64>(count, device->bytesAvailable() / recordSize)));
    for (qint32 i = 0; i < count; ++i) {
        Record record;
        in >> record;
        if (in.status() != QDataStream::Ok)
            return false;
        records.append(record);
    }
    return true;
}

// A name character as the user can read it; control characters and the like
// from a foreign file are shown by their code.
QString readable(QChar c)
{
    if (c.isPrint() && !c.isSpace())
        return QString(c);
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QDataStream &operator<<(QDataStream &out, const Graph &graph)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const QList<GraphEdge *> edges = graph.edges();
    out << qint32(verticles.size()) << qint32(edges.size());
    for (const GraphVerticle *v : verticles)
        out << v->name().at(0) << double(v->pos().x()) << double(v->pos().y());
    for (const GraphEdge *edge : edges)
        out << edge->start()->name().at(0) << edge->end()->name().at(0) << double(edge->weight());
    return out;
}

QDataStream &operator>>(QDataStream &in, Graph &graph)
{
    qint32 verticleCount = 0;
    qint32 edgeCount = 0;
    in >> verticleCount >> edgeCount;
    if (in.status() == QDataStream::Ok && (verticleCount < 0 || edgeCount < 0))
        in.setStatus(QDataStream::ReadCorruptData);

    // Everything is read before the scene is touched: a damaged file leaves it as it was.
    QList<VerticleRecord> verticleRecords;
    QList<EdgeRecord> edgeRecords;
    if (in.status() != QDataStream::Ok || !readRecords(in, verticleCount, verticleRecords, 18)
        || !readRecords(in, edgeCount, edgeRecords, 12))
        return in;

    graph.removeAll();
    const Graph::Batch batch(graph);
    // Edges name their ends by the characters of the vertex records; a later
    // record with the same character takes the name over.
    QHash<QChar, GraphVerticle *> byName;
    byName.reserve(verticleRecords.size());
    for (const VerticleRecord &record : std::as_const(verticleRecords))
        byName.insert(record.name, graph.addVerticle(record.pos));

    for (int i = 0; i < edgeRecords.size(); ++i) {
        const EdgeRecord &record = edgeRecords.at(i);
        GraphVerticle *start = byName.value(record.start);
        GraphVerticle *end = byName.value(record.end);
        const QString edgeName = readable(record.start) + QLatin1Char('-') + readable(record.end);
        if (!start || !end) {
            emit graph.showExternInfo(Graph::tr("Pominięto krawędź nr %1 z pliku (%2): w pliku nie ma "
                                                "wierzchołka %3")
                                          .arg(i + 1)
                                          .arg(edgeName, readable(start ? record.end : record.start)));
        } else if (start == end) {
            emit graph.showExternInfo(Graph::tr("Pominięto krawędź nr %1 z pliku (%2): łączy wierzchołek "
                                                "z nim samym")
                                          .arg(i + 1)
                                          .arg(edgeName));
        } else {
            graph.addEdge(start, end, record.weight);
        }
    }
    return in;
}
