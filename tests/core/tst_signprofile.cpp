// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"
#include "support/profilefields.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <array>

namespace {


QStringList paragraphsOf(const QString &text)
{
    return text.split(QLatin1StringView(modAquarius::ParagraphBreak));
}

bool withinFifteenPercent(qsizetype length, int target)
{
    return qAbs(length - target) * 100 <= target * 15;
}

QString ordinalSuffix(int day)
{
    if (day >= 11 && day <= 13)
        return QStringLiteral("th");
    switch (day % 10) {
    case 1:
        return QStringLiteral("st");
    case 2:
        return QStringLiteral("nd");
    case 3:
        return QStringLiteral("rd");
    default:
        return QStringLiteral("th");
    }
}

} // namespace

class TestSignProfile : public QObject
{
    Q_OBJECT

private slots:
    // Must stay the first test: the program-wide record is fresh only once per process.
    void programRecord_staysEmptyUntilLoaded();
    void load_fillsProgramRecord();
    void shortValues_areExact_data();
    void shortValues_areExact();
    void everyField_isCleanAsciiWithoutJoinArtefacts_data();
    void everyField_isCleanAsciiWithoutJoinArtefacts();
    void proseFields_haveTheirParagraphCountsAndLengths_data();
    void proseFields_haveTheirParagraphCountsAndLengths();
    void friendship_staysBetween800And900Characters();
    void compatibility_walksTheZodiacFromAriesToPisces();
    void famousPersonalities_areFiveDatedEntriesInBirthdayOrder();
    void loadingTwice_changesNothing();
};

void TestSignProfile::programRecord_staysEmptyUntilLoaded()
{
    // A private copy must not fill the shared record behind the main window's back.
    QVERIFY(!modAquarius::MakeProfile().SignName.isEmpty());

    for (const NamedField &field : AllProfileFields)
        QVERIFY2((modAquarius::loadedProfile().*field.member).isEmpty(), field.name);
}

void TestSignProfile::load_fillsProgramRecord()
{
    modAquarius::LoadSignProfile();

    const SignProfile &profile = modAquarius::loadedProfile();
    for (const NamedField &field : AllProfileFields)
        QVERIFY2(!(profile.*field.member).isEmpty(), field.name);
    QVERIFY(profile == modAquarius::MakeProfile());
}

void TestSignProfile::shortValues_areExact_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    const SignProfile p = modAquarius::MakeProfile();
    QTest::newRow("SignName") << p.SignName << QStringLiteral("Aquarius");
    QTest::newRow("BirthDates") << p.BirthDates << QStringLiteral("January 20th - February 18th");
    QTest::newRow("ZodiacSymbol") << p.ZodiacSymbol << QStringLiteral("Water Carrier");
    QTest::newRow("ZodiacElement") << p.ZodiacElement << QStringLiteral("Air");
    QTest::newRow("ZodiacQuality") << p.ZodiacQuality << QStringLiteral("Fixed");
    QTest::newRow("DomicilePlanet") << p.DomicilePlanet << QStringLiteral("Saturn (or Uranus)");
    QTest::newRow("DetrimentPlanet") << p.DetrimentPlanet << QStringLiteral("Sun");
    QTest::newRow("ExaltationPlanet") << p.ExaltationPlanet << QStringLiteral("Mercury");
    QTest::newRow("Birthstone") << p.Birthstone << QStringLiteral("Garnet, Amethyst");
    QTest::newRow("LuckyColors") << p.LuckyColors << QStringLiteral("Electric Blue");
    QTest::newRow("LuckyNumbers") << p.LuckyNumbers << QStringLiteral("Seven and Nine");
    QTest::newRow("LuckyDay") << p.LuckyDay << QStringLiteral("Friday");
    QTest::newRow("LuckyGemstones") << p.LuckyGemstones
                                    << QStringLiteral("Blue Sapphire, Lapis, Amethyst, Aquamarine");
    QTest::newRow("LuckyMetals") << p.LuckyMetals << QStringLiteral("All metals");
}

void TestSignProfile::shortValues_areExact()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);

    QCOMPARE(actual, expected);
}

