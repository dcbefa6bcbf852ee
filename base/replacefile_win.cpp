// SPDX-License-Identifier: GPL-3.0-or-later
// The write path on Windows: the same steps as elsewhere, each result checked, the data
// flushed before the file is moved over the old one.
#include "base/replacefile.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>
// windows.h names its own ReplaceFile as a macro for ReplaceFileW; ours is meant here.
#undef ReplaceFile

namespace replacefile {

qint64 currentProcess()
{
    return qint64(::GetCurrentProcessId());
}

bool processAlive(qint64 processId)
{
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(processId));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

bool ownLeftover(const QString &path)
{
    // The user's own folders hold the user's own files; a link is not followed.
    const QFileInfo file(path);
    return file.isFile() && !file.isSymLink();
}

} // namespace replacefile

namespace {

QString failure(const char *step)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(step), qt_error_string(-1));
}

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
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

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions)
{
    Q_UNUSED(newFilePermissions) // the folder's access rules apply to a new file
    const std::wstring target = native(path);
    const std::wstring temporary =
        native(replacefile::temporaryPathFor(path, replacefile::currentProcess()));
    RemoveLeftoverTemporaries(QFileInfo(path).absolutePath());
    ::DeleteFileW(temporary.c_str());
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure("cannot create a file in the folder");
    std::optional<QString> reason = fill(file, bytes);
    if (!::CloseHandle(file) && !reason)
        reason = failure("cannot close the file");
    if (!reason
        && !::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        reason = failure("cannot replace the file");
    if (reason)
        RemoveLeftoverTemporaries(QFileInfo(path).absolutePath());
    ::DeleteFileW(temporary.c_str());
    return reason;
}
