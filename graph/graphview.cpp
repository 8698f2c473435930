#include "graph/graphview.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyleOptionGraphicsItem>
#if PEREWAL_SVG
#include <QSvgGenerator>
#endif
#include <QToolBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// One press of Ctrl++ or one notch of the wheel.
constexpr qreal zoomStep = 1.25;
// A picture has the screen's own resolution: a drawing gets the pixels it
// has at 100 % on this screen (twice as many each way on a screen of twice
// the density), one larger than the screen is fitted into the screen. Twice
// that made a drawing of a thousand vertices take eight repaints to save,
// most of them in encoding four times the pixels; SVG and PDF are for paper.
constexpr qreal pictureScale = 1.0;
// How far inside the viewport's edges the view's own part of its rectangle ends.
constexpr qreal insetPixels = 0.001;

// Where the next picture is saved: the folder of the last one, for the rest of the session.
QString &pictureFolder()
{
    static QString folder = [] {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        return QDir(pictures).exists() ? pictures : QDir::homePath();
    }();
    return folder;
}

} // namespace

void GraphView::setPictureFolder(const QString &folder)
{
    pictureFolder() = folder;
}

// A picture's title names the drawing: the window's title without the place of the unsaved-changes mark.
QString GraphView::documentTitle() const
{
    return window()->windowTitle().remove(QLatin1String("[*]"));
}

