// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// The sixteen topics of the main window, in list order, with the frame each one
// brings to the front. The report's section headings are the first fifteen.
struct Topic {
    std::string_view caption;
    std::string_view frame;
};

inline constexpr std::array<Topic, 16> Topics{{
    {"Planets Associated", "Frame1"},
    {"Lucky Charm", "Frame2"},
    {"General Traits", "Frame3"},
    {"Positive Traits", "Frame4"},
    {"Negative Traits", "Frame5"},
    {"Friendship Traits", "Frame6"},
    {"Compatibility Traits", "Frame7"},
    {"Aquarius As Family", "Frame8"},
    {"Common Profession", "Frame9"},
    {"Health Concern", "Frame10"},
    {"Financial Habits", "Frame11"},
    {"Fashion Style", "Frame12"},
    {"Travel Habits", "Frame13"},
    {"Love And Romance", "Frame14"},
    {"Famous Personalities", "Frame15"},
    {"Update", "Frame16"},
}};

