// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"

#include <array>
#include <span>
#include <string_view>

namespace modAquarius {
namespace {

// The text lives here as plain data; the code below only joins it. Long paragraphs are
// split over several literals that the compiler concatenates, each piece but the last
// ending in the space that separates it from the next.

constexpr const char *famousPersonalities[] = {
    "Jan 20th, 1930 - Buzz Aldrin - Astronaut",
    "Jan 20th, 1920 - Federico Fellini - Film Director",
    "Jan 25th, 1882 - Virginia Woolf - Novelist",
    "Jan 27th, 1756 - Wolfgang Amadeus Mozart - Composer",
    "Feb 11th, 1847 - Thomas Edison - Inventor",
};

constexpr const char *generalTraits[] = {
    "Meet an Aquarian for the first time and you may find them hard to place: friendly and easy "
    "to talk to, yet a little apart, as if part of their mind were busy with a question nobody "
    "else has asked. Astrologers describe two kinds of Aquarius. The first is shy, gentle and "
    "sensitive, a quiet observer who notices everything and speaks only when there is something "
    "worth saying. The second is energetic and showy, full of ideas and happy to hold the floor "
    "at any gathering. Different as they look, both share a strong wish to be heard, and both "
    "find a way to make their point. Their convictions run deep, and few things rouse them like "
    "unfairness; an Aquarian will stand up for a stranger who is being treated badly without "
    "counting the cost. Yet they are not stubborn for the sake of it. Show them solid evidence "
    "that they were wrong and they will change their view openly and without sulking, because the "
    "truth matters more to them than winning. This makes them tolerant of people whose lives and "
    "beliefs differ from their own. They look far ahead, judging a plan by where it leads in ten "
    "years rather than how it feels today, and they weigh a quarrel with an objectivity that "
    "others find calm, fair and sometimes unnerving.",

    "Honesty comes naturally to Aquarius. They say what they think, kindly where they can but "
    "plainly all the same, and they expect the same candour in return. Once they have given their "
    "word, as a friend or as a partner, they keep it, and the people close to them learn that an "
    "Aquarian promise can be counted on. There is a quiet refinement in their manners and tastes, "
    "never fussy, simply considered. Their minds react quickly: they see the point of a joke, a "
    "problem or a sudden change of plan before most people have finished hearing it, and they are "
    "often the first to suggest a clever way round an obstacle. They are genuinely helpful and "
    "will happily spend an afternoon mending a neighbour's bicycle or sorting out a friend's "
    "paperwork. Curiously, they can do all this while holding their feelings at a distance, "
    "switching their detachment on when a situation calls for a clear head and off again when it "
    "is safe to feel.",

    "Intelligence is the trait most often linked with this sign, and it is a particular kind of "
    "intelligence: logical and methodical, taking a problem apart piece by piece, yet driven by a "
    "lively imagination that keeps asking what if. Many Aquarians are drawn to the unexplained, "
    "from dreams and astrology to the older traditions of the occult, which they study with the "
    "same curiosity they bring to physics or history. When a subject captures them they give it "
    "everything, reading late into the night and forgetting meals, and this dedication can wear "
    "down their health if nobody reminds them to rest. Their thirst for knowledge rarely fades "
    "with age. Many also lean towards the arts, especially music, writing and design, where their "
    "original ideas find a natural outlet.",

    "In love, Aquarians have a gentle appeal that draws people to them without any obvious "
    "effort. They are selective, though, and do not give their hearts lightly; many would rather "
    "stay single than settle for someone who does not truly interest them. When they do choose a "
    "partner, the choice is made with head and heart together, and their devotion is steady, "
    "quiet and generous. Having found the right person, they tend to stay faithful for life, "
    "treating the bond as a friendship that deepens year by year.",
};

constexpr const char *positiveTraits[] = {
    "The best of Aquarius starts with a quick, agile mind that grasps new ideas at once and links "
    "them in ways nobody expected. Their imagination turns those links into plans, inventions and "
    "stories, and it rarely runs dry. A strong sense of justice keeps this gift pointed at "
    "something worthwhile: they want life to be fair for everyone, not only for themselves and "
    "their own circle. Setbacks do not keep them down for long. Aquarians are resilient and "
    "quietly optimistic, ready to treat a failure as useful information and to try again with a "
    "better idea.",

    "They respect freedom, their own and other people's, and their need for space makes them easy "
    "to live with: they will never smother you or pry into your affairs. Their kindness is broad "
    "rather than possessive, reaching out to whole communities, good causes and strangers in need "
    "as readily as to family. And they are refreshingly open about their choices. An Aquarian "
    "will always give you a reason for what they do, explained patiently and logically, so that "
    "you may disagree but are never left guessing.",
};

constexpr const char *negativeTraits[] = {
    "The shadow side of Aquarian detachment is a coolness that can feel like rejection. In an "
    "emotional moment, when a friend needs comfort rather than analysis, an Aquarian may offer a "
    "tidy solution and miss the tears altogether. Some carry an air of aloofness, as if they were "
    "watching life from a slight height, and people who do not know them well may take this for "
    "arrogance. Strangely, the closer someone comes, the more likely they are to back away; "
    "intimacy can feel like a threat to their independence, and they may withdraw just when a "
    "relationship needs them to step forward.",

    "For a sign that prizes open minds, Aquarius can be surprisingly dogmatic once a principle "
    "has taken root, and a cause embraced too fiercely may tip into fanaticism. Some drift into "
    "eccentricity instead, with habits so odd that the people around them give up trying to "
    "understand. Their temper is normally well hidden, but when it breaks it does so suddenly, in "
    "a burst of anger that shocks everyone and blows over almost as fast as it came.",
};

constexpr const char *friendshipTraits[] = {
    "Aquarians make friends with ease. They are curious about everyone, as happy to chat with a "
    "taxi driver as with a professor. Yet few of those friends ever meet the real person behind "
    "the cheerful, sociable manner; the true Aquarian self is kept in a private room that opens "
    "only rarely. What every friend does see is their generosity when life turns hard. If you are "
    "low, an Aquarian will turn up with time, practical help and a fresh way of looking at the "
    "trouble. What they fear is a friend who clings. Constant demands and jealousy make them feel "
    "their freedom slipping away, and they will quietly put distance between themselves and the "
    "source. Their closest friendships are with people who meet them on the same intellectual "
    "plane and enjoy a long argument about ideas. Bold Aries and free-spirited Sagittarius make "
    "especially good friends for them.",
};

constexpr const char *compatibilityTraits[] = {
    // Aries
    "Aquarius and Aries make a lively, forward-looking pair. The Arian's courage gives shape to "
    "Aquarian ideas, while Aquarius offers Aries a wider view and a steady supply of new causes. "
    "Both love freedom and neither will cage the other. Quarrels can be loud, since Aries is "
    "hot-tempered and Aquarius digs in on principle, but they clear the air fast. A very good "
    "match, rarely dull.",

    // Taurus
    "Taurus and Aquarius are both fixed signs, so both are stubborn, and about opposite things. "
    "The Taurean wants security, routine and comfort; Aquarius wants change and room to "
    "experiment. Taurus can lend patience and Aquarius fresh air, but it takes real effort. A "
    "difficult match that works only with plenty of give and take.",

    // Gemini
    "Gemini and Aquarius are fellow air signs and understand each other almost without trying. "
    "Conversation never runs out, both enjoy variety and a busy social life, and neither is "
    "possessive. Geminis may find Aquarius too set in their principles, and Aquarius may tire of "
    "Gemini's restlessness, but these are small matters. One of the best matches in the zodiac.",

    // Cancer
    "Cancer needs closeness, reassurance and a warm home, and the Cancerian heart can feel "
    "bruised by Aquarian coolness. Aquarius may find Cancer's moods hard to read and harder to "
    "meet. There can be real tenderness when each respects the other's nature, but the two often "
    "want different things from love. A challenging match.",

    // Leo
    "Leo sits opposite Aquarius in the zodiac, and opposites often attract. The Leo's warmth, "
    "generosity and flair for drama fascinate Aquarius, while Aquarian originality keeps Leo "
    "intrigued. Trouble comes when Leo wants admiration and Aquarius offers only honest opinions. "
    "With mutual respect, this can be a strong and stimulating match with plenty of fun in it.",

    // Virgo
    "Virgo and Aquarius share a love of reason and a wish to be useful, so they often meet "
    "through work or a common cause. The Virgoan eye for detail, however, can clash with the "
    "Aquarian taste for big ideas and unconventional methods, and Virgo's criticism may feel like "
    "a cage. A fair match that works best as a partnership of minds, with patience on both sides.",

    // Libra
    "Libra is another air sign, and this is one of the happiest pairings Aquarius can make. "
    "Librans bring charm, tact and a love of harmony; Aquarius brings ideas and independence. "
    "Both value fairness, both enjoy company and culture, and they can talk for hours. Libra may "
    "want more romance than Aquarius shows, but the balance is easy to find. An excellent match.",

    // Scorpio
    "Scorpio and Aquarius both have iron wills, and the Scorpion's intense, possessive love sits "
    "uneasily beside the Aquarian need for freedom. Scorpio wants to know every secret; Aquarius "
    "guards its privacy. The attraction can be powerful, but so are the power struggles. A "
    "difficult match that needs a great deal of trust.",

    // Sagittarius
    "Sagittarius shares the Aquarian love of freedom, travel and big ideas, which makes this a "
    "natural and easy partnership. Sagittarians are honest, adventurous and good-humoured, and "
    "they never try to pin Aquarius down. Together they are always planning the next journey or "
    "debate. Their only risk is that neither wants to handle the chores. A very good match, full "
    "of laughter.",

    // Capricorn
    "Capricorn and Aquarius share Saturn as a ruler, so beneath their differences lies a common "
    "seriousness. Capricorns are practical, ambitious and traditional, while Aquarius wants to "
    "overturn the rules that Capricorn respects. Each may see the other as too cautious or too "
    "wild. Given time, Capricorn can help Aquarius turn visions into results. A workable but "
    "demanding match.",

    // Aquarius with Aquarius
    "Two Aquarians understand each other's need for space better than anyone, and they share "
    "ideals, friends and an endless appetite for discussion. The danger is that both keep their "
    "feelings at arm's length, so the relationship can drift into a comfortable friendship with "
    "little warmth. If one of them learns to show affection openly, this is a good match of true "
    "equals.",

    // Pisces
    "Pisces is gentle, dreamy and deeply emotional, and the Piscean imagination can charm an "
    "Aquarian at first. Both are idealistic and compassionate, and both want a better world. But "
    "Pisces needs an emotional closeness that Aquarius finds hard to give, and Aquarian bluntness "
    "can wound a sensitive Piscean heart. An uncertain match that needs kindness and clear words.",
};

constexpr const char *asMother[] = {
    "The Aquarian mother raises her children as individuals from the very first day. She "
    "encourages questions, answers them honestly and is delighted rather than alarmed when a "
    "child wants to do something unusual. Her home is open to her children's friends, and her "
    "rules are few. She may not be the most sentimental parent and can seem distracted by her own "
    "projects, yet her children grow up confident, curious and free of prejudice. Long after they "
    "have left home, they find in her a wise friend who still listens.",
};

constexpr const char *asFather[] = {
    "An Aquarian father is more a friendly guide than a stern head of the house. He loves to "
    "share his interests, so his children are likely to spend weekends building kites, watching "
    "the stars or taking apart an old radio to see how it works. He treats them as thinking "
    "people and talks with them rather than at them, and he is unusually accepting of their "
    "choices, even ones he would never make himself. He can be absent-minded about birthdays and "
    "slow to show tender feelings. Still, his children always know he is on their side, and they "
    "remember his patience and his laughter.",
};

constexpr const char *asChild[] = {
    "The Aquarian child is bright, inquisitive and often a little unusual. They ask why about "
    "everything and are not satisfied with the answer that it has always been done this way. They "
    "may be friends with the whole class yet enjoy long hours alone with a book. Punishment "
    "without explanation makes them rebel; a patient argument works far better. Given freedom to "
    "explore and a parent who takes their questions seriously, this child grows into a kind, "
    "original and remarkably independent adult.",
};

constexpr const char *commonProfessions[] = {
    "Work means most to an Aquarian when it serves something larger than a salary. Many are drawn "
    "to humanitarian causes, charities, cooperatives and international organisations, where their "
    "ideals can do practical good. In any workplace they care about their colleagues as people, "
    "notice when someone is treated unfairly and push for better conditions for everyone. Their "
    "inventive, forward-looking minds suit them to science and research, and a surprising number "
    "become inventors. Writing about ideas and the future is another natural path. Astronaut, "
    "politician and astrologer are also careers where Aquarians thrive, each in its own way a "
    "matter of looking beyond the horizon.",
};

constexpr const char *healthConcerns[] = {
    "Aquarius is said to govern the circulation of the blood and the legs from the knee to the "
    "ankle, and these are the parts most likely to cause trouble. Varicose veins, cramps, swollen "
    "ankles, sprains and a poor circulation that leaves the hands and feet cold are common "
    "complaints. Aquarians also go through low moods that they rarely mention, so the people "
    "close to them should watch for the signs. Later in life the heart and blood pressure need "
    "regular checks. They are prone to accidents and to illnesses that arrive suddenly or linger "
    "longer than expected. Alcohol does them little good and is best taken sparingly, if at all.",
};

constexpr const char *financialHabits[] = {
    "Money, for an Aquarian, is a tool rather than a goal. They want enough of it to stay "
    "independent, and they are happiest earning it on their own terms, which is why so many "
    "prefer self-employment to a fixed job. Bookkeeping bores them, though, and a good accountant "
    "is worth every penny to keep their taxes and invoices in order. In the shops they are "
    "cautious, comparing prices and thinking twice before any large purchase. They dislike "
    "borrowing and will go without rather than run up debts. They will lend to a friend in need, "
    "but only to someone they trust to repay promptly, and they remember who did.",
};

constexpr const char *fashionStyle[] = {
    "Aquarians shop when something catches their eye rather than when the season changes, and "
    "they are as happy in a flea market as in a designer boutique. They do not follow trends; "
    "they set their own, mixing old and new, sporty and formal, in ways that others copy a year "
    "later. Since the sign rules the ankles, they like to draw attention to their feet with "
    "striking shoes, bright socks or an ankle bracelet. Their hair may be cut in a bold style or "
    "changed often, and their make-up tends to be either minimal or daringly creative. Turquoise "
    "suits them especially well.",
};

constexpr const char *travelHabits[] = {
    "An Aquarian is ready to travel at a moment's notice, with a bag that seems to pack itself. "
    "They enjoy going with a group of friends, provided they can take the lead and decide where "
    "the group goes next. Timetables, bookings and small practical details bore them, so it helps "
    "to have a well-organised companion along. For them travel is food for the mind: new "
    "languages, unfamiliar customs, strange museums and long talks with strangers keep them "
    "thinking for months afterwards. They rarely leave home without their gadgets, and a phone "
    "full of maps, translators and star charts is as essential to them as a passport.",
};

constexpr const char *loveAndRomance[] = {
    "Aquarians approach love slowly and methodically, almost like a research project. They want "
    "to understand a person's mind before they trust their own feelings, so the early stages may "
    "look more like friendship than courtship. Once committed, they keep romance fresh with "
    "variety: surprise trips, odd little gifts, new experiences shared. Intimacy for them grows "
    "from conversation and trust as much as from passion. They still need personal space, even in "
    "the happiest relationship, and a partner who grants it freely is rewarded with loyalty. "
    "Above all, they give trust and respect, and they expect the same in return.",
};

constexpr char lineBreak[] = "\r\n";
constexpr char paragraphBreak[] = "\r\n\r\n";
static_assert(std::string_view(lineBreak) == LineBreak);
static_assert(std::string_view(paragraphBreak) == ParagraphBreak);

constexpr std::size_t joinedLength(std::span<const char *const> pieces, std::string_view separator)
{
    std::size_t length = pieces.empty() ? 0 : (pieces.size() - 1) * separator.size();
    for (const char *piece : pieces)
        length += std::string_view(piece).size();
    return length;
}

// The pieces joined into one UTF-16 text by the compiler, read as Latin-1 like any literal
// handed to QLatin1StringView: the texts stay in the executable's read-only pages, which every
// start shares, instead of being copied onto each process's heap.
template <const auto &Pieces, const auto &Separator>
constexpr auto joinedText = [] {
    std::array<char16_t, joinedLength(Pieces, Separator)> text{};
    auto out = text.begin();
    const auto copy = [&out](std::string_view latin1) {
        for (const char c : latin1)
            *out++ = char16_t(static_cast<unsigned char>(c));
    };
    for (std::size_t i = 0; i < std::size(Pieces); ++i) {
        if (i > 0)
            copy(Separator);
        copy(Pieces[i]);
    }
    return text;
}();

template <const auto &Pieces, const auto &Separator = paragraphBreak>
QString joined()
{
    const auto &text = joinedText<Pieces, Separator>;
    return QString::fromRawData(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

void fillProfile(SignProfile &profile)
{
    profile.SignName = QStringLiteral("Aquarius");
    profile.BirthDates = QStringLiteral("January 20th - February 18th");
    profile.ZodiacSymbol = QStringLiteral("Water Carrier");
    profile.ZodiacElement = QStringLiteral("Air");
    profile.ZodiacQuality = QStringLiteral("Fixed");
    profile.DomicilePlanet = QStringLiteral("Saturn (or Uranus)");
    profile.DetrimentPlanet = QStringLiteral("Sun");
    profile.ExaltationPlanet = QStringLiteral("Mercury");
    profile.Birthstone = QStringLiteral("Garnet, Amethyst");
    profile.LuckyColors = QStringLiteral("Electric Blue");
    profile.LuckyNumbers = QStringLiteral("Seven and Nine");
    profile.LuckyDay = QStringLiteral("Friday");
    profile.LuckyGemstones = QStringLiteral("Blue Sapphire, Lapis, Amethyst, Aquamarine");
    profile.LuckyMetals = QStringLiteral("All metals");
    profile.FamousPersonalities = joined<famousPersonalities, lineBreak>();
    profile.GeneralTraits = joined<generalTraits>();
    profile.PositiveTraits = joined<positiveTraits>();
    profile.NegativeTraits = joined<negativeTraits>();
    profile.FriendshipTraits = joined<friendshipTraits>();
    profile.CompatibilityTraits = joined<compatibilityTraits>();
    profile.AsMother = joined<asMother>();
    profile.AsFather = joined<asFather>();
    profile.AsChild = joined<asChild>();
    profile.CommonProfessions = joined<commonProfessions>();
    profile.HealthConcerns = joined<healthConcerns>();
    profile.FinancialHabits = joined<financialHabits>();
    profile.FashionStyle = joined<fashionStyle>();
    profile.TravelHabits = joined<travelHabits>();
    profile.LoveAndRomance = joined<loveAndRomance>();
}

SignProfile &programProfile()
{
    static SignProfile profile;
    return profile;
}

} // namespace

const SignProfile &loadedProfile()
{
    return programProfile();
}

void LoadSignProfile()
{
    fillProfile(programProfile());
}

SignProfile MakeProfile()
{
    SignProfile profile;
    fillProfile(profile);
    return profile;
}

} // namespace modAquarius