GraphView::GraphView(QWidget *parent)
    : QGraphicsView(parent)
{
    // Zooming and following the drawing keep their own point of the scene in place.
    setTransformationAnchor(NoAnchor);
    setResizeAnchor(NoAnchor);
    // A scroll by the user ends the fitting to the whole drawing.
    for (QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { m_fitZoom = 0; });

    addCanvasAction(tr("−"), tr("Pomniejsza rysunek (Ctrl+- albo Ctrl i kółko myszy)"), {QKeySequence::ZoomOut});
    connect(m_actions.last(), &QAction::triggered, this, &GraphView::zoomOut);
    addCanvasAction(tr("+"), tr("Powiększa rysunek (Ctrl++ albo Ctrl i kółko myszy)"),
                    {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(m_actions.last(), &QAction::triggered, this, &GraphView::zoomIn);
    addCanvasAction(tr("Cały rysunek"), tr("Dopasowuje widok do całego rysunku (Ctrl+0)"),
                    {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(m_actions.last(), &QAction::triggered, this, [this] { fitDrawing(); });
    addCanvasAction(tr("Zapisz obraz..."), tr("Zapisuje cały rysunek jako obraz PNG, SVG albo PDF (Ctrl+Shift+S)"),
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    connect(m_actions.last(), &QAction::triggered, this, &GraphView::savePictureAs);
    addCanvasAction(tr("Drukuj..."), tr("Drukuje cały rysunek na jednej stronie (Ctrl+P)"),
                    {QKeySequence(Qt::CTRL | Qt::Key_P)});
    connect(m_actions.last(), &QAction::triggered, this, &GraphView::printDrawing);
}

QAction *GraphView::addCanvasAction(const QString &text, const QString &toolTip, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, this);
    // Tool buttons would drop the dots that say a dialog follows.
    action->setIconText(text);
    action->setToolTip(toolTip);
    action->setShortcuts(keys);
    // Active wherever the focus is in the view's window: a teacher has usually just clicked a button.
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    m_actions.append(action);
    return action;
}

QToolBar *GraphView::createToolBar()
{
    auto *bar = new QToolBar;
    bar->setObjectName(QStringLiteral("canvasToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Snug buttons: the bar holds the window's tools in the width of the smallest main window.
    bar->setStyleSheet(QStringLiteral("QToolButton { padding: 2px 1px; }"));
    bar->addAction(m_actions.at(0));
    auto *shown = new QLabel;
    shown->setObjectName(QStringLiteral("zoomLabel"));
    shown->setToolTip(tr("Powiększenie rysunku"));
    shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance(QStringLiteral("800 %")));
    shown->setAlignment(Qt::AlignCenter);
    auto showZoom = [shown](qreal zoom) { shown->setText(QStringLiteral("%1 %").arg(qRound(zoom * 100))); };
    showZoom(zoom());
    connect(this, &GraphView::zoomChanged, shown, showZoom);
    bar->addWidget(shown);
    bar->addActions(m_actions.mid(1, 2));
    bar->addSeparator();
    bar->addActions(m_actions.mid(3));
    return bar;
}

void GraphView::takeExtraRoom()
{
    auto *splitter = qobject_cast<QSplitter *>(parentWidget());
    if (!splitter)
        return;
    // The panes beside the view keep the height their form gives them, the
    // height limits of their lists included; from then on those limits are
    // lifted, so that the panes can be dragged taller.
    m_paneHeights.clear();
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget *pane = splitter->widget(i);
        splitter->setStretchFactor(i, pane == this ? 1 : 0);
        m_paneHeights.append(pane == this ? 0 : pane->sizeHint().height());
        const QList<QAbstractItemView *> lists = pane == this ? QList<QAbstractItemView *>()
                                                              : pane->findChildren<QAbstractItemView *>();
        for (QAbstractItemView *list : lists) {
            list->setMinimumHeight(std::min(list->maximumHeight(), list->minimumSizeHint().height()));
            list->setMaximumHeight(QWIDGETSIZE_MAX);
        }
    }
}

void GraphView::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    auto *splitter = qobject_cast<QSplitter *>(parentWidget());
    if (!splitter || m_paneHeights.size() != splitter->count())
        return;
    QList<int> sizes = m_paneHeights;
    int rest = splitter->height() - splitter->handleWidth() * (splitter->count() - 1);
    for (int height : std::as_const(m_paneHeights))
        rest -= height;
    sizes[splitter->indexOf(this)] = std::max(rest, 0);
    splitter->setSizes(sizes);
    m_paneHeights.clear();
}

void GraphView::setScene(QGraphicsScene *scene)
{
    if (this->scene())
        disconnect(this->scene(), &QGraphicsScene::sceneRectChanged, this, nullptr);
    QGraphicsView::setScene(scene);
    if (scene) {
        connect(scene, &QGraphicsScene::sceneRectChanged, this, [this] {
            followDrawing();
            // The hint lies over the whole viewport: when it comes or goes, all of it is painted anew.
            if (showsHint() != m_hintShown)
                viewport()->update();
        });
    }
    followDrawing();
}

void GraphView::setEmptyHint(const QString &hint)
{
    m_emptyHint = hint;
    viewport()->update();
}

bool GraphView::showsHint() const
{
    const auto *graph = qobject_cast<const Graph *>(scene());
    return !m_emptyHint.isEmpty() && graph && graph->verticles().isEmpty();
}

void GraphView::drawBackground(QPainter *painter, const QRectF &rect)
{
    QGraphicsView::drawBackground(painter, rect);
    m_hintShown = showsHint();
    if (!m_hintShown)
        return;
    // In the viewport's own pixels, whatever the zoom: the middle of what is shown.
    painter->save();
    painter->resetTransform();
    const QRect area = viewport()->rect().adjusted(24, 24, -24, -24);
    painter->setPen(palette().color(QPalette::PlaceholderText));
    painter->drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_emptyHint);
    painter->restore();
}

qreal GraphView::zoom() const
{
    return transform().m11();
}

QRectF GraphView::visibleRect() const
{
    // A hair inside the viewport's edges: showing what is shown must never ask
    // for a scroll bar by a rounding error, and must keep the scroll position.
    const QRectF pixels = QRectF(viewport()->rect()).adjusted(insetPixels, insetPixels, -insetPixels, -insetPixels);
    return pixels.isEmpty() ? QRectF() : viewportTransform().inverted().mapRect(pixels);
}

QRectF GraphView::drawingRect() const
{
    return scene() ? scene()->sceneRect() : QRectF();
}

void GraphView::zoomIn()
{
    zoomAbout(zoomStep, QRectF(viewport()->rect()).center());
}

void GraphView::zoomOut()
{
    zoomAbout(1 / zoomStep, QRectF(viewport()->rect()).center());
}

void GraphView::fitDrawing(qreal maxZoom)
{
    const QRectF drawing = drawingRect();
    if (drawing.isEmpty())
        return;
    // Until the user zooms or scrolls, a view that grows or shrinks (a dialog
    // settling into its layout, or maximised) shows the whole drawing again.
    m_fitZoom = maxZoom;
    // The size the viewport has without scroll bars: the whole drawing will need none.
    const QSizeF room = maximumViewportSize() - QSizeF(2, 2);
    // A drawing of any width, a viewport of no size: the zoom stays within its range, never zero.
    qreal zoom = std::min({room.width() / drawing.width(), room.height() / drawing.height(), maxZoom});
    zoom = std::isfinite(zoom) ? std::clamp(zoom, MinZoom, MaxZoom) : qreal(1);
    setZoom(zoom, drawing.center(), QRectF(QPointF(), QSizeF(maximumViewportSize())).center());
}

void GraphView::zoomAbout(qreal factor, const QPointF &anchor)
{
    m_fitZoom = 0;
    qreal zoom = std::clamp(this->zoom() * factor, MinZoom, MaxZoom);
    if (!std::isfinite(zoom))
        return;
    // A step across 100 % stops there: the drawing as drawn is the size one comes back to.
    if ((this->zoom() - 1) * (zoom - 1) < 0)
        zoom = 1;
    if (zoom == this->zoom())
        return;
    // Steps about one cursor position keep the scene point the first one
    // found there: each step scrolls to whole pixels, and the point would
    // otherwise drift a little further with every step.
    QPointF scenePoint = viewportTransform().inverted().map(anchor);
    if (anchor == m_zoomAnchor && (viewportTransform().map(m_zoomScenePoint) - anchor).manhattanLength() < 2)
        scenePoint = m_zoomScenePoint;
    m_zoomAnchor = anchor;
    m_zoomScenePoint = scenePoint;
    setZoom(zoom, scenePoint, anchor);
}

void GraphView::setZoom(qreal zoom, const QPointF &scenePoint, const QPointF &viewportPoint)
{
    // What the viewport will show is first made part of the view's
    // rectangle, so that it can be scrolled to exactly.
    const QScopedValueRollback<bool> zooming(m_zooming, true);
    const qreal inset = insetPixels / zoom;
    const QRectF wanted = QRectF(scenePoint - viewportPoint / zoom, QSizeF(viewport()->size()) / zoom)
                              .adjusted(inset, inset, -inset, -inset);
    setTransform(QTransform::fromScale(zoom, zoom));
    followDrawing(wanted);
    const QPointF offset = viewportTransform().map(scenePoint) - viewportPoint;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(offset.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(offset.y()));
    followDrawing();
    emit zoomChanged(zoom);
}

// The view's rectangle is the drawing and what the viewport shows: a drawing
// that grows never moves what is shown, and one that shrinks takes its scroll
// bars with it. The margin around the drawing counts only where the drawing
// itself reaches past what is shown, so that a vertex drawn near the border
// asks for no scroll bar.
QRectF GraphView::viewRectFor(const QRectF &shown) const
{
    const QRectF drawing = drawingRect();
    const qreal margin = qobject_cast<const Graph *>(scene()) ? Graph::DrawingMargin : 0;
    const QRectF items = drawing.adjusted(margin, margin, -margin, -margin);
    QRectF rect = shown | items;
    if (items.left() < shown.left())
        rect.setLeft(drawing.left());
    if (items.top() < shown.top())
        rect.setTop(drawing.top());
    if (items.right() > shown.right())
        rect.setRight(drawing.right());
    if (items.bottom() > shown.bottom())
        rect.setBottom(drawing.bottom());
    return rect;
}

// Scroll bars that come or go resize the viewport, which calls this again; it
// runs until the rectangle no longer changes, and the scene point at the
// viewport's top left stays there throughout.
void GraphView::followDrawing(const QRectF &mustShow)
{
    if (!scene())
        return;
    if (m_following) {
        m_followAgain = true;
        return;
    }
    m_following = true;
    const QPointF topLeft = viewportTransform().inverted().map(QPointF(0, 0));
    for (int pass = 0; pass < 4; ++pass) {
        m_followAgain = false;
        // A rectangle that fits the viewport is centred in it to whole
        // pixels; remade for a difference below a pixel, it would creep by a
        // pixel at every edit.
        const QRectF wanted = viewRectFor(visibleRect() | mustShow);
        const QRectF now = viewportTransform().mapRect(sceneRect());
        const QRectF then = viewportTransform().mapRect(wanted);
        if (std::max({std::abs(now.left() - then.left()), std::abs(now.top() - then.top()),
                      std::abs(now.right() - then.right()), std::abs(now.bottom() - then.bottom())}) >= 1.5)
            setSceneRect(wanted);
        const QPointF offset = viewportTransform().map(topLeft);
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(offset.x()));
        verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(offset.y()));
        if (!m_followAgain)
            break;
    }
    m_following = false;
}

