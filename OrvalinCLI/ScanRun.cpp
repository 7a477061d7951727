#include "ScanRun.h"

#include "Analyzer.h"
#include "CaptureTime.h"
#include "Interrupt.h"
#include "Messages.h"
#include "ProgressLine.h"
#include "Scanner.h"

namespace ScanRun {

QString appName()
{
    return QStringLiteral("Orvalin");
}

ReviewLock::Waiting waitingLine(Console& console)
{
    return [&console](const QString& sentence) {
        console.err << QStringLiteral("orvalin-cli: %1\n").arg(sentence);
        console.err.flush();
    };
}

Analysis perform(const QString& folder, const MatchOptions& options, Console& console)
{
    Interrupt interrupt;
    CancellationToken cancel;
    ProgressLine line(console.err, console.errIsTerminal);
    const auto onProgress = [&](const ScanProgress& progress) {
        if (Interrupt::requested())
            cancel.cancel();
        line.show(progress);
    };

    Analysis analysis { folder, {}, {} };
    UnreadableList unreadable;
    analysis.files = Scanner::scan(folder, ScanOptions { Messages::reviewFolderName(appName()) },
        onProgress, cancel, &unreadable);
    line.clear();

    CaptureReader reader;
    if (options.matchCaptureTime) {
        // Reading stamps can take a while; let Ctrl-C reach the analyzer's checkpoints.
        reader = [stamps = CaptureTime::reader(folder), cancel](const QString& path) {
            if (Interrupt::requested())
                cancel.cancel();
            return stamps(path);
        };
    }
    if (Interrupt::requested())
        throw Cancelled();
    analysis.result = Analyzer::analyze(analysis.files, options, reader, cancel, unreadable);
    return analysis;
}

} // namespace ScanRun
