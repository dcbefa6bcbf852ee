// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/forms.h"

#include <QStringList>

#include <algorithm>

struct FormListProbe {
    static QStringList names(const FormList &forms)
    {
        QStringList result;
        for (const FormList::Entry &e : forms.m_entries)
            result << e.name;
        return result;
    }
    static bool hasEnded(const FormList &forms) { return forms.m_ended; }
    static bool isLoaded(const FormList &forms, const void *form)
    {
        return std::any_of(forms.m_entries.begin(), forms.m_entries.end(),
                           [form](const FormList::Entry &e) {
                               return e.form == form && !e.unloading;
                           });
    }
};

// The names of the loaded forms, in load order.
inline QStringList namesOf(const FormList &forms)
{
    return FormListProbe::names(forms);
}

// Whether the form is loaded and not being unloaded.
inline bool isLoaded(const FormList &forms, const void *form)
{
    return FormListProbe::isLoaded(forms, form);
}

// Whether the list has ended the program.
inline bool hasEnded(const FormList &forms)
{
    return FormListProbe::hasEnded(forms);
}
