#include "app/perewal.h"
#include "graph/graphfile.h"
#include "graph/graphview.h"
#include "solvers/canvasmarks.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#if PEREWAL_SVG
#include <QSvgRenderer>
#endif
#include <QTemporaryDir>

#include <memory>

#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace TestGraphs;

namespace {

// Where a scene point is in the view's viewport, to the pixel.
QPoint at(const GraphView &view, const QPointF &scenePoint)
{
    return view.viewportTransform().map(scenePoint).toPoint();
}

// The vertices whose circles the view does not show whole.
QStringList hidden(const GraphView &view)
{
    QStringList names;
    for (const GraphVerticle *v : static_cast<Graph *>(view.scene())->verticles()) {
        if (!view.visibleRect().contains(v->sceneBoundingRect()))
            names.append(v->name());
    }
    return names;
}

void ctrlWheel(GraphView &view, const QPointF &where, int notches)
{
    QWheelEvent wheel(where, view.viewport()->mapToGlobal(where), {}, QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
}

// A drawing far from the scene's first rectangle, spread wider than any view here.
const QString farAway = QStringLiteral("AB3 BC4 CD5 DA6 AC7");
void placeFarAway(Graph &graph)
{
    const QList<QPointF> places{{5000, 7000}, {6400, 7100}, {6300, 8000}, {4900, 7900}};
    const QList<GraphVerticle *> verticles = build(graph, farAway);
    for (int i = 0; i < verticles.size(); ++i)
        verticles[i]->setPos(places[i]);
    graph.relabel();
}

} // namespace

class TestGraphView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void clicksLandWhereTheyPointAndNothingMoves_data();
    void clicksLandWhereTheyPointAndNothingMoves();
    void scrollBarsComeOnlyWithADrawingLargerThanTheView();
    void everyViewOpensOnTheWholeDrawing();
    void zoomKeepsThePointUnderTheCursor_data();
    void zoomKeepsThePointUnderTheCursor();
    void zoomStaysInItsRangeWhateverTheDrawing_data();
    void zoomStaysInItsRangeWhateverTheDrawing();
    void picturesOfTheWholeDrawing_data();
    void picturesOfTheWholeDrawing();
    void aPictureIsWrittenWholeOrNotAtAll_data();
    void aPictureIsWrittenWholeOrNotAtAll();
    void aPictureShowsWhatTheScenePaints_data();
    void aPictureShowsWhatTheScenePaints();
    void dialogsFitTheScreenAndGrowTheirCanvas();
    void anEmptyCanvasShowsItsHint();
    void aDialogsViewOnlyPicksTheStart();

private:
    std::unique_ptr<Graph> graph;
    std::unique_ptr<GraphView> view;
};

void TestGraphView::init()
{
    graph = std::make_unique<Graph>();
    view = std::make_unique<GraphView>();
    // Odd sizes: a viewport of an odd width centres a small rectangle half a pixel off.
    view->resize(401, 301);
    view->setScene(graph.get());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
}

void TestGraphView::clicksLandWhereTheyPointAndNothingMoves_data()
{
    QTest::addColumn<qreal>("zoom");
    QTest::addColumn<QPoint>("scroll"); // scroll bar moves before the clicks
    for (qreal zoom : {1.0, 3.0, 0.4}) {
        QTest::addRow("at %d %%", int(zoom * 100)) << zoom << QPoint();
        QTest::addRow("at %d %%, scrolled", int(zoom * 100)) << zoom << QPoint(-37, 55);
    }
}

