#ifndef CANVASMARKS_H
#define CANVASMARKS_H

#include <QColor>
#include <QGraphicsItem>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class GraphEdge;
class GraphVerticle;

/**
 * Marks a solver dialog draws over the canvas in ways no step uses: rings
 * around vertices, wide bands under edges, numbers beside edges. One item
 * paints all marks of a kind, so that thousands of them (the numbers of a
 * long route) come and go at the cost of a list, not of scene items.
 */
class CanvasMarks : public QGraphicsItem
{
public:
    enum { Type = UserType + 3 };
    enum Kind { Bands, Rings, Numbers };

    CanvasMarks(Kind kind, const QString &layer);

    /// A ring `spread` units outside the vertex's circle.
    void addRing(const GraphVerticle *v, const QColor &colour, int spread);
    /// A band under the edge's line.
    void addBand(const GraphEdge *e, const QColor &colour);
    /// A number in a box above and left of the edge's middle, where its weight is not.
    void addNumber(const GraphEdge *e, int number);
    /**
     * Marks found only when first needed (drawn, bounded or described): a
     * route of thousands of edges is numbered when the canvas shows it, not
     * within the click that ends the run.
     */
    void addLater(std::function<void(CanvasMarks &)> fill);
    void clear();
    bool isEmpty() const { return m_marks.empty() && !m_pending; }

    /// What is marked, as a person names it: "A", "AB", or "AB 3" for a number; "result" or "refusal" first.
    QStringList describe() const;
    /// The colour of the item's mark, without its transparency; invalid when it has none.
    QColor colourOf(const QGraphicsItem *item) const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    int type() const override { return Type; }

private:
    struct Mark
    {
        const QGraphicsItem *item;
        QLineF geometry; // a band's line; a ring's centre and (radius, 0); a number's box corners
        QRgb colour;
        int number;
    };

    QRectF extentOf(const Mark &mark) const;
    void add(const Mark &mark);
    void fillPending() const;

    Kind m_kind;
    QString m_layer;
    std::vector<Mark> m_marks;
    QRectF m_bounds;
    mutable std::function<void(CanvasMarks &)> m_pending;
    bool m_filling = false;
};

#endif // CANVASMARKS_H
