// SPDX-License-Identifier: GPL-3.0-or-later
// The write path on Windows: the same steps as elsewhere, each result checked, the data
// flushed before the file is moved over the old one.
#include "base/replacefile.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>
// windows.h names its own ReplaceFile as a macro for ReplaceFileW; ours is meant here.
#undef ReplaceFile
#include <aclapi.h>

namespace {

QString failure(const char *step)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), qt_error_string(-1));
}

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Owned by the user, or by the owner this process gives what it makes (an elevated
// administrator's files belong to the Administrators group); in a shared folder, another
// user's file is neither.
bool ownedHere(const std::wstring &path)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return false;
    bool mine = false;
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        // TOKEN_USER and TOKEN_OWNER both start with the SID's address.
        for (const TOKEN_INFORMATION_CLASS whose : {TokenUser, TokenOwner}) {
            alignas(TOKEN_USER) char buffer[128];
            DWORD size = 0;
            mine = mine
                   || (::GetTokenInformation(token, whose, buffer, sizeof buffer, &size)
                       && ::EqualSid(owner, *reinterpret_cast<PSID *>(buffer)));
        }
        ::CloseHandle(token);
    }
    ::LocalFree(descriptor);
    return mine;
}

std::optional<QString> fill(HANDLE file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(qMin<qsizetype>(left, 1 << 20));
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0)
            return failure("cannot write the file");
        data += written;
        left -= written;
    }
    if (!::FlushFileBuffers(file))
        return failure("cannot flush the file to the disk");
    return std::nullopt;
}

} // namespace

namespace replacefile {

// NTFS's and FAT's long names alike, in UTF-16 units.
qsizetype longestName(const QString &)
{
    return 255;
}

qsizetype nameLength(const QString &name)
{
    return name.size();
}

// A writer holds its temporary open without sharing it until it is closed for the move, so a
// live writer's, whatever its session, cannot be deleted; a link is not followed.
void removeIfAbandoned(const QString &path)
{
    const QFileInfo file(path);
    if (file.isFile() && !file.isSymLink() && ownedHere(native(path)))
        ::DeleteFileW(native(path).c_str());
}

} // namespace replacefile

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions)
{
    Q_UNUSED(newFilePermissions) // the folder's access rules apply to a new file
    const QString file = replacefile::finalPath(path);
    RemoveLeftoverTemporaries(QFileInfo(file).path());
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 8 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = native(replacefile::temporaryPathFor(file));
        handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (handle == INVALID_HANDLE_VALUE)
        return failure("cannot create a file in the folder");
    std::optional<QString> reason = fill(handle, bytes);
    if (!::CloseHandle(handle) && !reason)
        reason = failure("cannot close the file");
    if (!reason
        && !::MoveFileExW(temporary.c_str(), native(file).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        reason = failure("cannot replace the file");
    if (reason)
        ::DeleteFileW(temporary.c_str());
    return reason;
}