void TestSignProfile::everyField_isCleanAsciiWithoutJoinArtefacts_data()
{
    QTest::addColumn<QString>("text");

    const SignProfile profile = modAquarius::MakeProfile();
    for (const NamedField &field : AllProfileFields)
        QTest::newRow(field.name) << profile.*field.member;
}

void TestSignProfile::everyField_isCleanAsciiWithoutJoinArtefacts()
{
    QFETCH(QString, text);

    for (const QChar c : text) {
        const bool printable = c.unicode() >= 0x20 && c.unicode() <= 0x7e;
        QVERIFY2(printable || c == u'\r' || c == u'\n',
                 qPrintable(QStringLiteral("character U+%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'))));
    }

    // Every break is a CR LF pair, and none stands at either end.
    const qsizetype pairs = text.count(QStringLiteral("\r\n"));
    QCOMPARE(text.count(u'\r'), pairs);
    QCOMPARE(text.count(u'\n'), pairs);
    QVERIFY(!text.startsWith(u'\r') && !text.startsWith(u'\n') && !text.startsWith(u' '));
    QVERIFY(!text.endsWith(u'\r') && !text.endsWith(u'\n') && !text.endsWith(u' '));

    // Pieces joined without their space, or with two, show up as one of these.
    static const QRegularExpression artefacts(
        QStringLiteral("  |[a-z][A-Z]|[a-z][.!?,;:][A-Za-z]| [.!?,;:]"));
    const QRegularExpressionMatch match = artefacts.match(text);
    const QString context = text.mid(qMax(qsizetype(0), match.capturedStart() - 20), 50);
    QVERIFY2(!match.hasMatch(), qPrintable(QStringLiteral("near \"%1\"").arg(context)));
}

void TestSignProfile::proseFields_haveTheirParagraphCountsAndLengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("targets");

    const SignProfile p = modAquarius::MakeProfile();
    QTest::newRow("GeneralTraits") << p.GeneralTraits << QList<int>{1200, 920, 770, 530};
    QTest::newRow("PositiveTraits") << p.PositiveTraits << QList<int>{550, 500};
    QTest::newRow("NegativeTraits") << p.NegativeTraits << QList<int>{570, 450};
    QTest::newRow("FriendshipTraits") << p.FriendshipTraits << QList<int>{850};
    QTest::newRow("AsMother") << p.AsMother << QList<int>{500};
    QTest::newRow("AsFather") << p.AsFather << QList<int>{560};
    QTest::newRow("AsChild") << p.AsChild << QList<int>{480};
    QTest::newRow("CommonProfessions") << p.CommonProfessions << QList<int>{680};
    QTest::newRow("HealthConcerns") << p.HealthConcerns << QList<int>{620};
    QTest::newRow("FinancialHabits") << p.FinancialHabits << QList<int>{600};
    QTest::newRow("FashionStyle") << p.FashionStyle << QList<int>{580};
    QTest::newRow("TravelHabits") << p.TravelHabits << QList<int>{620};
    QTest::newRow("LoveAndRomance") << p.LoveAndRomance << QList<int>{600};
}

void TestSignProfile::proseFields_haveTheirParagraphCountsAndLengths()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, targets);

    const QStringList paragraphs = paragraphsOf(text);
    QCOMPARE(paragraphs.size(), targets.size());
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const QString &paragraph = paragraphs.at(i);
        const QString where = QStringLiteral("paragraph %1, %2 characters for about %3")
                                  .arg(i + 1)
                                  .arg(paragraph.size())
                                  .arg(targets.at(i));
        QVERIFY2(!paragraph.contains(u'\r') && !paragraph.contains(u'\n'), qPrintable(where));
        QVERIFY2(withinFifteenPercent(paragraph.size(), targets.at(i)), qPrintable(where));
    }
}

void TestSignProfile::friendship_staysBetween800And900Characters()
{
    const qsizetype length = modAquarius::MakeProfile().FriendshipTraits.size();
    QVERIFY2(length >= 800 && length <= 900, qPrintable(QString::number(length)));
}

