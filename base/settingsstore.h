// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The platform's per-user store behind ReadSetting and WriteSetting: text values by key
// in the section "Settings", keys and values exactly as given. Every call returns within
// a bounded time, whatever stands at the store's place or holds its lock.
namespace settingsstore {

// The value, empty when the key is absent; nothing when the store cannot be read.
std::optional<QString> read(const QString &key);
// False when the store could not be written. A store that cannot be read is never written;
// a write keeps every other key and value, though not the comments or layout of a store
// edited by hand.
bool write(const QString &key, const QString &value);
// Where the store lives: a file, or on Windows a registry path.
QString location();

} // namespace settingsstore
