// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/forms.h"

#include <QStringList>

struct FormListProbe {
    static QStringList names(const FormList &forms)
    {
        QStringList result;
        for (const FormList::Entry &e : forms.m_entries)
            result << e.name;
        return result;
    }
    static bool hasEnded(const FormList &forms) { return forms.m_ended; }
};

// The names of the loaded forms, in load order.
inline QStringList namesOf(const FormList &forms)
{
    return FormListProbe::names(forms);
}

// Whether the list has ended the program.
inline bool hasEnded(const FormList &forms)
{
    return FormListProbe::hasEnded(forms);
}
