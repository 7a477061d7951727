#include "KnownToolNames.h"

#include "NamePattern.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace KnownToolNames {

namespace {

using enum Rule;
using namespace NamePattern;

// Each convention as the tool writes it, lower-cased, with where it was learnt. Suffixes are
// tried in this order within one pass, so a longer form comes before the shorter one it ends in.
constexpr std::array table {
    // Phones.
    Convention { "Google Pixel camera", shotPrefix, u"pxl_99999999_999999999", u"",
        "PXL_20231207_032111247.RAW-01.COVER.jpg with PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
        "PXL_20231026_205755225.MP.jpg with PXL_20231026_205755225.dng",
        "names from Pixel 5 and 8 Pro owners: github.com/simulot/immich-go/issues/94, "
        "github.com/deckerst/aves/issues/1462, github.com/pulsejet/memories/issues/927" },
    Convention { "Apple Photos / Image Capture", editedPrefix, u"img_e9999", u"",
        "IMG_E0102.JPG is the edit of IMG_0102.HEIC",
        "the names Image Capture copies from an iPhone: github.com/RhetTbull/osxphotos/pull/1113, "
        "github.com/RhetTbull/osxphotos/issues/1656" },
    Convention { "Apple Photos / Image Capture", editedPrefix, u"img_o9999", u"",
        "IMG_O0101.AAE holds the original adjustments of IMG_0101.HEIC",
        "github.com/RhetTbull/osxphotos/issues/2043" },

    // File managers and browsers.
    Convention { "Windows File Explorer", copySuffix, u" - copy (#)", u"",
        "IMG_0801 - Copy (2).JPG",
        "Explorer's name for a further copy pasted into the same folder" },
    Convention { "Windows File Explorer", copySuffix, u" - copy", u"", "IMG_0801 - Copy.JPG",
        "Explorer's name for a copy pasted into the same folder" },
    Convention { "GNOME Files", copySuffix, u" (another copy)", u"", "IMG_0801 (another copy).JPG",
        "nautilus-file-operations.c, untranslated_second_copy_duplicate_format" },
    Convention { "GNOME Files", copySuffix, u" (#st copy)", u"", "IMG_0801 (21st copy).JPG",
        "nautilus-file-operations.c, untranslated_st_copy_duplicate_format" },
    Convention { "GNOME Files", copySuffix, u" (#nd copy)", u"", "IMG_0801 (22nd copy).JPG",
        "nautilus-file-operations.c, untranslated_nd_copy_duplicate_format" },
    Convention { "GNOME Files", copySuffix, u" (#rd copy)", u"", "IMG_0801 (3rd copy).JPG",
        "nautilus-file-operations.c, untranslated_rd_copy_duplicate_format" },
    Convention { "GNOME Files", copySuffix, u" (#th copy)", u"", "IMG_0801 (11th copy).JPG",
        "nautilus-file-operations.c, untranslated_th_copy_duplicate_format" },
    Convention { "GNOME Files", copySuffix, u" (copy #)", u"", "IMG_0801 (Copy 2).JPG",
        "GNOME Files 44 and later: test/automated/displayless/test-filename-duplication.c" },
    Convention { "GNOME Files", copySuffix, u" (copy)", u"", "IMG_0801 (copy).JPG, (Copy)",
        "nautilus-file-operations.c, untranslated_first_copy_duplicate_format" },
    Convention { "macOS Finder", counterSuffix, u" #", u"", "IMG_0801 2.JPG",
        "Finder's Keep Both when a copy meets a file of the same name" },
    Convention { "Chromium downloads, KDE file dialogs", editCounter, u" (+)", u"",
        "IMG_0801 (1).JPG",
        "base/files/file_util.cc GetUniquePath(): \" (%d)\" before the extension; kcoreaddons "
        "KFileUtils::suggestName(): \"aFile (1).tar.gz\" (autotests/kfileutilstest.cpp)" },
    Convention { "Firefox", counterSuffix, u"(#)", u"", "IMG_0801(1).jpg",
        "toolkit DownloadPaths.createNiceUniqueFile, a counter without a space" },
    Convention { "Thunar", copySuffix, u" (copy #)", u"", "IMG_0801 (copy 1).JPG",
        "thunar/thunar-io-jobs-util.c: \"%s (copy %u)%s\" when a copy meets a file of its name" },

    // Sync clients' conflict copies, which appear without the user doing anything and often hold
    // another version of the photo, such as an edit made on another computer.
    Convention { "Syncthing", copySuffix, u".sync-conflict-99999999-999999-&", u"",
        "IMG_0001.sync-conflict-20240315-101530-7ZZCHKW.JPG; a sidecar's: "
        "IMG_0001.CR3.sync-conflict-20240315-101530-7ZZCHKW.xmp",
        "lib/model/folder_sendrecv.go conflictName(): the name without its last extension, "
        "\".sync-conflict-20060102-150405-\", the modifying device's 7-character short ID, the "
        "extension" },
    Convention { "Nextcloud, ownCloud 2.5 and later", copySuffix,
        u" (conflicted copy *9999-99-99 999999)", u"",
        "IMG_0001 (conflicted copy 2024-03-15 101530).JPG, "
        "IMG_0001 (conflicted copy alice 2024-03-15 101530).JPG",
        "nextcloud/desktop src/common/utility.cpp Utility::makeConflictFileName(): \" (conflicted "
        "copy \", the user name without brackets and a space, \"yyyy-MM-dd hhmmss)\", inserted "
        "before the last extension" },
    Convention { "ownCloud before 2.5", copySuffix, u"_conflict-99999999-999999", u"",
        "IMG_0001_conflict-20240315-101530.JPG",
        "owncloud/client src/libsync/propagatedownload.cpp makeConflictFileName(): "
        "\"_conflict-\" and \"yyyyMMdd-hhmmss\" before the last extension" },
    Convention { "ownCloud before 2.5", copySuffix, u"_conflict_*-99999999-999999", u"",
        "IMG_0001_conflict_alice-20240315-101530.JPG",
        "the same function with CSYNC_CONFLICT_FILE_USERNAME set: \"_conflict_\", the name, "
        "\"-\" and the time" },
    Convention { "Dropbox", copySuffix, u" (*'s conflicted copy 9999-99-99)", u"",
        "IMG_0001 (Alice's conflicted copy 2024-03-15).JPG, "
        "IMG_0001 (Alice's MacBook Pro's conflicted copy 2024-03-15).JPG",
        "help.dropbox.com/syncing-uploads/conflicted-copy: the editor's name, \"conflicted copy\" "
        "and the date added to the file name; the person's or the computer's name in the older "
        "dropbox.com/help/36" },
    Convention { "OneDrive for Linux 2.5.3 and later", copySuffix, u"-safebackup-9999", u"",
        "IMG_0001-myhost-safeBackup-0001.JPG, the computer's name then stripped as below",
        "abraunegg/onedrive docs, file conflict handling: "
        "filename-hostname-safeBackup-number.file_extension" },
    Convention { "OneDrive", counterSuffix, u"-@", u"", "IMG_0001-DESKTOP-4KJ9P2A.JPG",
        "keep-both copies named after the computer; abraunegg/onedrive docs, file conflict "
        "handling, \"conforming to how the Microsoft Windows OneDrive client operates\": "
        "1.txt -> 1-onedrive-client-dev.txt, and before 2.5.3 filename-hostname-number" },

    // Editors' exports and derivatives.
    Convention { "Lightroom Enhance", copySuffix, u"-enhanced-nr-sr", u"",
        "IMG_0001-Enhanced-NR-SR.dng", "Denoise and Super Resolution in one step" },
    Convention { "Lightroom Enhance", copySuffix, u"-enhanced-nr", u"", "IMG_0001-Enhanced-NR.dng",
        "Denoise; seen as DSC_4051-Enhanced-NR, P1051911-Enhanced-NR-2.jpg in public sites" },
    Convention { "Lightroom Enhance", copySuffix, u"-enhanced-sr", u"", "IMG_0001-Enhanced-SR.dng",
        "Super Resolution; seen as IMG_1703-Enhanced-SR.jpeg" },
    Convention { "Lightroom Enhance", copySuffix, u"-enhanced-rd", u"", "IMG_0001-Enhanced-RD.dng",
        "Raw Details; seen as P1070378-Enhanced-RD.jpeg" },
    Convention { "Lightroom Enhance", copySuffix, u"-enhanced", u"", "IMG_0001-Enhanced.dng",
        "Enhance Details before Lightroom 12.3" },
    Convention { "Lightroom Photo Merge", copySuffix, u"-hdr", u"", "IMG_0001-HDR.dng",
        "HDR merge, named after the first photo" },
    Convention { "Lightroom Photo Merge", copySuffix, u"-pano", u"", "IMG_0001-Pano.dng, -HDR-Pano",
        "panorama merge, named after the first photo" },
    Convention { "Lightroom export", counterSuffix, u"-#", u"", "IMG_0001-2.jpg",
        "\"Choose a new name for the exported file\"; seen as DSC05997-2.jpeg" },
    Convention { "RawTherapee queue", counterSuffix, u"-#", u"", "converted/IMG_0001-1.jpg",
        "rtgui/batchqueue.cc autoCompleteFileName(): \"%1-%2.%3\" when the output exists" },
    // Two digits exactly: "_%" would make DSC_0101 a copy of "DSC".
    Convention { "darktable export", counterSuffix, u"_99", u"", "IMG_0001_01.jpg",
        "src/imageio/storage/disk.c: \"_%.2d\" when the file exists" },
    Convention { "darktable neural restore", copySuffix, u"_raw-denoise_#", u"",
        "IMG_0001_raw-denoise_1.dng", "src/libs/neural_restore.c: its unique-name loop" },
    Convention { "darktable neural restore", copySuffix, u"_raw-denoise", u"",
        "IMG_0001_raw-denoise.dng", "src/libs/neural_restore.c: _task_suffix()" },
    Convention { "DxO PhotoLab", copySuffix, u"_dxo", u"", "IMG_0001_DxO.jpg",
        "the default export suffix; seen as 20171126_Angkor_Wat_4712_DxO.jpg" },

    // Sidecars.
    Convention { "darktable", duplicateSidecar, u"_%", u"",
        "IMG_0201_01.CR3.xmp and IMG_0201_12.CR3.xmp belong to IMG_0201.CR3",
        "darktable manual, overview/sidecar-files: <basename>_nn.<extension>.xmp; "
        "src/common/image.c dt_image_path_append_version_no_db: \"_%02d\"" },
    Convention { "RawTherapee, ART", outputProfile, u".out", u"",
        "IMG_0001.jpg.out.pp3 belongs to IMG_0001.jpg",
        "rtgui: params.save(fname + \".out\" + paramFileExtension)" },
    Convention { "ART", sidecarExtension, u"arp", u"", "IMG_0001.CR3.arp",
        "rtgui/options.cc: paramFileExtension = \".arp\"" },
    Convention { "Nikon NX Studio, ViewNX-i, Capture NX-D", sidecarExtension, u"nksc", u"",
        "NKSC_PARAM/DSC_0001.NEF.nksc", "Nikon's sidecar of adjustments" },
    Convention { "Nikon NX Studio, ViewNX-i, Capture NX-D", sidecarFolder, u"nksc_param", u"nksc",
        "NKSC_PARAM/DSC_0001.NEF.nksc belongs to DSC_0001.NEF one folder up",
        "kept in an NKSC_PARAM folder within the photo's folder" },
    Convention { "Capture One", sidecarExtension, u"comask", u"",
        "CaptureOne/Settings153/IMG_0001.CR3.comask", "layer masks" },
    Convention { "Capture One", sidecarFolder, u"captureone/settings#", u"cos comask",
        "CaptureOne/Settings153/IMG_0001.CR3.cos belongs to IMG_0001.CR3 two folders up",
        "support.captureone.com, \"Session sidecar files explained: What's inside the CaptureOne "
        "folder\"; its Cache folder holds only previews that Capture One rebuilds" },

    // Editors' default export folders.
    Convention { "darktable", exportFolder, u"darktable_exported", u"",
        "darktable_exported/IMG_0001.jpg is the export of IMG_0001.CR3 one folder up",
        "src/imageio/storage/disk.c and data/darktableconfig.xml.in: the default export path "
        "$(FILE_FOLDER)/darktable_exported/$(FILE_NAME)" },
    Convention { "RawTherapee", exportFolder, u"converted", u"",
        "converted/IMG_0001.jpg with converted/IMG_0001.jpg.out.pp3, of IMG_0001.CR3 one folder up",
        "rtgui/options.cc: savePathTemplate = \"%p1/converted/%f\", saveUsePathTemplate = true, "
        "saveFormat.saveParams = true" },
};

struct SuffixPattern
{
    std::u16string_view text;
    // Reads a computer's name, which may be read in several ways.
    bool free = false;
    // The counter the edit-suffix switch governs.
    bool editCounter = false;

