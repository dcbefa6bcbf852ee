// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/twips.h"

// The exit screen's places (twips, in the client area or the named frame).
namespace frmNagScreen2Layout {

inline constexpr Twips ClientArea{0, 0, 11115, 4725};
inline constexpr Twips IconPicture{360, 120, 540, 540};
inline constexpr Twips CaptionCorner{1080, 240}; // the caption sizes itself to its text
inline constexpr Twips SupportText{120, 840, 6975, 1095};
inline constexpr Twips ForumInvitation{30, 2040, 7185, 555};
inline constexpr Twips ExitButton{6000, 2760, 1245, 375};

inline constexpr Twips ReferFrame{120, 3240, 7065, 1455};
inline constexpr Twips ReferButton{1920, 1080, 3375, 285}; // in the refer frame
inline constexpr Twips MessageField{4800, 3600, 1815, 495}; // in the refer frame, below its edge

inline constexpr Twips DownloadFrame{7320, 120, 3735, 4575};
inline constexpr Twips DownloadText{120, 360, 3495, 3855}; // in the download frame
inline constexpr Twips SoftwaresLink{75, 4250, 3585, 210}; // in the download frame

} // namespace frmNagScreen2Layout