// Vertices added by clicks at the corners, edges drawn between them and a
// click on each vertex in the idle mode: at any zoom and scroll position each
// lands on the point or item under the cursor, and what is shown stays put.
void TestGraphView::clicksLandWhereTheyPointAndNothingMoves()
{
    QFETCH(qreal, zoom);
    QFETCH(QPoint, scroll);

    view->zoomAbout(zoom, QPointF(200, 150));
    graph->setMode(Graph::AddVerticle);
    // Scrolled: a first vertex far away, so that the view can be scrolled.
    if (!scroll.isNull())
        graph->addVerticle(view->visibleRect().center() + QPointF(900, 900) / zoom);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + scroll.x());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + scroll.y());

    const QList<QPoint> corners{{12, 12}, {370, 14}, {365, 250}, {15, 255}};
    QList<QPointF> wanted;
    for (const QPoint &corner : corners) {
        wanted.append(view->viewportTransform().inverted().map(QPointF(corner)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, corner);
    }
    QList<GraphVerticle *> verticles = graph->verticles().mid(scroll.isNull() ? 0 : 1);
    for (int i = 0; i < corners.size(); ++i) {
        QVERIFY((verticles[i]->pos() - wanted[i]).manhattanLength() < 1.5 / zoom);
        QVERIFY((at(*view, verticles[i]->pos()) - corners[i]).manhattanLength() <= 2);
    }

    graph->setMode(Graph::AddEdge);
    for (int i = 0; i < corners.size(); ++i) {
        const QPoint from = at(*view, verticles[i]->pos()), to = at(*view, verticles[(i + 1) % 4]->pos());
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view->viewport(), (from + to) / 2);
        QTest::mouseMove(view->viewport(), to);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    }
    QCOMPARE(graph->edges().size(), 4);
    // Nothing moved while they were drawn.
    for (int i = 0; i < corners.size(); ++i)
        QVERIFY((at(*view, verticles[i]->pos()) - corners[i]).manhattanLength() <= 2);

    graph->setMode(Graph::Idle);
    QStringList clicked;
    connect(graph.get(), &Graph::verticleClicked, this, [&](GraphVerticle *v) { clicked << v->name(); });
    for (GraphVerticle *v : std::as_const(verticles))
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(*view, v->pos() + QPointF(4, -4)));
    QCOMPARE(clicked.join(' '), scroll.isNull() ? QStringLiteral("A B C D") : QStringLiteral("B C D E"));
}

void TestGraphView::scrollBarsComeOnlyWithADrawingLargerThanTheView()
{
    // Vertices near every border of the view, whole circles inside it.
    const QRectF shown = view->visibleRect();
    for (const QPointF &corner : {shown.topLeft(), shown.topRight(), shown.bottomRight(), shown.bottomLeft()})
        graph->addVerticle(corner + (shown.center() - corner) * 0.25);
    auto bars = [&] {
        QCoreApplication::processEvents();
        return QString::number(view->horizontalScrollBar()->isVisible())
               + QString::number(view->verticalScrollBar()->isVisible());
    };
    QCOMPARE(hidden(*view), QStringList());
    QCOMPARE(bars(), QStringLiteral("00"));

    GraphVerticle *far = graph->addVerticle(QPointF(shown.right() + 300, shown.center().y()));
    QCOMPARE(bars(), QStringLiteral("10"));
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    QCOMPARE(hidden(*view).contains(far->name()), false);
    // Scrolled back, the far vertex goes and its scroll bar with it.
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    graph->removeVerticle(far);
    QCOMPARE(bars(), QStringLiteral("00"));
    QCOMPARE(hidden(*view), QStringList());
}

// A drawing loaded far from the origin: the main window and the dialog
// show all of it, shrunk; Ctrl+0 brings it back after zooming in.
void TestGraphView::everyViewOpensOnTheWholeDrawing()
{
    QTemporaryDir dir;
    placeFarAway(*graph);
    const QString file = dir.filePath(QStringLiteral("daleko.graf"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QDataStream stream(&out);
        stream << *graph;
    }
    Perewal window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.loadGraphFrom(file));
    auto *mainView = window.findChild<GraphView *>(QStringLiteral("graphView"));
    QCOMPARE(hidden(*mainView), QStringList());
    QVERIFY(mainView->zoom() < 1);

    QString seen;
    driveModal<MintySolver>(&window, [&] { window.findChild<QPushButton *>("mintyButton")->click(); },
                            [&](MintySolver &dialog) {
                                // Scroll bars come and go through queued events, as the window settles.
                                QCoreApplication::processEvents();
                                const auto *dialogView = dialog.findChild<GraphView *>(QStringLiteral("graphView"));
                                seen = hidden(*dialogView).join(' ')
                                       + (dialogView->zoom() < 1 ? QStringLiteral("shrunk") : QString());
                            });
    QCOMPARE(seen, QStringLiteral("shrunk"));

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const qreal fitted = mainView->zoom();
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(!hidden(*mainView).isEmpty());
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    QTRY_COMPARE(hidden(*mainView), QStringList());
    QCOMPARE(mainView->zoom(), fitted);
}

