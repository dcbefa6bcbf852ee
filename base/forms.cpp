// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/forms.h"

#include "base/logging.h"
#include "base/platform.h"

#include <algorithm>

STARFOLD_LOGGING_CATEGORY(lcForms, "starfold.forms")

FormList &loadedForms()
{
    static FormList list;
    return list;
}

void EndApplication()
{
    loadedForms().endApplication();
}

std::vector<FormList::Entry>::iterator FormList::find(const void *form)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [form](const Entry &e) { return e.form == form; });
}

void FormList::loaded(const void *form, const QString &name, Unload unload)
{
    if (find(form) != m_entries.end())
        return;
    m_entries.push_back({form, name, std::move(unload)});
}

void FormList::unload(const void *form)
{
    auto it = find(form);
    if (it == m_entries.end() || it->unloading)
        return;
    it->unloading = true;
    // The unload step may re-enter us (and end the program), so work on a copy.
    const Unload step = it->unload;
    const QString name = it->name;
    try {
        if (step)
            step();
    } catch (...) {
        qCWarning(lcForms) << "unloading" << name << "failed; skipped";
    }
    it = find(form);
    if (it != m_entries.end())
        m_entries.erase(it);
}

void FormList::endApplication()
{
    if (m_ended)
        return;
    for (;;) {
        const auto next = std::find_if(m_entries.begin(), m_entries.end(),
                                       [](const Entry &e) { return !e.unloading; });
        if (next == m_entries.end())
            break;
        unload(next->form);
        // A nested call from an unload step has already finished the job.
        if (m_ended)
            return;
    }
    m_ended = true;
    platform().terminate();
}