    bool operator==(const SuffixPattern&) const = default;
};

// The suffix patterns of one rule, by what a name must end in for each to match: its last
// character, the character before its last run of digits, or the character before its last run
// of letters and digits. Every name of a scan is tried against them, and most end in nothing any
// of them could match. Patterns are tried in table order within each of those kinds.
class Suffixes
{
public:
    using Patterns = std::array<std::span<const SuffixPattern>, 3>;

    // Counters include the edit counter, marked as such.
    explicit Suffixes(Rule rule)
    {
        for (const Convention& convention : table) {
            const bool editCounter = rule == counterSuffix && convention.rule == Rule::editCounter;
            if ((convention.rule == rule || editCounter) && !convention.pattern.empty())
                add({ convention.pattern,
                    convention.pattern.find(u'@') != std::u16string_view::npos, editCounter });
        }
    }

    // The patterns that may end `key`, which is not empty.
    Patterns endingLike(QStringView key) const
    {
        if (!isLetterOrDigit(key.back())) {
            const char16_t last = asciiLower(key.back()).unicode();
            return { m_endingIn[std::min(last, beyondAscii)], {}, m_anywhere };
        }
        qsizetype digits = key.size();
        while (digits > 0 && isDigit(key[digits - 1]))
            --digits;
        qsizetype run = digits;
        while (run > 0 && isLetterOrDigit(key[run - 1]))
            --run;
        const std::span<const SuffixPattern> byRun = m_afterRun[charBefore(key, run)];
        if (digits == key.size())
            return { m_endingIn[asciiLower(key.back()).unicode()], byRun, m_anywhere };
        return { m_afterDigits[charBefore(key, digits)], byRun, m_anywhere };
    }

private:
    static constexpr char16_t ascii = 128;
    // Also the place of names that are nothing but the run.
    static constexpr char16_t beyondAscii = ascii;
    using Lists = std::array<std::vector<SuffixPattern>, ascii + 1>;

