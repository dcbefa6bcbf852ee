// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The control of that name below root. Says so when there is none, so that the failure
// that follows names the missing control.
template<typename T>
T *findControl(const QObject *root, const QString &name)
{
    T *control = root->findChild<T *>(name);
    if (!control)
        qWarning("no control %s below %s", qPrintable(name), qPrintable(root->objectName()));
    return control;
}

template<typename T>
T *findControl(const QObject *root, const char *name)
{
    return findControl<T>(root, QString::fromLatin1(name));
}
