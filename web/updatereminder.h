// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace modHelp {

// Asks, at most once in fifteen days and never at the first run, whether to look
// for an update.
void ShowUpdateReminder();

// The reminder's decisions, apart from the question box so they can be checked alone.
namespace reminder {

// On this many days either side of the stored date nothing is asked.
inline constexpr qint64 QuietDays = 14;

// The question, two sentences on two lines.
QString QuestionText();

// The short date format with its year widened to four digits, so that a stored date
// cannot read back a century off; ISO dates when the format would not survive the
// store or does not read back what it wrote.
QString StoredDateFormat(const QString &shortFormat);
// A date as it is stored: the user's short date format, four-digit year.
QString DateText(QDate date);
// Days from today to the stored date, positive when it lies ahead; nothing when the
// text does not read as a date.
std::optional<qint64> DaysToStoredDate(const QString &stored, QDate today);
bool IsDue(qint64 daysApart);
// The absolute value of the text read as a 32-bit whole number, a fraction going to the
// nearest one and halves to the even one; nothing when the text is not such a number.
std::optional<qint32> InstallNumber(const QString &text);

} // namespace reminder

} // namespace modHelp
