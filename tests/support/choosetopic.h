// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profile/topics.h"
#include "support/findcontrol.h"

#include <QGroupBox>
#include <QListWidget>

// The main window makes a topic page's controls when the page is first chosen, so a test
// that looks at a page chooses it first, as a user would, in the topic list.
inline void chooseTopic(QWidget *mainWindow, int row)
{
    findControl<QListWidget>(mainWindow, "lstOptions")->setCurrentRow(row);
}

// Chooses every topic once, then the one chosen before, so every page's controls are there.
inline void chooseEveryTopic(QWidget *mainWindow)
{
    auto *list = findControl<QListWidget>(mainWindow, "lstOptions");
    const int chosen = list->currentRow();
    for (int row = 0; row < list->count(); ++row)
        list->setCurrentRow(row);
    list->setCurrentRow(chosen);
}

// The topic page in front: of the sixteen pages, the one that is not hidden.
inline QGroupBox *frontTopic(const QWidget *mainWindow)
{
    QGroupBox *front = nullptr;
    for (const Topic &topic : Topics) {
        auto *page = findControl<QGroupBox>(mainWindow, QString::fromLatin1(topic.frame));
        if (page && !page->isHidden())
            front = page;
    }
    return front;
}