void TestGraphView::zoomKeepsThePointUnderTheCursor_data()
{
    QTest::addColumn<QPointF>("cursor");
    QTest::addColumn<int>("from"); // the zoom before, in percent
    QTest::addColumn<int>("notches");
    QTest::addColumn<int>("percent"); // the zoom after them
    QTest::newRow("in, top left") << QPointF(30, 40) << 100 << 3 << 195;
    QTest::newRow("out, bottom right") << QPointF(350, 260) << 100 << -2 << 64;
    QTest::newRow("in to the limit") << QPointF(200, 20) << 100 << 12 << 800;
    QTest::newRow("out to the limit") << QPointF(5, 290) << 100 << -15 << 10;
    QTest::newRow("in across 100 % stops there") << QPointF(120, 150) << 52 << 3 << 100;
    QTest::newRow("out across 100 % stops there") << QPointF(120, 150) << 110 << -1 << 100;
}

void TestGraphView::zoomKeepsThePointUnderTheCursor()
{
    QFETCH(QPointF, cursor);
    QFETCH(int, from);
    QFETCH(int, notches);
    QFETCH(int, percent);

    placeFarAway(*graph);
    view->zoomAbout(from / 100.0, cursor);
    const QPointF under = view->viewportTransform().inverted().map(cursor);
    for (int i = 0; i < qAbs(notches); ++i)
        ctrlWheel(*view, cursor, notches > 0 ? 1 : -1);
    QCOMPARE(qRound(view->zoom() * 100), percent);
    QVERIFY2((view->viewportTransform().map(under) - cursor).manhattanLength() <= 2,
             qPrintable(QStringLiteral("moved to %1, %2").arg(view->viewportTransform().map(under).x())
                            .arg(view->viewportTransform().map(under).y())));
    // Plain wheel turns scroll, they do not zoom.
    QWheelEvent wheel(cursor, view->viewport()->mapToGlobal(cursor), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(qRound(view->zoom() * 100), percent);
}

void TestGraphView::zoomStaysInItsRangeWhateverTheDrawing_data()
{
    QTest::addColumn<qreal>("width");
    QTest::addColumn<QSize>("viewport");
    for (qreal width : {1.0, 30.0, 1000.0, 40000.0, 2000000.0}) {
        QTest::addRow("%g wide", width) << width << QSize(401, 301);
        QTest::addRow("%g wide, in a view of no size", width) << width << QSize(0, 0);
    }
}

// Fitted, zoomed in and out to either end: the zoom stays within 10-800 %,
// a finite number, and the view always shows some of the drawing.
void TestGraphView::zoomStaysInItsRangeWhateverTheDrawing()
{
    QFETCH(qreal, width);
    QFETCH(QSize, viewport);

    view->resize(viewport);
    graph->addVerticle(QPointF(-width / 2, 0));
    graph->addVerticle(QPointF(width / 2, 0));
    graph->addEdge(graph->verticles().first(), graph->verticles().last(), 3);
    QList<qreal> seen;
    auto record = [&] {
        seen.append(view->zoom());
        QVERIFY2(std::isfinite(view->zoom()) && view->zoom() >= GraphView::MinZoom - 1e-9
                     && view->zoom() <= GraphView::MaxZoom + 1e-9,
                 qPrintable(QString::number(view->zoom())));
    };
    view->fitDrawing();
    record();
    for (int i = 0; i < 30; ++i) {
        view->zoomIn();
        record();
    }
    for (int i = 0; i < 60; ++i) {
        view->zoomOut();
        record();
    }
    view->fitDrawing(GraphView::MaxZoom);
    record();
    QCOMPARE(*std::max_element(seen.begin(), seen.end()), GraphView::MaxZoom);
    QCOMPARE(*std::min_element(seen.begin(), seen.end()), GraphView::MinZoom);
    if (!viewport.isEmpty())
        QVERIFY(view->visibleRect().intersects(graph->drawingRect()));
}

void TestGraphView::picturesOfTheWholeDrawing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("large"); // larger than the screen
    QTest::newRow("png") << "rysunek.png" << false;
    QTest::newRow("png, larger than the screen") << "rysunek.png" << true;
#if PEREWAL_SVG
    QTest::newRow("svg") << "rysunek.svg" << true;
#endif
    QTest::newRow("pdf") << "rysunek.pdf" << true;
    QTest::newRow("printed") << "wydruk.pdf" << true;
    QTest::newRow("into a missing folder") << "brak/rysunek.png" << false;
}

