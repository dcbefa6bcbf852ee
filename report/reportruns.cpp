// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportruns.h"

#include "profile/topics.h"

#include <array>
#include <span>

namespace report {
namespace {

using Field = ProfileField;

struct Labelled {
    const char *label;
    Field field;
};

enum class Body { Labelled, Prose, Family };

struct Section {
    Body body;
    std::span<const Labelled> rows; // Body::Labelled and Body::Family
    Field prose = nullptr;          // Body::Prose
    int breaks = 0;                 // after the prose
};

constexpr Labelled CoreFacts[] = {
    {"Birth Dates: ", &SignProfile::BirthDates},
    {"Zodiac Symbol: ", &SignProfile::ZodiacSymbol},
    {"Zodiac Element: ", &SignProfile::ZodiacElement},
    {"Zodiac Quality: ", &SignProfile::ZodiacQuality},
};

constexpr Labelled Planets[] = {
    {"Domicile Planet: ", &SignProfile::DomicilePlanet},
    {"Detriment Planet: ", &SignProfile::DetrimentPlanet},
    {"Exaltation Planet: ", &SignProfile::ExaltationPlanet},
};

constexpr Labelled LuckyCharm[] = {
    {"Birth Stone: ", &SignProfile::Birthstone},
    {"Lucky Colors: ", &SignProfile::LuckyColors},
    {"Lucky Numbers: ", &SignProfile::LuckyNumbers},
    {"Lucky Day: ", &SignProfile::LuckyDay},
    {"Lucky Gemstones: ", &SignProfile::LuckyGemstones},
    {"Lucky Metals: ", &SignProfile::LuckyMetals},
};

constexpr Labelled Family[] = {
    {"Aquarius As Mother: ", &SignProfile::AsMother},
    {"Aquarius As Father: ", &SignProfile::AsFather},
    {"Aquarius As Child: ", &SignProfile::AsChild},
};

constexpr Section prose(Field field, int breaks)
{
    return {Body::Prose, {}, field, breaks};
}

// In the order of the main window's topics, whose captions are the headings.
constexpr std::array<Section, 15> Sections{{
    {Body::Labelled, Planets},
    {Body::Labelled, LuckyCharm},
    prose(&SignProfile::GeneralTraits, 3),
    prose(&SignProfile::PositiveTraits, 3),
    prose(&SignProfile::NegativeTraits, 3),
    prose(&SignProfile::FriendshipTraits, 3),
    prose(&SignProfile::CompatibilityTraits, 2),
    {Body::Family, Family},
    prose(&SignProfile::CommonProfessions, 2),
    prose(&SignProfile::HealthConcerns, 2),
    prose(&SignProfile::FinancialHabits, 2),
    prose(&SignProfile::FashionStyle, 2),
    prose(&SignProfile::TravelHabits, 2),
    prose(&SignProfile::LoveAndRomance, 2),
    prose(&SignProfile::FamousPersonalities, 2),
}};

constexpr QLatin1StringView CrLf{modAquarius::LineBreak};

QString breaks(int count)
{
    return QString(CrLf).repeated(count);
}

// Keeps the insertion model: weight and colour stay in force until set again.
class Composer
{
public:
    void setBold(bool bold) { m_bold = bold; }
    void setColour(ReportColour colour) { m_colour = colour; }
    void insert(const QString &text) { m_runs.append({text, m_bold, m_colour}); }
    QList<ReportRun> take() { return std::move(m_runs); }

private:
    QList<ReportRun> m_runs;
    bool m_bold = false;
    ReportColour m_colour = ReportColour::Black;
};

void labelledLines(Composer &out, const SignProfile &profile, std::span<const Labelled> rows)
{
    for (const Labelled &row : rows) {
        out.setColour(ReportColour::Maroon);
        out.insert(QString::fromLatin1(row.label));
        out.setColour(ReportColour::Black);
        out.insert(profile.*row.field + CrLf);
    }
    out.insert(CrLf);
}

void familyLines(Composer &out, const SignProfile &profile, std::span<const Labelled> rows)
{
    out.setColour(ReportColour::Black);
    for (std::size_t i = 0; i < rows.size(); ++i)
        out.insert(QString::fromLatin1(rows[i].label) + profile.*rows[i].field
                   + breaks(i + 1 == rows.size() ? 2 : 1));
}

} // namespace

QList<ReportRun> ComposeRuns(const SignProfile &profile)
{
    Composer out;
    out.setBold(true);
    out.setColour(ReportColour::Purple);
    out.insert(QStringLiteral("Aquarius") + breaks(2));
    out.setBold(false);
    labelledLines(out, profile, CoreFacts);

    for (std::size_t i = 0; i < Sections.size(); ++i) {
        const Section &section = Sections[i];
        out.setBold(true);
        out.setColour(ReportColour::Teal);
        out.insert(QString::fromLatin1(Topics[i].caption) + CrLf);
        out.setBold(false);
        switch (section.body) {
        case Body::Labelled:
            labelledLines(out, profile, section.rows);
            break;
        case Body::Prose:
            out.setColour(ReportColour::Black);
            out.insert(profile.*section.prose + breaks(section.breaks));
            break;
        case Body::Family:
            familyLines(out, profile, section.rows);
            break;
        }
    }
    return out.take();
}

} // namespace report

rtf::Colour rgbOf(ReportColour colour)
{
    switch (colour) {
    case ReportColour::Teal: return {0, 128, 128};
    case ReportColour::Maroon: return {128, 0, 0};
    case ReportColour::Purple: return {128, 0, 128};
    case ReportColour::Black: break;
    }
    return {0, 0, 0};
}
