// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/random.h"

#include "support/recordingplatform.h"

#include <QTest>

#include <cmath>
#include <vector>

class TestRandom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void draws_areWholeMultiplesOfTwoToTheMinus24InUnitInterval();
    void sequence_visitsEveryValueOncePerPeriod();
    void randomize_seedsFromTheClock();
};

void TestRandom::draws_areWholeMultiplesOfTwoToTheMinus24InUnitInterval()
{
    RandomSequence sequence;
    sequence.seed(987654);
    for (int i = 0; i < 100000; ++i) {
        const float r = sequence.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        const double scaled = double(r) * double(RandomSequence::Modulus);
        QCOMPARE(scaled, std::floor(scaled));
    }
}

void TestRandom::sequence_visitsEveryValueOncePerPeriod()
{
    // A full period makes floor(r * n) exactly uniform for every n that divides 2^24.
    RandomSequence sequence;
    sequence.seed(42);
    std::vector<bool> seen(RandomSequence::Modulus, false);
    for (quint32 i = 0; i < RandomSequence::Modulus; ++i) {
        sequence.next();
        QVERIFY(!seen[sequence.state()]);
        seen[sequence.state()] = true;
    }
}

void TestRandom::randomize_seedsFromTheClock()
{
    RecordingPlatform world;
    world.seed = 4711;
    Randomize();
    const float first = Rnd();
    Rnd();
    world.seed = 4711;
    Randomize();
    QCOMPARE(Rnd(), first);
    world.seed = 4712;
    Randomize();
    QVERIFY(Rnd() != first);
}

QTEST_GUILESS_MAIN(TestRandom)
#include "tst_random.moc"
