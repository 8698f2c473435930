#ifndef GRAPHVIEW_H
#define GRAPHVIEW_H

#include <QGraphicsView>

class QAction;
class QPrinter;
class QToolBar;

/**
 * A view of the graph canvas that always reaches the whole drawing: it shows
 * the scene's rectangle united with what it already shows, so nothing is cut
 * off, nothing jumps when the drawing grows, and scroll bars appear only when
 * the drawing is larger than the view. Each view zooms on its own (Ctrl+wheel
 * about the cursor, Ctrl++, Ctrl+-, Ctrl+0 for the whole drawing) and saves or
 * prints the whole drawing as it looks, the marks of a run included.
 */
class GraphView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr qreal MinZoom = 0.1;
    static constexpr qreal MaxZoom = 8.0;
    /// The most "Cały rysunek" enlarges a small drawing.
    static constexpr qreal MaxFitZoom = 4.0;

    explicit GraphView(QWidget *parent = nullptr);

    /// Shows the scene and follows its rectangle from then on.
    void setScene(QGraphicsScene *scene);

    /// The scale of the view: 1 shows the drawing as drawn.
    qreal zoom() const;
    /// The part of the scene the viewport shows.
    QRectF visibleRect() const;
    /// What pictures and fitting cover: the scene's rectangle, the whole drawing with a margin.
    QRectF drawingRect() const;

    /// Zoom out, zoom in, the whole drawing, save a picture, print; with their shortcuts, active in the view's window.
    QList<QAction *> canvasActions() const { return m_actions; }
    /// A tool bar with the canvas actions and the current zoom, for the window to place above the view.
    QToolBar *createToolBar();
    /**
     * In a splitter, the view takes whatever room its window gains; the panes
     * beside it start at their natural height, their lists included, and can
     * then be dragged taller.
     */
    void takeExtraRoom();

    /**
     * Writes the whole drawing to a PNG (the screen's resolution), SVG
     * or PDF file, by its suffix. The file is written whole or not at all: on
     * failure a file that was there stays as it was, and reason, when given,
     * says why.
     */
    bool savePicture(const QString &fileName, QString *reason = nullptr);
    /// Prints the whole drawing on one page of the printer.
    bool print(QPrinter *printer);
    /// The picture formats savePicture() knows, as file dialog filters.
    static QStringList pictureFilters();
    /// Where the next picture dialog of any view opens: the main window sets its drawing's folder.
    static void setPictureFolder(const QString &folder);
    /// A hint drawn over an empty canvas, gone with the first vertex; none when empty.
    void setEmptyHint(const QString &hint);

public slots:
    void zoomIn();
    void zoomOut();
    /// Zooms so that the whole drawing shows, enlarging it to at most maxZoom.
    void fitDrawing(qreal maxZoom = MaxFitZoom);
    /// Multiplies the zoom by factor, keeping the scene point under anchor (a viewport point) where it is.
    void zoomAbout(qreal factor, const QPointF &anchor);
    /// Asks for a file and saves the picture there.
    void savePictureAs();
    /// Asks for a printer and prints the drawing.
    void printDrawing();

signals:
    void zoomChanged(qreal zoom);
    /// A picture was written to fileName.
    void pictureSaved(const QString &fileName);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString documentTitle() const;
    QAction *addCanvasAction(const QString &text, const QString &toolTip, const QList<QKeySequence> &keys);
    /// Sets the zoom and scrolls so that scenePoint lies under viewportPoint.
    void setZoom(qreal zoom, const QPointF &scenePoint, const QPointF &viewportPoint);
    QRectF viewRectFor(const QRectF &shown) const;
    void followDrawing(const QRectF &mustShow = QRectF());
    void renderDrawing(QPainter &painter, const QRectF &target);

    bool showsHint() const;

    QList<QAction *> m_actions;
    QString m_emptyHint;
    bool m_hintShown = false;
    bool m_following = false;
    bool m_followAgain = false;
    bool m_zooming = false;
    // The largest zoom of the fitting to the whole drawing that the view keeps to; 0 when it keeps to none.
    qreal m_fitZoom = 0;
    QPointF m_zoomAnchor;
    QPointF m_zoomScenePoint;
    // The heights the panes beside the view start with, until it is first shown.
    QList<int> m_paneHeights;
};

#endif // GRAPHVIEW_H
