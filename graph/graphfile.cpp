#include "graph/graphfile.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr qint64 HeaderSize = 8;
constexpr qint64 VerticleRecordSize = 18;
constexpr qint64 EdgeRecordSize = 12;

// A name character as the user can read it; control characters and the like
// from a foreign file are shown by their code.
QString readable(QChar c)
{
    if (c.isPrint() && !c.isSpace())
        return QString(c);
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

#ifdef Q_OS_UNIX
// The system's reason for a failed call, in Polish where it is a reason a
// user of this program can meet.
QString systemError(int code)
{
    switch (code) {
    case ENOENT:
        return GraphFile::tr("nie ma takiego pliku");
    case EACCES:
    case EPERM:
        return GraphFile::tr("brak uprawnień");
    case ENOTDIR:
        return GraphFile::tr("część ścieżki nie jest katalogiem");
    case ENAMETOOLONG:
        return GraphFile::tr("za długa nazwa pliku");
    case ENOSPC:
        return GraphFile::tr("brak miejsca na dysku");
#ifdef EDQUOT
    case EDQUOT:
        return GraphFile::tr("wyczerpany przydział miejsca na dysku");
#endif
    case EFBIG:
        return GraphFile::tr("plik przekroczyłby największy rozmiar, na jaki system pozwala temu programowi");
    case EROFS:
        return GraphFile::tr("system plików jest tylko do odczytu");
    case EIO:
        return GraphFile::tr("błąd wejścia-wyjścia na nośniku");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return GraphFile::tr("to katalog, nie plik");
    if (S_ISFIFO(mode))
        return GraphFile::tr("to potok (FIFO), a nie zwykły plik");
    if (S_ISSOCK(mode))
        return GraphFile::tr("to gniazdo, a nie zwykły plik");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return GraphFile::tr("to urządzenie, a nie zwykły plik");
    return GraphFile::tr("to nie jest zwykły plik");
}
#endif

#ifdef Q_OS_WIN
// Names that Windows gives to devices in every folder (NUL, CON, COM1.graf,
// ...) and paths into the device namespace: opening them reaches a device,
// and a console or a port may wait for input for ever.
bool isDeviceName(const QString &fileName)
{
    const QString native = QDir::toNativeSeparators(fileName);
    if (native.startsWith(QLatin1String("\\\\.\\")) || native.startsWith(QLatin1String("\\\\?\\GLOBALROOT")))
        return true;
    QString stem = native.section(QLatin1Char('\\'), -1).section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (stem.endsWith(QLatin1Char(':')))
        stem.chop(1);
    static const QStringList devices{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (devices.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT")))
        && stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9');
}

// What was opened, as Windows sees it: only a disk file is a graph file.
QString notDiskFile(int fd)
{
    switch (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd)))) {
    case FILE_TYPE_DISK:
        return QString();
    case FILE_TYPE_PIPE:
        return GraphFile::tr("to potok (FIFO), a nie zwykły plik");
    case FILE_TYPE_CHAR:
        return GraphFile::tr("to urządzenie, a nie zwykły plik");
    default:
        return GraphFile::tr("to nie jest zwykły plik");
    }
}
#endif

} // namespace

bool GraphFile::fail(const QString &reason)
{
    m_verticles.clear();
    m_edges.clear();
    m_error = reason;
    return false;
}

