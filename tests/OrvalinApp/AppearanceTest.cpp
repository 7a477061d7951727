// How the window looks on light and dark desktops and on sharp screens: every text and icon
// stands out from what is painted behind it, every tab stop is named for screen readers, icons
// keep their holes and their sharpness, long paths lose their middle, and the prominent buttons
// look the part.
#include "CandidateCell.h"
#include "ElidedLabel.h"
#include "FolderHeader.h"
#include "GroupStyle.h"
#include "Icons.h"
#include "ModelTestSupport.h"
#include "MoveSummarySheet.h"
#include "RefusalView.h"
#include "RestoreView.h"
#include "ScanningView.h"
#include "SettingsWindow.h"
#include "SidebarView.h"
#include "StartView.h"
#include "Style.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>
#include <cmath>

namespace {

using Style::contrast;

// The mean colour of a picture's painted pixels, or an invalid colour when nothing is painted;
// and how many they are.
QColor ink(const QImage& image, int* count = nullptr)
{
    double red = 0, green = 0, blue = 0;
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 160)
                continue;
            red += pixel.redF();
            green += pixel.greenF();
            blue += pixel.blueF();
            ++painted;
        }
    }
    if (count)
        *count = painted;
    return painted ? QColor::fromRgbF(red / painted, green / painted, blue / painted) : QColor();
}

// Runs with the light palette and with the dark one.
class AppearanceTest : public WindowModelTest, public testing::WithParamInterface<bool>
{
protected:
    static QPalette tested()
    {
        return GetParam() ? Style::darkPalette() : QApplication::style()->standardPalette();
    }

    void SetUp() override
    {
        WindowModelTest::SetUp();
        // The window is built under the light palette; the desktop then switches to the tested
        // one, which every screen must follow.
        m_previous = QApplication::palette();
        QApplication::setPalette(tested());
        writeFiles({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/B.CR3", "Shoot/B.CR3.xmp", "Shoot/B.xmp",
            "Shoot/C.JPG" });
        window.resize(900, 600);
        window.show();
    }

    void TearDown() override { QApplication::setPalette(m_previous); }

    // Every text and icon of `top` against the colour painted at its corner, and every file
    // cell's name against its frame.
    void expectReadable(QWidget& top, const char* screen)
    {
        QApplication::processEvents();
        const QImage shot = top.grab().toImage();
        auto behind = [&](const QWidget* widget, QPoint offset = {}) {
            return shot.pixelColor(widget->mapTo(&top, offset) * shot.devicePixelRatio());
        };
        const auto shown = [&](const QWidget* widget) {
            return widget->isVisibleTo(&top) && !widget->visibleRegion().isEmpty();
        };
        int checked = 0;
        for (const QLabel* label : top.findChildren<QLabel*>()) {
            // An alert's icon is the style's own drawing.
            if (!shown(label) || label->objectName() == QLatin1String("qt_msgboxex_icon_label"))
                continue;
            const QColor background = behind(label);
            if (!label->text().isEmpty()) {
                ++checked;
                EXPECT_GE(
                    contrast(label->palette().color(label->foregroundRole()), background), 3.0)
                    << screen << ": " << label->text().toStdString();
            } else if (!label->pixmap().isNull()) {
                ++checked;
                const QColor painted = ink(label->pixmap().toImage());
                EXPECT_GE(contrast(painted, background), 2.0)
                    << screen << ": icon " << painted.name().toStdString() << " on "
                    << background.name().toStdString();
            }
        }
        for (const QWidget* widget : top.findChildren<QWidget*>()) {
            const bool cell = qobject_cast<const CandidateCell*>(widget);
            const bool checkBox = qobject_cast<const QCheckBox*>(widget);
            if (!(cell || checkBox || qobject_cast<const ElidedLabel*>(widget)) || !shown(widget))
                continue;
            ++checked;
            // A cell's name sits on its frame, whose rounded corner holds this point.
            // A check box's right end is clear of its box and text.
            const QPoint inside = cell ? QPoint(4, widget->height() - 6)
                : checkBox             ? QPoint(widget->width() - 1, 0)
                                       : QPoint();
            EXPECT_GE(
                contrast(widget->palette().color(QPalette::WindowText), behind(widget, inside)),
                3.0)
                << screen << ": " << widget->metaObject()->className();
        }
        EXPECT_GE(checked, 2) << screen;
    }

    // Readable, and every tab stop under `root` has a name of its own for screen readers.
    void expectScreen(QWidget& top, QWidget* root, const char* screen)
    {
        expectReadable(top, screen);
        QStringList names;
        for (QWidget* stop : tabStops(root)) {
            const QString name = accessibleName(stop);
            EXPECT_FALSE(name.isEmpty()) << screen << ": " << stop->metaObject()->className();
            EXPECT_FALSE(names.contains(name)) << screen << ": " << name.toStdString();
            names << name;
        }
        EXPECT_FALSE(names.isEmpty()) << screen;
    }

private:
    QPalette m_previous;
};

