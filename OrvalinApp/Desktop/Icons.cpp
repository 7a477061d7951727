#include "Icons.h"

#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>

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

// Paints another icon's shape in one colour, at whatever size it is asked for.
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
    QPixmap render(const QSize& size, QIcon::Mode mode, QIcon::State state) const
    {
        QPixmap shape = m_base.pixmap(size, QIcon::Normal, state);
        if (shape.isNull())
            return shape;
        QPainter painter(&shape);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QColor colour = m_colour;
        if (mode == QIcon::Disabled)
            colour.setAlphaF(colour.alphaF() * 0.4);
        painter.fillRect(shape.rect(), colour);
        return shape;
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

QIcon symbol(const QString& name)
{
    for (const QString& themeName : themeNames().value(name)) {
        if (QIcon::hasThemeIcon(themeName))
            return QIcon::fromTheme(themeName);
    }
    return bundled(name);
}

QIcon symbol(const QString& name, const QColor& colour)
{
    const QIcon base = symbol(name);
    if (base.isNull())
        return base;
    return QIcon(new TintedEngine(base, colour));
}

QStringList names()
{
    QStringList all = themeNames().keys();
    all.sort();
    return all;
}

} // namespace Icons