// The whole drawing, marks of a run included, wherever the view stands.
void TestGraphView::picturesOfTheWholeDrawing()
{
    QFETCH(QString, file);
    QFETCH(bool, large);

    QTemporaryDir dir;
    if (large)
        placeFarAway(*graph);
    else
        build(*graph, farAway);
    graph->verticles().first()->setBrushColor(Qt::green);
    view->zoomAbout(3, QPointF());
    // A picture's title names the drawing, without the window title's place for the unsaved-changes mark.
    view->window()->setWindowTitle(QStringLiteral("plik.graf[*] – Perewal"));
    view->window()->setWindowModified(true);
    const QString title = QStringLiteral("plik.graf – Perewal");
    const QString path = dir.filePath(file);
    bool written = false;
    if (file.startsWith(QLatin1String("wydruk"))) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        written = view->print(&printer);
    } else {
        written = view->savePicture(path);
    }
    QCOMPARE(written, !file.startsWith(QLatin1String("brak")));
    if (!written)
        return;

    const QRectF drawing = graph->drawingRect();
    QFile picture(path);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    const QByteArray bytes = picture.readAll();
#if PEREWAL_SVG
    if (file.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer svg(bytes);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF().size(), drawing.size());
        QVERIFY(bytes.contains("<title>" + title.toUtf8() + "</title>"));
    } else
#endif
    if (file.endsWith(QLatin1String(".pdf"))) {
        QVERIFY(bytes.startsWith("%PDF"));
        if (!file.startsWith(QLatin1String("wydruk"))) {
            // PDF keeps its title in UTF-16, big-endian.
            auto utf16 = [](const QString &text) {
                QByteArray encoded;
                for (const QChar c : text)
                    encoded.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
                return encoded;
            };
            QVERIFY(bytes.contains(utf16(title)));
        }
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page>") + bytes.count("/Type /Page "), 1);
    } else {
        // The drawing's pixels on this screen at 100 %; one larger than the screen fills the screen.
        const QImage image(path);
        const QSize dense = (drawing.size() * view->devicePixelRatioF()).toSize();
        const QSize fitted =
            drawing.size().scaled(QSizeF(view->screen()->size()) * view->screen()->devicePixelRatio(), Qt::KeepAspectRatio).toSize();
        QCOMPARE(image.size(), fitted.width() < dense.width() ? fitted : dense);
        QCOMPARE(fitted.width() < dense.width(), large || view->devicePixelRatioF() > 1);
        // Green inside the first vertex, beside its name; white far from every item.
        const qreal scale = image.width() / drawing.width();
        const QPointF first = (graph->verticles().first()->pos() + QPointF(-7, 0) - drawing.topLeft()) * scale;
        QCOMPARE(image.pixelColor(first.toPoint()), QColor(Qt::green));
        QCOMPARE(image.pixelColor(3, 3), QColor(Qt::white));
    }
}

void TestGraphView::aPictureIsWrittenWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason");
    const bool root = geteuid() == 0;
    const QList<QPair<const char *, QString>> failures{
        {"size limit", "plik przekroczyłby największy rozmiar, na jaki system pozwala temu programowi"},
        {"full disk", "brak miejsca na dysku"},
        {"read-only folder", root ? "system plików jest tylko do odczytu" : "brak uprawnień"}};
    for (const char *suffix : {"png", "svg", "pdf"}) {
        for (const auto &[failure, reason] : failures)
            QTest::addRow("%s, %s", suffix, failure) << suffix << failure << reason;
    }
}