void GraphView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    if (m_fitZoom > 0 && !m_following && !m_zooming)
        fitDrawing(m_fitZoom);
    else
        followDrawing();
}

void GraphView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // A notch of a wheel is 120; touch pads send smaller steps more often.
    const qreal notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAbout(std::pow(zoomStep, notches), event->position());
    event->accept();
}

QStringList GraphView::pictureFilters()
{
#if PEREWAL_SVG
    return {tr("Obraz PNG (*.png)"), tr("Rysunek wektorowy SVG (*.svg)"), tr("Dokument PDF (*.pdf)")};
#else
    return {tr("Obraz PNG (*.png)"), tr("Dokument PDF (*.pdf)")};
#endif
}

// What the scene's own rendering does for the items of a drawing, without
// saving and restoring the painter around each item: SVG and PDF writers
// write the whole state out at every restore, which was two thirds of an SVG
// picture's groups. Vertices, edges and texts set the pen, brush and font
// they use; any other item keeps its painter state to itself. A drawing
// with an item the scene would treat specially (clipping, opacity, effects,
// a fixed size on screen) is rendered by the scene itself.
void GraphView::renderDrawing(QPainter &painter, const QRectF &target)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(target, Qt::white);
    const QRectF source = drawingRect();
    const QList<QGraphicsItem *> items = scene()->items(source, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder);
    constexpr QGraphicsItem::GraphicsItemFlags special =
        QGraphicsItem::ItemIgnoresTransformations | QGraphicsItem::ItemClipsToShape | QGraphicsItem::ItemClipsChildrenToShape
        | QGraphicsItem::ItemIgnoresParentOpacity | QGraphicsItem::ItemDoesntPropagateOpacityToChildren;
    const bool plain = std::all_of(items.begin(), items.end(), [&](const QGraphicsItem *item) {
        return !(item->flags() & special) && !item->graphicsEffect() && item->cacheMode() == QGraphicsItem::NoCache
               && !item->isWidget() && item->opacity() == 1.0;
    });
    if (!plain) {
        scene()->render(&painter, target, source, Qt::KeepAspectRatio);
        return;
    }
    const qreal ratio = std::min(target.width() / source.width(), target.height() / source.height());
    const QTransform fitted =
        QTransform().translate(target.left(), target.top()).scale(ratio, ratio).translate(-source.left(), -source.top());
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    QStyleOptionGraphicsItem option;
    for (QGraphicsItem *item : items) {
        if (!item->isVisible() || (item->flags() & QGraphicsItem::ItemHasNoContents))
            continue;
        option.state = QStyle::State_None;
        if (item->isSelected())
            option.state |= QStyle::State_Selected;
        if (item->isEnabled())
            option.state |= QStyle::State_Enabled;
        option.exposedRect = item->boundingRect();
        option.rect = option.exposedRect.toRect();
        const bool ownState = item->type() == GraphVerticle::Type || item->type() == GraphEdge::Type
                              || item->type() == QGraphicsSimpleTextItem::Type;
        if (!ownState)
            painter.save();
        // Set only when it changes: PDF and SVG writers write out the whole
        // state again at every new transform, and the edges all share one.
        const QTransform transform = item->sceneTransform() * fitted;
        if (painter.worldTransform() != transform)
            painter.setWorldTransform(transform);
        item->paint(&painter, &option, nullptr);
        if (!ownState)
            painter.restore();
    }
    painter.restore();
}