void TestSignProfile::compatibility_walksTheZodiacFromAriesToPisces()
{
    // Each sign may be named by the sign or by its people.
    const std::array<const char *, 12> signWords{
        "Aries|Arians?",
        "Taurus|Taureans?",
        "Gemini|Geminis|Geminians?",
        "Cancer|Cancers|Cancerians?",
        "Leo|Leos",
        "Virgo|Virgos|Virgoans?",
        "Libra|Libras|Librans?",
        "Scorpio|Scorpios|Scorpions?",
        "Sagittarius|Sagittarians?",
        "Capricorn|Capricorns|Capricornians?",
        "two Aquarians|Aquarius with Aquarius|Aquarius and Aquarius",
        "Pisces|Pisceans?",
    };

    const QStringList paragraphs = paragraphsOf(modAquarius::MakeProfile().CompatibilityTraits);
    QCOMPARE(paragraphs.size(), qsizetype(signWords.size()));

    qsizetype total = 0;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const QString &paragraph = paragraphs.at(i);
        total += paragraph.size();
        const QString where =
            QStringLiteral("paragraph %1 (%2 characters)").arg(i + 1).arg(paragraph.size());
        QVERIFY2(!paragraph.contains(u'\r') && !paragraph.contains(u'\n'), qPrintable(where));
        QVERIFY2(paragraph.size() >= 170 && paragraph.size() <= 550, qPrintable(where));

        const QString pattern =
            QStringLiteral("\\b(%1)\\b").arg(QLatin1StringView(signWords.at(i)));
        const QRegularExpression sign(pattern, QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(sign.match(paragraph).hasMatch(), qPrintable(where));
    }
    QVERIFY2(withinFifteenPercent(total, 4200), qPrintable(QString::number(total)));
}

void TestSignProfile::famousPersonalities_areFiveDatedEntriesInBirthdayOrder()
{
    const QString text = modAquarius::MakeProfile().FamousPersonalities;
    QCOMPARE(text.count(QLatin1StringView(modAquarius::LineBreak)), 4);
    QVERIFY2(withinFifteenPercent(text.size(), 220), qPrintable(QString::number(text.size())));

    const QStringList entries = text.split(QLatin1StringView(modAquarius::LineBreak));
    QCOMPARE(entries.size(), 5);

    // "Jan 20th, 1920 - Name - Profession", the profession in one or two words.
    static const QRegularExpression entryPattern(
        QStringLiteral("^(Jan|Feb) ([1-9]|[12][0-9]|3[01])(st|nd|rd|th), ([0-9]{4})"
                       " - (\\S.*\\S) - ([A-Za-z]+( [A-Za-z]+)?)$"));
    QList<int> birthdays;
    QList<int> years;
    for (const QString &entry : entries) {
        const QRegularExpressionMatch match = entryPattern.match(entry);
        QVERIFY2(match.hasMatch(), qPrintable(entry));

        const int month = match.captured(1) == QLatin1StringView("Jan") ? 1 : 2;
        const int day = match.captured(2).toInt();
        const int year = match.captured(4).toInt();
        QVERIFY2(match.captured(3) == ordinalSuffix(day), qPrintable(entry));
        QVERIFY2(QDate(year, month, day).isValid(), qPrintable(entry));
        birthdays << month * 100 + day;
        years << year;
    }

    QVERIFY(std::is_sorted(birthdays.cbegin(), birthdays.cend()));
    QVERIFY(birthdays.first() >= 120 && birthdays.last() <= 218);
    QCOMPARE(birthdays.at(0), 120);
    QCOMPARE(birthdays.at(1), 120);
    QVERIFY(!std::is_sorted(years.cbegin(), years.cend()));
}

void TestSignProfile::loadingTwice_changesNothing()
{
    modAquarius::LoadSignProfile();
    const SignProfile first = modAquarius::loadedProfile();

    modAquarius::LoadSignProfile();
    for (const NamedField &field : AllProfileFields)
        QCOMPARE(modAquarius::loadedProfile().*field.member, first.*field.member);
}

QTEST_GUILESS_MAIN(TestSignProfile)
#include "tst_signprofile.moc"