// Whatever stops the writing, the picture that was there stays byte for
// byte, nothing new is left beside it, and the reason is said.
void TestGraphView::aPictureIsWrittenWholeOrNotAtAll()
{
    QFETCH(QString, suffix);
    QFETCH(QString, failure);
    QFETCH(QString, reason);

    placeFarAway(*graph);
    QTemporaryDir dir;
    const QString folder = dir.path();
    const bool root = geteuid() == 0;
    // Only root can make a full or read-only filesystem; a read-only folder stops anyone else.
    const bool mounted = failure == "full disk" || (failure == "read-only folder" && root);
    if (mounted) {
        if (!root)
            QSKIP("a full filesystem needs a tmpfs, which only root can mount");
        if (mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("this machine does not let the tests mount a tmpfs");
    }
    auto unmount = qScopeGuard([&] {
        if (mounted)
            umount(folder.toLocal8Bit().constData());
    });
    const QString path = folder + "/rysunek." + suffix;
    const QByteArray old = "the picture saved before";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit unlimited = limit;
    if (failure == "size limit") {
        std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 1024;
    } else if (failure == "full disk") {
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
    } else if (root) {
        QVERIFY(mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    } else {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    const QStringList before = QDir(folder).entryList(QDir::Files);

    setrlimit(RLIMIT_FSIZE, &limit);
    QString said;
    const bool written = view->savePicture(path, &said);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!written);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files), before);
    QVERIFY2(said.contains(reason), qPrintable(said));
}

// At its first size, on a small screen and maximised: every control on screen, extra room for the canvas.
void TestGraphView::aPictureShowsWhatTheScenePaints_data()
{
    QTest::addColumn<QString>("marks");
    QTest::newRow("plain drawing") << "";
    QTest::newRow("marked vertices and edges") << "looks";
    QTest::newRow("rings, bands and numbers of a run") << "canvas marks";
    QTest::newRow("an item of other kind, with a pen and brush of its own") << "other item";
    QTest::newRow("a note that keeps its size on screen") << "note";
}

