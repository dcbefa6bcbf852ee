// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile/signprofile.h"

#include <array>

// Every text of the profile with its name, in the order the record declares them.
struct NamedField {
    const char *name;
    ProfileField member;
};

inline constexpr std::array<NamedField, 29> AllProfileFields{{
    {"SignName", &SignProfile::SignName},
    {"BirthDates", &SignProfile::BirthDates},
    {"ZodiacSymbol", &SignProfile::ZodiacSymbol},
    {"ZodiacElement", &SignProfile::ZodiacElement},
    {"ZodiacQuality", &SignProfile::ZodiacQuality},
    {"DomicilePlanet", &SignProfile::DomicilePlanet},
    {"DetrimentPlanet", &SignProfile::DetrimentPlanet},
    {"ExaltationPlanet", &SignProfile::ExaltationPlanet},
    {"Birthstone", &SignProfile::Birthstone},
    {"LuckyColors", &SignProfile::LuckyColors},
    {"LuckyNumbers", &SignProfile::LuckyNumbers},
    {"LuckyDay", &SignProfile::LuckyDay},
    {"LuckyGemstones", &SignProfile::LuckyGemstones},
    {"LuckyMetals", &SignProfile::LuckyMetals},
    {"FamousPersonalities", &SignProfile::FamousPersonalities},
    {"GeneralTraits", &SignProfile::GeneralTraits},
    {"PositiveTraits", &SignProfile::PositiveTraits},
    {"NegativeTraits", &SignProfile::NegativeTraits},
    {"FriendshipTraits", &SignProfile::FriendshipTraits},
    {"CompatibilityTraits", &SignProfile::CompatibilityTraits},
    {"AsMother", &SignProfile::AsMother},
    {"AsFather", &SignProfile::AsFather},
    {"AsChild", &SignProfile::AsChild},
    {"CommonProfessions", &SignProfile::CommonProfessions},
    {"HealthConcerns", &SignProfile::HealthConcerns},
    {"FinancialHabits", &SignProfile::FinancialHabits},
    {"FashionStyle", &SignProfile::FashionStyle},
    {"TravelHabits", &SignProfile::TravelHabits},
    {"LoveAndRomance", &SignProfile::LoveAndRomance},
}};

// Every field but the sign's name holds its own name, with a line break inside, so that each
// value can be found in a text made from the profile and told apart from what surrounds it.
inline SignProfile markedProfile()
{
    SignProfile p;
    for (const NamedField &field : AllProfileFields)
        p.*field.member = QStringLiteral("<%1>\r\n</%1>").arg(QLatin1String(field.name));
    p.SignName = QStringLiteral("NOT-IN-THE-REPORT");
    return p;
}
