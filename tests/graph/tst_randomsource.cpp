#include "graph/randomsource.h"

#include <QtTest>

class TestRandomSource : public QObject
{
    Q_OBJECT

private slots:
    void startsAsTheWindowsRuntime();
    void reseedingRepeatsTheSequence();
    void coversTheWholeRange();
};

void TestRandomSource::startsAsTheWindowsRuntime()
{
    // Nothing in this process has drawn yet: the state is still the unseeded 1.
    QList<int> drawn;
    for (int i = 0; i < 5; ++i)
        drawn.append(RandomSource::next());
    QCOMPARE(drawn, (QList<int>{41, 18467, 6334, 26500, 19169}));
}

void TestRandomSource::reseedingRepeatsTheSequence()
{
    RandomSource::seed(987654321u);
    QList<int> first;
    for (int i = 0; i < 10; ++i)
        first.append(RandomSource::next());
    RandomSource::seed(987654321u);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(RandomSource::next(), first.at(i));
}

void TestRandomSource::coversTheWholeRange()
{
    RandomSource::seed(12345);
    int lowest = RandomSource::Max;
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int r = RandomSource::next();
        lowest = qMin(lowest, r);
        highest = qMax(highest, r);
    }
    QCOMPARE(lowest, 0);
    QCOMPARE(highest, 32767);
}

QTEST_APPLESS_MAIN(TestRandomSource)
#include "tst_randomsource.moc"
