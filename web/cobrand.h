// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <iterator>

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

// The exit screen's captions that ask for the forum's support, by index; %1 is the forum.
inline constexpr const char *SupportCaptionTexts[] = {
    "Programs like this one can only be made and kept up with your support. The best way "
    "to support us is to visit %1 regularly and join in its discussions and other "
    "activities.",
    "Please visit %1 regularly and support it by taking part in the discussions and other "
    "activities. Without your regular visits we cannot keep supporting and maintaining "
    "these programs.",
    "%1 is a free online discussion forum on astrology, tarot, dreams and other esoteric "
    "subjects. Please visit it regularly and help us develop and maintain this software.",
    "%1 needs your help. Visit it regularly and take part in its discussions and "
    "activities, so that we can keep this program going and build more like it.",
};
inline constexpr int SupportCaptionCount = 4;
static_assert(std::size(SupportCaptionTexts) == SupportCaptionCount);
// The caption the exit screen is made with, before its load step draws one.
inline constexpr int FirstSupportCaption = 1;
// floor(r x 4): each caption equally likely.
int SupportCaptionIndex(float r);

} // namespace cobrand
