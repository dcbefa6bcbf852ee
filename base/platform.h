// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Everything the program asks of the world outside it goes through here, so that
// tests can record what was asked and pre-answer it.
class Platform
{
public:
    enum class Icon { Information, Critical, Question, Warning };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    struct SaveRequest {
        QString title;
        QString filter;        // "Description (*.ext)"
        QString defaultSuffix; // appended to a bare name
        bool confirmOverwrite = true;
        QString fileName;      // what the name field starts with
        QString folder;        // the folder the dialog opens in
    };

    virtual ~Platform() = default;

    // A modal box titled with the program's title; returns the button pressed.
    virtual Answer showMessage(const QString &text, Icon icon, Buttons buttons = Buttons::Ok,
                               Answer defaultAnswer = Answer::Ok) = 0;
    // Hands an address to the desktop's default handler; never waits, never reports failure.
    virtual void openUrl(const QString &address) = 0;
    virtual QDate today() = 0;
    // True when another instance of this program already runs for this user.
    virtual bool previousInstanceRunning() = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> askSavePath(const SaveRequest &request) = 0;
    // Empty when no printer is installed.
    virtual QString defaultPrinterName() = 0;
    // The system clock, as a seed for the program's random numbers.
    virtual quint32 clockSeed() = 0;
    // Ends the process at once: no further event is delivered.
    virtual void terminate() = 0;
};

// The one instance in use; main() installs the real one, tests their recorder.
Platform &platform();
void setPlatform(Platform *platform);

// The executable's file name without its extension, as it was started: the program's
// settings and its single-instance guard are named after it.
QString executableName();
