#include "solvers/blockvector.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

// Large enough that a block holds a single element: every element is a block's first and last.
struct Wide
{
    std::array<quint32, 9000> words{};
    bool operator==(const Wide &other) const { return words[0] == other.words[0] && words.back() == other.words.back(); }
    bool operator<(const Wide &other) const { return words[0] < other.words[0]; }
};

template<typename T>
T make(quint32 n)
{
    if constexpr (std::is_same_v<T, Wide>) {
        Wide wide;
        wide.words[0] = n;
        wide.words.back() = ~n;
        return wide;
    } else if constexpr (std::is_same_v<T, std::vector<int>>) {
        return std::vector<int>(n % 5, int(n));
    } else {
        return T(n);
    }
}

template<typename T>
bool same(const BlockVector<T> &blocks, const std::vector<T> &plain)
{
    return blocks.size() == plain.size() && blocks.empty() == plain.empty()
           && std::equal(blocks.begin(), blocks.end(), plain.begin(), plain.end());
}

// Random edits, each done to a vector and to a block vector, which must hold the same afterwards.
template<typename T>
void editLikeAVector(quint32 seed, int edits, std::size_t reach)
{
    std::mt19937 rng(seed);
    BlockVector<T> blocks;
    std::vector<T> plain;
    auto below = [&](std::size_t n) { return n == 0 ? std::size_t(0) : std::size_t(rng() % n); };
    for (int e = 0; e < edits; ++e) {
        const quint32 value = rng();
        switch (rng() % 8) {
        case 0:
        case 1: {
            // Runs of appends, long enough to cross a block's end.
            const std::size_t count = 1 + below(reach);
            for (std::size_t i = 0; i < count; ++i) {
                blocks.push_back(make<T>(value + quint32(i)));
                plain.push_back(make<T>(value + quint32(i)));
            }
            break;
        }
        case 2: {
            std::vector<T> more(1 + below(reach), make<T>(value));
            blocks.append(more.begin(), more.end());
            plain.insert(plain.end(), more.begin(), more.end());
            break;
        }
        case 3:
            if (!plain.empty()) {
                blocks.pop_back();
                plain.pop_back();
            }
            break;
        case 4: {
            const std::size_t size = below(plain.size() + reach);
            blocks.resize(size);
            plain.resize(size);
            break;
        }
        case 5: {
            const std::size_t at = below(plain.size() + 1);
            QVERIFY(*blocks.insert(blocks.cbegin() + at, make<T>(value)) == make<T>(value));
            plain.insert(plain.begin() + at, make<T>(value));
            break;
        }
        case 6: {
            const std::size_t from = below(plain.size() + 1);
            const std::size_t to = from + below(plain.size() - from + 1);
            QCOMPARE(blocks.erase(blocks.cbegin() + from, blocks.cbegin() + to) - blocks.begin(), std::ptrdiff_t(from));
            plain.erase(plain.begin() + from, plain.begin() + to);
            break;
        }
        case 7:
            if (rng() % 16 == 0) {
                blocks.clear();
                plain.clear();
            } else if (!plain.empty()) {
                const std::size_t at = below(plain.size());
                blocks[at] = make<T>(value);
                plain[at] = make<T>(value);
                QVERIFY(blocks.back() == plain.back());
            }
            break;
        }
        QVERIFY2(same(blocks, plain), qPrintable(QStringLiteral("after edit %1").arg(e)));
    }
}

} // namespace

class TestBlockVector : public QObject
{
    Q_OBJECT

private slots:
    void holdsWhatAVectorHolds_data();
    void holdsWhatAVectorHolds();
    void growingMovesNothing();
    void spansCoverARangeBlockByBlock_data();
    void spansCoverARangeBlockByBlock();
    void searchesLikeAVector();
};

