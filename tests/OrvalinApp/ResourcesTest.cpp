// What the window carries inside the executable: icon drawings and the Spanish translation.
#include "Icons.h"

#include <QFile>
#include <QImage>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Counts the pixels a drawing paints, and gives the colour of the last one.
int paintedPixels(const QImage& image, QColor* colour = nullptr)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200 && colour)
                *colour = pixel;
            painted += pixel.alpha() > 200;
        }
    }
    return painted;
}

TEST(Icons, everySymbolHasADrawingThatPaintsAtDevicePixels)
{
    const QStringList names = Icons::names();
    EXPECT_GE(names.size(), 25);
    for (const QString& name : names) {
        const QIcon icon = Icons::bundled(name);
        ASSERT_FALSE(icon.isNull()) << name.toStdString();
        EXPECT_GT(paintedPixels(icon.pixmap(24, 24).toImage()), 10) << name.toStdString();
        // Sharp screens get as many pixels as they have, plain or coloured.
        for (const QIcon& symbol : { Icons::symbol(name), Icons::symbol(name, Qt::blue) }) {
            const QPixmap pixmap = symbol.pixmap(QSize(24, 24), 2.0);
            EXPECT_EQ(pixmap.size(), QSize(48, 48)) << name.toStdString();
            EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << name.toStdString();
        }
    }
    EXPECT_TRUE(Icons::bundled("no.such.symbol").isNull());
}

TEST(Icons, aDesktopIconThemeLeavesOurOneSetAsItIs)
{
    const QString desktopTheme = QIcon::themeName();
    QIcon::setThemeName(QString());
    QList<QImage> ours;
    for (const QString& name : Icons::names())
        ours.append(Icons::symbol(name).pixmap(32, 32).toImage());
    // A theme with icons for half of the names would mix its style and sizes with ours.
    QIcon::setThemeName("Adwaita");
    for (qsizetype i = 0; i < ours.size(); ++i)
        EXPECT_EQ(Icons::symbol(Icons::names()[i]).pixmap(32, 32).toImage(), ours[i])
            << Icons::names()[i].toStdString();
    QIcon::setThemeName(desktopTheme);
}

TEST(Icons, aColouredSymbolKeepsItsShapeInTheNewColour)
{
    const QColor orange(0xd9, 0x73, 0x0d);
    QColor seen;
    const QImage tinted = Icons::symbol("hand.raised.fill", orange).pixmap(32, 32).toImage();
    EXPECT_EQ(paintedPixels(tinted, &seen),
        paintedPixels(Icons::bundled("hand.raised.fill").pixmap(32, 32).toImage()));
    EXPECT_EQ(seen.rgb(), orange.rgb());
}

TEST(Translations, spanishIsEmbeddedForTheWindowAndTheEngine)
{
    QTranslator spanish;
    ASSERT_TRUE(spanish.load(":/i18n/orvalin_es.qm"));
    EXPECT_EQ(
        spanish.translate("StartView", "Tidy up after culling"), "Ordena después del descarte");
    EXPECT_EQ(spanish.translate("Messages", "RAW without JPEG"), "RAW sin JPEG");
    EXPECT_FALSE(spanish
                     .translate("ScanRefusal",
                         "This folder holds a Lightroom catalog (“%1”). Moving photos a catalog "
                         "knows about makes them show as missing in Lightroom. Choose a folder of "
                         "shoots without a catalog, or remove the photos from inside Lightroom.")
                     .isEmpty());
    // The review folder keeps its name in every language, so that sessions are found again.
    EXPECT_EQ(spanish.translate("Messages", "%1 Review"), QString());
}

} // namespace
