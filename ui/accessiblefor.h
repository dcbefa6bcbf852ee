// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

// Has screen readers see every widget of class Widget through an Accessible made for it, a
// class taking the widget in its constructor. Called from the widget's constructor; the
// factory is installed the first time only.
template<class Widget, class Accessible>
void useAccessibleFor()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &className, QObject *object)
                                        -> QAccessibleInterface * {
            if (className == QLatin1String(Widget::staticMetaObject.className()))
                if (auto *widget = qobject_cast<Widget *>(object))
                    return new Accessible(widget);
            return nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed);
}
