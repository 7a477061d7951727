#pragma once

#include "AppModel.h"
#include "BrowserView.h"
#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "ContentView.h"
#include "FolderHeader.h"
#include "MainWindow.h"
#include "Recents.h"
#include "TestSupport.h"
#include "ThumbnailCache.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

// Waits, running the event loop, until the model's background tasks have all reported back.
inline bool settle(const AppModel& model, int timeoutMs = 30000)
{
    return QTest::qWaitFor([&] { return !model.hasPendingWork(); }, timeoutMs);
}

inline QStringList idsOf(const QList<Candidate>& candidates)
{
    QStringList ids;
    for (const Candidate& candidate : candidates)
        ids.append(candidate.id());
    return ids;
}

template <typename Strings> inline QStringList sorted(const Strings& strings)
{
    QStringList list(strings.begin(), strings.end());
    list.sort();
    return list;
}

inline QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

inline QString currentId(const CandidateGrid& grid)
{
    return grid.currentCandidate() ? grid.currentCandidate()->id() : QString();
}

inline CandidateCell* currentCell(const CandidateGrid& grid)
{
    return grid.currentCell() ? grid.cellWidget(*grid.currentCell()) : nullptr;
}

inline bool hasScreenReaderFocus(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->state().focused;
}

// The current file is on screen in full, neither under the pinned header nor past the
// bottom edge, and its cell alone draws the focus ring.
inline void expectCurrentShownWhole(const CandidateGrid& grid)
{
    CandidateCell* cell = currentCell(grid);
    ASSERT_NE(cell, nullptr) << "the current cell is not on screen";
    const std::string id = currentId(grid).toStdString();
    EXPECT_EQ(cell->candidate()->id(), currentId(grid));
    EXPECT_TRUE(grid.viewport()->rect().contains(cell->geometry())) << id;
    ASSERT_NE(grid.pinnedHeader(), nullptr);
    EXPECT_FALSE(grid.pinnedHeader()->geometry().intersects(cell->geometry())) << id;
    for (CandidateCell* other : grid.visibleCells())
        EXPECT_EQ(other->hasKeyboardFocus(), other == cell) << other->path().toStdString();
}

// The widgets Tab can reach under `root`, as they are shown.
inline QList<QWidget*> tabStops(QWidget* root)
{
    QList<QWidget*> stops;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(root) && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus))
            stops << widget;
    }
    return stops;
}

// Keeps every thread of the global pool busy while it lives, so that work started meanwhile
// cannot begin, let alone end, before the test has done what it must do first.
class PoolHold
{
public:
    PoolHold()
        : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        for (int i = 0; i < m_threads; ++i) {
            // The semaphores outlive the hold: a thread may still be leaving acquire().
            QThreadPool::globalInstance()->start([started = m_started, release = m_release] {
                started->release();
                release->acquire();
            });
        }
        if (!m_started->tryAcquire(m_threads, 30000))
            ADD_FAILURE() << "the thread pool stays busy";
    }
    ~PoolHold() { m_release->release(m_threads); }

private:
    const int m_threads;
    std::shared_ptr<QSemaphore> m_started = std::make_shared<QSemaphore>();
    std::shared_ptr<QSemaphore> m_release = std::make_shared<QSemaphore>();
};

// Stands in for the thumbnail decoder: notes the area each call asks for and paints a plain
// picture of it, or fails. A gated one waits for the test's word before each picture, so that
// the test decides what is still queued when it scrolls on.
class FakeDecoder
{
public:
    explicit FakeDecoder(bool gated = false, bool succeed = true)
    {
        m_state->succeed = succeed;
        if (!gated)
            open();
    }

    ThumbnailCache::Decoder function() const
    {
        return [state = m_state](const QString&, FileKind, QSize cover) -> std::optional<QImage> {
            state->gate.acquire();
            const QMutexLocker lock(&state->mutex);
            state->asked.append(cover);
            if (!state->succeed)
                return std::nullopt;
            QImage image(cover.isEmpty() ? QSize(36, 24) : cover, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            return image;
        };
    }
    void open() { m_state->gate.release(1'000'000); }
    QList<QSize> asked() const
    {
        const QMutexLocker lock(&m_state->mutex);
        return m_state->asked;
    }
    int calls() const { return int(asked().size()); }

private:
    struct State
    {
        bool succeed = true;
        QSemaphore gate;
        QMutex mutex;
        QList<QSize> asked;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// Every test starts with empty settings (kept in a temporary folder by the test main) and a
// model that keeps none of them.
class ModelTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }

    // Writes one small file per path, each with its path as content.
    void writeFiles(const QStringList& paths)
    {
        for (const QString& path : paths)
            folder.write(path, path.toUtf8());
    }

    // Opens `path` (the temporary folder by default) without touching the recent folders and
    // waits for the scan.
    void openAndSettle(const QString& path = {})
    {
        model.open(path.isEmpty() ? folder.path() : path, false);
        ASSERT_TRUE(settle(model));
    }

    void scan(const QStringList& paths)
    {
        writeFiles(paths);
        openAndSettle();
    }

    void tick(const QStringList& ids)
    {
        const QList<Candidate> all
            = model.result() ? model.result()->allCandidates() : QList<Candidate>();
        for (const QString& id : ids) {
            const auto found = std::find_if(all.begin(), all.end(),
                [&](const Candidate& candidate) { return candidate.id() == id; });
            ASSERT_NE(found, all.end()) << id.toStdString();
            model.toggle(*found);
        }
    }

    // Ticks `ids` as well, then reviews and confirms the move.
    void moveTicked(const QStringList& ids = {})
    {
        tick(ids);
        model.reviewMove();
        ASSERT_TRUE(settle(model));
        ASSERT_TRUE(model.plan());
        model.move(*model.plan());
        ASSERT_TRUE(settle(model));
    }

    // From now on notes each busy label the model shows, and "" when it is done.
    void recordBusy()
    {
        QObject::connect(&model, &AppModel::busyChanged,
            [this] { busyLabels.append(model.busy().value_or("")); });
    }

    TempFolder folder;
    QStringList busyLabels;
    AppModel model { false };
};

// The main window over the test's model.
class WindowModelTest : public ModelTest
{
protected:
    BrowserView* browser() const { return window.content()->browserView(); }

    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    MainWindow window { model, nullptr };
};
