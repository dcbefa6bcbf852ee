// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/platform.h"

#include <QList>
#include <QStringList>

#include <deque>

// Records what the program asks of the outside world and gives pre-set answers.
class RecordingPlatform : public Platform
{
public:
    struct Message {
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };

    RecordingPlatform() { setPlatform(this); }
    ~RecordingPlatform() override { setPlatform(nullptr); }

    Answer showMessage(const QString &text, Icon icon, Buttons buttons,
                       Answer defaultAnswer) override
    {
        messages.append({text, icon, buttons, defaultAnswer});
        if (onMessage)
            onMessage(messages.constLast());
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo ? defaultAnswer : Answer::Ok;
    }
    void openUrl(const QString &address) override { opened.append(address); }
    QDate today() override { return todayIs; }
    bool previousInstanceRunning() override { return anotherInstance; }
    std::optional<QString> askSavePath(const SaveRequest &request) override
    {
        saveRequests.append(request);
        return savePath;
    }
    QString defaultPrinterName() override { return printerName; }
    quint32 clockSeed() override { return seed; }
    void terminate() override { ++terminations; }

    // What the program asked.
    QList<Message> messages;
    QStringList opened;
    QList<SaveRequest> saveRequests;
    int terminations = 0;
    std::function<void(const Message &)> onMessage;

    // What the world answers.
    std::deque<Answer> answers;
    QDate todayIs = QDate(2026, 12, 7);
    bool anotherInstance = false;
    std::optional<QString> savePath;
    QString printerName;
    quint32 seed = 12345;
};
