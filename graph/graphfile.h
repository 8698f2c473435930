#ifndef GRAPHFILE_H
#define GRAPHFILE_H

#include <QChar>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>

class Graph;
class QDataStream;

/**
 * A graph file: the vertex and edge counts, then one record per vertex
 * (name, x, y) in list order and one per edge (start name, end name, whole
 * weight) in key order, big-endian as Qt's QDataStream writes them.
 *
 * A file is read and checked as a whole before any drawing is touched: read()
 * either keeps the file's records or refuses the file with a reason the user
 * can read, and only replace() then puts the records on a scene.
 */
class GraphFile
{
    Q_DECLARE_TR_FUNCTIONS(GraphFile)

public:
    /// The most edge records a file may hold: loading and drawing them then stays within about 2 GB.
    static constexpr qint32 MaxEdges = 300000;
    /// Skipped edge records named one by one; the rest are counted in one line.
    static constexpr int NamedSkips = 10;
    /**
     * The largest magnitude of a coordinate and of a weight a file may hold:
     * beyond them a drawing cannot be shown whole, nor a weight typed. Files
     * this program writes never hold more.
     */
    static constexpr double MaxCoordinate = 1000000;
    static constexpr double MaxWeight = 999999999;

    /**
     * Reads the file. Only a regular file is opened, without waiting for a
     * writer or a device; its size must be exactly what its counts promise,
     * with at most Graph::MaxVerticles vertices and MaxEdges edges; every
     * coordinate must be a number of magnitude at most MaxCoordinate and
     * every weight one of magnitude at most MaxWeight, or plus infinity.
     * False with errorString() saying why otherwise.
     */
    bool read(const QString &fileName);
    /// Reads a graph from the stream under the same rules, except that bytes after the last record are not looked at.
    bool read(QDataStream &in);

    /**
     * Replaces the content of the graph by the records read. Edge records
     * that name a vertex missing from the file, join a vertex to itself or
     * repeat a pair are skipped; the first NamedSkips are reported one by one
     * through the graph's showExternInfo(), the rest in one line. Edges of
     * negative weight are named there too, as Minty's algorithm refuses them.
     */
    void replace(Graph &graph) const;

    /// Writes the graph to the file, replacing the file only when the whole graph was written.
    bool write(const QString &fileName, const Graph &graph);
    /**
     * Writes bytes to the file through a temporary file that replaces it only
     * when complete: on failure the file stays as it was, and error, when
     * given, says why in Polish.
     */
    static bool writeWhole(const QString &fileName, const QByteArray &bytes, QString *error);

    /// Why the last read() or write() failed, in Polish.
    QString errorString() const { return m_error; }

private:
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

    bool fail(const QString &reason);
    bool readRecords(QDataStream &in, qint64 available, bool exact);

    QList<VerticleRecord> m_verticles;
    QList<EdgeRecord> m_edges;
    QString m_error;
};

/// Writes the whole graph as a graph file and returns out.
QDataStream &operator<<(QDataStream &out, const Graph &graph);

/**
 * Replaces the content of the graph by the graph read from in, as
 * GraphFile::read() and GraphFile::replace() do. A refused graph leaves the
 * graph as it was and sets the stream's status: ReadPastEnd when the stream
 * ends early, ReadCorruptData otherwise.
 */
QDataStream &operator>>(QDataStream &in, Graph &graph);

#endif // GRAPHFILE_H