TEST_P(AppearanceTest, everyScreenReadsWellAndNamesItsTabStopsAndTheProminentButtonStandsOut)
{
    auto* choose = window.content()->startView()->findChild<QPushButton*>();
    ASSERT_NE(choose, nullptr);
    EXPECT_TRUE(choose->isDefault());
    // What is painted: the button's middle wears the highlight, its label the highlighted text.
    const auto middle = [&] {
        QApplication::processEvents();
        const QImage face = choose->grab().toImage();
        return face.pixelColor(3, face.height() / 2);
    };
    EXPECT_EQ(middle().rgb(), QApplication::palette().highlight().color().rgb());
    // The measure itself: black on white is the most there is, and a colour on itself the least.
    EXPECT_NEAR(contrast(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_DOUBLE_EQ(contrast(Qt::gray, Qt::gray), 1.0);
    EXPECT_GE(contrast(middle(), QApplication::palette().highlightedText().color()), 3.0);
    // The desktop switches between light and dark while the window is open.
    QPalette switched = tested();
    switched.setColor(QPalette::Highlight, QColor(0x80, 0x20, 0x90));
    QApplication::setPalette(switched);
    EXPECT_EQ(middle().rgb(), QColor(0x80, 0x20, 0x90).rgb());
    QApplication::setPalette(tested());

    Recents::add(folder.path());
    window.content()->startView()->reloadRecents();
    expectScreen(window, window.content()->startView(), "start");
    {
        PoolHold hold;
        model.open(folder.path(), false);
        expectScreen(window, window.content()->scanningView(), "scanning");
    }
    ASSERT_TRUE(settle(model));
    expectScreen(window, browser(), "overview");
    moveTicked({ "Shoot/C.JPG" });
    tick({ "Shoot/B.CR3" });
    for (OrphanGroup group : OrphanGroups::allCases()) {
        model.setSidebar(SidebarItem::forGroup(group));
        expectScreen(window, browser(), GroupStyle::title(group).toUtf8());
    }
    model.setSidebar(SidebarItem::pairs());
    expectScreen(window, browser(), "pairs");

    model.reviewMove();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() != nullptr; }));
    MoveSummarySheet* sheet = window.content()->sheet();
    expectScreen(*sheet, sheet, "move summary");
    EXPECT_TRUE(sheet->moveButton()->accessibleDescription().startsWith(
        "RAW without JPEG: 1 files, 2 sidecars with them"))
        << sheet->moveButton()->accessibleDescription().toStdString();
    sheet->moveButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.sessions().size() == 2 && !model.busy(); }));
    ASSERT_TRUE(settle(model));
    model.setSidebar(SidebarItem::restore());
    ASSERT_EQ(browser()->restore()->rows().size(), 2);
    expectScreen(window, browser(), "restore with the notice bar");

    model.setError("The folder can’t be found any more.");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.content()->alert() != nullptr; }));
    expectReadable(*window.content()->alert(), "alert");
    window.content()->alert()->accept();

    SettingsWindow* settings = window.settingsWindow();
    settings->show();
    expectScreen(*settings, settings, "settings");
    settings->close();

    folder.write("Catalog.lrcat");
    model.rescan();
    ASSERT_TRUE(settle(model));
    expectScreen(window, window.content()->refusalView(), "refusal");
    // The reason goes with the button that has the focus.
    EXPECT_TRUE(tabStops(window.content()->refusalView())
                    .first()
                    ->accessibleDescription()
                    .startsWith("This folder holds a Lightroom catalog"));
}

TEST_P(AppearanceTest, iconsFollowTheTextColourOrTheirOwnAndKeepTheirShapeHolesAndSharpness)
{
    const QColor window = QApplication::palette().color(QPalette::Window);
    const QString desktopTheme = QIcon::themeName();
    EXPECT_GE(Icons::names().size(), 25);
    for (const QString& name : Icons::names()) {
        const std::string label = name.toStdString();
        ASSERT_FALSE(Icons::bundled(name).isNull()) << label;
        EXPECT_GE(contrast(ink(Icons::symbol(name).pixmap(24, 24).toImage()), window), 3.0)
            << label;
        int painted = 0;
        ink(Icons::bundled(name).pixmap(32, 32).toImage(), &painted);
        EXPECT_GT(painted, 10) << label;
        // Sharp screens get as many pixels as they have, plain or coloured.
        for (const QIcon& symbol : { Icons::symbol(name), Icons::symbol(name, Qt::blue) }) {
            const QPixmap pixmap = symbol.pixmap(QSize(24, 24), 2.0);
            EXPECT_EQ(pixmap.size(), QSize(48, 48)) << label;
            EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << label;
        }
        // A theme with icons for half of the names would mix its style and sizes with ours.
        QIcon::setThemeName(QString());
        const QImage ours = Icons::symbol(name).pixmap(32, 32).toImage();
        QIcon::setThemeName("Adwaita");
        EXPECT_EQ(Icons::symbol(name).pixmap(32, 32).toImage(), ours) << label;
    }
    QIcon::setThemeName(desktopTheme);
    EXPECT_TRUE(Icons::bundled("no.such.symbol").isNull());

    // The notice bar's icon: a green disc with the tick cut out of it.
    const QImage mark = Icons::symbol("checkmark.circle.fill", Style::green()).pixmap(48).toImage();
    EXPECT_EQ(mark.pixelColor(24, 10).rgb(), Style::green().rgb());
    EXPECT_GT(mark.pixelColor(24, 10).alpha(), 240);
    EXPECT_LT(mark.pixelColor(21, 31).alpha(), 40) << "the tick is filled in";
}