bool GraphFile::read(const QString &fileName)
{
    m_error.clear();
    QFile file;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(fileName);
    struct stat info;
    // Looked at before opening it: opening a device may do something of its own.
    if (::stat(path.constData(), &info) != 0)
        return fail(systemError(errno));
    if (!S_ISREG(info.st_mode))
        return fail(notRegular(info.st_mode));
    // Something else may have taken the name since: without O_NONBLOCK a FIFO
    // without a writer would block open() for ever. What was opened is what
    // is checked.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(systemError(errno));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const QString reason = notRegular(info.st_mode);
        ::close(fd);
        return fail(reason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    const qint64 size = info.st_size;
#else
#ifdef Q_OS_WIN
    if (isDeviceName(fileName))
        return fail(tr("to urządzenie, a nie zwykły plik"));
#endif
    file.setFileName(fileName);
    if (const QFileInfo info(fileName); !info.exists())
        return fail(tr("nie ma takiego pliku"));
    else if (!info.isFile())
        return fail(info.isDir() ? tr("to katalog, nie plik") : tr("to nie jest zwykły plik"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
#ifdef Q_OS_WIN
    if (const QString reason = notDiskFile(file.handle()); !reason.isEmpty())
        return fail(reason);
#endif
    const qint64 size = file.size();
#endif

    QDataStream in(&file);
    if (!readRecords(in, size, true))
        return false;
    // The size promised exactly these records; a byte more means the file grew while it was read.
    if (!file.read(1).isEmpty())
        return fail(tr("plik zmieniał się w trakcie czytania"));
    return true;
}

bool GraphFile::read(QDataStream &in)
{
    m_error.clear();
    const QIODevice *device = in.device();
    return readRecords(in, device && !device->isSequential() ? device->bytesAvailable() : -1, false);
}

// available: the bytes left in the stream, -1 when unknown; exact: they must
// be the graph's bytes and nothing more, as in a file.
bool GraphFile::readRecords(QDataStream &in, qint64 available, bool exact)
{
    auto corrupt = [&](const QString &reason) {
        in.setStatus(QDataStream::ReadCorruptData);
        return fail(reason);
    };
    auto cut = [&] {
        in.setStatus(QDataStream::ReadPastEnd);
        return fail(tr("dane urywają się przed końcem ostatniego rekordu"));
    };

    if (available >= 0 && available < HeaderSize) {
        in.setStatus(QDataStream::ReadPastEnd);
        return fail(tr("plik ma %1 B, za mało nawet na nagłówek z liczbami wierzchołków i krawędzi (%2 B)")
                        .arg(available)
                        .arg(HeaderSize));
    }
    qint32 verticleCount = 0;
    qint32 edgeCount = 0;
    in >> verticleCount >> edgeCount;
    if (in.status() != QDataStream::Ok)
        return cut();
    if (verticleCount < 0 || edgeCount < 0)
        return corrupt(tr("nagłówek podaje ujemną liczbę wierzchołków (%1) albo krawędzi (%2)")
                           .arg(verticleCount)
                           .arg(edgeCount));
    if (verticleCount > Graph::MaxVerticles)
        return corrupt(tr("za dużo wierzchołków: %1, a różnych jednoznakowych nazw jest tylko %2")
                           .arg(verticleCount)
                           .arg(Graph::MaxVerticles));
    if (edgeCount > MaxEdges)
        return corrupt(tr("za dużo krawędzi: %1, a plik z grafem może ich mieć najwyżej %2")
                           .arg(edgeCount)
                           .arg(MaxEdges));
    const qint64 expected = HeaderSize + VerticleRecordSize * verticleCount + EdgeRecordSize * edgeCount;
    if (available >= 0 && (available < expected || (exact && available != expected))) {
        if (available < expected)
            in.setStatus(QDataStream::ReadPastEnd);
        return corrupt(tr("plik ma %1 B, a dla liczb z nagłówka (wierzchołki: %2, krawędzie: %3) powinien mieć "
                          "dokładnie %4 B")
                           .arg(available)
                           .arg(verticleCount)
                           .arg(edgeCount)
                           .arg(expected));
    }

    // The counts are bounded, but a stream of unknown length gets room only as it delivers.
    m_verticles.clear();
    m_edges.clear();
    if (available >= 0) {
        m_verticles.reserve(verticleCount);
        m_edges.reserve(edgeCount);
    }
    for (qint32 i = 0; i < verticleCount; ++i) {
        VerticleRecord record;
        double x = 0;
        double y = 0;
        in >> record.name >> x >> y;
        if (in.status() != QDataStream::Ok)
            return cut();
        // A vertex at no finite place can be neither seen nor clicked, and
        // one farther than this leaves the rest of the drawing too small to see.
        if (!std::isfinite(x) || !std::isfinite(y))
            return corrupt(tr("wierzchołek nr %1 leży w punkcie (%2, %3), a współrzędne muszą być liczbami "
                              "skończonymi")
                               .arg(i + 1)
                               .arg(x)
                               .arg(y));
        if (std::abs(x) > MaxCoordinate || std::abs(y) > MaxCoordinate)
            return corrupt(tr("wierzchołek nr %1 leży w punkcie (%2, %3), a współrzędne mogą mieć wartość "
                              "bezwzględną najwyżej %4")
                               .arg(i + 1)
                               .arg(x)
                               .arg(y)
                               .arg(MaxCoordinate, 0, 'f', 0));
        record.pos = QPointF(x, y);
        m_verticles.append(record);
    }
    for (qint32 i = 0; i < edgeCount; ++i) {
        EdgeRecord record;
        in >> record.start >> record.end >> record.weight;
        if (in.status() != QDataStream::Ok)
            return cut();
        // Plus infinity stands for an edge without a weight; the edge draws one itself.
        if (std::isnan(record.weight) || record.weight == -std::numeric_limits<double>::infinity())
            return corrupt(tr("krawędź nr %1 ma wagę %2, a waga musi być liczbą (plus nieskończoność oznacza "
                              "wagę losową)")
                               .arg(i + 1)
                               .arg(record.weight));
        // A weight no one can type would draw a label across the whole canvas.
        if (std::isfinite(record.weight) && std::abs(record.weight) > MaxWeight)
            return corrupt(tr("krawędź nr %1 ma wagę %2, a waga może mieć wartość bezwzględną najwyżej %3")
                               .arg(i + 1)
                               .arg(record.weight)
                               .arg(MaxWeight, 0, 'f', 0));
        m_edges.append(record);
    }
    return true;
}

void GraphFile::replace(Graph &graph) const
{
    graph.removeAll();
    const Graph::Batch batch(graph);
    // Edges name their ends by the characters of the vertex records; a later
    // record with the same character takes the name over.
    QHash<QChar, GraphVerticle *> byName;
    byName.reserve(m_verticles.size());
    for (const VerticleRecord &record : m_verticles)
        byName.insert(record.name, graph.addVerticle(record.pos));

    // A damaged file may skip every record: the log names the first few and counts the rest.
    int skipped = 0;
    QStringList negative;
    auto skip = [&](const QString &message) {
        if (skipped++ < NamedSkips)
            emit graph.showExternInfo(message);
    };
    for (int i = 0; i < m_edges.size(); ++i) {
        const EdgeRecord &record = m_edges.at(i);
        GraphVerticle *start = byName.value(record.start);
        GraphVerticle *end = byName.value(record.end);
        const auto edgeName = [&] { return readable(record.start) + QLatin1Char('-') + readable(record.end); };
        if (!start || !end) {
            skip(tr("Pominięto krawędź nr %1 z pliku (%2): w pliku nie ma wierzchołka %3")
                     .arg(i + 1)
                     .arg(edgeName(), readable(start ? record.end : record.start)));
        } else if (start == end) {
            skip(tr("Pominięto krawędź nr %1 z pliku (%2): łączy wierzchołek z nim samym")
                     .arg(i + 1)
                     .arg(edgeName()));
        } else if (graph.hasEdge(start, end)) {
            // The scene's own message first, as for a pair drawn twice; then the record, as for the others.
            if (skipped < NamedSkips)
                graph.addEdge(start, end, record.weight);
            skip(tr("Pominięto krawędź nr %1 z pliku (%2): te wierzchołki łączy już wcześniejsza krawędź")
                     .arg(i + 1)
                     .arg(edgeName()));
        } else {
            graph.addEdge(start, end, record.weight);
            if (record.weight < 0)
                negative.append(edgeName());
        }
    }
    if (skipped > NamedSkips)
        emit graph.showExternInfo(tr("Dalszych pominiętych krawędzi z pliku: %1").arg(skipped - NamedSkips));
    if (!negative.isEmpty()) {
        const int more = int(negative.size()) - NamedSkips;
        QString names = QStringList(negative.mid(0, NamedSkips)).join(QStringLiteral(", "));
        if (more > 0)
            names += tr(" i jeszcze %1").arg(more);
        emit graph.showExternInfo(tr("Krawędzie o ujemnej wadze: %1; algorytm Minty'ego ich nie przyjmie").arg(names));
    }
}

bool GraphFile::write(const QString &fileName, const Graph &graph)
{
    m_error.clear();
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << graph;
    }
    return writeWhole(fileName, bytes, &m_error);
}

bool GraphFile::writeWhole(const QString &fileName, const QByteArray &bytes, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Written beside the target and renamed over it only when complete, so a
    // failed write never leaves a half-written or emptied file behind.
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
#ifdef Q_OS_UNIX
        // Qt's own words name the file but not the cause, which the system still holds.
        if (errno != 0)
            return fail(systemError(errno));
#endif
        return fail(file.errorString());
    }
    // Written by hand: when the disk fills up or the file reaches the size
    // limit, the system takes part of the bytes and says why only when asked
    // for the rest, and Qt reports such a short write with no reason at all.
    qint64 done = 0;
    while (done < bytes.size()) {
#ifdef Q_OS_UNIX
        const qint64 written = ::write(file.handle(), bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        const QString reason = written < 0 ? systemError(errno) : tr("system nie przyjął dalszych bajtów");
#else
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        const QString reason = written < 0 ? file.errorString() : tr("system nie przyjął dalszych bajtów");
#endif
        if (written <= 0) {
            file.cancelWriting();
            return fail(done == 0 ? reason : tr("zapisano tylko %1 z %2 B: %3").arg(done).arg(bytes.size()).arg(reason));
        }
        done += written;
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QDataStream &operator<<(QDataStream &out, const Graph &graph)
{
    const QList<GraphVerticle *> verticles = graph.verticles();
    const QList<GraphEdge *> edges = graph.edges();
    out << qint32(verticles.size()) << qint32(edges.size());
    for (const GraphVerticle *v : verticles)
        out << v->name().at(0) << double(v->pos().x()) << double(v->pos().y());
    for (const GraphEdge *edge : edges)
        out << edge->start()->name().at(0) << edge->end()->name().at(0) << double(edge->weight());
    return out;
}

QDataStream &operator>>(QDataStream &in, Graph &graph)
{
    GraphFile file;
    if (file.read(in))
        file.replace(graph);
    return in;
}
