// Walks the window through its screens with the sample shoot and saves a picture of each, so that
// the screens can be looked over in every language and at the smallest window size.
//
//   orvalin-screenshots OUTPUT_FOLDER [WIDTHxHEIGHT] [--dark] [--only=NAME,NAME...]
//
// --dark paints the window in a dark palette, as a dark desktop would; --only keeps just the
// named pictures. Run with QT_SCALE_FACTOR=2 for a sharp screen's pictures.
//
// Settings and the sample folder live in a temporary folder; nothing of the user's is read.

#include "AppModel.h"
#include "BrowserView.h"
#include "CandidateGrid.h"
#include "ContentView.h"
#include "GroupGridView.h"
#include "MainWindow.h"
#include "MoveSummarySheet.h"
#include "Recents.h"
#include "SampleShoot.h"
#include "SettingsWindow.h"
#include "SidebarView.h"
#include "Style.h"
#include "ThumbnailCache.h"
#include "Translations.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString output;
QStringList only;

void settle(int milliseconds = 150)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    settle();
    return true;
}

void save(const QPixmap& picture, const QString& name)
{
    if (!only.isEmpty() && !only.contains(name))
        return;
    const QString path = QDir(output).filePath(name + QStringLiteral(".png"));
    // The strongest compression: the pictures are kept in the repository.
    if (!picture.save(path, "PNG", 0))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void shoot(QWidget& window, const QString& name)
{
    settle();
    save(window.grab(), name);
}

// The main window with a window-modal dialog drawn over it, as the user sees the pair.
void shootWithDialog(QWidget& window, QWidget& dialog, const QString& name)
{
    settle();
    QPixmap picture = window.grab();
    QPainter painter(&picture);
    // Sizes in points: on a sharp screen both pictures hold twice as many pixels.
    const QSize bounds = picture.deviceIndependentSize().toSize();
    painter.fillRect(QRect(QPoint(), bounds), QColor(0, 0, 0, 60));
    const QPixmap top = dialog.grab();
    const QSize size = top.deviceIndependentSize().toSize();
    const QPoint at((bounds.width() - size.width()) / 2, 40);
    painter.fillRect(QRect(at + QPoint(2, 3), size), QColor(0, 0, 0, 50));
    painter.drawPixmap(at, top);
    painter.end();
    save(picture, name);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--dark")) > 0)
        QApplication::setPalette(Style::darkPalette());
    for (const QString& argument : std::as_const(arguments)) {
        if (argument.startsWith(QLatin1String("--only=")))
            only = argument.mid(7).split(u',');
    }
    arguments.removeIf([](const QString& argument) { return argument.startsWith(u'-'); });
    if (arguments.isEmpty()) {
        std::fprintf(stderr,
            "usage: orvalin-screenshots OUTPUT_FOLDER [WIDTHxHEIGHT] [--dark] [--only=NAMES]\n");
        return 2;
    }
    output = arguments.first();
    QDir().mkpath(output);
    QSize size(1180, 760);
    if (arguments.size() > 1) {
        const QStringList parts = arguments.at(1).split(u'x');
        size = QSize(parts.value(0).toInt(), parts.value(1).toInt());
    }

    QTemporaryDir scratch;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(
        QSettings::IniFormat, QSettings::UserScope, scratch.filePath(QStringLiteral("settings")));
    QApplication::setOrganizationName(QStringLiteral("OrvalinScreenshots"));
    QApplication::setApplicationName(QStringLiteral("orvalin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvalin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orvalin.svg")));
    Translations::install(application);

    const QString shoots = scratch.filePath(QStringLiteral("Shoots"));
    SampleShoot::create(shoots);
    const QString catalogued = scratch.filePath(QStringLiteral("Wedding"));
    QDir().mkpath(catalogued);
    QFile(catalogued + QStringLiteral("/Wedding Catalog.lrcat")).open(QIODevice::WriteOnly);
    for (const QString& recent :
        { QStringLiteral("2026 Lisbon"), QStringLiteral("Studio tests") }) {
        QDir().mkpath(scratch.filePath(recent));
        Recents::add(scratch.filePath(recent));
    }

    AppModel model(false);
    MainWindow window(model, nullptr);
    window.resize(size);
    window.show();
    auto* content = window.content();

    shoot(window, QStringLiteral("01-start"));

    // The first scan of the sample is over in a moment: the picture is taken before it can end.
    model.open(shoots, false);
    save(window.grab(), QStringLiteral("02-scanning"));
    waitFor([&] { return model.phase().isReady(); });
    shoot(window, QStringLiteral("03-overview"));

    // The RAW group with one file ticked, then scrolled so that its first folder's header stays
    // pinned while the cells pass under it.
    const QList<Candidate> raws = model.result()->candidates(OrphanGroup::raw);
    model.setTicked(QList<Candidate> { raws.first() }, true);
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::raw));
    settle();
    ThumbnailCache::shared().waitForDecoding();
    shoot(window, QStringLiteral("04-raw-group"));
    CandidateGrid* grid = content->browserView()->groupView(OrphanGroup::raw)->grid();
    grid->verticalScrollBar()->setValue(90);
    ThumbnailCache::shared().waitForDecoding();
    shoot(window, QStringLiteral("04-raw-group-scrolled"));

    model.tickGroupAndShow(OrphanGroup::raw);
    grid->verticalScrollBar()->setValue(0);
    shoot(window, QStringLiteral("04-raw-group-ticked"));
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::sidecar));
    shoot(window, QStringLiteral("05-sidecar-group"));
    model.setSidebar(SidebarItem::pairs());
    shoot(window, QStringLiteral("06-pairs"));

    model.setSidebar(SidebarItem::forGroup(OrphanGroup::raw));
    model.reviewMove();
    waitFor([&] { return content->sheet() != nullptr; });
    shootWithDialog(window, *content->sheet(), QStringLiteral("07-move-summary"));

    // The overlay is up only while the move runs: the picture is taken as it appears.
    bool busyShown = false;
    QObject::connect(&model, &AppModel::busyChanged, &window, [&] {
        if (model.busy() && !busyShown) {
            busyShown = true;
            save(window.grab(), QStringLiteral("08-busy"));
        }
    });
    content->sheet()->moveButton()->click();
    waitFor([&] { return model.notice().has_value() && !model.busy(); });
    model.setSidebar(SidebarItem::overview());
    shoot(window, QStringLiteral("09-moved-notice"));

    model.setSidebar(SidebarItem::restore());
    shoot(window, QStringLiteral("10-restore"));
    model.restoreNoticeSession();
    waitFor([&] { return !model.busy() && model.notice() && !model.notice()->session; });
    waitFor([&] { return model.phase().isReady(); });
    shoot(window, QStringLiteral("11-restored"));

    // The model's own sentence, so that it shows translated.
    model.setError(QCoreApplication::translate("AppModel",
        "“%1” can’t be found any more. It may have been moved, renamed or be on a disk that "
        "isn’t connected.")
                       .arg(QStringLiteral("Lisbon")));
    waitFor([&] { return content->alert() != nullptr; });
    shootWithDialog(window, *content->alert(), QStringLiteral("12-error"));
    content->alert()->accept();
    settle();

    SettingsWindow* settings = window.settingsWindow();
    settings->show();
    settings->setCurrentTab(QStringLiteral("matching"));
    shoot(*settings, QStringLiteral("13-settings-matching"));
    settings->setCurrentTab(QStringLiteral("privacy"));
    shoot(*settings, QStringLiteral("14-settings-privacy"));
    settings->close();

    model.open(catalogued, false);
    waitFor([&] { return model.phase().isRefused(); });
    shoot(window, QStringLiteral("15-refused"));
    return 0;
}