// Adwaita-Dark's colours: a deep blue highlight, and a window in the background greys its texts
// as if they were disabled.
QPalette adwaitaDark()
{
    QPalette palette = Style::darkPalette();
    for (const auto group : { QPalette::Active, QPalette::Inactive }) {
        palette.setColor(group, QPalette::Window, QColor(0x35, 0x35, 0x35));
        palette.setColor(group, QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
        palette.setColor(group, QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
        const QColor text
            = group == QPalette::Active ? QColor(0xee, 0xee, 0xec) : QColor(0x91, 0x91, 0x90);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
    }
    return palette;
}

// The lightest pixel of a part of a picture: the colour of the text drawn there.
int lightest(const QImage& image, const QRect& part)
{
    int most = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x)
            most = std::max(most, image.pixelColor(x, y).lightness());
    }
    return most;
}

TEST(DesktopLook, underAdwaitaDarkTheSidebarIsAListWhoseRowsNeverLookDimmerThanItsHeadings)
{
    const QPalette previous = QApplication::palette();
    QApplication::setPalette(adwaitaDark());
    AppModel model(false);
    QWidget window;
    auto* sidebar = new SidebarView(model);
    auto* elsewhere = new QLineEdit;
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(sidebar);
    layout->addWidget(elsewhere);
    // A style that draws a tree's branch lines, as Adwaita's does.
    std::unique_ptr<QStyle> treeLines(QStyleFactory::create("Windows"));
    sidebar->setStyle(treeLines.get());
    sidebar->setFixedSize(250, 320);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    const QRect heading = sidebar->visualItemRect(sidebar->topLevelItem(2));
    const QRect row = sidebar->visualItemRect(sidebar->row(SidebarItem::pairs()));
    const int textLeft = sidebar->indentation() + sidebar->iconSize().width() + 4;
    const QRect rowText(textLeft, row.top() + 2, 40, row.height() - 4);
    // The keyboard works beside the sidebar: its rows keep the window's full text colour.
    EXPECT_GE(lightest(sidebar->grab().toImage(), rowText),
        adwaitaDark().color(QPalette::Active, QPalette::Text).lightness() - 8);

    // In the background, where the rows' text turns grey, the headings turn greyer.
    QWidget front;
    front.show();
    front.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sidebar->isActiveWindow(); }));
    const QImage shot = sidebar->grab().toImage();
    EXPECT_LE(
        lightest(shot, heading.adjusted(0, 2, -heading.width() / 2, -2)), lightest(shot, rowText));
    const QColor background = shot.pixelColor(2, row.center().y());
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = 0; x < sidebar->indentation(); ++x)
            ASSERT_EQ(shot.pixelColor(x, y), background) << "a branch line at " << x << "," << y;
    }

    // Toned texts grey with the window, and stay below the texts they stand under.
    const QPalette toned
        = Style::label("toned", Style::Text::body, Style::Tone::secondary)->palette();
    EXPECT_LT(toned.color(QPalette::Inactive, QPalette::WindowText).lightness(),
        adwaitaDark().color(QPalette::Inactive, QPalette::WindowText).lightness());
    // The blue of the group icons stands out from the window.
    EXPECT_GE(contrast(Style::ink(Style::Ink::accent), QColor(0x35, 0x35, 0x35)), 3.0);
    QApplication::setPalette(previous);
}

INSTANTIATE_TEST_SUITE_P(Palettes, AppearanceTest, testing::Bool(),
    [](const testing::TestParamInfo<bool>& info) { return info.param ? "dark" : "light"; });

TEST(FolderHeaders, longPathsLoseTheirMiddleAndKeepTheWholePathInTheTooltip)
{
    const QString path
        = "2026/2026-10 Garden party at the lake house/Second camera/Exports for the client/Day 2";
    FolderHeader header;
    header.bind(path, "Shoots", 12, false);
    header.resize(360, header.sizeHint().height());
    header.show();
    QApplication::processEvents();
    const QString shown = header.shownTitle();
    EXPECT_TRUE(
        shown.contains(QChar(0x2026)) && shown.startsWith("2026/") && shown.endsWith("Day 2"))
        << shown.toStdString();
    const auto* label = header.findChild<ElidedLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(QStringList({ header.title(), label->toolTip(), label->accessibleName() }),
        QStringList(3, path));

    header.resize(2000, header.height());
    QApplication::processEvents();
    EXPECT_EQ(header.shownTitle(), path);
}

} // namespace
