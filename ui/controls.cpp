// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls.h"

#include "base/forms.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QFocusFrame>
#include <QLabel>
#include <QPointer>
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

// The frame is made on the first focus, so a control nobody visits costs nothing.
class FocusFrameKeeper : public QObject
{
public:
    explicit FocusFrameKeeper(QWidget *box)
        : QObject(box)
        , m_box(box)
    {
        box->installEventFilter(this);
    }
    ~FocusFrameKeeper() override { delete m_frame; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::FocusIn) {
            if (!m_frame)
                m_frame = new QFocusFrame(m_box);
            m_frame->setWidget(m_box);
        } else if (watched == m_box && event->type() == QEvent::FocusOut && m_frame) {
            m_frame->setWidget(nullptr);
        }
        return false;
    }

private:
    QWidget *m_box;
    QPointer<QFocusFrame> m_frame;
};

std::optional<QRect> centred(const QWidget *window, const QScreen *screen)
{
    if (!screen)
        screen = window->screen();
    if (!screen)
        return std::nullopt;
    return QStyle::alignedRect(window->layoutDirection(), Qt::AlignCenter, window->size(),
                               screen->availableGeometry());
}

// Qt announces a top-level form built on a plain QWidget as a filler; it is a window.
QAccessibleInterface *plainFormAccessible(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QMetaObject *type = object ? object->metaObject() : nullptr;
    if (widget && widget->isWindow() && className == QLatin1String(type->className())
        && type->superClass() == &QWidget::staticMetaObject)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void showFocusFrame(QWidget *control)
{
    new FocusFrameKeeper(control);
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

namespace {

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

} // namespace

void loadWindowForm(QWidget *window, std::function<void()> formUnload)
{
    static const bool accessible = [] {
        QAccessible::installFactory(plainFormAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    window->installEventFilter(new UnloadOnClose(window));
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
