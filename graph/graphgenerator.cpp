#include "graph/graphgenerator.h"

#include "graph/editcommand.h"
#include "graph/graphfile.h"

#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QSet>

#include <algorithm>

namespace {

// How many pairs of segments the crossing search may test: a graph of the
// default size gets thousands of moves, a large one a bounded time.
constexpr qint64 crossingBudget = 400000;
// Scene coordinates stay below this, so that the squared products of the
// clearance test fit in 64 bits.
constexpr int maxCoordinate = 31000;
constexpr int largestSpacing = 140;
// Up to this many edges, no two weights are let overlap.
constexpr int labelledEdges = 2000;

quint64 pairKey(int a, int b)
{
    if (a > b)
        std::swap(a, b);
    return (quint64(quint32(a)) << 32) | quint32(b);
}

qint64 cross(QPoint o, QPoint a, QPoint b)
{
    return qint64(a.x() - o.x()) * (b.y() - o.y()) - qint64(a.y() - o.y()) * (b.x() - o.x());
}

int sign(qint64 v)
{
    return (v > 0) - (v < 0);
}

// Whether p, known to lie on the line through a and b, lies on the segment between them.
bool within(QPoint a, QPoint b, QPoint p)
{
    return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) && std::min(a.y(), b.y()) <= p.y()
        && p.y() <= std::max(a.y(), b.y());
}

// Two segments meet anywhere but at a shared end; ends are shared by index,
// and a shared end counts when the segments run along each other from it.
bool segmentsMeet(int a, int b, int c, int d, const QList<QPoint> &at)
{
    const QPoint p = at.at(a), q = at.at(b), r = at.at(c), s = at.at(d);
    if (a == c || a == d || b == c || b == d) {
        const int shared = (a == c || a == d) ? a : b;
        const QPoint o = at[shared];
        const QPoint u = shared == a ? q : p;
        const QPoint v = (shared == c) ? s : r;
        return cross(o, u, v) == 0
            && qint64(u.x() - o.x()) * (v.x() - o.x()) + qint64(u.y() - o.y()) * (v.y() - o.y()) > 0;
    }
    // Most pairs lie apart, seen from their bounding boxes alone.
    if (std::max(p.x(), q.x()) < std::min(r.x(), s.x()) || std::max(r.x(), s.x()) < std::min(p.x(), q.x())
        || std::max(p.y(), q.y()) < std::min(r.y(), s.y()) || std::max(r.y(), s.y()) < std::min(p.y(), q.y()))
        return false;
    const int o1 = sign(cross(p, q, r)), o2 = sign(cross(p, q, s));
    const int o3 = sign(cross(r, s, p)), o4 = sign(cross(r, s, q));
    if (o1 * o2 < 0 && o3 * o4 < 0)
        return true;
    return (o1 == 0 && within(p, q, r)) || (o2 == 0 && within(p, q, s)) || (o3 == 0 && within(r, s, p))
        || (o4 == 0 && within(r, s, q));
}

// Whether the point lies closer than limit to the segment from a to b, exactly.
bool nearSegment(QPoint p, QPoint a, QPoint b, qint64 limit)
{
    // Most points lie outside the segment's bounding box grown by the limit.
    if (p.x() + limit <= std::min(a.x(), b.x()) || p.x() - limit >= std::max(a.x(), b.x())
        || p.y() + limit <= std::min(a.y(), b.y()) || p.y() - limit >= std::max(a.y(), b.y()))
        return false;
    const qint64 dx = b.x() - a.x(), dy = b.y() - a.y();
    const qint64 wx = p.x() - a.x(), wy = p.y() - a.y();
    const qint64 t = wx * dx + wy * dy;
    const qint64 length2 = dx * dx + dy * dy;
    if (t <= 0)
        return wx * wx + wy * wy < limit * limit;
    if (t >= length2) {
        const qint64 ex = p.x() - b.x(), ey = p.y() - b.y();
        return ex * ex + ey * ey < limit * limit;
    }
    const quint64 c = quint64(std::abs(dx * wy - dy * wx));
    return c * c < quint64(limit * limit) * quint64(length2);
}

