#include "Icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

namespace {

// Theme names to try, best first. Symbolic icons come first: they are monochrome like the
// bundled drawings and take a colour well. A symbol without a fitting theme icon has none.
const QHash<QString, QStringList>& themeNames()
{
    static const QHash<QString, QStringList> table = {
        { "camera.aperture", { "camera-photo-symbolic", "camera-photo" } },
        { "photo", { "image-x-generic-symbolic", "image-x-generic" } },
        { "doc.badge.gearshape", { "document-properties-symbolic", "document-properties" } },
        { "folder", { "folder-symbolic", "folder" } },
        { "clock", { "document-open-recent-symbolic", "document-open-recent" } },
        { "photo.on.rectangle.angled", { "emblem-photos-symbolic", "emblem-photos" } },
        { "exclamationmark.triangle", { "dialog-warning-symbolic", "dialog-warning" } },
        { "lock.shield", { "security-high-symbolic", "security-high" } },
        { "hand.raised.fill", {} },
        { "hand.raised", {} },
        { "stop.circle", { "process-stop-symbolic", "process-stop" } },
        { "arrow.clockwise", { "view-refresh-symbolic", "view-refresh" } },
        { "checkmark.circle", {} },
        { "chart.bar.doc.horizontal", { "x-office-document-symbolic", "x-office-document" } },
        { "rectangle.on.rectangle", { "edit-copy-symbolic", "edit-copy" } },
        { "arrow.uturn.backward.circle", { "edit-undo-symbolic", "edit-undo" } },
        { "checkmark.circle.fill", {} },
        { "xmark", { "window-close-symbolic", "window-close" } },
        { "checkmark.seal", {} },
        { "circle", {} },
        { "folder.badge.questionmark", {} },
        { "lock.folder", {} },
        { "photo.stack", { "image-x-generic-symbolic", "image-x-generic" } },
        { "clock.arrow.2.circlepath", { "document-open-recent-symbolic" } },
        { "tray", {} },
        { "tray.full", {} },
    };
    return table;
}

QString bundledPath(const QString& name)
{
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

// Paints a monochrome icon in one colour, at whatever size and pixel density it is asked for.
// Without a colour of its own it takes the text colour of the palette at the time it paints, so
// that it reads on light and dark desktops alike and follows a change between them.
class TintedEngine : public QIconEngine
{
public:
    // `cutOuts`: the drawing marks holes in its shape with white (the tick inside a filled
    // circle); they stay holes instead of being filled with the colour.
    TintedEngine(QIcon base, QColor colour, bool cutOuts)
        : m_base(std::move(base))
        , m_colour(colour)
        , m_cutOuts(cutOuts)
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

    QIconEngine* clone() const override { return new TintedEngine(m_base, m_colour, m_cutOuts); }

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
                qreal coverage = qAlpha(line[x]) / 255.0 * colour.alphaF();
                if (m_cutOuts) {
                    // Dark ink is the shape; white is a hole; greys between are their edges.
                    const qreal lightness = qGray(line[x]) / 255.0;
                    coverage *= 1.0 - qBound(0.0, (lightness - 0.5) / 0.5, 1.0);
                }
                line[x] = opaque | (QRgb(qRound(coverage * 255)) << 24);
            }
        }
        return QPixmap::fromImage(std::move(image));
    }

    QIcon m_base;
    QColor m_colour;
    bool m_cutOuts;
};

} // namespace

namespace Icons {

QIcon bundled(const QString& name)
{
    const QString path = bundledPath(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

namespace {

// Symbolic theme icons and our drawings are single-colour shapes, drawn in a dark grey: they are
// painted in the colour asked for, or in the palette's text colour. Full-colour theme icons are
// shown as the theme drew them unless a colour is asked for.
QIcon tinted(const QString& name, const QColor& colour)
{
    for (const QString& themeName : themeNames().value(name)) {
        if (!QIcon::hasThemeIcon(themeName))
            continue;
        const QIcon icon = QIcon::fromTheme(themeName);
        if (!colour.isValid() && !themeName.endsWith(QLatin1String("-symbolic")))
            return icon;
        return QIcon(new TintedEngine(icon, colour, false));
    }
    const QIcon drawing = bundled(name);
    return drawing.isNull() ? drawing : QIcon(new TintedEngine(drawing, colour, true));
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
    QStringList all = themeNames().keys();
    all.sort();
    return all;
}

} // namespace Icons
