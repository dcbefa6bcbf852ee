// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The once-a-run pick of the offer shown in the main window's advertising spot, and the
// pick of the exit screen's support caption.
namespace cobrand {

// The two offers that share the advertising spot, word for word; "&&" shows as one "&".
inline constexpr char CoBrandCaption[] =
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. "
    "Put your site's name &&  link here. See \"Help\" for details.    "
    "Click Here for more info on co-branding.";
inline constexpr char FullBrandCaption[] =
    "Home Business Opportunity. Start your own Internet business and make money online. "
    "Get this software fully branded for your website. Click here for more details.";

// Which of the two offer labels a draw brings to the front.
enum class Front { CoBrand, FullBrand, Unchanged };

// r x 6 + 1 rounded to the nearest whole number, halves to the even one: 1 to 7, with
// 1 and 7 half as likely as the others. r is a draw of Rnd().
qint16 Draw(float r);
// 1, 3 and 5 front the co-brand offer, 2, 4 and 6 the fully-branded one; 7 changes nothing.
Front FrontFor(qint16 draw);

// The number of support captions on the exit screen.
inline constexpr int SupportCaptionCount = 4;
// floor(r x 4): each caption equally likely.
int SupportCaptionIndex(float r);

} // namespace cobrand