qint64 wholeSqrt(qint64 v)
{
    qint64 low = 0, high = 3037000499; // the square root of the largest qint64
    while (low < high) {
        const qint64 mid = (low + high + 1) / 2;
        if (mid * mid <= v)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

qint64 pairCount(int verticles)
{
    return qint64(verticles) * (verticles - 1) / 2;
}

} // namespace

GraphGenerator::GraphGenerator(const Settings &settings)
    : m_settings(settings)
{
}

quint32 GraphGenerator::nextRandom()
{
    // PCG32 (XSH RR): 64-bit state, fixed increment, whole-number operations only.
    const quint64 old = m_state;
    m_state = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const quint32 shifted = quint32(((old >> 18u) ^ old) >> 27u);
    const quint32 rotation = quint32(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32 - rotation) & 31));
}

quint32 GraphGenerator::below(quint32 bound)
{
    if (bound <= 1)
        return 0;
    const quint32 threshold = (0u - bound) % bound;
    for (;;) {
        const quint32 r = nextRandom();
        if (r >= threshold)
            return r % bound;
    }
}

int GraphGenerator::minEdges(int verticles, Kind kind)
{
    switch (kind) {
    case Any:
        return 0;
    case Connected:
        return std::max(verticles - 1, 0);
    case EulerianConnected:
        return verticles >= 3 ? verticles : 1;
    }
    return 0;
}

int GraphGenerator::maxEdges(int verticles, Kind kind)
{
    qint64 most = pairCount(verticles);
    // With an even count every degree is at most n - 2, so a vertex's n - 1 pairs cannot all be edges.
    if (kind == EulerianConnected)
        most = verticles < 3 ? 0 : (verticles % 2 ? most : qint64(verticles) * (verticles - 2) / 2);
    return int(std::min<qint64>(most, GraphFile::MaxEdges));
}

int GraphGenerator::askedEdges(const Settings &settings)
{
    if (settings.edges >= 0)
        return settings.edges;
    const qint64 density = std::clamp(settings.density, 0, 100);
    return int(std::min<qint64>((pairCount(settings.verticles) * density + 50) / 100, GraphFile::MaxEdges + 1));
}

QString GraphGenerator::title(quint32 number)
{
    return tr("Graf nr %1").arg(number);
}

bool GraphGenerator::generate()
{
    m_error.clear();
    m_note.clear();
    m_positions.clear();
    m_edges.clear();
    m_pairs.clear();
    m_area = QRect();
    // Seeded as PCG's reference seeds it, from the number alone.
    m_state = 0;
    nextRandom();
    m_state += m_settings.number;
    nextRandom();

    const int n = m_settings.verticles;
    if (n < 1 || n > Graph::MaxVerticles) {
        m_error = tr("Liczba wierzchołków musi wynosić od 1 do %1, a podano %2").arg(Graph::MaxVerticles).arg(n);
        return false;
    }
    const int low = minEdges(n, m_settings.kind);
    const int high = maxEdges(n, m_settings.kind);
    if (low > high) {
        m_error = tr("Graf spójny i eulerowski (bez pętli i krawędzi wielokrotnych) ma co najmniej 3 wierzchołki, a "
                     "podano %1")
                      .arg(n);
        return false;
    }
    const int asked = askedEdges(m_settings);
    const int count = std::clamp(asked, low, high);

    // A count the kind allows but the search cannot reach is said below.
    switch (m_settings.kind) {
    case Any:
        makeAny(count);
        break;
    case Connected:
        makeConnected(count);
        break;
    case EulerianConnected:
        makeEulerian(count);
        break;
    }
    const int got = int(m_pairs.size());
    if (got != asked) {
        const QString kind = m_settings.kind == Any         ? tr("Graf")
                           : m_settings.kind == Connected ? tr("Graf spójny")
                                                          : tr("Graf spójny i eulerowski");
        if (asked < low)
            m_note = tr("%1 o %2 wierzchołkach ma co najmniej %3 krawędzi: zamiast %4 jest ich %5")
                         .arg(kind)
                         .arg(n)
                         .arg(low)
                         .arg(asked)
                         .arg(got);
        else if (asked > high)
            m_note = tr("%1 o %2 wierzchołkach może mieć najwyżej %3 krawędzi: zamiast %4 jest ich %5")
                         .arg(kind)
                         .arg(n)
                         .arg(high)
                         .arg(asked)
                         .arg(got);
        else
            m_note = tr("Nie udało się ułożyć grafu tego rodzaju o %1 krawędziach: jest ich %2")
                         .arg(asked)
                         .arg(got);
    }

    std::sort(m_pairs.begin(), m_pairs.end());
    layOut();
    weigh();
    m_pairs.clear();
    return true;
}

