#pragma once

#include "Cancellation.h"
#include "FileEntry.h"
#include "MatchOptions.h"
#include "ScanProgress.h"
#include "ScanRefusal.h"
#include "UnreadableList.h"

#include <QList>
#include <functional>
#include <optional>

class AppModel;
class BackgroundTasks;
class LeftoverGroups;

// The scans of the open folder and the analyses of their files: the phase the window shows, the
// progress of the running walk, the files of the last completed scan, and the background tasks
// behind them, of which only the latest may apply its outcome. A finished analysis goes to the
// leftover groups. The fields are the model's: each change is announced by the model's own
// signal.
class ScanLifecycle
{
public:
    // What the window shows.
    struct Phase
    {
        enum class Kind : quint8
        {
            refused,
            idle,
            scanning,
            ready
        };

        Kind kind = Kind::idle;
        // Present exactly when `kind` is refused.
        std::optional<ScanRefusal> refusal;

        static Phase idle() { return { Kind::idle, std::nullopt }; }
        static Phase scanning() { return { Kind::scanning, std::nullopt }; }
        static Phase ready() { return { Kind::ready, std::nullopt }; }
        static Phase refused(const ScanRefusal& refusal) { return { Kind::refused, refusal }; }

        bool isIdle() const { return kind == Kind::idle; }
        bool isScanning() const { return kind == Kind::scanning; }
        bool isReady() const { return kind == Kind::ready; }
        bool isRefused() const { return kind == Kind::refused; }

        bool operator==(const Phase&) const = default;
    };

    ScanLifecycle(AppModel& model, LeftoverGroups& groups, BackgroundTasks& tasks);
    // The tasks cannot report back any more; there is no point in their finishing.
    ~ScanLifecycle();

    const Phase& phase() const { return m_phase; }
    const ScanProgress& progress() const { return m_progress; }
    // Every file of the last completed scan.
    const QList<FileEntry>& files() const { return m_files; }
    // Whether a scan task is running (the Stop buttons cancel it).
    bool isScanning() const { return m_scan.running; }
    bool isAnalysing() const { return m_analysis.running; }
    // Only a result on show is analysed again.
    bool canReanalyze() const;

    void setPhase(const Phase& phase);
    void setFiles(const QList<FileEntry>& files);
    // Forgets the files and what could not be read of the folder that was open.
    void clear();

    // Scans the model's folder again; the previous result stays on show meanwhile.
    void rescan();
    // Cancels the running scan, whose ending then sets the phase.
    void cancel();
    // Makes the running scan and analysis no longer current, so that their outcomes are dropped.
    void abandon();
    // Analyses the files again with the model's options, then runs `done`, also when the
    // analysis was abandoned or failed.
    void reanalyze(std::function<void()> done);

private:
    // A background task of which only the latest may apply its outcome.
    struct Task
    {
        quint64 id = 0;
        bool running = false;
        CancellationToken cancel;
    };
    struct Outcome;

    void startScan();
    void applyProgress(quint64 id, const ScanProgress& progress);
    void finishScan(quint64 id, const MatchOptions& scannedWith, const Outcome& outcome);
    void abandonScan();
    void abandonAnalysis();
    void setProgress(const ScanProgress& progress);
    void setScanRunning(bool running);

    AppModel& m_model;
    LeftoverGroups& m_groups;
    BackgroundTasks& m_tasks;
    Phase m_phase;
    ScanProgress m_progress;
    QList<FileEntry> m_files;
    // What the scan of `m_files` could not read; every analysis of them holds back what depends
    // on it, and the result carries it to the views.
    UnreadableList m_unreadable;
    Task m_scan;
    Task m_analysis;
};
