#include "KnownToolNames.h"

#include <array>
#include <vector>

namespace KnownToolNames {

namespace {

using enum Rule;

// Each convention as the tool writes it, lower-cased, with where it was learnt. Suffixes are
// tried in this order within one pass, so a longer form comes before the shorter one it ends in.
constexpr std::array table {
    // Phones.
    Convention { "Google Pixel camera", shotPrefix, u"pxl_????????_?????????", u"",
        "PXL_20231207_032111247.RAW-01.COVER.jpg with PXL_20231207_032111247.RAW-02.ORIGINAL.dng, "
        "PXL_20231026_205755225.MP.jpg with PXL_20231026_205755225.dng",
        "names from Pixel 5 and 8 Pro owners: github.com/simulot/immich-go/issues/94, "
        "github.com/deckerst/aves/issues/1462, github.com/pulsejet/memories/issues/927" },
    Convention { "Apple Photos / Image Capture", editedPrefix, u"img_e????", u"",
        "IMG_E0102.JPG is the edit of IMG_0102.HEIC",
        "the names Image Capture copies from an iPhone: github.com/RhetTbull/osxphotos/pull/1113, "
        "github.com/RhetTbull/osxphotos/issues/1656" },
    Convention { "Apple Photos / Image Capture", editedPrefix, u"img_o????", u"",
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
    Convention { "Firefox", counterSuffix, u"(#)", u"", "IMG_0801(1).jpg",
        "toolkit DownloadPaths.createNiceUniqueFile, a counter without a space" },

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
    // Two digits exactly: "_%" would make DSC_0101 a copy of "DSC".
    Convention { "darktable export", counterSuffix, u"_??", u"", "IMG_0001_01.jpg",
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
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QChar asciiLower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

// Where `pattern` starts when it matches the end of `text`, or nothing. Every digit token in
// the patterns follows a non-digit, so a greedy run of digits is the only reading.
std::optional<qsizetype> suffixStart(QStringView text, std::u16string_view pattern)
{
    qsizetype end = text.size();
    for (auto p = pattern.rbegin(); p != pattern.rend(); ++p) {
        if (*p == u'#' || *p == u'%') {
            const qsizetype digitsEnd = end;
            while (end > 0 && isDigit(text[end - 1]))
                --end;
            const qsizetype digits = digitsEnd - end;
            if (digits == 0 || (*p == u'#' && text[end] == u'0') || (*p == u'%' && digits < 2))
                return std::nullopt;
        } else if (*p == u'?' ? end > 0 && isDigit(text[end - 1])
                              : end > 0 && asciiLower(text[end - 1]) == QChar(*p)) {
            --end;
        } else {
            return std::nullopt;
        }
    }
    return end;
}

// Whether `pattern` matches the start of `text` (fixed-width patterns only).
bool startsWithPattern(QStringView text, std::u16string_view pattern)
{
    if (text.size() < qsizetype(pattern.size()))
        return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const QChar c = text[qsizetype(i)];
        if (pattern[i] == u'?' ? !isDigit(c) : c != QChar(pattern[i]))
            return false;
    }
    return true;
}

// The suffix patterns of one rule, in table order, by the character a name must end in for
// each to match: every name of a scan is tried against them, and most end in no such character.
class Suffixes
{
public:
    explicit Suffixes(Rule rule)
    {
        for (const Convention& convention : table) {
            if (convention.rule != rule || convention.pattern.empty())
                continue;
            const char16_t last = convention.pattern.back();
            if (last == u'#' || last == u'%' || last == u'?') {
                for (char16_t digit = u'0'; digit <= u'9'; ++digit)
                    m_endingIn[digit].push_back(convention.pattern);
            } else if (last < m_endingIn.size()) {
                m_endingIn[last].push_back(convention.pattern);
            } else {
                m_endingBeyondAscii.push_back(convention.pattern);
            }
        }
    }

    // The patterns that may end `key`, which is not empty.
    const std::vector<std::u16string_view>& endingLike(QStringView key) const
    {
        const char16_t last = asciiLower(key.back()).unicode();
        return last < m_endingIn.size() ? m_endingIn[last] : m_endingBeyondAscii;
    }

private:
    std::array<std::vector<std::u16string_view>, 128> m_endingIn;
    std::vector<std::u16string_view> m_endingBeyondAscii;
};

const Suffixes& suffixesOf(Rule rule)
{
    static const Suffixes copy(copySuffix);
    static const Suffixes counter(counterSuffix);
    return rule == copySuffix ? copy : counter;
}

// Strips the first suffix of `rule` (copySuffix or counterSuffix) that ends `key`, leaving a
// name in front of it.
std::optional<QStringView> withoutSuffix(QStringView key, Rule rule)
{
    if (key.isEmpty())
        return std::nullopt;
    for (std::u16string_view pattern : suffixesOf(rule).endingLike(key)) {
        const std::optional<qsizetype> start = suffixStart(key, pattern);
        if (start && *start > 0)
            return key.first(*start);
    }
    return std::nullopt;
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

// Whether the last components of `folder` match `pattern` ("captureone/settings#"), in any
// letter case; gives where they start.
std::optional<qsizetype> trailingFolders(QStringView folder, std::u16string_view pattern)
{
    const std::optional<qsizetype> start = suffixStart(folder, pattern);
    if (!start || (*start > 0 && folder[*start - 1] != u'/'))
        return std::nullopt;
    return start;
}

} // namespace

std::span<const Convention> conventions()
{
    return table;
}

std::optional<QStringView> withoutCopySuffix(QStringView key)
{
    return withoutSuffix(key, copySuffix);
}

std::optional<QStringView> withoutCounter(QStringView key)
{
    return withoutSuffix(key, counterSuffix);
}

std::optional<QStringView> shotName(QStringView key)
{
    for (const Convention& convention : table) {
        if (convention.rule != shotPrefix || !startsWithPattern(key, convention.pattern))
            continue;
        const qsizetype length = qsizetype(convention.pattern.size());
        // A digit right after it would make it some other, longer number.
        if (key.size() == length || !isDigit(key[length]))
            return key.first(length);
    }
    return std::nullopt;
}

std::optional<QString> uneditedName(QStringView key)
{
    for (const Convention& convention : table) {
        if (convention.rule != editedPrefix || !startsWithPattern(key, convention.pattern))
            continue;
        const qsizetype length = qsizetype(convention.pattern.size());
        if (key.size() > length && isDigit(key[length]))
            continue;
        // The letter after the underscore is what marks the copy.
        const qsizetype marker = convention.pattern.find(u'?') - 1;
        return key.first(marker).toString().append(key.sliced(marker + 1));
    }
    return std::nullopt;
}

std::optional<QString> originalOfDuplicate(QStringView target)
{
    const qsizetype dot = target.lastIndexOf(u'.');
    if (dot <= 0)
        return std::nullopt;
    for (const Convention& convention : table) {
        if (convention.rule != duplicateSidecar)
            continue;
        const std::optional<qsizetype> start = suffixStart(target.first(dot), convention.pattern);
        if (start && *start > 0)
            return target.first(*start).toString().append(target.sliced(dot));
    }
    return std::nullopt;
}

std::optional<QStringView> withoutOutputMarker(QStringView base)
{
    for (const Convention& convention : table) {
        if (convention.rule != outputProfile)
            continue;
        const std::optional<qsizetype> start = suffixStart(base, convention.pattern);
        if (start && *start > 0)
            return base.first(*start);
    }
    return std::nullopt;
}

bool isToolSidecarExtension(QStringView extension)
{
    for (const Convention& convention : table) {
        if (convention.rule == sidecarExtension && QStringView(convention.pattern) == extension)
            return true;
    }
    return false;
}

std::optional<QStringView> photoFolder(QStringView folder, QStringView extension)
{
    for (const Convention& convention : table) {
        if (convention.rule != sidecarFolder || !listed(convention.extensions, extension))
            continue;
        if (const std::optional<qsizetype> start = trailingFolders(folder, convention.pattern))
            return folder.first(std::max<qsizetype>(*start - 1, 0));
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
