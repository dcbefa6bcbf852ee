// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls.h"

#include "base/forms.h"

#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include <optional>

QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(pixels);
    return label;
}

namespace {

std::optional<QRect> centred(const QWidget *window, const QScreen *screen)
{
    if (!screen)
        screen = window->screen();
    if (!screen)
        return std::nullopt;
    return QStyle::alignedRect(window->layoutDirection(), Qt::AlignCenter, window->size(),
                               screen->availableGeometry());
}

} // namespace

void centreOnScreen(QWidget *window, const QScreen *screen)
{
    if (const std::optional<QRect> where = centred(window, screen))
        window->move(where->topLeft());
}

void centreClientAreaOnScreen(QWidget *window)
{
    if (const std::optional<QRect> where = centred(window, nullptr))
        window->setGeometry(*where);
}

void loadWindowForm(QWidget *window, std::function<void()> formUnload)
{
    loadedForms().loaded(window, window->objectName(),
                         [window, formUnload = std::move(formUnload)] {
                             formUnload();
                             window->hide();
                             window->deleteLater();
                         });
}

void loadDialogForm(QDialog *dialog, std::function<void()> formUnload)
{
    loadedForms().loaded(dialog, dialog->objectName(), std::move(formUnload));
    // Every way out of a dialog (accept, reject, Esc, the close box) passes through done(),
    // which ends by reporting finished(). An unload already under way ignores the repeat.
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog] { loadedForms().unload(dialog); });
}