bool GraphView::savePicture(const QString &fileName, QString *reason)
{
    if (!scene())
        return false;
    // Made in memory, then written whole through a temporary file that
    // replaces the target only when complete: the writers do not check their
    // writes, and a full disk or a size limit must neither leave half a
    // picture nor destroy the one it was to replace.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF drawing = drawingRect();
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QPainter painter;
    bool drawn = false;
#if PEREWAL_SVG
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(drawing.size().toSize());
        svg.setViewBox(QRectF(QPointF(), drawing.size()));
        svg.setTitle(documentTitle());
        if (painter.begin(&svg)) {
            renderDrawing(painter, svg.viewBoxF());
            drawn = painter.end();
        }
    } else
#endif
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(documentTitle());
        // At the screen's resolution the hairlines of plain vertices stay visible on paper.
        pdf.setResolution(96);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      drawing.width() > drawing.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        if (painter.begin(&pdf)) {
            renderDrawing(painter, QRectF(QPointF(), pdf.pageLayout().paintRectPixels(pdf.resolution()).size()));
            drawn = painter.end();
        }
    } else {
        const QSizeF screenPixels = QSizeF(screen()->size()) * screen()->devicePixelRatio();
        const qreal scale = pictureScale * std::min({devicePixelRatioF(), screenPixels.width() / drawing.width(),
                                                     screenPixels.height() / drawing.height()});
        // Opaque: the picture has a white ground, and a PNG without an alpha channel is written faster.
        QImage image((drawing.size() * scale).toSize(), QImage::Format_RGB32);
        if (!image.isNull()) {
            painter.begin(&image);
            renderDrawing(painter, image.rect());
            painter.end();
            // Qt's quality 80 is zlib's fastest compression: a drawing is mostly white and shrinks well even so.
            QImageWriter writer(&buffer, "png");
            writer.setQuality(80);
            drawn = writer.write(image);
        }
    }
    if (!drawn) {
        if (reason)
            *reason = tr("nie udało się utworzyć obrazu (za mało pamięci?)");
        return false;
    }
    buffer.close();
    QString error;
    if (!GraphFile::writeWhole(fileName, bytes, &error)) {
        if (reason)
            *reason = error;
        return false;
    }
    return true;
}