// The picture paints the items itself, in the scene's order and with its
// transforms; pixel for pixel it shows what the scene's own rendering shows.
void TestGraphView::aPictureShowsWhatTheScenePaints()
{
    QFETCH(QString, marks);
    const QList<GraphVerticle *> verticles = build(*graph, QStringLiteral("AB3 BC14 CD5 DA6 AC7 BD12"));
    verticles[1]->setPos(verticles[1]->pos() + QPointF(40, -25));
    graph->relabel();
    if (marks == QLatin1String("looks")) {
        verticles[0]->setBrushColor(Qt::green);
        verticles[0]->setPenWidth(3);
        verticles[2]->setRadius(15);
        graph->edges().at(0)->setPenStyle(Qt::DashLine);
        graph->edges().at(1)->setPenColor(Qt::red);
        graph->edges().at(1)->setPenWidth(2);
    } else if (marks == QLatin1String("canvas marks")) {
        for (auto kind : {CanvasMarks::Bands, CanvasMarks::Rings, CanvasMarks::Numbers}) {
            auto *item = new CanvasMarks(kind, QStringLiteral("result"));
            graph->addItem(item);
            item->addBand(graph->edges().at(2), QColor(255, 160, 0));
            item->addRing(verticles[3], QColor(0, 120, 255), 2);
            item->addNumber(graph->edges().at(4), 7);
        }
    } else if (marks == QLatin1String("other item")) {
        auto *item = graph->addRect(QRectF(-20, -10, 60, 30), QPen(Qt::blue, 3), QBrush(Qt::yellow));
        item->setPos(verticles[2]->pos());
        item->setRotation(20);
        item->setZValue(5);
    } else if (marks == QLatin1String("note")) {
        auto *note = graph->addSimpleText(QStringLiteral("Uwaga"));
        note->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        note->setPos(verticles[0]->pos());
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rysunek.png"));
    QVERIFY(view->savePicture(path));
    const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
    QImage scene(picture.size(), QImage::Format_RGB32);
    QPainter painter(&scene);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(scene.rect(), Qt::white);
    // The drawing as the views show it: the scene's rectangle.
    graph->render(&painter, scene.rect(), graph->sceneRect(), Qt::KeepAspectRatio);
    painter.end();
    QVERIFY(picture == scene);
}

void TestGraphView::dialogsFitTheScreenAndGrowTheirCanvas()
{
    build(*graph, "AB1 BC1");
    SolverRun<MintySolver> run(*graph);
    QVERIFY(QTest::qWaitForWindowExposed(&run.solver));
    const QRect room = run.solver.screen()->availableGeometry();
    QVERIFY(room.contains(run.solver.frameGeometry()));
    const auto *dialogView = run.child<GraphView>("graphView");
    const QSize canvas = dialogView->size();
    const int history = run.child("eventLogWidget")->height();
    run.solver.resize(run.solver.width() + 200, run.solver.height() + 150);
    QTRY_COMPARE(dialogView->size(), canvas + QSize(200, 150));
    QCOMPARE(run.child("eventLogWidget")->height(), history);
    QCOMPARE(run.child("inheritedWidgetContainer")->width(), 200);
    QVERIFY(run.solver.windowFlags() & Qt::WindowMaximizeButtonHint);
}

// Dark pixels in the middle of the viewport: the hint's text, until the first vertex, which is elsewhere.
void TestGraphView::anEmptyCanvasShowsItsHint()
{
    auto inkInTheMiddle = [&] {
        const QImage shot = view->viewport()->grab().toImage();
        int ink = 0;
        for (int y = shot.height() / 3; y < 2 * shot.height() / 3; ++y) {
            for (int x = 0; x < shot.width(); ++x)
                ink += qGray(shot.pixel(x, y)) < 160;
        }
        return ink;
    };
    QCOMPARE(inkInTheMiddle(), 0);
    view->setEmptyHint(QStringLiteral("Kliknij tutaj, aby dodać pierwszy wierzchołek."));
    QVERIFY(inkInTheMiddle() > 50);
    graph->addVerticle(view->visibleRect().topLeft() + QPointF(20, 20));
    QCOMPARE(inkInTheMiddle(), 0);
    graph->removeVerticle(graph->verticles().first());
    QVERIFY(inkInTheMiddle() > 50);
}

// A drag in a solver dialog's view picks the start and moves nothing; a double click types no weight.
void TestGraphView::aDialogsViewOnlyPicksTheStart()
{
    build(*graph, "AB4 BC5");
    const QPointF b = byName(*graph, "B")->pos();
    {
        SolverRun<MintySolver> run(*graph);
        QVERIFY(QTest::qWaitForWindowExposed(&run.solver));
        auto *dialogView = run.child<GraphView>("graphView");
        QSignalSpy weights(graph.get(), &Graph::edgeDoubleClicked);
        const QPoint from = dialogView->mapFromScene(b);
        QTest::mousePress(dialogView->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(dialogView->viewport(), from + QPoint(40, 30));
        QTest::mouseRelease(dialogView->viewport(), Qt::LeftButton, {}, from + QPoint(40, 30));
        QCOMPARE(byName(*graph, "B")->pos(), b);
        QCOMPARE(run.events().first(), QStringLiteral("Wybrano wierzchołek 'B' jako startowy."));
        const QLineF ab(byName(*graph, "A")->pos(), b);
        QTest::mouseDClick(dialogView->viewport(), Qt::LeftButton, {}, dialogView->mapFromScene(ab.pointAt(0.3)));
        QCOMPARE(weights.count(), 0);
        QCOMPARE(graph->undoStack()->count(), 0);
    }
    // Closed, the main window's drawing can be moved again.
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(*view, b));
    QTest::mouseMove(view->viewport(), at(*view, b) + QPoint(40, 30));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(*view, b) + QPoint(40, 30));
    QVERIFY(byName(*graph, "B")->pos() != b);
}

QTEST_MAIN(TestGraphView)
#include "tst_graphview.moc"