// Adds random pairs not joined yet up to edgeCount: by drawing pairs while
// few are taken, by shuffling the free ones when most would be.
void GraphGenerator::makeAny(int edgeCount)
{
    const int n = m_settings.verticles;
    QSet<quint64> taken;
    for (const auto &pair : std::as_const(m_pairs))
        taken.insert(pairKey(pair.first, pair.second));
    const int wanted = edgeCount - int(m_pairs.size());
    if (wanted <= 0)
        return;
    const qint64 free = pairCount(n) - m_pairs.size();
    if (qint64(wanted) * 2 <= free) {
        while (int(m_pairs.size()) < edgeCount) {
            const int a = int(below(quint32(n)));
            const int b = int(below(quint32(n)));
            if (a == b || taken.contains(pairKey(a, b)))
                continue;
            taken.insert(pairKey(a, b));
            m_pairs.append({std::min(a, b), std::max(a, b)});
        }
        return;
    }
    // Here the free pairs are at most twice GraphFile::MaxEdges.
    QList<QPair<int, int>> pool;
    pool.reserve(free);
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (!taken.contains(pairKey(a, b)))
                pool.append({a, b});
        }
    }
    for (int i = 0; i < wanted; ++i) {
        const int j = i + int(below(quint32(pool.size() - i)));
        std::swap(pool[i], pool[j]);
        m_pairs.append(pool.at(i));
    }
}

void GraphGenerator::makeConnected(int edgeCount)
{
    const int n = m_settings.verticles;
    // A random tree: every vertex in a random order hangs from one before it.
    QList<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    for (int i = n - 1; i > 0; --i)
        std::swap(order[i], order[int(below(quint32(i + 1)))]);
    for (int i = 1; i < n; ++i) {
        const int a = order[i];
        const int b = order[int(below(quint32(i)))];
        m_pairs.append({std::min(a, b), std::max(a, b)});
    }
    makeAny(edgeCount);
}

// An edge list that grows by steps keeping the parity of every degree and the
// connections between vertices: a triangle of free pairs (three edges more),
// or an edge a-b replaced by a path a-c-b through free pairs (one more).
struct GraphGenerator::ParityGrowth
{
    int n;
    QList<QPair<int, int>> edges;
    QSet<quint64> present;
    QHash<quint64, int> index;

    bool absent(int a, int b) const { return a != b && !present.contains(pairKey(a, b)); }
    void add(int a, int b)
    {
        present.insert(pairKey(a, b));
        index.insert(pairKey(a, b), int(edges.size()));
        edges.append({std::min(a, b), std::max(a, b)});
    }
    void drop(int i)
    {
        const auto [a, b] = edges.at(i);
        present.remove(pairKey(a, b));
        index.remove(pairKey(a, b));
        const auto last = edges.takeLast();
        if (i < edges.size()) {
            edges[i] = last;
            index.insert(pairKey(last.first, last.second), i);
        }
    }
};

