// Writes arbitrary bytes, up to a megabyte, to a file and loads it through
// the main window's load command, then paints the whole drawing. Besides
// crashes and undefined behaviour it stops on a broken promise: a refused
// file leaves the drawing untouched and says why in one line; an accepted
// one keeps within the limits, says at most one line more than the skipped
// records it names, and writes out to a file that reads back to the same
// bytes.

#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"
#include "tests/fuzz/fuzzing.h"

#include <QApplication>
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QGraphicsView>
#include <QIODevice>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *folder;
Perewal *window;

// Seeds that mutations keep at their length, so that large files are read
// and drawn, not only refused: vertex names far past Z with a ring and
// chords, and the same records with every vertex named alike.
void writeSeeds(const QString &folderName)
{
    for (const bool alike : {false, true}) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        const int count = 600;
        out << qint32(count) << qint32(2 * count);
        for (int i = 0; i < count; ++i)
            out << QChar(char16_t(alike ? 65 : 65 + i)) << double(i % 30 * 30) << double(i / 30 * 30);
        for (int i = 0; i < count; ++i)
            out << QChar(char16_t(65 + i)) << QChar(char16_t(65 + (i + 1) % count)) << double(i % 7)
                << QChar(char16_t(65 + i)) << QChar(char16_t(65 + (i * 37 + 11) % count)) << double(i % 100);
        QFile file(folderName + (alike ? QStringLiteral("/alike.graf") : QStringLiteral("/ring.graf")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    // Vertex names past the Latin letters come from scripts no font here covers, and Qt warns about each.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
    });
    if (const QByteArray seeds = qgetenv("PEREWAL_FUZZ_SEEDS"); !seeds.isEmpty())
        writeSeeds(QString::fromLocal8Bit(seeds));
    static QTemporaryDir dir;
    folder = &dir;
    // Never destroyed: at exit Qt's own globals would go before a static window.
    window = new Perewal;
    window->resize(1280, 800);
    window->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 20)
        return -1;
    const QString fileName = folder->filePath(QStringLiteral("wejscie.graf"));
    {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }

    Graph &graph = *window->graph();
    auto *log = window->findChild<QListWidget *>(QStringLiteral("eventLog"));
    log->clear();
    const QByteArray drawing = written(graph);
    const QList<GraphVerticle *> drawn = graph.verticles();

    if (!window->loadGraphFrom(fileName)) {
        if (graph.verticles() != drawn || written(graph) != drawing)
            broken("a refused file leaves the drawing as it was");
        if (log->count() != 1)
            broken("a refused file is one line in the log");
        return 0;
    }

    const QList<GraphVerticle *> verticles = graph.verticles();
    if (verticles.size() > Graph::MaxVerticles || graph.edges().size() > GraphFile::MaxEdges)
        broken("a loaded graph keeps within the limits");
    for (int i = 0; i < verticles.size(); ++i) {
        if (verticles.at(i)->name() != QString(QChar(char16_t(65 + i))))
            broken("every vertex bears its positional name");
    }
    // The named skips (a repeated pair with the scene's own line before its own), the count of the rest, the
    // edges of negative weight, and the load itself, newest.
    if (log->count() > 2 * GraphFile::NamedSkips + 3)
        broken("a load logs at most its named skips and three lines more");
    if (log->count() == 0 || !log->item(0)->text().contains(QStringLiteral("Wczytano graf z pliku")))
        broken("a load says what it loaded");

    // The whole drawing painted once, wherever its vertices lie.
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("graphView"));
    view->fitInView(graph.itemsBoundingRect(), Qt::KeepAspectRatio);
    view->viewport()->repaint();

    const QString copy = folder->filePath(QStringLiteral("kopia.graf"));
    if (!window->saveGraphTo(copy))
        broken("a loaded graph can be saved");
    QFile saved(copy);
    if (!saved.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray bytes = saved.readAll();
    if (bytes != written(graph))
        broken("the saved file holds what the writer writes");
    if (!window->loadGraphFrom(copy) || written(graph) != bytes)
        broken("what was saved loads back to the same graph");
    return 0;
}