    static char16_t charBefore(QStringView key, qsizetype at)
    {
        return at > 0 ? std::min(asciiLower(key[at - 1]).unicode(), beyondAscii) : beyondAscii;
    }

    void add(SuffixPattern pattern)
    {
        const std::u16string_view text = pattern.text;
        const char16_t last = text.back();
        if (isDigitToken(last) || last == u'&' || last == u'@') {
            // Those tokens take the whole run at the end, so what stands before them in the
            // pattern must stand before the name's run.
            const size_t at = text.find_last_not_of(isDigitToken(last) ? u"#%9" : u"&@");
            const char16_t c = at == std::u16string_view::npos ? u'*' : text[at];
            if (c == u'&' || c == u'@' || c == u'*' || c == u'+' || c == u'9')
                addTo(m_anywhere, pattern);
            else
                addTo((isDigitToken(last) ? m_afterDigits : m_afterRun)[std::min(c, beyondAscii)],
                    pattern);
        } else if (last == u'*' || last == u'+') {
            addTo(m_anywhere, pattern);
        } else {
            addTo(m_endingIn[std::min(last, beyondAscii)], pattern);
        }
    }

    // Two tools may write the same form; it is tried once.
    static void addTo(std::vector<SuffixPattern>& list, SuffixPattern pattern)
    {
        if (std::find(list.begin(), list.end(), pattern) == list.end())
            list.push_back(pattern);
    }

