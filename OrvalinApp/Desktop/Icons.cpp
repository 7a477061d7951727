#include "Icons.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

namespace {

QString bundledPath(const QString& name)
{
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

// Paints a monochrome drawing in one colour, at whatever size and pixel density it is asked
// for. Without a colour of its own it takes the text colour of the palette at the time it paints,
// so that it reads on light and dark desktops alike and follows a change between them. The
// drawings mark holes in their shape with white (the tick inside a filled circle); they stay
// holes instead of being filled with the colour.
class TintedEngine : public QIconEngine
{
public:
    TintedEngine(QIcon base, QColor colour)
        : m_base(std::move(base))
        , m_colour(colour)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap tinted = render(rect.size() * ratio, mode, state);
        tinted.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, tinted);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return render(size, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_base.actualSize(size, mode, state);
    }

    QIconEngine* clone() const override { return new TintedEngine(m_base, m_colour); }

private:
    QColor ink(QIcon::Mode mode) const
    {
        if (!m_colour.isValid())
            return QGuiApplication::palette().color(
                mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                QPalette::WindowText);
        QColor colour = m_colour;
        if (mode == QIcon::Disabled)
            colour.setAlphaF(colour.alphaF() * 0.4);
        return colour;
    }

    QPixmap render(const QSize& size, QIcon::Mode mode, QIcon::State state) const
    {
        const QPixmap shape = m_base.pixmap(size, QIcon::Normal, state);
        if (shape.isNull())
            return shape;
        QImage image = shape.toImage().convertToFormat(QImage::Format_ARGB32);
        const QColor colour = ink(mode);
        const QRgb opaque = colour.rgb() & RGB_MASK;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                // Dark ink is the shape; white is a hole; greys between are their edges.
                const qreal lightness = qGray(line[x]) / 255.0;
                const qreal coverage = qAlpha(line[x]) / 255.0 * colour.alphaF()
                    * (1.0 - qBound(0.0, (lightness - 0.5) / 0.5, 1.0));
                line[x] = opaque | (QRgb(qRound(coverage * 255)) << 24);
            }
        }
        return QPixmap::fromImage(std::move(image));
    }

    QIcon m_base;
    QColor m_colour;
};

} // namespace

namespace Icons {

QIcon bundled(const QString& name)
{
    const QString path = bundledPath(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

namespace {

QIcon tinted(const QString& name, const QColor& colour)
{
    const QIcon drawing = bundled(name);
    return drawing.isNull() ? drawing : QIcon(new TintedEngine(drawing, colour));
}

} // namespace

QIcon symbol(const QString& name)
{
    return tinted(name, QColor());
}

QIcon symbol(const QString& name, const QColor& colour)
{
    return tinted(name, colour);
}

QStringList names()
{
    QStringList all;
    for (const QString& file :
        QDir(QStringLiteral(":/icons")).entryList({ QStringLiteral("*.svg") }, QDir::Files))
        all.append(file.chopped(4));
    all.sort();
    return all;
}

} // namespace Icons
