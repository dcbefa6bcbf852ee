// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The few values the program remembers between runs: per user, under the executable's
// name and the section "Settings", with keys and values scrambled.

// Added to each character code on the way in, taken off on the way out.
inline constexpr int SettingOffset = 71;

// Moves every 8-bit code up by SettingOffset; a character that would pass 255 is dropped.
QString ScrambleText(const QString &text);
// Moves every 8-bit code down by SettingOffset; a character that would fall below 0 is dropped.
QString UnscrambleText(const QString &text);

// The plain value stored under a plain key, empty when the key was never written;
// nothing when the store cannot be read.
std::optional<QString> ReadSetting(const QString &key);
// Stores a plain value under a plain key, replacing any earlier one; false when the
// store could not be written.
bool WriteSetting(const QString &key, const QString &value);
