// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Why a save dialog must refuse a chosen path before anyone writes to it: the folder is
// missing, or the file exists and is read-only. Nothing when the path may be used.
std::optional<QString> saveTargetRefusal(const QString &path);
