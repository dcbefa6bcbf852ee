// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"
#include "profile/topics.h"
#include "report/reportruns.h"
#include "support/profilefields.h"
#include "support/reporttext.h"

#include <QTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");


// The maroon labels, in the order the report shows them.
const QStringList MaroonLabels = {
    QStringLiteral("Birth Dates: "),       QStringLiteral("Zodiac Symbol: "),
    QStringLiteral("Zodiac Element: "),    QStringLiteral("Zodiac Quality: "),
    QStringLiteral("Domicile Planet: "),   QStringLiteral("Detriment Planet: "),
    QStringLiteral("Exaltation Planet: "), QStringLiteral("Birth Stone: "),
    QStringLiteral("Lucky Colors: "),      QStringLiteral("Lucky Numbers: "),
    QStringLiteral("Lucky Day: "),         QStringLiteral("Lucky Gemstones: "),
    QStringLiteral("Lucky Metals: "),
};

QString headingRun(std::size_t index)
{
    return QString::fromLatin1(Topics[index].caption) + CrLf;
}

} // namespace

class TestReportRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void report_beginsWithTitleAndEndsWithFamousPeople();
    void report_addsExactly65LineBreaksOfItsOwn();
    void values_followTheirLabelsVerbatim_signNameUnused();
    void proseSections_uptoFriendshipHaveTwoBlankLinesAfter_laterOnesOne();
    void bold_onlyOnTitleAndTheFifteenHeadings();
    void colours_ofEveryKindOfText();
    void familyLabels_areBlackWithTheirValues();
    void emptyProfile_keepsEveryLabelHeadingAndBreak();
    void colours_areThePaletteEntries();
};

void TestReportRuns::report_beginsWithTitleAndEndsWithFamousPeople()
{
    modAquarius::LoadSignProfile();
    const SignProfile &profile = modAquarius::loadedProfile();
    const QString text = plainTextOf(report::ComposeRuns(profile));
    QVERIFY(text.startsWith(QStringLiteral("Aquarius\r\n\r\nBirth Dates: ") + profile.BirthDates
                            + CrLf));
    QVERIFY(text.endsWith(QStringLiteral("Famous Personalities\r\n") + profile.FamousPersonalities
                          + QStringLiteral("\r\n\r\n")));
}

void TestReportRuns::report_addsExactly65LineBreaksOfItsOwn()
{
    modAquarius::LoadSignProfile();
    const SignProfile &p = modAquarius::loadedProfile();
    // The sign's name is not in the report.
    qsizetype inFields = 0;
    for (const NamedField &field : AllProfileFields)
        if (field.member != &SignProfile::SignName)
            inFields += (p.*field.member).count(CrLf);
    QVERIFY(inFields > 0);

    const QString text = plainTextOf(report::ComposeRuns(p));
    QCOMPARE(text.count(CrLf) - inFields, 65);
    // Every CR and every LF belongs to a pair.
    QCOMPARE(text.count(QLatin1Char('\r')), text.count(CrLf));
    QCOMPARE(text.count(QLatin1Char('\n')), text.count(CrLf));
}

