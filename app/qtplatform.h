// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/instanceguard.h"
#include "base/platform.h"

// The real world: Qt's dialogs, desktop services, printers and clock.
class QtPlatform : public Platform
{
public:
    Answer showMessage(const QString &text, Icon icon, Buttons buttons,
                       Answer defaultAnswer) override;
    void openUrl(const QString &address) override;
    QDate today() override;
    bool previousInstanceRunning() override;
    std::optional<QString> askSavePath(const SaveRequest &request) override;
    QString defaultPrinterName() override;
    quint32 clockSeed() override;
    [[noreturn]] void terminate() override;

private:
    InstanceGuard m_guard;
};
