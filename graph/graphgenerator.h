#ifndef GRAPHGENERATOR_H
#define GRAPHGENERATOR_H

#include "graph/graph.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

/**
 * Fresh graphs by number: a graph of the asked size and kind, laid out to be
 * read from the back of a classroom, made the same, byte for byte, for the
 * same number and settings on every computer and every build.
 *
 * Use:
 * \code
 *   GraphGenerator::Settings settings;
 *   settings.verticles = 12;
 *   settings.kind = GraphGenerator::EulerianConnected;
 *   settings.number = 48213;
 *   GraphGenerator generator(settings);
 *   if (generator.generate())
 *       generator.replaceDrawing(*graph);  // one undoable step, "Graf nr 48213"
 *   else
 *       log(generator.errorString());
 * \endcode
 *
 * Everything is whole numbers from the generator's own random source: no
 * standard distributions, no floating point, no trigonometry. The vertices
 * lie on a jittered grid inside area(), at least MinDistance apart; no
 * vertex lies within Clearance of an edge it is not an end of, and no two
 * weights overlap (LabelSpacing) while the graph has at most 2,000 edges; crossings are
 * counted exactly and lowered by greedy moves within a fixed budget.
 */
class GraphGenerator
{
    Q_DECLARE_TR_FUNCTIONS(GraphGenerator)

public:
    enum Kind { Any, Connected, EulerianConnected };

    struct Settings
    {
        /// From 1 to Graph::MaxVerticles; an Eulerian connected graph needs at least 3.
        int verticles = 8;
        /// The number of edges; below zero: take it from density.
        int edges = -1;
        /// Used when edges is below zero: the percentage (0-100) of all pairs of vertices that are joined.
        int density = 30;
        Kind kind = Connected;
        Graph::WeightScheme weights = Graph::Unit;
        /// The graph's number: with the same settings, the same graph.
        quint32 number = 1;
    };

    /// The vertex count the dialogs offer unless asked for more: names A to Z.
    static constexpr int DefaultMaxVerticles = 26;
    /// No two vertices are closer than this, in scene units (a vertex has radius 10).
    static constexpr int MinDistance = 60;
    /// No vertex's centre is closer than this to an edge it is not an end of.
    static constexpr int Clearance = 20;
    /// The middles of two edges, where their weights are written, differ by at least this much in x or in y.
    static constexpr QSize LabelSpacing{32, 18};

    struct Edge
    {
        int start; // index of the vertex, start < end
        int end;
        int weight;
    };

    explicit GraphGenerator(const Settings &settings);

    /// The fewest and the most edges a graph of the kind can have on n vertices; min > max when there is none.
    static int minEdges(int verticles, Kind kind);
    static int maxEdges(int verticles, Kind kind);
    /// The edge count the settings ask for, from the count or the density, before it is bounded by the kind.
    static int askedEdges(const Settings &settings);

    /**
     * Makes the graph. False, with errorString() saying why, when no graph
     * of the kind has that many vertices. An edge count the kind cannot meet
     * is brought to the nearest one it can, and note() says so.
     */
    bool generate();
    QString errorString() const { return m_error; }
    /// Empty when the graph is as asked; else, in Polish, how it differs.
    QString note() const { return m_note; }

    const Settings &settings() const { return m_settings; }
    /// Vertex i is named 'A' + i, as the scene names them.
    const QList<QPoint> &positions() const { return m_positions; }
    /// In key order: by start, then by end.
    const QList<Edge> &edges() const { return m_edges; }
    /// The rectangle every vertex's circle lies in.
    QRect area() const { return m_area; }

    /// The graph as the bytes of a *.graf file (see GraphFile).
    QByteArray fileBytes() const;
    /// Crossing pairs of edges in the layout, counted exactly; edges sharing an end count only when they overlap.
    int crossings() const;

    /**
     * Replaces the graph's drawing by the generated graph as one step of its
     * undo stack, named by title(). Call after a successful generate().
     */
    void replaceDrawing(Graph &graph) const;

    /// "Graf nr 48213"
    static QString title(quint32 number);

private:
    void makeAny(int edgeCount);
    void makeConnected(int edgeCount);
    void makeEulerian(int edgeCount);
    struct ParityGrowth;
    bool growEvenly(ParityGrowth &growth, int target);
    void layOut();
    void weigh();

    Settings m_settings;
    QString m_error;
    QString m_note;
    QList<QPoint> m_positions;
    QList<Edge> m_edges;
    QRect m_area;
    // The generator's state, reseeded from the number at every generate().
    quint64 m_state = 0;
    quint32 nextRandom();
    /// A whole number from 0 to bound - 1, without the bias of a plain remainder.
    quint32 below(quint32 bound);
    // The graph while it is made: pairs as start * n + end with start < end.
    QList<QPair<int, int>> m_pairs;
};

#endif // GRAPHGENERATOR_H
