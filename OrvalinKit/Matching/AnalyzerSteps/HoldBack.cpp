#include "HoldBack.h"

#include <algorithm>
#include <vector>

namespace HoldBack {

void dropEditorExports(const FileTable& table, Leftovers& leftovers)
{
    std::erase_if(leftovers.twins, [&](Position twin) { return table.isExport(twin); });
}

qsizetype inSingleKindFolders(const FileTable& table, Leftovers& leftovers)
{
    const qsizetype parts = std::max<qsizetype>(table.folderCount(), 1);
    std::vector<bool> hasRaw(parts, false);
    std::vector<bool> hasTwin(parts, false);
    for (Position raw : table.raws())
        hasRaw[table.folderPart(raw)] = true;
    for (Position twin : table.twins())
        hasTwin[table.folderPart(twin)] = true;
    const auto inSingleKindFolder = [&](Position file) {
        const int folder = table.folderPart(file);
        return !hasRaw[folder] || !hasTwin[folder];
    };
    return qsizetype(std::erase_if(leftovers.raws, inSingleKindFolder)
        + std::erase_if(leftovers.twins, inSingleKindFolder));
}

qsizetype heic(const FileTable& table, Leftovers& leftovers)
{
    return qsizetype(std::erase_if(
        leftovers.twins, [&](Position twin) { return table.entry(twin).kind == FileKind::heic; }));
}

} // namespace HoldBack
