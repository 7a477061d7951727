#include "Analyzer.h"

#include "AnalyzerSteps/CandidateLists.h"
#include "AnalyzerSteps/CapturePairing.h"
#include "AnalyzerSteps/FileTable.h"
#include "AnalyzerSteps/HoldBack.h"
#include "AnalyzerSteps/NamePairing.h"
#include "AnalyzerSteps/SidecarAttachment.h"
#include "SideTask.h"
#include "UnreadableHoldBack.h"

namespace Analyzer {

ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& options,
    const CaptureReader& captureReader, const CancellationToken& cancel,
    const UnreadableList& unreadable)
{
    ScanResult result;
    SidecarAttachment::Followers followers;
    Leftovers leftovers;
    {
        // What only the matching needs goes at the end of this block, before the lists are
        // built: on a large scan, holding both at once would make the peak of its memory.
        const FileTable table(files, options);
        // Sidecars and pairs read the same names and keep indexes of their own: they are matched
        // side by side.
        std::future<SidecarAttachment::Followers> attaching
            = SideTask::start([&table] { return SidecarAttachment::attach(table); });
        result.pairs = NamePairing::pair(table, leftovers);
        followers = attaching.get();
        if (options.matchCaptureTime && captureReader && !leftovers.raws.empty()
            && !leftovers.twins.empty())
            CapturePairing::pair(table, captureReader, cancel, result.pairs, leftovers);
        if (options.knownToolNames)
            HoldBack::dropEditorExports(table, leftovers);
        if (options.onlyMixedFolders)
            result.heldInSingleKindFolders = HoldBack::inSingleKindFolders(table, leftovers);
        if (!options.trimHEIC)
            result.heldHEIC = HoldBack::heic(table, leftovers);
        result.fileCount = files.size();
        result.rawCount = qsizetype(table.raws().size());
        result.twinCount = qsizetype(table.twins().size());
        result.sidecarCount = qsizetype(table.sidecars().size());
    }
    CandidateLists::fill(files, followers, leftovers, result);
    UnreadableHoldBack::apply(result, unreadable, options);
    return result;
}

} // namespace Analyzer