    Lists m_endingIn;
    Lists m_afterDigits;
    Lists m_afterRun;
    std::vector<SuffixPattern> m_anywhere;
};

// Copy suffixes, or counters.
const Suffixes& suffixesOf(Rule rule)
{
    static const std::array<Suffixes, 2> suffixes { Suffixes(copySuffix), Suffixes(counterSuffix) };
    return suffixes[rule == copySuffix ? 0 : 1];
}

// The conventions of each rule, in table order: names are tried against few of them.
const std::vector<const Convention*>& ofRule(Rule rule)
{
    static const auto byRule = [] {
        std::array<std::vector<const Convention*>, size_t(exportFolder) + 1> lists;
        for (const Convention& convention : table)
            lists[size_t(convention.rule)].push_back(&convention);
        return lists;
    }();
    return byRule[size_t(rule)];
}

bool listed(std::u16string_view list, QStringView word)
{
    while (!list.empty()) {
        const size_t space = list.find(u' ');
        const std::u16string_view item = list.substr(0, space);
        if (QStringView(item) == word)
            return true;
        list = space == std::u16string_view::npos ? std::u16string_view() : list.substr(space + 1);
    }
    return false;
}

// The folder that holds `folder`'s last component ("" at the top).
QStringView parentOf(QStringView folder, qsizetype lastComponentStart)
{
    return folder.first(std::max<qsizetype>(lastComponentStart - 1, 0));
}

} // namespace

std::span<const Convention> conventions()
{
    return table;
}

