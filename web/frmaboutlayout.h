// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/twips.h"

// The about box's places (twips, in the client area).
namespace frmAboutLayout {

inline constexpr Twips ClientArea{0, 0, 7125, 4395};
inline constexpr Twips IconPicture{150, 90, 480, 480};
inline constexpr Twips TitleText{1110, 90, 3135, 240};
inline constexpr Twips DescriptionText{1110, 390, 5895, 2145};
inline constexpr Twips HomePageLink{2955, 2670, 4050, 195};
inline constexpr Twips OfferText{120, 3030, 6885, 435};
inline constexpr Twips OfferLink{4650, 3525, 2355, 195};
// The separator runs across the whole box at this height.
inline constexpr int SeparatorTop = 3870;
inline constexpr Twips OkButton{5745, 3960, 1260, 345};

} // namespace frmAboutLayout