void TestBlockVector::holdsWhatAVectorHolds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("reach");

    QTest::newRow("numbers, many to a block") << 0 << 1u << 40000;
    QTest::newRow("numbers, a few at a time") << 0 << 2u << 12;
    QTest::newRow("one element to a block") << 1 << 3u << 5;
    QTest::newRow("vectors, which own memory") << 2 << 4u << 4000;
}

void TestBlockVector::holdsWhatAVectorHolds()
{
    QFETCH(int, kind);
    QFETCH(quint32, seed);
    QFETCH(int, reach);

    if (kind == 0)
        editLikeAVector<quint32>(seed, 400, std::size_t(reach));
    else if (kind == 1)
        editLikeAVector<Wide>(seed, 150, std::size_t(reach));
    else
        editLikeAVector<std::vector<int>>(seed, 300, std::size_t(reach));
}

// The reason for the container: what a record points to stays where it is however long the run grows.
void TestBlockVector::growingMovesNothing()
{
    BlockVector<quint64> blocks;
    std::vector<const quint64 *> addresses;
    for (quint64 i = 0; i < 5 * BlockVector<quint64>::PerBlock + 3; ++i) {
        blocks.push_back(i);
        addresses.push_back(&blocks.back());
    }
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        QCOMPARE(&blocks[i], addresses[i]);
        QCOMPARE(*addresses[i], quint64(i));
    }
}

void TestBlockVector::spansCoverARangeBlockByBlock_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("count");

    const int block = int(BlockVector<QChar>::PerBlock);
    QTest::newRow("nothing") << 5 << 0;
    QTest::newRow("inside a block") << 3 << 40;
    QTest::newRow("a whole block") << block << block;
    QTest::newRow("across one end") << block - 7 << 20;
    QTest::newRow("across several ends") << block / 2 << 3 * block;
    QTest::newRow("up to the last element") << 2 * block + 1 << 2 * block - 1;
}

void TestBlockVector::spansCoverARangeBlockByBlock()
{
    QFETCH(int, from);
    QFETCH(int, count);

    QString text;
    for (std::size_t i = 0; i < 4 * BlockVector<QChar>::PerBlock; ++i)
        text.append(QChar(char16_t(u'a' + i % 26)));
    BlockVector<QChar> blocks;
    blocks.append(text.cbegin(), text.cend());

    QString read;
    std::size_t spans = 0;
    blocks.forEachSpan(std::size_t(from), std::size_t(count), [&](const QChar *characters, std::size_t n) {
        QVERIFY(n > 0);
        // A span lies in one block: its first and last element are that far apart in memory.
        QCOMPARE(&characters[n - 1], &blocks[std::size_t(from + read.size()) + n - 1]);
        read.append(characters, qsizetype(n));
        ++spans;
    });
    QCOMPARE(read, text.mid(from, count));
    const std::size_t per = BlockVector<QChar>::PerBlock;
    const std::size_t blocksTouched = count == 0 ? 0 : (std::size_t(from + count - 1) / per - std::size_t(from) / per + 1);
    QCOMPARE(spans, blocksTouched);
}

void TestBlockVector::searchesLikeAVector()
{
    std::mt19937 rng(7);
    std::vector<quint32> plain(3 * BlockVector<quint32>::PerBlock + 11);
    for (quint32 &value : plain)
        value = rng() % 100000;
    std::sort(plain.begin(), plain.end());
    BlockVector<quint32> blocks;
    blocks.append(plain.begin(), plain.end());
    for (int i = 0; i < 2000; ++i) {
        const quint32 key = rng() % 100001;
        QCOMPARE(std::lower_bound(blocks.begin(), blocks.end(), key) - blocks.begin(),
                 std::lower_bound(plain.begin(), plain.end(), key) - plain.begin());
        QCOMPARE(std::upper_bound(blocks.cbegin(), blocks.cend(), key) - blocks.cbegin(),
                 std::upper_bound(plain.cbegin(), plain.cend(), key) - plain.cbegin());
    }
}

QTEST_APPLESS_MAIN(TestBlockVector)
#include "tst_blockvector.moc"
