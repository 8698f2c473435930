#include "solvers/canvasmarks.h"

#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace {

const qreal ringWidth = 5;
const qreal bandWidth = 11;

const QFont &numberFont()
{
    static const QFont font(QStringLiteral("Verdana"), 9, QFont::Bold);
    return font;
}

// A number's width from its digits' widths, measured once, where the font's
// digits are all alike and do not kern (as in Verdana and its stand-ins).
qreal numberWidth(int number)
{
    static const QFontMetricsF metrics(numberFont());
    static const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
    static const bool alike = [] {
        for (char c = '1'; c <= '9'; ++c) {
            if (metrics.horizontalAdvance(QLatin1Char(c)) != digit)
                return false;
        }
        for (char a = '0'; a <= '9'; ++a) {
            for (char b = '0'; b <= '9'; ++b) {
                if (metrics.horizontalAdvance(QString(QLatin1Char(a)) + QLatin1Char(b)) != 2 * digit)
                    return false;
            }
        }
        return true;
    }();
    if (!alike || number < 0)
        return metrics.horizontalAdvance(QString::number(number));
    int digits = 1;
    for (int rest = number / 10; rest > 0; rest /= 10)
        ++digits;
    return digits * digit;
}

} // namespace

CanvasMarks::CanvasMarks(Kind kind, const QString &layer)
    : m_kind(kind)
    , m_layer(layer)
{
    // Bands lie under the edges, rings under the vertices, numbers over the weights.
    setZValue(kind == Bands ? -2 : kind == Rings ? -0.5 : 21);
    setFlag(ItemUsesExtendedStyleOption);
}

void CanvasMarks::addRing(const GraphVerticle *v, const QColor &colour, int spread)
{
    const qreal radius = v->rect().width() / 2 + spread;
    add({v, QLineF(v->scenePos(), v->scenePos() + QPointF(radius, 0)), colour.rgba(), 0});
}

void CanvasMarks::addBand(const GraphEdge *e, const QColor &colour)
{
    QColor band = colour;
    band.setAlpha(140);
    add({e, e->line(), band.rgba(), 0});
}

void CanvasMarks::addNumber(const GraphEdge *e, int number)
{
    static const QFontMetricsF metrics(numberFont());
    const QSizeF size(numberWidth(number) + 4, metrics.height());
    const QPointF corner = e->line().center() - QPointF(size.width() + 2, size.height() + 2);
    add({e, QLineF(corner, corner + QPointF(size.width(), size.height())), qRgb(0, 0, 160), number});
}

void CanvasMarks::addLater(std::function<void(CanvasMarks &)> fill)
{
    fillPending();
    prepareGeometryChange();
    m_pending = std::move(fill);
}

void CanvasMarks::fillPending() const
{
    if (!m_pending)
        return;
    auto *self = const_cast<CanvasMarks *>(this);
    const auto fill = std::move(m_pending);
    m_pending = nullptr;
    // Asked by the scene for the bounds: they are found, not announced.
    self->m_filling = true;
    fill(*self);
    self->m_filling = false;
}

void CanvasMarks::add(const Mark &mark)
{
    const QRectF extent = extentOf(mark);
    if (m_filling) {
        m_bounds = m_bounds.united(extent);
        m_marks.push_back(mark);
        return;
    }
    if (!m_bounds.contains(extent)) {
        prepareGeometryChange();
        m_bounds = m_bounds.united(extent);
    }
    m_marks.push_back(mark);
    update(extent);
}

void CanvasMarks::clear()
{
    m_pending = nullptr;
    if (m_marks.empty())
        return;
    prepareGeometryChange();
    m_marks.clear();
    m_bounds = QRectF();
}

QRectF CanvasMarks::extentOf(const Mark &mark) const
{
    switch (m_kind) {
    case Bands:
        return QRectF(mark.geometry.p1(), mark.geometry.p2()).normalized().adjusted(-bandWidth, -bandWidth, bandWidth,
                                                                                    bandWidth);
    case Rings: {
        const qreal r = mark.geometry.dx() + ringWidth;
        return QRectF(mark.geometry.p1() - QPointF(r, r), QSizeF(2 * r, 2 * r));
    }
    case Numbers:
        return QRectF(mark.geometry.p1(), mark.geometry.p2()).adjusted(-1, -1, 1, 1);
    }
    return QRectF();
}

QStringList CanvasMarks::describe() const
{
    fillPending();
    QStringList marks;
    for (const Mark &mark : m_marks) {
        QString name;
        if (mark.item->type() == GraphVerticle::Type)
            name = static_cast<const GraphVerticle *>(mark.item)->name();
        else if (mark.item->type() == GraphEdge::Type)
            name = static_cast<const GraphEdge *>(mark.item)->name();
        marks.append(m_layer + QLatin1Char(' ') + name
                     + (m_kind == Numbers ? QLatin1Char(' ') + QString::number(mark.number) : QString()));
    }
    return marks;
}

QColor CanvasMarks::colourOf(const QGraphicsItem *item) const
{
    fillPending();
    for (const Mark &mark : m_marks) {
        if (mark.item == item)
            return QColor::fromRgb(qRgb(qRed(mark.colour), qGreen(mark.colour), qBlue(mark.colour)));
    }
    return QColor();
}

QRectF CanvasMarks::boundingRect() const
{
    fillPending();
    return m_bounds;
}

void CanvasMarks::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    fillPending();
    const QRectF exposed = option->exposedRect;
    painter->setBrush(Qt::NoBrush);
    if (m_kind == Numbers) {
        painter->setFont(numberFont());
        painter->setPen(QPen(QColor(0, 0, 160), 1));
        painter->setBrush(QColor(255, 250, 205));
    }
    for (const Mark &mark : m_marks) {
        if (!exposed.intersects(extentOf(mark)))
            continue;
        switch (m_kind) {
        case Bands:
            painter->setPen(QPen(QColor::fromRgba(mark.colour), bandWidth, Qt::SolidLine, Qt::RoundCap));
            painter->drawLine(mark.geometry);
            break;
        case Rings:
            painter->setPen(QPen(QColor::fromRgba(mark.colour), ringWidth));
            painter->drawEllipse(mark.geometry.p1(), mark.geometry.dx(), mark.geometry.dx());
            break;
        case Numbers: {
            const QRectF box(mark.geometry.p1(), mark.geometry.p2());
            painter->drawRect(box);
            painter->drawText(box, Qt::AlignCenter, QString::number(mark.number));
            break;
        }
        }
    }
}
