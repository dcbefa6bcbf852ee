// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qtplatform.h"

#include "base/identity.h"
#include "base/savetarget.h"
#include "report/printmodule.h"
#include "ui/artwork.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTime>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

Platform::Answer QtPlatform::showMessage(const QString &text, Icon icon, Buttons buttons,
                                         Answer defaultAnswer)
{
    QWidget *owner = QApplication::activeWindow();
    QMessageBox box(owner);
    // A box of no window of ours (a second start's refusal, the update question) comes above
    // every window, the exit screen that a running instance keeps on top among them.
    if (!owner)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(QLatin1String(ProgramTitle));
    // Boxes of the start-up come before the application has its icon.
    box.setWindowIcon(artwork::programIcon());
    // Windows' own message box breaks a line at a bare carriage return; Qt's only at a line feed.
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Ok;
    }
}

void QtPlatform::openUrl(const QString &address)
{
    // Desktop services start the handler detached and without a shell; failure is ignored.
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

bool QtPlatform::previousInstanceRunning()
{
    return !m_guard.acquire();
}

std::optional<QString> QtPlatform::askSavePath(const SaveRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(request.folder);
    dialog.selectFile(request.fileName);
    // Like the system's own save dialogs, refuse a missing folder or a read-only file here,
    // and keep asking, rather than hand on a path nobody can write.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        const std::optional<QString> refusal = SaveTargetRefusal(chosen);
        if (!refusal)
            return chosen;
        QMessageBox::warning(&dialog, request.title, *refusal);
        // Opened again where the refused name was, with that name, not where it first opened.
        const QFileInfo refused(chosen);
        if (refused.absoluteDir().exists())
            dialog.setDirectory(refused.absolutePath());
        dialog.selectFile(refused.fileName());
    }
}

QString QtPlatform::defaultPrinterName()
{
    return report::DefaultPrinterName();
}

quint32 QtPlatform::clockSeed()
{
    return quint32(QTime::currentTime().msecsSinceStartOfDay());
}

void QtPlatform::terminate()
{
    m_guard.release();
    std::fflush(nullptr);
    // No destructors, no pending events: the program ends here.
    std::_Exit(0);
}
