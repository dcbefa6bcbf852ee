// SPDX-License-Identifier: GPL-3.0-or-later
// The store in the registry: one string value per key under
// HKEY_CURRENT_USER\Software\<maker>\<executable name>\Settings. A value's name may hold any
// character, the backslash included, but the registry matches names without regard to case,
// so every capital letter is written as an escape of a tilde and its code in capital hex
// digits; keys that differ only in case stay apart, and most names read as they are.
#include "base/settingsstore.h"

#include "base/identity.h"
#include "base/platform.h"

#include <windows.h>

namespace settingsstore {
namespace {

// Far more than the program ever stores: anything larger is not its value.
constexpr DWORD MaxValueBytes = 64 * 1024;
constexpr QChar Escape = u'~';

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

QString keyPath()
{
    return QLatin1String("Software\\") + QLatin1String(MakerName) + QLatin1Char('\\')
           + executableName() + QLatin1String("\\Settings");
}

QString valueName(const QString &key)
{
    QString name;
    for (const QChar ch : key) {
        if (ch == Escape || ch.toLower() != ch)
            name += Escape
                    + QStringLiteral("%1").arg(ch.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            name += ch;
    }
    return name;
}

class Key
{
public:
    explicit Key(bool forWriting)
    {
        const REGSAM access = KEY_QUERY_VALUE | (forWriting ? KEY_SET_VALUE : 0);
        const QString path = keyPath();
        m_status = forWriting ? RegCreateKeyExW(HKEY_CURRENT_USER, wide(path), 0, nullptr, 0, access,
                                                nullptr, &m_key, nullptr)
                              : RegOpenKeyExW(HKEY_CURRENT_USER, wide(path), 0, access, &m_key);
        if (m_status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;

    HKEY handle() const { return m_key; }
    LSTATUS status() const { return m_status; }

private:
    HKEY m_key = nullptr;
    LSTATUS m_status = ERROR_SUCCESS;
};

enum class Found { Absent, Ours, Foreign, Failed };

// A value is ours when it is a string of no more than the store ever holds, without a null
// character inside; anything else is read by nobody and written over by nobody.
Found readValue(HKEY key, const QString &name, QString &value)
{
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, wide(name), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return Found::Absent;
    if (status != ERROR_SUCCESS)
        return Found::Failed;
    if (type != REG_SZ || size > MaxValueBytes || size % sizeof(wchar_t) != 0)
        return Found::Foreign;
    QString text(qsizetype(size / sizeof(wchar_t)), Qt::Uninitialized);
    status = RegQueryValueExW(key, wide(name), nullptr, &type,
                              reinterpret_cast<BYTE *>(text.data()), &size);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return Found::Failed;
    text.truncate(qsizetype(size / sizeof(wchar_t)));
    if (text.endsWith(QChar::Null))
        text.chop(1);
    if (text.contains(QChar::Null))
        return Found::Foreign;
    value = text;
    return Found::Ours;
}

} // namespace

std::optional<QString> read(const QString &key)
{
    const Key settings(false);
    if (settings.status() == ERROR_FILE_NOT_FOUND)
        return QString();
    if (!settings.handle())
        return std::nullopt;
    QString value;
    switch (readValue(settings.handle(), valueName(key), value)) {
    case Found::Absent:
        return QString();
    case Found::Ours:
        return value;
    case Found::Foreign:
    case Found::Failed:
        break;
    }
    return std::nullopt;
}

bool write(const QString &key, const QString &value)
{
    if (value.contains(QChar::Null) || DWORD(value.size() + 1) * sizeof(wchar_t) > MaxValueBytes)
        return false;
    const Key settings(true);
    if (!settings.handle())
        return false;
    const QString name = valueName(key);
    QString earlier;
    const Found found = readValue(settings.handle(), name, earlier);
    if (found != Found::Absent && found != Found::Ours)
        return false;
    const auto bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(settings.handle(), wide(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE *>(value.utf16()), bytes)
           == ERROR_SUCCESS;
}

QString location()
{
    return QLatin1String("HKEY_CURRENT_USER\\") + keyPath();
}

} // namespace settingsstore
