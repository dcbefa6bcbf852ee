// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/twips.h"

// The report window's places (twips, in the client area or the offer frame).
namespace frmSaveLayout {

inline constexpr Twips ClientArea{0, 0, 7725, 7845};
inline constexpr Twips ForumTitleLink{1755, 0, 4200, 195};
inline constexpr Twips ForumInvitationLink{1867, 240, 3990, 195};
inline constexpr Twips ReportBox{30, 480, 7665, 6135};
inline constexpr Twips SaveButton{5400, 6660, 1125, 345};
inline constexpr Twips PrintButton{6555, 6660, 1125, 345};
inline constexpr Twips OfferFrame{30, 7000, 7665, 810};
inline constexpr Twips OfferSpot{120, 165, 7380, 615}; // in the offer frame

} // namespace frmSaveLayout