std::optional<QStringView> withoutCopySuffix(QStringView key)
{
    if (key.isEmpty())
        return std::nullopt;
    for (std::span<const SuffixPattern> patterns : suffixesOf(copySuffix).endingLike(key)) {
        for (const SuffixPattern& pattern : patterns) {
            if (const std::optional<qsizetype> start = suffixStart(key, pattern.text))
                return key.first(*start);
        }
    }
    return std::nullopt;
}

Shorter withoutCounter(QStringView key, bool editCounters)
{
    Shorter shorter;
    if (key.isEmpty())
        return shorter;
    // The first fixed counter that fits, and every reading of a computer's name.
    bool fixedFound = false;
    for (std::span<const SuffixPattern> patterns : suffixesOf(counterSuffix).endingLike(key)) {
        for (const auto& [pattern, free, editCounter] : patterns) {
            if ((fixedFound && !free) || (editCounter && !editCounters))
                continue;
            matchEnding(key, key.size(), pattern, [&](qsizetype at) {
                if (at == 0)
                    return false;
                if (!shorter.contains(key.first(at)))
                    shorter.append(key.first(at));
                fixedFound = fixedFound || !free;
                return !free;
            });
        }
    }
    return shorter;
}

std::optional<QStringView> shotName(QStringView key)
{
    for (const Convention* convention : ofRule(shotPrefix)) {
        if (!matchesStart(key, convention->pattern))
            continue;
        const qsizetype length = qsizetype(convention->pattern.size());
        // A digit right after it would make it some other, longer number.
        if (key.size() == length || !isDigit(key[length]))
            return key.first(length);
    }
    return std::nullopt;
}

std::optional<QString> uneditedName(QStringView key)
{
    for (const Convention* convention : ofRule(editedPrefix)) {
        if (!matchesStart(key, convention->pattern))
            continue;
        const qsizetype length = qsizetype(convention->pattern.size());
        if (key.size() > length && isDigit(key[length]))
            continue;
        // The letter after the underscore is what marks the copy.
        const qsizetype marker = convention->pattern.find(u'9') - 1;
        return key.first(marker).toString().append(key.sliced(marker + 1));
    }
    return std::nullopt;
}

std::optional<QString> originalOfDuplicate(QStringView target)
{
    const qsizetype dot = target.lastIndexOf(u'.');
    if (dot <= 0)
        return std::nullopt;
    for (const Convention* convention : ofRule(duplicateSidecar)) {
        const std::optional<qsizetype> start = suffixStart(target.first(dot), convention->pattern);
        if (start && *start > 0)
            return target.first(*start).toString().append(target.sliced(dot));
    }
    return std::nullopt;
}

std::optional<QStringView> withoutOutputMarker(QStringView base)
{
    for (const Convention* convention : ofRule(outputProfile)) {
        const std::optional<qsizetype> start = suffixStart(base, convention->pattern);
        if (start && *start > 0)
            return base.first(*start);
    }
    return std::nullopt;
}

bool isToolSidecarExtension(QStringView extension)
{
    for (const Convention* convention : ofRule(sidecarExtension)) {
        if (QStringView(convention->pattern) == extension)
            return true;
    }
    return false;
}

std::optional<QStringView> photoFolder(QStringView folder, QStringView extension)
{
    for (const Convention* convention : ofRule(sidecarFolder)) {
        if (!listed(convention->extensions, extension))
            continue;
        if (const std::optional<qsizetype> start = trailingFolders(folder, convention->pattern))
            return parentOf(folder, *start);
    }
    return std::nullopt;
}

std::optional<QStringView> exportedFrom(QStringView folder)
{
    for (const Convention* convention : ofRule(exportFolder)) {
        if (const std::optional<qsizetype> start = trailingFolders(folder, convention->pattern))
            return parentOf(folder, *start);
    }
    return std::nullopt;
}

std::optional<QStringView> photoFolderOfSettings(QStringView folder)
{
    for (const Convention& convention : table) {
        if (convention.rule != sidecarFolder)
            continue;
        // Each leading part of the pattern that ends at a folder boundary: "captureone", then
        // "captureone/settings#".
        for (size_t end = 0; end != std::u16string_view::npos;) {
            end = convention.pattern.find(u'/', end + 1);
            const std::u16string_view part = convention.pattern.substr(0, end);
            if (const std::optional<qsizetype> start = trailingFolders(folder, part))
                return folder.first(std::max<qsizetype>(*start - 1, 0));
        }
    }
    return std::nullopt;
}

} // namespace KnownToolNames
