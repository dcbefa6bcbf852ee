// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QPixmap render(const QString &resource, QSize logicalSize, qreal ratio)
{
    QPixmap pixmap(logicalSize * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// Renders on demand, so the icon costs nothing until a window asks for a size.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(QString resource) : m_resource(std::move(resource)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(m_resource).render(painter, rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State,
                         qreal scale) override
    {
        QPixmap pm = render(m_resource, size, scale);
        if (mode == QIcon::Disabled) {
            QImage grey = pm.toImage().convertToFormat(QImage::Format_Grayscale8);
            pm = QPixmap::fromImage(grey);
            pm.setDevicePixelRatio(scale);
        }
        return pm;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_resource); }
    QString key() const override { return QStringLiteral("starfold-svg"); }

private:
    QString m_resource;
};

} // namespace

namespace artwork {

QIcon programIcon()
{
    return QIcon(new SvgIconEngine(QStringLiteral(":/starfold.svg")));
}

QPixmap signPicture(qreal devicePixelRatio)
{
    return render(QStringLiteral(":/aquarius.svg"), SignPictureSize, devicePixelRatio);
}

} // namespace artwork
