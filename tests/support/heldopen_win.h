// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>

#include <windows.h>

// A file held open as another program holds it, sharing only what is given (0: nothing).
// Sharing binds every handle alike, so one of this process stands for another program's.
struct HeldOpen
{
    HeldOpen(const QString &path, DWORD sharing)
        : handle(::CreateFileW(
              reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
              GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldOpen() { ::CloseHandle(handle); }
    HeldOpen(const HeldOpen &) = delete;

    const HANDLE handle;
};