bool GraphGenerator::growEvenly(ParityGrowth &g, int target)
{
    const int n = g.n;
    constexpr int tries = 64;
    // An exhaustive search only where it is cheap; the drawn tries find a step in a sparse graph.
    constexpr int searchable = 200;
    auto addTriangle = [&]() {
        for (int t = 0; t < tries; ++t) {
            const int a = int(below(quint32(n))), b = int(below(quint32(n))), c = int(below(quint32(n)));
            if (g.absent(a, b) && g.absent(b, c) && g.absent(a, c)) {
                g.add(a, b), g.add(b, c), g.add(a, c);
                return true;
            }
        }
        if (n > searchable)
            return false;
        const int shift = int(below(quint32(n)));
        for (int i = 0; i < n; ++i) {
            const int a = (i + shift) % n;
            for (int b = 0; b < n; ++b) {
                if (!g.absent(a, b))
                    continue;
                for (int c = b + 1; c < n; ++c) {
                    if (g.absent(a, c) && g.absent(b, c)) {
                        g.add(a, b), g.add(b, c), g.add(a, c);
                        return true;
                    }
                }
            }
        }
        return false;
    };
    auto widenEdge = [&]() {
        if (g.edges.isEmpty())
            return false;
        for (int t = 0; t < tries; ++t) {
            const int i = int(below(quint32(g.edges.size())));
            const auto [a, b] = g.edges.at(i);
            const int c = int(below(quint32(n)));
            if (c != a && c != b && g.absent(a, c) && g.absent(b, c)) {
                g.drop(i);
                g.add(a, c), g.add(c, b);
                return true;
            }
        }
        if (n > searchable)
            return false;
        const int shift = int(below(quint32(g.edges.size())));
        for (int k = 0; k < g.edges.size(); ++k) {
            const int i = (k + shift) % int(g.edges.size());
            const auto [a, b] = g.edges.at(i);
            for (int c = 0; c < n; ++c) {
                if (c != a && c != b && g.absent(a, c) && g.absent(b, c)) {
                    g.drop(i);
                    g.add(a, c), g.add(c, b);
                    return true;
                }
            }
        }
        return false;
    };
    while (int(g.edges.size()) < target) {
        const int missing = target - int(g.edges.size());
        const bool grown = missing >= 3 ? (addTriangle() || widenEdge()) : widenEdge();
        if (!grown)
            return false;
    }
    return true;
}

void GraphGenerator::makeEulerian(int edgeCount)
{
    const int n = m_settings.verticles;
    const qint64 pairs = pairCount(n);
    QList<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    for (int i = n - 1; i > 0; --i)
        std::swap(order[i], order[int(below(quint32(i + 1)))]);

    // A dense graph is the complement of a sparse one whose degrees are all
    // even (n odd) or all odd (n even, starting from a perfect matching); it
    // is connected unless the sparse one covers a whole side, which is checked.
    if (edgeCount * 2 > pairs) {
        ParityGrowth complement{n, {}, {}, {}};
        if (n % 2 == 0) {
            for (int i = 0; i + 1 < n; i += 2)
                complement.add(order[i], order[i + 1]);
        }
        const int target = int(pairs - edgeCount);
        if (growEvenly(complement, target)) {
            QList<QPair<int, int>> dense;
            QList<QList<int>> neighbours(n);
            for (int a = 0; a < n; ++a) {
                for (int b = a + 1; b < n; ++b) {
                    if (!complement.present.contains(pairKey(a, b))) {
                        dense.append({a, b});
                        neighbours[a].append(b);
                        neighbours[b].append(a);
                    }
                }
            }
            QList<bool> reached(n, false);
            QList<int> stack{0};
            reached[0] = true;
            int count = 1;
            while (!stack.isEmpty()) {
                for (int w : neighbours[stack.takeLast()]) {
                    if (!reached[w]) {
                        reached[w] = true;
                        ++count;
                        stack.append(w);
                    }
                }
            }
            if (count == n) {
                m_pairs = dense;
                return;
            }
        }
    }

    // A cactus of cycles covers every vertex and keeps the graph connected:
    // one cycle, then petals, each a cycle through one vertex already covered
    // and at least two new ones, each one edge more than the n of a single
    // cycle. Growing it then keeps it connected and every degree even.
    const int extra = edgeCount - n;
    const int mostPetals = (n - 3) / 2;
    const int petals = extra <= mostPetals ? extra : int(below(quint32(mostPetals + 1)));
    QList<int> sizes(petals + 1, 2);
    sizes[0] = 3;
    for (int left = n - 3 - 2 * petals; left > 0; --left)
        ++sizes[int(below(quint32(petals + 1)))];

    ParityGrowth growth{n, {}, {}, {}};
    int covered = sizes[0];
    for (int i = 0; i < covered; ++i)
        growth.add(order[i], order[(i + 1) % covered]);
    for (int p = 1; p <= petals; ++p) {
        const int hub = order[int(below(quint32(covered)))];
        int previous = hub;
        for (int k = 0; k < sizes[p]; ++k) {
            growth.add(previous, order[covered]);
            previous = order[covered++];
        }
        growth.add(previous, hub);
    }
    // Stops where no step is left; generate() then says how many edges there are.
    growEvenly(growth, edgeCount);
    m_pairs = growth.edges;
}

