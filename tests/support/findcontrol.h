// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The control of that name below root. Says so when there is none, so that the failure
// that follows names the missing control.
template<typename T>
T *findControl(const QObject *root, const char *name)
{
    T *control = root->findChild<T *>(QString::fromLatin1(name));
    if (!control)
        qWarning("no control %s below %s", name, qPrintable(root->objectName()));
    return control;
}
