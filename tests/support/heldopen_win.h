// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// A file held open as another program holds it, sharing with others only what is given
// (FILE_SHARE_READ and the like; 0 shares nothing). Sharing binds every handle alike, so one
// of this process stands for another program's.
class HeldOpen
{
public:
    HeldOpen(const QString &path, DWORD sharing)
        : m_handle(::CreateFileW(reinterpret_cast<const wchar_t *>(
                                     QDir::toNativeSeparators(path).utf16()),
                                 GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (isHeld())
            ::CloseHandle(m_handle);
    }
    HeldOpen(const HeldOpen &) = delete;
    HeldOpen &operator=(const HeldOpen &) = delete;

    bool isHeld() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};
