// SPDX-License-Identifier: GPL-3.0-or-later
// The store in the registry, under HKEY_CURRENT_USER\Software\<maker>\<executable name>.
// The registry keeps every 8-bit code, but would take a backslash (plain code 21) in a
// key as a subkey.
#include "base/settingsstore.h"

#include "base/identity.h"
#include "base/platform.h"

#include <QSettings>

namespace settingsstore {
namespace {

class Store : public QSettings
{
public:
    Store()
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(ProgramTitle),
                    executableName())
    {
        // Only the user's own values count; no machine-wide defaults.
        setFallbacksEnabled(false);
    }
};

QString storedKey(const QString &key)
{
    return QLatin1String("Settings/") + key;
}

} // namespace

std::optional<QString> read(const QString &key)
{
    Store store;
    const QString value = store.value(storedKey(key)).toString();
    if (store.status() != QSettings::NoError)
        return std::nullopt;
    return value;
}

bool write(const QString &key, const QString &value)
{
    Store store;
    if (!store.isWritable())
        return false;
    store.setValue(storedKey(key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString location()
{
    return Store().fileName();
}

} // namespace settingsstore
