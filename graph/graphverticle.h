#ifndef GRAPHVERTICLE_H
#define GRAPHVERTICLE_H

#include <QGraphicsEllipseItem>
#include <QList>

class Graph;
class GraphEdge;
class QGraphicsSimpleTextItem;

/**
 * A vertex of the drawn graph: a circle of radius 10 centred on the item's
 * position, with its one-character name in the middle. Created, named and
 * deleted by its Graph.
 */
class GraphVerticle : public QGraphicsEllipseItem
{
public:
    enum { Type = UserType + 2 };

    explicit GraphVerticle(Graph *graph);

    /// Stores the name and centres the name label on the circle.
    void setName(QChar name);
    /// A one-character string holding the name.
    QString name() const;
    /// The name's one character, for texts of thousands of names.
    QChar nameCharacter() const { return m_name; }
    /// Creation order, never reused; the scene orders edges by it.
    quint64 serial() const { return m_serial; }

    void setRadius(int r);
    void setBrushColor(Qt::GlobalColor color);
    void setPenWidth(int width);
    void setPenColor(Qt::GlobalColor color);
    /// Back to the default look: outline width 0, radius 10, white fill, black outline.
    void reset();

    /// The edges that have this vertex at either end, in the scene's edge order.
    QList<GraphEdge *> edges() const;
    /// The vertex at the other end of each of edges(), in the same order.
    QList<GraphVerticle *> neighbours() const;

    int type() const override { return Type; }

private:
    friend class Graph;

    void aboutToMark();

    Graph *m_graph;
    QChar m_name;
    QGraphicsSimpleTextItem *m_label = nullptr;
    quint64 m_serial;
    // Kept by the scene: this vertex's edges in the scene's key order.
    QList<GraphEdge *> m_incident;
};

#endif // GRAPHVERTICLE_H
