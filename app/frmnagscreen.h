// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>

#include "app/frmmain.h"

// The start-up form. It is never shown: it runs the start-up sequence, holds the
// program's lifetime and the icon image list, and stays loaded until the program ends.
class frmNagScreen : public QObject
{
    Q_OBJECT

public:
    explicit frmNagScreen(QObject *parent = nullptr);
    ~frmNagScreen() override;

    // The start-up sequence.
    void Form_Load();
    void Form_Unload();
    // Brings one of the main window's promotional labels to the front, at random.
    void CoBrand_Randomize();

    // The icon image list; its first image is the program's icon.
    const QList<QIcon> &IMGIcon() const { return m_imgIcon; }

    qint16 intCoBrandRandomNumber = 0;

private:
    QList<QIcon> m_imgIcon;
    QPointer<frmMain> m_main;
};
