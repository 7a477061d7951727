#include "ScanLifecycle.h"

#include "Analyzer.h"
#include "AppModel.h"
#include "BackgroundTasks.h"
#include "CaptureTime.h"
#include "LeftoverGroups.h"
#include "Scanner.h"

#include <QCoreApplication>
#include <QPromise>
#include <QtConcurrent>

struct ScanLifecycle::Outcome
{
    enum class Kind : quint8
    {
        finished,
        refused,
        cancelled,
        failed
    };

    Kind kind = Kind::failed;
    QList<FileEntry> files;
    UnreadableList unreadable;
    LeftoverGroups::Analysis analysis;
    ScanProgress lastProgress;
    std::optional<ScanRefusal> refusal;
    QString error;
};

namespace {

using Analysis = LeftoverGroups::Analysis;

// Reading capture times costs a look into every picture; only the option asks for it.
CaptureReader readerFor(const QString& root, const MatchOptions& options)
{
    return options.matchCaptureTime ? CaptureTime::reader(root) : CaptureReader();
}

} // namespace

ScanLifecycle::ScanLifecycle(AppModel& model, LeftoverGroups& groups, BackgroundTasks& tasks)
    : m_model(model)
    , m_groups(groups)
    , m_tasks(tasks)
{
}

ScanLifecycle::~ScanLifecycle()
{
    m_scan.cancel.cancel();
    m_analysis.cancel.cancel();
}

bool ScanLifecycle::canReanalyze() const
{
    return m_phase.isReady() && m_model.root();
}

void ScanLifecycle::rescan()
{
    if (!m_model.root())
        return;
    abandon();
    setPhase(Phase::scanning());
    setProgress({});
    startScan();
}

void ScanLifecycle::cancel()
{
    // The task stays the current one, so that its cancellation is what ends the scan.
    if (m_scan.running)
        m_scan.cancel.cancel();
}

void ScanLifecycle::abandon()
{
    abandonScan();
    abandonAnalysis();
}

void ScanLifecycle::abandonScan()
{
    m_scan.cancel.cancel();
    ++m_scan.id;
    setScanRunning(false);
}

void ScanLifecycle::abandonAnalysis()
{
    m_analysis.cancel.cancel();
    ++m_analysis.id;
    m_analysis.running = false;
}

void ScanLifecycle::startScan()
{
    const quint64 id = ++m_scan.id;
    m_scan.cancel = CancellationToken();
    setScanRunning(true);

    const QString root = *m_model.root();
    const MatchOptions options = m_model.options();
    const ScanOptions scanOptions { m_model.reviewFolderName() };
    const CaptureReader reader = readerFor(root, options);
    const CancellationToken cancel = m_scan.cancel;
    const QSet<QString> selection = m_groups.selection();

    auto work
        = [root, options, scanOptions, reader, cancel, selection](QPromise<Outcome>& promise) {
              Outcome outcome;
              try {
                  // The future passes progress on at most a few dozen times a second, keeping the
                  // latest; the final count comes with the outcome.
                  outcome.files = Scanner::scan(
                      root, scanOptions,
                      [&](const ScanProgress& progress) {
                          outcome.lastProgress = progress;
                          promise.setProgressValueAndText(
                              int(std::min<qint64>(progress.files, INT_MAX)), progress.folder);
                      },
                      cancel, &outcome.unreadable);
                  outcome.analysis = LeftoverGroups::prepare(
                      Analyzer::analyze(outcome.files, options, reader, cancel, outcome.unreadable),
                      selection);
                  outcome.kind = Outcome::Kind::finished;
              } catch (const ScanRefusal& refusal) {
                  outcome.kind = Outcome::Kind::refused;
                  outcome.refusal = refusal;
              } catch (const Cancelled&) {
                  outcome.kind = Outcome::Kind::cancelled;
              } catch (const std::exception& error) {
                  outcome.error = BackgroundTasks::describe(error);
              } catch (...) {
                  outcome.error
                      = QCoreApplication::translate("AppModel", "The scan stopped unexpectedly.");
              }
              promise.addResult(std::move(outcome));
          };

    auto* watcher = m_tasks.watcher<Outcome>(
        [this, id, options](const Outcome& outcome) { finishScan(id, options, outcome); });
    QObject::connect(
        watcher, &QFutureWatcherBase::progressValueChanged, &m_model, [this, watcher, id] {
            applyProgress(id, { watcher->progressValue(), watcher->progressText() });
        });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

void ScanLifecycle::applyProgress(quint64 id, const ScanProgress& progress)
{
    if (id == m_scan.id && m_scan.running)
        setProgress(progress);
}

void ScanLifecycle::finishScan(quint64 id, const MatchOptions& scannedWith, const Outcome& outcome)
{
    if (id != m_scan.id)
        return;
    setScanRunning(false);

    switch (outcome.kind) {
    case Outcome::Kind::finished:
        setProgress(outcome.lastProgress);
        m_unreadable = outcome.unreadable;
        setFiles(outcome.files);
        m_groups.apply(outcome.analysis);
        setPhase(Phase::ready());
        // The options changed while the scan ran; what is shown must follow the new ones.
        if (scannedWith != m_model.options())
            m_model.reanalyze();
        break;
    case Outcome::Kind::refused:
        setPhase(Phase::refused(*outcome.refusal));
        break;
    case Outcome::Kind::cancelled:
        setPhase(m_groups.result() ? Phase::ready() : Phase::idle());
        break;
    case Outcome::Kind::failed:
        m_model.setError(outcome.error);
        setPhase(Phase::idle());
        break;
    }
}

void ScanLifecycle::reanalyze(std::function<void()> done)
{
    abandonAnalysis();
    const quint64 id = m_analysis.id;
    m_analysis.running = true;
    m_analysis.cancel = CancellationToken();

    const QList<FileEntry> files = m_files;
    const UnreadableList unreadable = m_unreadable;
    const MatchOptions options = m_model.options();
    const CaptureReader reader = readerFor(*m_model.root(), options);
    const CancellationToken cancel = m_analysis.cancel;
    const QSet<QString> selection = m_groups.selection();

    auto work
        = [files, unreadable, options, reader, cancel, selection]() -> std::optional<Analysis> {
        try {
            return LeftoverGroups::prepare(
                Analyzer::analyze(files, options, reader, cancel, unreadable), selection);
        } catch (...) {
            // A failed re-analysis keeps the previous result, silently.
            return std::nullopt;
        }
    };
    m_tasks.whenFinished(QtConcurrent::run(std::move(work)),
        [this, id, done](const std::optional<Analysis>& analysis) {
            if (id == m_analysis.id) {
                m_analysis.running = false;
                if (analysis)
                    m_groups.apply(*analysis);
            }
            done();
        });
}

void ScanLifecycle::setPhase(const Phase& phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    Q_EMIT m_model.phaseChanged();
}

void ScanLifecycle::setProgress(const ScanProgress& progress)
{
    if (progress == m_progress)
        return;
    m_progress = progress;
    Q_EMIT m_model.progressChanged();
}

void ScanLifecycle::setScanRunning(bool running)
{
    if (running == m_scan.running)
        return;
    m_scan.running = running;
    Q_EMIT m_model.scanningChanged();
}

// The files are not compared: comparing them would cost about as much as redrawing.
void ScanLifecycle::setFiles(const QList<FileEntry>& files)
{
    if (files.isEmpty() && m_files.isEmpty())
        return;
    BackgroundTasks::release(std::exchange(m_files, files));
    Q_EMIT m_model.filesChanged();
}

void ScanLifecycle::clear()
{
    m_unreadable = {};
    setFiles({});
}
