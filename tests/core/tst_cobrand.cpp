// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/random.h"
#include "web/cobrand.h"

#include <QTest>

#include <array>
#include <cmath>

namespace {

constexpr double Step = 1.0 / (1 << 24);

float draw(quint32 k)
{
    return float(k) * float(Step);
}

// Counts how often each outcome comes up in draws of the real generator from
// several seeds, and checks each count lies within five standard deviations of
// its expectation: loose enough never to fail by chance, tight enough to catch a
// rounding that makes 1 and 7 as likely as the rest.
template <int N, typename Pick>
void checkDistribution(Pick pick, const std::array<double, N> &probability)
{
    constexpr int Seeds = 8;
    constexpr int DrawsPerSeed = 15000;
    std::array<int, N> counts{};
    RandomSequence sequence;
    for (int s = 0; s < Seeds; ++s) {
        sequence.seed(quint32(s) * 7919u + 1u);
        for (int i = 0; i < DrawsPerSeed; ++i) {
            const int outcome = pick(sequence.next());
            QVERIFY2(outcome >= 0 && outcome < N, qPrintable(QString::number(outcome)));
            ++counts[std::size_t(outcome)];
        }
    }
    const double total = double(Seeds) * DrawsPerSeed;
    for (int i = 0; i < N; ++i) {
        const double p = probability[std::size_t(i)];
        const double expected = total * p;
        const double sigma = std::sqrt(total * p * (1.0 - p));
        QVERIFY2(std::abs(counts[std::size_t(i)] - expected) <= 5 * sigma,
                 qPrintable(QStringLiteral("outcome %1: %2 of %3, expected %4")
                                .arg(i)
                                .arg(counts[std::size_t(i)])
                                .arg(total)
                                .arg(expected)));
    }
}

} // namespace

class TestCoBrand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void draw_atEdgesAndHalves_data();
    void draw_atEdgesAndHalves();
    void draw_switchesExactlyAtEachBoundary();
    void draw_oneAndSevenHalfAsLikely();
    void frontLabel_byDraw();
    void supportCaption_atEdges();
    void supportCaption_equallyLikely();
};

void TestCoBrand::draw_atEdgesAndHalves_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("expected");

    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("0.25 is 2.5, to even") << 0.25f << 2;
    QTest::newRow("0.5") << 0.5f << 4;
    QTest::newRow("0.75 is 5.5, to even") << 0.75f << 6;
    QTest::newRow("largest") << float(1.0 - Step) << 7;
    QTest::newRow("just below 0.25") << float(0.25 - Step) << 2;
    QTest::newRow("just above 0.25") << float(0.25 + Step) << 3;
    QTest::newRow("just below 0.75") << float(0.75 - Step) << 5;
    QTest::newRow("just above 0.75") << float(0.75 + Step) << 6;
}

void TestCoBrand::draw_atEdgesAndHalves()
{
    QFETCH(float, r);
    QFETCH(int, expected);

    const qint16 result = cobrand::Draw(r);
    QCOMPARE(int(result), expected);
}

// Between n and n + 1 the result changes where r x 6 + 1 = n + 0.5; no multiple of
// 2^-24 lies exactly there except at 0.25 and 0.75, so the neighbours on each side
// must round apart, however close they lie to the half.
void TestCoBrand::draw_switchesExactlyAtEachBoundary()
{
    for (int n = 1; n <= 6; ++n) {
        if (n == 2 || n == 5)
            continue; // the exact halves, covered above
        const double boundary = (2.0 * n - 1.0) / 12.0;
        const auto below = quint32(std::floor(boundary / Step));
        QVERIFY(double(below) * Step < boundary);
        QCOMPARE(int(cobrand::Draw(draw(below))), n);
        QCOMPARE(int(cobrand::Draw(draw(below + 1))), n + 1);
    }
}

void TestCoBrand::draw_oneAndSevenHalfAsLikely()
{
    checkDistribution<7>([](float r) { return cobrand::Draw(r) - 1; },
                         {1.0 / 12, 1.0 / 6, 1.0 / 6, 1.0 / 6, 1.0 / 6, 1.0 / 6, 1.0 / 12});
}

void TestCoBrand::frontLabel_byDraw()
{
    using cobrand::Front;
    const Front expected[] = {Front::CoBrand, Front::FullBrand, Front::CoBrand, Front::FullBrand,
                              Front::CoBrand, Front::FullBrand, Front::Unchanged};
    for (qint16 n = 1; n <= 7; ++n)
        QVERIFY2(cobrand::FrontFor(n) == expected[n - 1], qPrintable(QString::number(n)));
}

void TestCoBrand::supportCaption_atEdges()
{
    QCOMPARE(cobrand::SupportCaptionIndex(0.0f), 0);
    QCOMPARE(cobrand::SupportCaptionIndex(float(0.25 - Step)), 0);
    QCOMPARE(cobrand::SupportCaptionIndex(0.25f), 1);
    QCOMPARE(cobrand::SupportCaptionIndex(0.5f), 2);
    QCOMPARE(cobrand::SupportCaptionIndex(float(0.75 - Step)), 2);
    QCOMPARE(cobrand::SupportCaptionIndex(0.75f), 3);
    QCOMPARE(cobrand::SupportCaptionIndex(float(1.0 - Step)), 3);
}

void TestCoBrand::supportCaption_equallyLikely()
{
    checkDistribution<4>([](float r) { return cobrand::SupportCaptionIndex(r); },
                         {0.25, 0.25, 0.25, 0.25});
}

QTEST_GUILESS_MAIN(TestCoBrand)
#include "tst_cobrand.moc"
