// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile/signprofile.h"
#include "profile/topics.h"
#include "ui/textboxes.h"
#include "ui/twips.h"

#include <iterator>
#include <span>

// The places (twips, in the client area or the named frame) and texts of what the main
// window makes at run time: the topic pages, made as each first comes to the front, and the
// offers, made by the offer panel. The fixed controls are in frmmain.ui.
namespace frmMainLayout {

// Every topic page lies here, one over the other.
inline constexpr Twips TopicArea{2520, 1980, 6000, 3705};
inline constexpr Twips OfferFrame{2520, 5700, 6000, 1050};
inline constexpr Twips OfferSpot{120, 165, 5700, 855}; // in the offer frame

// The Update page: two frames side by side, each with its text and links.
inline constexpr Twips UpdateInfoFrame{240, 360, 2655, 3135};
inline constexpr Twips DailyHoroscopeFrame{3120, 360, 2655, 3135};
inline constexpr Twips UpdateInfoText{120, 240, 2490, 1170};
inline constexpr Twips ForumLink{120, 1800, 2415, 375};
inline constexpr Twips AstrologyLink{120, 2280, 2415, 615};
inline constexpr Twips DailyHoroscopeText{120, 240, 2445, 2385};
inline constexpr Twips DailyLink{240, 2640, 2175, 375};

inline constexpr auto ForumBandCaption =
    "Online %1 Discussion Board. Best Resource For Everything %1. Visit %2";
inline constexpr auto UpdateInfoCaption = "New Updated Information";
inline constexpr auto DailyHoroscopeCaption = "Daily Aquarius Horoscope";
inline constexpr auto UpdateInfo =
    "Get the latest news and information on your sun sign, Aquarius, and find out what "
    "other people think of it. Share your own view in our discussion forum.";
inline constexpr auto DailyHoroscope =
    "Start each day with a look at your free daily sun-sign horoscope. It takes only a "
    "minute, and it tells you what the stars have in store for Aquarius today: where to "
    "take a chance, where to hold back, and which plans and people deserve your attention. "
    "A good habit before the day begins.";
inline constexpr auto ForumCaption = "Visit Aquarius Discussion Forum Now";
inline constexpr auto AstrologyCaption = "Visit Latest Updated Information of Aquarius @ %1";
inline constexpr auto DailyCaption = "Click Here to see Daily Aquarius Horoscope";

// A text box showing one field of the profile, with its caption label when it has one.
struct ProfileBox {
    BoxCaption label; // no name: the box fills its page and has no caption
    const char *box;
    Twips at;
    ProfileField field;
};

// One-line boxes are this high, and so are the captions level with them.
inline constexpr int RowHeight = 285;

// The columns of a page of one-line rows; each caption runs from its left edge up to its box.
struct RowColumns {
    int labelLeft;
    int boxLeft;
    int boxWidth;
};

// A row of such a page: what it says and how far down it lies.
struct Row {
    const char *label;
    const char *caption;
    const char *tooltip;
    const char *box;
    int top;
    ProfileField field;
};

constexpr ProfileBox lineRow(const RowColumns &columns, const Row &row)
{
    return {.label = {row.label, row.caption, row.tooltip,
                      {columns.labelLeft, row.top, columns.boxLeft - columns.labelLeft, RowHeight}},
            .box = row.box,
            .at = {columns.boxLeft, row.top, columns.boxWidth, RowHeight},
            .field = row.field};
}

inline constexpr RowColumns PlanetColumns{.labelLeft = 240, .boxLeft = 1920, .boxWidth = 3855};
inline constexpr ProfileBox PlanetRows[] = {
    lineRow(PlanetColumns,
            {.label = "Label6",
             .caption = "Domicile Planet",
             .tooltip = "This signifies the planet that exercises a powerful energy on the sign.",
             .box = "txtDomicilePlanet",
             .top = 1200,
             .field = &SignProfile::DomicilePlanet}),
    lineRow(PlanetColumns,
            {.label = "Label7",
             .caption = "Detriment Planet",
             .tooltip = "This signifies the planet that is unfavorable for this sign.",
             .box = "txtDetrimentPlanet",
             .top = 1680,
             .field = &SignProfile::DetrimentPlanet}),
    lineRow(PlanetColumns,
            {.label = "Label8",
             .caption = "Exaltation Planet",
             .tooltip = "This signifies the planet that interacts well with this sign.",
             .box = "txtExaltationPlanet",
             .top = 2160,
             .field = &SignProfile::ExaltationPlanet}),
};

inline constexpr RowColumns LuckyColumns{.labelLeft = 120, .boxLeft = 1800, .boxWidth = 3975};
inline constexpr ProfileBox LuckyRows[] = {
    lineRow(LuckyColumns,
            {.label = "Label9",
             .caption = "Birth Stone",
             .tooltip = "This signifies the birth gemstones for people born under this sign.",
             .box = "txtBirthstone",
             .top = 840,
             .field = &SignProfile::Birthstone}),
    lineRow(LuckyColumns,
            {.label = "Label10",
             .caption = "Lucky Colors",
             .tooltip = "This signifies the lucky colors for people born under this sign.",
             .box = "txtLuckyColors",
             .top = 1200,
             .field = &SignProfile::LuckyColors}),
    lineRow(LuckyColumns,
            {.label = "Label11",
             .caption = "Lucky Numbers",
             .tooltip = "This signifies the lucky numbers for people born under this sign.",
             .box = "txtLuckyNumbers",
             .top = 1560,
             .field = &SignProfile::LuckyNumbers}),
    lineRow(LuckyColumns,
            {.label = "Label12",
             .caption = "Lucky Day",
             .tooltip = "This signifies the lucky days for people born under this sign.",
             .box = "txtLuckyDay",
             .top = 1920,
             .field = &SignProfile::LuckyDay}),
    lineRow(LuckyColumns,
            {.label = "Label13",
             .caption = "Lucky Gemstones",
             .tooltip = "This signifies the lucky gemstones for people born under this sign.",
             .box = "txtLuckyGemstones",
             .top = 2280,
             .field = &SignProfile::LuckyGemstones}),
    lineRow(LuckyColumns,
            {.label = "Label14",
             .caption = "Lucky Metals",
             .tooltip =
                 "This signifies the lucky metals to be used for people born under this sign.",
             .box = "txtLuckyMetals",
             .top = 2640,
             .field = &SignProfile::LuckyMetals}),
};

inline constexpr ProfileBox FamilyBlocks[] = {
    {.label = {"Label20", "The Aquarius Mother", "This tells us more about the person as a mother.",
               {240, 360}},
     .box = "txtMother",
     .at = {240, 600, 5535, 750},
     .field = &SignProfile::AsMother},
    {.label = {"Label21", "The Aquarius Father", "This tells us more about the person as a father.",
               {240, 1440}},
     .box = "txtFather",
     .at = {240, 1680, 5535, 750},
     .field = &SignProfile::AsFather},
    {.label = {"Label22", "The Aquarius Child", "This tells us more about the person as a child.",
               {240, 2520}},
     .box = "txtChild",
     .at = {240, 2760, 5535, 750},
     .field = &SignProfile::AsChild},
};

// What a topic page holds: rows of one-line boxes, boxes of paragraphs, or the Update
// page's texts and links.
enum class PageKind { LineRows, Paragraphs, UpdateLinks };

struct TopicPage {
    PageKind kind;
    std::span<const ProfileBox> captioned{}; // the boxes of a page laid out by hand
    ProfileBox filling{};                    // or the one box that fills the page

