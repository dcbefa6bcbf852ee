// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/formwindow.h"

#include "base/forms.h"
#include "base/identity.h"
#include "ui/fonts.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QScreen>
#include <QStyle>

#include <optional>

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

// Qt announces a top-level form built on a plain QWidget as a filler; it is a window. Popups
// such as menus also derive from QWidget alone, and Qt serves them itself.
QAccessibleInterface *plainFormAccessible(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QMetaObject *type = object ? object->metaObject() : nullptr;
    if (widget && className == QLatin1String(type->className())
        && type->superClass() == &QWidget::staticMetaObject
        && (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

// Closing a loaded window, with its close box or close(), unloads it.
class UnloadOnClose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            event->accept();
            loadedForms().unload(watched);
        }
        return false;
    }
};

// Holds a form's unload step while the form lives. It is destroyed with the form's
// children, when the form is half gone already: from then on the step is not run, and
// the form only leaves the loaded forms.
class FormEnd : public QObject
{
public:
    FormEnd(QWidget *form, std::function<void()> step)
        : QObject(form)
        , m_form(form)
        , m_step(std::move(step))
    {
        loadedForms().loaded(form, form->objectName(), [this] {
            if (m_step)
                m_step();
        });
    }
    ~FormEnd() override
    {
        m_step = nullptr;
        loadedForms().unload(m_form);
    }

private:
    const void *m_form; // by then only the key it was loaded under
    std::function<void()> m_step;
};

} // namespace

void setUpForm(QWidget *form, const FormOptions &options)
{
    form->setWindowTitle(QLatin1String(WindowCaption));
    form->setAccessibleDescription(QString::fromLatin1(options.description));
    form->setFont(programFont());
    form->setFixedSize(form->size());
}

void centreOnScreen(QWidget *window, const QScreen *screen)
{
    if (const std::optional<QRect> where = centred(window, screen))
        window->move(where->topLeft());
}

void centreClientAreaOnScreen(QWidget *window, const QScreen *screen)
{
    if (const std::optional<QRect> where = centred(window, screen))
        window->setGeometry(*where);
}

void loadWindowForm(QWidget *window, std::function<void()> formUnload)
{
    static const bool accessible = [] {
        QAccessible::installFactory(plainFormAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    window->installEventFilter(new UnloadOnClose(window));
    new FormEnd(window, [window, formUnload = std::move(formUnload)] {
        formUnload();
        window->hide();
        window->deleteLater();
    });
}

void loadDialogForm(QDialog *dialog)
{
    new FormEnd(dialog, [dialog] {
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
    // Every way out of a dialog (accept, reject, Esc, the close box) passes through done(),
    // which ends by reporting finished(). An unload already under way ignores the repeat.
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog] { loadedForms().unload(dialog); });
}