void GraphGenerator::layOut()
{
    // Read through a const reference: QList's non-const operator[] checks for sharing at every call.
    const QList<QPair<int, int>> &pairs = m_pairs;
    const int n = m_settings.verticles;
    // Cells on a grid of about 4:3 with room to spare for moves; the smallest
    // number of columns whose square, times three, reaches four times the cells.
    const int cells = n + n / 2 + 2;
    int columns = 1;
    while (qint64(columns) * columns * 3 < qint64(cells) * 4)
        ++columns;
    const int rows = (cells + columns - 1) / columns;
    const int m = int(pairs.size());
    // A dense graph gets cells wider by the square root of its edges per vertex past two, so
    // that its edges leave room for the vertices between them.
    const qint64 widening = m > 2 * n ? wholeSqrt(qint64(m) * 10000 / (2 * n)) : 100;
    const int spacing = int(std::min<qint64>(largestSpacing * widening / 100, maxCoordinate / std::max(columns, rows)));
    const int jitter = std::min(spacing / 4, (spacing - MinDistance) / 2);
    m_area = QRect(0, 0, columns * spacing, rows * spacing);

    QList<QList<int>> incident(n);
    for (int e = 0; e < m; ++e) {
        incident[pairs[e].first].append(e);
        incident[pairs[e].second].append(e);
    }

    // First cells in order of a breadth-first walk, along rows that turn at
    // each end, so that neighbours start near each other.
    QList<int> order;
    order.reserve(n);
    QList<bool> seen(n, false);
    const int shift = int(below(quint32(n)));
    for (int s = 0; s < n; ++s) {
        const int root = (s + shift) % n;
        if (seen[root])
            continue;
        seen[root] = true;
        int head = int(order.size());
        order.append(root);
        while (head < order.size()) {
            const int v = order[head++];
            for (int e : std::as_const(incident[v])) {
                const int w = pairs[e].first == v ? pairs[e].second : pairs[e].first;
                if (!seen[w]) {
                    seen[w] = true;
                    order.append(w);
                }
            }
        }
    }
    const int total = columns * rows;
    QList<int> cellOf(n, -1);
    QList<int> occupant(total, -1);
    {
        int need = n;
        int next = 0;
        for (int i = 0; i < total && need > 0; ++i) {
            const int row = i / columns;
            const int column = row % 2 ? columns - 1 - i % columns : i % columns;
            const int cell = row * columns + column;
            if (int(below(quint32(total - i))) < need) {
                cellOf[order[next]] = cell;
                occupant[cell] = order[next++];
                --need;
            }
        }
    }

    // Greedy moves on the cell centres: a vertex to another cell, or two
    // vertices swapped, kept when crossings (and edges through a vertex) fall,
    // or stay and the edges get shorter.
    QList<QPoint> at(n);
    auto place = [&](int v) { at[v] = QPoint(cellOf[v] % columns, cellOf[v] / columns); };
    for (int v = 0; v < n; ++v)
        place(v);
    qint64 spent = 0;
    auto measure = [&](int v, int u, qint64 &bad, qint64 &length) {
        bad = 0;
        length = 0;
        QList<int> mine = incident[v];
        if (u >= 0)
            mine += incident[u];
        for (int i = 0; i < mine.size(); ++i) {
            const int e = mine[i];
            const auto [a, b] = pairs[e];
            // An edge between v and u is in both lists; its second copy counts nothing.
            if (u >= 0 && i >= incident[v].size() && (a == v || b == v))
                continue;
            length += std::abs(at[a].x() - at[b].x()) + std::abs(at[a].y() - at[b].y());
            for (int f = 0; f < m; ++f) {
                if (f == e)
                    continue;
                const auto [c, d] = pairs[f];
                const bool fMine = c == v || d == v || (u >= 0 && (c == u || d == u));
                if (fMine && f < e)
                    continue;
                if (segmentsMeet(a, b, c, d, at))
                    ++bad;
            }
            for (int w = 0; w < n; ++w) {
                if (w != a && w != b && cross(at[a], at[b], at[w]) == 0 && within(at[a], at[b], at[w]))
                    ++bad;
            }
            spent += m + n;
        }
        // Foreign edges through the moved vertices themselves.
        for (int w : {v, u}) {
            if (w < 0)
                continue;
            for (int f = 0; f < m; ++f) {
                const auto [c, d] = pairs[f];
                if (c != v && d != v && c != u && d != u && cross(at[c], at[d], at[w]) == 0
                    && within(at[c], at[d], at[w]))
                    ++bad;
            }
            spent += m;
        }
    };
    // Worth it only where the budget gives every vertex a few moves: a large graph keeps its
    // breadth-first places, where neighbours already lie near each other.
    const qint64 moveCost = 4 * (2 * qint64(m) / std::max(n, 1) + 1) * (m + n);
    if (m > 0 && n > 2 && crossingBudget / moveCost >= n) {
        const qint64 moves = qint64(n) * 60;
        for (qint64 k = 0; k < moves && spent < crossingBudget; ++k) {
            const int v = int(below(quint32(n)));
            // A dense graph would spend the whole budget on a move or two.
            if (spent + 4 * qint64(incident[v].size()) * (m + n) > crossingBudget)
                break;
            int cell = 0;
            if (!incident[v].isEmpty() && below(2) == 0) {
                const auto [a, b] = pairs[incident[v][int(below(quint32(incident[v].size())))]];
                const int w = a == v ? b : a;
                const int column = std::clamp(at[w].x() + int(below(3)) - 1, 0, columns - 1);
                const int row = std::clamp(at[w].y() + int(below(3)) - 1, 0, rows - 1);
                cell = row * columns + column;
            } else {
                cell = int(below(quint32(total)));
            }
            if (cell == cellOf[v])
                continue;
            const int u = occupant[cell];
            qint64 badBefore = 0, lengthBefore = 0, badAfter = 0, lengthAfter = 0;
            measure(v, u, badBefore, lengthBefore);
            const int from = cellOf[v];
            auto swapCells = [&](int fromCell, int toCell) {
                const int x = occupant[fromCell], y = occupant[toCell];
                occupant[fromCell] = y;
                occupant[toCell] = x;
                if (x >= 0)
                    cellOf[x] = toCell, place(x);
                if (y >= 0)
                    cellOf[y] = fromCell, place(y);
            };
            swapCells(from, cell);
            measure(v, u, badAfter, lengthAfter);
            if (!(badAfter < badBefore || (badAfter == badBefore && lengthAfter < lengthBefore)))
                swapCells(cell, from);
        }
    }

    // Scene places: the cell's centre moved by a little, so that few three
    // vertices stay on one line; then vertices too near a foreign edge move.
    auto centre = [&](int cell) {
        return QPoint((cell % columns) * spacing + spacing / 2, (cell / columns) * spacing + spacing / 2);
    };
    auto shake = [&](int v) {
        const int span = 2 * jitter + 1;
        // Two statements: the order in which a call's arguments are evaluated differs between compilers.
        const int dx = int(below(quint32(span))) - jitter;
        const int dy = int(below(quint32(span))) - jitter;
        m_positions[v] = centre(cellOf[v]) + QPoint(dx, dy);
    };
    m_positions = QList<QPoint>(n);
    for (int v = 0; v < n; ++v)
        shake(v);

    const QList<QPoint> &placed = m_positions;
    // A vertex near a segment lies in a cell of the segment's bounding box of cells: the jitter keeps
    // every vertex farther than the clearance from its cell's border.
    // What the repairs below have cost, in segments and cells looked at. A
    // graph of a lesson's size gets room to clear every vertex; a large one,
    // not read vertex by vertex, a time below that of loading it.
    qint64 repairs = 0;
    const qint64 repairBudget = n <= 4 * DefaultMaxVerticles ? 4 * crossingBudget : crossingBudget / 2;
    // The cells an edge can pass near a vertex in: along the line between
    // the cells of its ends, one cell either side. The jitter moves an end by
    // less than half a cell, and keeps each vertex farther than the clearance
    // from its cell's border, so a vertex near the edge lies in one of them.
    auto forCellsAlong = [&](int a, int b, const auto &visit) {
        const int ca = cellOf[a] % columns, ra = cellOf[a] / columns;
        const int dc = cellOf[b] % columns - ca, dr = cellOf[b] / columns - ra;
        const int steps = std::max(std::abs(dc), std::abs(dr));
        const bool wide = std::abs(dc) >= std::abs(dr);
        auto nearest = [steps](int delta, int t) {
            // delta * t / steps rounded half up, also for negative deltas.
            const qint64 twice = 2 * qint64(delta) * t + steps;
            const qint64 div = 2 * qint64(steps);
            return int(twice >= 0 ? twice / div : -((-twice + div - 1) / div));
        };
        repairs += 3 * (steps + 1);
        for (int t = 0; t <= steps; ++t) {
            const int c = steps ? ca + nearest(dc, t) : ca;
            const int r = steps ? ra + nearest(dr, t) : ra;
            for (int o = -1; o <= 1; ++o) {
                const int cc = wide ? c : c + o, rr = wide ? r + o : r;
                if (cc >= 0 && cc < columns && rr >= 0 && rr < rows) {
                    const int w = occupant[rr * columns + cc];
                    if (w >= 0 && w != a && w != b)
                        visit(w);
                }
            }
        }
    };
    // Plain names rather than a structured binding: C++17 lambdas cannot capture one.
    auto edgeTouchesForeign = [&](int e) {
        const int a = pairs[e].first, b = pairs[e].second;
        int found = -1;
        forCellsAlong(a, b, [&](int w) {
            if (found < 0 && nearSegment(placed[w], placed[a], placed[b], Clearance))
                found = w;
        });
        return found;
    };
    // Whether the weights of two edges, written at their middles, would overlap.
    auto labelsClash = [&](int e, int f) {
        if (e == f)
            return false;
        const int ex = placed[pairs[e].first].x() + placed[pairs[e].second].x();
        const int ey = placed[pairs[e].first].y() + placed[pairs[e].second].y();
        const int fx = placed[pairs[f].first].x() + placed[pairs[f].second].x();
        const int fy = placed[pairs[f].first].y() + placed[pairs[f].second].y();
        // The sums are twice the middles.
        return std::abs(ex - fx) < 2 * LabelSpacing.width() && std::abs(ey - fy) < 2 * LabelSpacing.height();
    };
    // How many foreign vertices v's edges pass near, and foreign edges pass near v, and weights v's edges hide.
    // A vertex on a foreign edge misleads; overlapping weights only slow the reading.
    constexpr int hiddenVertex = 1000;
    bool weighLabels = false;
    auto troubles = [&](int v) {
        repairs += m;
        int count = 0;
        for (int e : std::as_const(incident[v])) {
            const int a = pairs[e].first, b = pairs[e].second;
            forCellsAlong(a, b, [&](int w) {
                if (nearSegment(placed[w], placed[a], placed[b], Clearance))
                    count += hiddenVertex;
            });
        }
        for (int f = 0; f < m; ++f) {
            const auto [c, d] = pairs[f];
            if (c != v && d != v && nearSegment(placed[v], placed[c], placed[d], Clearance))
                count += hiddenVertex;
        }
        if (weighLabels) {
            repairs += qint64(incident[v].size()) * m;
            for (int e : std::as_const(incident[v])) {
                for (int f = 0; f < m; ++f)
                    count += labelsClash(e, f);
            }
        }
        return count;
    };
    // Weights overlap where two edges' middles meet; a large graph, not read
    // label by label, is spared the search over all pairs.
    auto findClash = [&](int e) {
        repairs += m;
        for (int f = 0; f < m; ++f) {
            if (labelsClash(e, f))
                return f;
        }
        return -1;
    };
    QList<int> pending;
    QList<bool> isPending(n, false);
    auto addPending = [&](int v) {
        if (!isPending[v])
            pending.append(v), isPending[v] = true;
    };
    // Those in trouble, and the ends of the edges they lie on: moving an end moves the edge.
    auto findPending = [&] {
        for (int e = 0; e < m; ++e) {
            const int w = edgeTouchesForeign(e);
            if (w >= 0) {
                for (int x : {w, pairs[e].first, pairs[e].second})
                    addPending(x);
            }
            if (weighLabels && findClash(e) >= 0) {
                addPending(pairs[e].first);
                addPending(pairs[e].second);
            }
        }
    };
    // First the vertices off foreign edges, then the weights apart, each pass with a budget of its own.
    for (const bool labels : {false, true}) {
        if (labels && m > labelledEdges)
            break;
        weighLabels = labels;
        repairs = 0;
        pending.clear();
        isPending.fill(false);
        findPending();
        // Each round re-places the vertices found in trouble; a re-placed vertex can trouble others.
        for (int round = 0; round < 16 && !pending.isEmpty() && repairs <= repairBudget; ++round) {
            QList<int> still;
            for (int v : std::as_const(pending)) {
                // A dense graph of hundreds of vertices has no room for it: within a budget, as the crossings.
                if (repairs > repairBudget) {
                    still.append(v);
                    continue;
                }
                int least = troubles(v);
                if (least == 0)
                    continue;
                int bestCell = cellOf[v];
                QPoint bestPlace = m_positions[v];
                auto tryHere = [&] {
                    shake(v);
                    const int now = troubles(v);
                    if (now < least)
                        least = now, bestCell = cellOf[v], bestPlace = m_positions[v];
                };
                for (int t = 0; t < 24 && least > 0; ++t)
                    tryHere();
                // Jitter alone does not help: the empty cells, from a random one on.
                const int first = int(below(quint32(total)));
                for (int k = 0, tried = 0; k < total && tried < 64 && least > 0; ++k) {
                    const int cell = (first + k) % total;
                    if (occupant[cell] >= 0)
                        continue;
                    ++tried;
                    occupant[cellOf[v]] = -1;
                    cellOf[v] = cell;
                    occupant[cell] = v;
                    for (int t = 0; t < 4 && least > 0; ++t)
                        tryHere();
                }
                occupant[cellOf[v]] = -1;
                cellOf[v] = bestCell;
                occupant[bestCell] = v;
                m_positions[v] = bestPlace;
                if (least > 0)
                    still.append(v);
            }
            pending = still;
            isPending.fill(false);
            for (int v : std::as_const(pending))
                isPending[v] = true;
            findPending();
        }
    }
}

