// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX names are bytes in the locale's encoding: a name that does not come back from them
// unchanged would be saved under another name. A replacement character stands for bytes the
// dialog could not read, so that name too names a file other than the one listed.
#include "base/filename.h"

#include <QFile>

bool fileSystemCanName(const QString &path)
{
    return !path.contains(QChar::ReplacementCharacter)
           && QFile::decodeName(QFile::encodeName(path)) == path;
}