void TestReportRuns::values_followTheirLabelsVerbatim_signNameUnused()
{
    const SignProfile p = markedProfile();
    const QString text = plainTextOf(report::ComposeRuns(p));
    QVERIFY(!text.contains(p.SignName));

    const std::pair<QString, QString> labelled[] = {
        {QStringLiteral("Birth Dates: "), p.BirthDates},
        {QStringLiteral("Zodiac Symbol: "), p.ZodiacSymbol},
        {QStringLiteral("Zodiac Element: "), p.ZodiacElement},
        {QStringLiteral("Zodiac Quality: "), p.ZodiacQuality},
        {QStringLiteral("Domicile Planet: "), p.DomicilePlanet},
        {QStringLiteral("Detriment Planet: "), p.DetrimentPlanet},
        {QStringLiteral("Exaltation Planet: "), p.ExaltationPlanet},
        {QStringLiteral("Birth Stone: "), p.Birthstone},
        {QStringLiteral("Lucky Colors: "), p.LuckyColors},
        {QStringLiteral("Lucky Numbers: "), p.LuckyNumbers},
        {QStringLiteral("Lucky Day: "), p.LuckyDay},
        {QStringLiteral("Lucky Gemstones: "), p.LuckyGemstones},
        {QStringLiteral("Lucky Metals: "), p.LuckyMetals},
        {QStringLiteral("Aquarius As Mother: "), p.AsMother},
        {QStringLiteral("Aquarius As Father: "), p.AsFather},
        {QStringLiteral("Aquarius As Child: "), p.AsChild},
    };
    qsizetype last = -1;
    for (const auto &[label, value] : labelled) {
        const qsizetype at = text.indexOf(label + value + CrLf);
        QVERIFY2(at > last, qPrintable(label));
        last = at;
    }
    // Symbol comes before Element, and the facts come before the first heading.
    QVERIFY(text.indexOf(QStringLiteral("Zodiac Quality: ")) < text.indexOf(headingRun(0)));
    QVERIFY(text.contains(QStringLiteral("Zodiac Quality: ") + p.ZodiacQuality
                          + QStringLiteral("\r\n\r\nPlanets Associated\r\n")));
    QVERIFY(text.contains(QStringLiteral("Aquarius As Family\r\nAquarius As Mother: ")));
}

void TestReportRuns::proseSections_uptoFriendshipHaveTwoBlankLinesAfter_laterOnesOne()
{
    const SignProfile p = markedProfile();
    const QString text = plainTextOf(report::ComposeRuns(p));
    // Each prose section: its heading, its value, then the breaks before the next heading.
    const std::tuple<std::size_t, QString, int> prose[] = {
        {2, p.GeneralTraits, 3},       {3, p.PositiveTraits, 3},
        {4, p.NegativeTraits, 3},      {5, p.FriendshipTraits, 3},
        {6, p.CompatibilityTraits, 2}, {8, p.CommonProfessions, 2},
        {9, p.HealthConcerns, 2},      {10, p.FinancialHabits, 2},
        {11, p.FashionStyle, 2},       {12, p.TravelHabits, 2},
        {13, p.LoveAndRomance, 2},
    };
    for (const auto &[index, value, breaks] : prose) {
        const QString expected = headingRun(index) + value + CrLf.repeated(breaks)
                                 + headingRun(index + 1);
        QVERIFY2(text.contains(expected), Topics[index].caption.data());
    }
    QVERIFY(text.endsWith(headingRun(14) + p.FamousPersonalities + CrLf.repeated(2)));
    QVERIFY(text.contains(p.LuckyMetals + CrLf.repeated(2) + headingRun(2)));
    QVERIFY(text.contains(p.AsChild + CrLf.repeated(2) + headingRun(8)));
}

void TestReportRuns::bold_onlyOnTitleAndTheFifteenHeadings()
{
    modAquarius::LoadSignProfile();
    const QList<ReportRun> runs = report::ComposeRuns(modAquarius::loadedProfile());
    QStringList bold;
    for (const ReportRun &run : runs) {
        if (run.bold)
            bold << run.text;
    }
    QStringList expected{QStringLiteral("Aquarius\r\n\r\n")};
    for (std::size_t i = 0; i < 15; ++i)
        expected << headingRun(i);
    QCOMPARE(bold, expected);
}