void GraphGenerator::weigh()
{
    m_edges.reserve(m_pairs.size());
    for (const auto &[a, b] : std::as_const(m_pairs)) {
        const qint64 dx = m_positions[b].x() - m_positions[a].x();
        const qint64 dy = m_positions[b].y() - m_positions[a].y();
        qint64 weight = 1;
        switch (m_settings.weights) {
        case Graph::Unit:
            break;
        case Graph::Distance:
            // What the scene shows for a drawn edge: its length, cut to a whole number.
            weight = wholeSqrt(dx * dx + dy * dy);
            break;
        case Graph::Manhattan:
            weight = std::abs(dx) + std::abs(dy);
            break;
        case Graph::Random1To10:
            weight = 1 + below(10);
            break;
        case Graph::Random1To100:
            weight = 1 + below(100);
            break;
        case Graph::Random0To10:
            weight = below(11);
            break;
        case Graph::Random0To100:
            weight = below(101);
            break;
        }
        m_edges.append({a, b, int(weight)});
    }
}

QByteArray GraphGenerator::fileBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(m_positions.size()) << qint32(m_edges.size());
    for (int i = 0; i < m_positions.size(); ++i)
        out << QChar(char16_t('A' + i)) << double(m_positions[i].x()) << double(m_positions[i].y());
    for (const Edge &edge : m_edges)
        out << QChar(char16_t('A' + edge.start)) << QChar(char16_t('A' + edge.end)) << double(edge.weight);
    return bytes;
}

int GraphGenerator::crossings() const
{
    int count = 0;
    for (int e = 0; e < m_edges.size(); ++e) {
        for (int f = e + 1; f < m_edges.size(); ++f) {
            if (segmentsMeet(m_edges[e].start, m_edges[e].end, m_edges[f].start, m_edges[f].end, m_positions))
                ++count;
        }
    }
    return count;
}

void GraphGenerator::replaceDrawing(Graph &graph) const
{
    const QByteArray bytes = fileBytes();
    graph.undoStack()->push(EditCommand::replaceDrawing(&graph, title(m_settings.number), [bytes](Graph &scene) {
        QDataStream in(bytes);
        GraphFile file;
        if (!file.read(in))
            return false;
        file.replace(scene);
        return true;
    }));
}