    std::span<const ProfileBox> boxes() const
    {
        return captioned.empty() ? std::span<const ProfileBox>(&filling, 1) : captioned;
    }
};

// A page that is one box of paragraphs, without a caption of its own.
constexpr TopicPage fillingPage(const char *box, int height, ProfileField field)
{
    return {.kind = PageKind::Paragraphs,
            .filling = {.label = {}, .box = box, .at = {240, 360, 5500, height}, .field = field}};
}

// By list index, as the topics.
inline constexpr TopicPage TopicPages[] = {
    {.kind = PageKind::LineRows, .captioned = PlanetRows},
    {.kind = PageKind::LineRows, .captioned = LuckyRows},
    fillingPage("txtGeneralTraits", 3150, &SignProfile::GeneralTraits),
    fillingPage("txtPositiveTraits", 3150, &SignProfile::PositiveTraits),
    fillingPage("txtNegativeTraits", 3105, &SignProfile::NegativeTraits),
    fillingPage("txtFriendshipTraits", 3105, &SignProfile::FriendshipTraits),
    fillingPage("txtCompatibilityTraits", 3105, &SignProfile::CompatibilityTraits),
    {.kind = PageKind::Paragraphs, .captioned = FamilyBlocks},
    fillingPage("txtCommonProfessions", 3105, &SignProfile::CommonProfessions),
    fillingPage("txtHealthConcerns", 3105, &SignProfile::HealthConcerns),
    fillingPage("txtFinancialHabits", 3105, &SignProfile::FinancialHabits),
    fillingPage("txtFashionStyle", 3105, &SignProfile::FashionStyle),
    fillingPage("txtTravel", 3105, &SignProfile::TravelHabits),
    fillingPage("txtLoveAndRomance", 3105, &SignProfile::LoveAndRomance),
    fillingPage("txtFamous", 3105, &SignProfile::FamousPersonalities),
    {.kind = PageKind::UpdateLinks},
};
static_assert(std::size(TopicPages) == Topics.size(), "one page for every topic");

} // namespace frmMainLayout
