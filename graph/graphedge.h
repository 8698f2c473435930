#ifndef GRAPHEDGE_H
#define GRAPHEDGE_H

#include <QGraphicsLineItem>

class Graph;
class GraphVerticle;
class QGraphicsSimpleTextItem;

/**
 * An undirected, weighted edge: a line between two vertices with its weight
 * written at the middle. It remembers which end came first; that order shows
 * in name() and in graph files.
 */
class GraphEdge : public QGraphicsLineItem
{
public:
    enum { Type = UserType + 1 };

    /// A weight of plus infinity is replaced by a random whole number from 5 to 14.
    GraphEdge(Graph *graph, GraphVerticle *start, GraphVerticle *end, qreal weight);
    ~GraphEdge() override;

    GraphVerticle *start() const { return m_start; }
    GraphVerticle *end() const { return m_end; }

    /// The weight everybody sees: the stored weight truncated toward zero.
    qreal weight() const;
    /// The weight as stored, with its fraction.
    qreal storedWeight() const { return m_weight; }
    /// Stores a new weight and shows it.
    void setWeight(qreal weight);

    void setPenStyle(Qt::PenStyle style);
    void setPenWidth(qreal width);
    void setPenColor(Qt::GlobalColor color);

    /// Lays out the line between the two circles, the pen width, the z-value and, once the edge is in a scene, the weight label.
    void updatePosition();

    /// The start's name followed by the end's name, e.g. "AB".
    QString name() const;

    /// Back to the default look: black, solid, width 2.
    void reset();

    /// The weight label; null until the first updatePosition() in a scene.
    QGraphicsSimpleTextItem *weightLabel() const { return m_weightLabel; }

    int type() const override { return Type; }
    /// A band a few pixels wide along the line: a click beside the thin line still finds the edge.
    QPainterPath shape() const override;
    QRectF boundingRect() const override;

private:
    friend class Graph; // takes the labels back when it clears the whole scene

    void aboutToMark();

    GraphVerticle *m_start;
    GraphVerticle *m_end;
    Graph *m_graph;
    QGraphicsSimpleTextItem *m_weightLabel = nullptr;
    qreal m_weight;
};

#endif // GRAPHEDGE_H