bool GraphView::print(QPrinter *printer)
{
    QPainter painter;
    if (!scene() || !painter.begin(printer))
        return false;
    renderDrawing(painter, QRectF(QPointF(), printer->pageLayout().paintRectPixels(printer->resolution()).size()));
    return painter.end();
}

void GraphView::savePictureAs()
{
    // The format follows the name's extension; a name without one gets the
    // chosen format's, before the dialog asks about a file of that name.
#if PEREWAL_SVG
    static const QStringList suffixes{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")};
#else
    static const QStringList suffixes{QStringLiteral("png"), QStringLiteral("pdf")};
#endif
    const QStringList filters = pictureFilters();
    QFileDialog dialog(this, tr("Zapisz rysunek jako obraz"), QDir(pictureFolder()).filePath(tr("rysunek.png")),
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffixes.first());
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(suffixes.value(pictureFilters().indexOf(filter), suffixes.first()));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString fileName = dialog.selectedFiles().first();
    if (!suffixes.contains(QFileInfo(fileName).suffix().toLower()))
        fileName += QLatin1Char('.') + dialog.defaultSuffix();
    pictureFolder() = QFileInfo(fileName).absolutePath();
    QString reason;
    if (savePicture(fileName, &reason))
        emit pictureSaved(fileName);
    else
        QMessageBox::warning(this, tr("Zapisz rysunek jako obraz"),
                             tr("Nie udało się zapisać obrazu do pliku %1: %2.")
                                 .arg(QDir::toNativeSeparators(fileName), reason));
}

void GraphView::printDrawing()
{
    QPrinter printer(QPrinter::ScreenResolution);
    const QRectF drawing = drawingRect();
    printer.setPageOrientation(drawing.width() > drawing.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && !print(&printer))
        QMessageBox::warning(this, tr("Drukuj"), tr("Nie udało się wydrukować rysunku."));
}
