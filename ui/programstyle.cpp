// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/programstyle.h"

#include <QApplication>
#include <qdrawutil.h>
#include <QGroupBox>
#include <QIconEngine>
#include <QPointer>
#include <QResource>
#include <QStyleOption>
#include <QtEndian>

#include <cstring>

namespace {

// A style's icon, asked of the style only when it is first drawn or measured.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : m_style(style), m_which(which), m_widget(widget)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    // QIcon::actualSize() would scale for the screen a second time; the pixmap it gives
    // for a size has the size the icon's own engine reports.
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    bool isNull() override { return !m_style; }

private:
    const QIcon &icon()
    {
        if (!m_asked && m_style) {
            m_icon = m_style->standardIcon(m_which, nullptr, m_widget);
            m_asked = true;
        }
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QPointer<const QWidget> m_widget;
    QIcon m_icon;
    bool m_asked = false;
};

// Fusion leaves this much room above a group box's frame when it has no title.
constexpr int GroupBoxTopMargin = 3;
// The frame picture's corners, drawn as they are while its edges stretch between them.
constexpr QMargins GroupBoxFrameCorners(6, 6, 6, 6);

} // namespace

ProgramStyle::ProgramStyle() = default;

const QPixmap &ProgramStyle::groupBoxFrame() const
{
    if (m_frameLoaded)
        return m_groupBoxFrame;
    m_frameLoaded = true;
    // Width and height, then the premultiplied pixels (assets/bare_pixels.cpp).
    const QResource stored(QStringLiteral(":/fusion_groupbox.argb"));
    quint32 size[2] = {};
    if (!stored.isValid() || stored.compressionAlgorithm() != QResource::NoCompression
        || stored.size() < qint64(sizeof size))
        return m_groupBoxFrame;
    std::memcpy(size, stored.data(), sizeof size);
    const int width = int(qFromLittleEndian(size[0]));
    const int height = int(qFromLittleEndian(size[1]));
    if (stored.size() != qint64(sizeof size) + qint64(width) * height * 4)
        return m_groupBoxFrame;
    m_groupBoxFrame = QPixmap::fromImage(QImage(stored.data() + sizeof size, width, height,
                                                QImage::Format_ARGB32_Premultiplied));
    return m_groupBoxFrame;
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameGroupBox && option
        && baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0
        && !groupBoxFrame().isNull()) {
        // Where Fusion puts it: below the title, or just below the top of a box that has
        // neither title nor check box.
        int top = GroupBoxTopMargin;
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        if (!box || box->isCheckable() || !box->title().isEmpty())
            top += qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                        option->fontMetrics.height());
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), GroupBoxFrameCorners,
                          groupBoxFrame());
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    // Every menu bar asks for its overflow arrow when it is built; few ever show it.
    if (!option && (standardIcon == SP_ToolBarHorizontalExtensionButton
                    || standardIcon == SP_ToolBarVerticalExtensionButton))
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void useProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}
