// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The forms that are loaded, in load order, and the one way the program ends.
class FormList
{
public:
    using Unload = std::function<void()>;

    // A form registers itself when it loads; unload runs its unload step and tears it down.
    void loaded(const void *form, const QString &name, Unload unload);
    // Unloads one form, running its unload step at most once; returns at once for a
    // form that is not loaded or is already being unloaded.
    void unload(const void *form);

    // Unloads every loaded form, first to last, then ends the process.
    void endApplication();

private:
    // Tests read the list through it.
    friend struct FormListProbe;

    struct Entry {
        const void *form;
        QString name;
        Unload unload;
        bool unloading = false;
    };

    std::vector<Entry>::iterator find(const void *form);

    std::vector<Entry> m_entries;
    bool m_ended = false;
};

FormList &loadedForms();

// The one routine that ends the program; safe to call again from an unload step.
void EndApplication();
