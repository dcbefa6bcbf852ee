// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The whole Aquarius profile: everything the program says about the sign.
// Long fields use CR LF line breaks; paragraphs are separated by one blank line.
struct SignProfile {
    QString SignName;
    QString BirthDates;
    QString ZodiacSymbol;
    QString ZodiacElement;
    QString ZodiacQuality;
    QString DomicilePlanet;
    QString DetrimentPlanet;
    QString ExaltationPlanet;
    QString Birthstone;
    QString LuckyColors;
    QString LuckyNumbers;
    QString LuckyDay;
    QString LuckyGemstones;
    QString LuckyMetals;
    QString FamousPersonalities;
    QString GeneralTraits;
    QString PositiveTraits;
    QString NegativeTraits;
    QString FriendshipTraits;
    QString CompatibilityTraits;
    QString AsMother;
    QString AsFather;
    QString AsChild;
    QString CommonProfessions;
    QString HealthConcerns;
    QString FinancialHabits;
    QString FashionStyle;
    QString TravelHabits;
    QString LoveAndRomance;

    bool operator==(const SignProfile &) const = default;
};

// One text of the profile, as a pointer to its member.
using ProfileField = QString SignProfile::*;

namespace modAquarius {

inline constexpr auto LineBreak = "\r\n";
inline constexpr auto ParagraphBreak = "\r\n\r\n";

// The program-wide record; every field is empty until LoadSignProfile runs.
const SignProfile &loadedProfile();

// Fills the program-wide record. Calling it again assigns the same values.
void LoadSignProfile();

// A filled copy of the profile, whether or not LoadSignProfile has run.
SignProfile MakeProfile();

} // namespace modAquarius