void TestReportRuns::colours_ofEveryKindOfText()
{
    const SignProfile p = markedProfile();
    const QList<ReportRun> runs = report::ComposeRuns(p);
    QCOMPARE(runs.constFirst(), (ReportRun{QStringLiteral("Aquarius\r\n\r\n"), true,
                                           ReportColour::Purple}));

    QStringList maroon, teal, purple;
    for (const ReportRun &run : runs) {
        switch (run.colour) {
        case ReportColour::Maroon: maroon << run.text; break;
        case ReportColour::Teal: teal << run.text; break;
        case ReportColour::Purple: purple << run.text; break;
        case ReportColour::Black:
            QVERIFY2(!run.bold, qPrintable(run.text));
            // No label of the core facts or the first two sections is black.
            for (const QString &label : MaroonLabels)
                QVERIFY2(!run.text.contains(label), qPrintable(label));
            break;
        }
    }
    QCOMPARE(maroon, MaroonLabels);
    QCOMPARE(purple, QStringList{QStringLiteral("Aquarius\r\n\r\n")});
    QCOMPARE(teal.size(), 15);
    for (std::size_t i = 0; i < 15; ++i)
        QCOMPARE(teal[qsizetype(i)], headingRun(i));

    // Every value sits in a black run.
    for (const ReportRun &run : runs) {
        if (run.text.contains(QLatin1Char('<')))
            QCOMPARE(run.colour, ReportColour::Black);
    }
}

void TestReportRuns::familyLabels_areBlackWithTheirValues()
{
    const SignProfile p = markedProfile();
    const QList<ReportRun> runs = report::ComposeRuns(p);
    const QString expected[] = {
        QStringLiteral("Aquarius As Mother: ") + p.AsMother + CrLf,
        QStringLiteral("Aquarius As Father: ") + p.AsFather + CrLf,
        QStringLiteral("Aquarius As Child: ") + p.AsChild + CrLf + CrLf,
    };
    for (const QString &text : expected)
        QVERIFY2(runs.contains(ReportRun{text, false, ReportColour::Black}), qPrintable(text));
}

void TestReportRuns::emptyProfile_keepsEveryLabelHeadingAndBreak()
{
    const QString text = plainTextOf(report::ComposeRuns(SignProfile{}));
    const QString expected = QStringLiteral(
        "Aquarius\r\n\r\n"
        "Birth Dates: \r\nZodiac Symbol: \r\nZodiac Element: \r\nZodiac Quality: \r\n\r\n"
        "Planets Associated\r\n"
        "Domicile Planet: \r\nDetriment Planet: \r\nExaltation Planet: \r\n\r\n"
        "Lucky Charm\r\n"
        "Birth Stone: \r\nLucky Colors: \r\nLucky Numbers: \r\nLucky Day: \r\n"
        "Lucky Gemstones: \r\nLucky Metals: \r\n\r\n"
        "General Traits\r\n\r\n\r\n\r\n"
        "Positive Traits\r\n\r\n\r\n\r\n"
        "Negative Traits\r\n\r\n\r\n\r\n"
        "Friendship Traits\r\n\r\n\r\n\r\n"
        "Compatibility Traits\r\n\r\n\r\n"
        "Aquarius As Family\r\n"
        "Aquarius As Mother: \r\nAquarius As Father: \r\nAquarius As Child: \r\n\r\n"
        "Common Profession\r\n\r\n\r\n"
        "Health Concern\r\n\r\n\r\n"
        "Financial Habits\r\n\r\n\r\n"
        "Fashion Style\r\n\r\n\r\n"
        "Travel Habits\r\n\r\n\r\n"
        "Love And Romance\r\n\r\n\r\n"
        "Famous Personalities\r\n\r\n\r\n");
    QCOMPARE(text, expected);
    QCOMPARE(text.count(CrLf), 65);
}

void TestReportRuns::colours_areThePaletteEntries()
{
    const auto rgb = [](ReportColour c) {
        const rtf::Colour v = RgbOf(c);
        return std::tuple{v.red, v.green, v.blue};
    };
    QCOMPARE(rgb(ReportColour::Purple), std::tuple(128, 0, 128));
    QCOMPARE(rgb(ReportColour::Teal), std::tuple(0, 128, 128));
    QCOMPARE(rgb(ReportColour::Maroon), std::tuple(128, 0, 0));
    QCOMPARE(rgb(ReportColour::Black), std::tuple(0, 0, 0));
}

QTEST_GUILESS_MAIN(TestReportRuns)
#include "tst_reportruns.moc"
