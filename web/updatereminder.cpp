// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/updatereminder.h"

#include "base/platform.h"
#include "base/settings.h"
#include "web/pages.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace modHelp {

namespace {

const auto InstallKey = QLatin1String("Install");
const auto DurationKey = QLatin1String("Duration");

// The program's default locale is the user's; tests set another one.
QString userDateFormat()
{
    return reminder::StoredDateFormat(QLocale().dateFormat(QLocale::ShortFormat));
}

QString widenedYear(const QString &format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format.at(i);
        if (ch == u'\'')
            quoted = !quoted;
        if (quoted || ch != u'y') {
            result += ch;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == u'y')
            ++run;
        result += run < 4 ? QStringLiteral("yyyy") : format.mid(i, run);
        i += run;
    }
    return result;
}

} // namespace

namespace reminder {

QString QuestionText()
{
    // One carriage return, no line feed, between the two sentences.
    return QStringLiteral("There maybe an update to this software available") + QChar(13)
        + QStringLiteral("Do you want to check for an update?");
}

QString StoredDateFormat(const QString &shortFormat)
{
    const QString format = widenedYear(shortFormat);
    // A day above 12 and a year past 1999 tell day from month and century from none.
    const QDate probe(2037, 11, 28);
    const QString text = probe.toString(format);
    const bool survivesStore = UnscrambleText(ScrambleText(text)) == text;
    if (survivesStore && QDate::fromString(text, format) == probe)
        return format;
    return QStringLiteral("yyyy-MM-dd");
}

QString DateText(QDate date)
{
    return date.toString(userDateFormat());
}

std::optional<qint64> DaysToStoredDate(const QString &stored, QDate today)
{
    const QDate date = QDate::fromString(stored, userDateFormat());
    if (!date.isValid() || !today.isValid())
        return std::nullopt;
    return today.daysTo(date);
}

bool IsDue(qint64 daysApart)
{
    return daysApart < -QuietDays || daysApart > QuietDays;
}

std::optional<qint32> InstallNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // The default rounding mode sends halves to the even neighbour.
    const double magnitude = std::abs(std::nearbyint(value));
    // The lowest 32-bit number has no positive counterpart, so it fails as well.
    if (magnitude > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(magnitude);
}

} // namespace reminder

void ShowUpdateReminder()
{
    // The first step that fails ends the reminder; the start-up goes on without it.
    const std::optional<QString> last = ReadSetting(DurationKey);
    if (!last)
        return;

    if (last->isEmpty()) {
        if (WriteSetting(InstallKey, QStringLiteral("1")))
            WriteSetting(DurationKey, reminder::DateText(platform().today()));
        return;
    }

    const std::optional<qint64> days = reminder::DaysToStoredDate(*last, platform().today());
    if (!days || !reminder::IsDue(*days))
        return;

    const Platform::Answer answer =
        platform().showMessage(reminder::QuestionText(), Platform::Icon::Information,
                               Platform::Buttons::YesNo, Platform::Answer::Yes);

    const std::optional<QString> install = ReadSetting(InstallKey);
    const std::optional<qint32> n = install ? reminder::InstallNumber(*install) : std::nullopt;
    if (!n)
        return;
    if (!WriteSetting(InstallKey, QString::number(*n)))
        return;
    if (!WriteSetting(DurationKey, reminder::DateText(platform().today())))
        return;
    if (answer == Platform::Answer::Yes)
        OpenDownloadPage();
}

} // namespace modHelp
