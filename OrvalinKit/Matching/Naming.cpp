#include "Naming.h"

#include "FileKind.h"
#include "KnownToolNames.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Every media extension is short ASCII, so each packs into one integer, a byte per letter;
// looking a packed extension up needs no temporary text.
constexpr qsizetype maxPackedLength = 8;

std::optional<quint64> packed(QStringView extension)
{
    if (extension.isEmpty() || extension.size() > maxPackedLength)
        return std::nullopt;
    quint64 code = 0;
    for (QChar c : extension) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
        code = (code << 8) | c.unicode();
    }
    return code;
}

// Sorted, for a binary search: a few comparisons within one cache line or two.
const std::vector<quint64>& packedMediaExtensions()
{
    static const std::vector<quint64> codes = [] {
        std::vector<quint64> sorted;
        for (const QString& extension : FileKinds::mediaExtensions()) {
            Q_ASSERT(packed(extension));
            sorted.push_back(packed(extension).value_or(0));
        }
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    return codes;
}

bool isMediaExtension(QStringView extension)
{
    const std::optional<quint64> code = packed(extension);
    return code
        && std::binary_search(
            packedMediaExtensions().begin(), packedMediaExtensions().end(), *code);
}

// The position of the dot that starts the extension of `name`; a leading dot starts none
// (".jpg" is a name without an extension).
qsizetype extensionDot(QStringView name)
{
    for (qsizetype i = name.size() - 1; i > 0; --i) {
        if (name[i] == u'.')
            return i;
    }
    return -1;
}

// The three ways people and tools mark an edited or duplicated copy, applied in this order to
// text that is already lower-cased. "\z" rather than "$": "$" would also match before a final
// line feed, which a file name may end with, and every removal must end at the end of the text.
//
// One set of patterns is shared by every thread that analyses. Matching a const
// QRegularExpression is safe from several threads: the lazy compilation is guarded by the
// pattern's own mutex, the compiled code is only read, and match data and JIT stacks are per
// call and per thread. The patterns are compiled here, once, before they are ever shared.
const std::array<QRegularExpression, 3>& editSuffixPatterns()
{
    static const std::array<QRegularExpression, 3> patterns = [] {
        constexpr auto options = QRegularExpression::UseUnicodePropertiesOption;
        std::array<QRegularExpression, 3> compiled {
            QRegularExpression(QStringLiteral("[-_ ](edit|edited)([-_ ]?\\d+)?\\z"), options),
            QRegularExpression(QStringLiteral(" copy( \\d+)?\\z"), options),
            QRegularExpression(QStringLiteral(" \\(\\d+\\)\\z"), options),
        };
        for (const QRegularExpression& pattern : compiled)
            pattern.optimize();
        return compiled;
    }();
    return patterns;
}

bool endsWithAscii(QStringView text, std::u16string_view suffix)
{
    return text.size() >= qsizetype(suffix.size())
        && std::equal(suffix.begin(), suffix.end(), text.utf16() + text.size() - suffix.size());
}

bool isSeparator(QChar c)
{
    return c == u'-' || c == u'_' || c == u' ';
}

// The pattern of " (1)".
constexpr size_t numberedCopy = 2;

// Cheap tests that keep the regular expressions off the common path: whether the pattern at
// `index` may match at all. Once its trailing digits and one separator before them are set
// aside, an edit suffix ends in "edit" or "edited" and a copy suffix in " copy"; a numbered
// copy ends in ")".
bool mayMatch(size_t index, QStringView key)
{
    if (index == numberedCopy)
        return key.endsWith(u')');
    qsizetype end = key.size();
    while (end > 0 && key[end - 1].isDigit())
        --end;
    // A digit outside the Basic Multilingual Plane ends in a surrogate, which isDigit() does not
    // know; leave such names to the patterns.
    if (end > 0 && key[end - 1].isLowSurrogate())
        return true;
    if (end < key.size() && end > 0 && isSeparator(key[end - 1]))
        --end;
    const QStringView rest = key.first(end);
    if (index == 0)
        return endsWithAscii(rest, u"edit") || endsWithAscii(rest, u"edited");
    return endsWithAscii(rest, u" copy");
}

// Whether `tail` is one whole edit suffix ("-edit", "_edited-2").
bool isEditSuffix(QStringView tail)
{
    if (!mayMatch(0, tail))
        return false;
    const QRegularExpressionMatch match = editSuffixPatterns()[0].match(tail);
    return match.hasMatch() && match.capturedStart() == 0;
}

bool hasMediaExtension(QStringView name)
{
    const qsizetype dot = extensionDot(name);
    return dot >= 0 && isMediaExtension(name.sliced(dot + 1));
}

// A sidecar's name without its own extension, and without the marks known tools add before that
// extension when they leave a photo's full name (IMG_1.CR3.sync-conflict-….xmp, IMG_1.CR3 -
// Copy.xmp, an output profile's IMG_1.jpg.out.pp3): the sidecar was written for that photo.
// Other names are left as they are; stems find their photo through the pair names.
QStringView withoutToolMarkers(QStringView base)
{
    QStringView name = base;
    for (;;) {
        if (const std::optional<QStringView> copied = KnownToolNames::withoutCopySuffix(name))
            name = *copied;
        else if (const std::optional<QStringView> picture
            = KnownToolNames::withoutOutputMarker(name))
            name = *picture;
        else
            return base;
        if (hasMediaExtension(name))
            return name;
    }
}

} // namespace

namespace Naming {

QString stem(QStringView name)
{
    QString folded = fold(name);
    folded.truncate(Folded::stem(folded).size());
    return folded;
}

SidecarTarget sidecarTarget(QStringView name, const MatchOptions& options)
{
    const QString folded = fold(name);
    const auto [kind, text] = Folded::sidecarTarget(folded, options);
    return { kind, text.toString() };
}

QString pairName(QStringView name, const MatchOptions& options)
{
    const QString folded = fold(name);
    QString storage;
    const QStringView key = Folded::pairName(folded, options, storage);
    if (!storage.isNull())
        return storage;
    return folded.left(key.size());
}

namespace Folded {

QStringView stem(QStringView folded)
{
    for (;;) {
        const qsizetype dot = extensionDot(folded);
        if (dot < 0 || !isMediaExtension(folded.sliced(dot + 1)))
            return folded;
        folded.truncate(dot);
    }
}

QStringView withoutEditSuffixes(QStringView folded)
{
    MatchOptions seedRules;
    seedRules.knownToolNames = false;
    return withoutSuffixes(folded, seedRules);
}

QStringView withoutSuffixes(QStringView key, const MatchOptions& options)
{
    const auto& patterns = editSuffixPatterns();
    bool changed = true;
    // Known tools' copy suffixes go before each edit-suffix pattern, so that " copy" never takes
    // the end of " - Copy" and leaves its dash behind.
    const auto stripToolSuffixes = [&] {
        if (!options.knownToolNames)
            return;
        while (const std::optional<QStringView> shorter = KnownToolNames::withoutCopySuffix(key)) {
            key = *shorter;
            changed = true;
        }
    };
    while (changed) {
        changed = false;
        stripToolSuffixes();
        if (!options.ignoreEditSuffixes)
            continue;
        for (size_t index = 0; index < patterns.size(); ++index) {
            // Known tools' names count " (1)" as a counter, which joins only exact names.
            if (!mayMatch(index, key) || (options.knownToolNames && index == numberedCopy))
                continue;
            const QRegularExpressionMatch match = patterns[index].match(key);
            if (match.hasMatch()) {
                // Every pattern is anchored at the end, so what is left is a prefix.
                key.truncate(match.capturedStart());
                changed = true;
                stripToolSuffixes();
            }
        }
    }
    return key;
}

std::pair<SidecarTarget::Kind, QStringView> sidecarTarget(
    QStringView folded, const MatchOptions& options)
{
    const qsizetype dot = extensionDot(folded);
    QStringView base = dot < 0 ? folded : folded.first(dot);
    if (options.knownToolNames)
        base = withoutToolMarkers(base);
    const qsizetype innerDot = extensionDot(base);
    if (innerDot >= 0 && isMediaExtension(base.sliced(innerDot + 1)))
        return { SidecarTarget::Kind::exact, base };
    return { SidecarTarget::Kind::stem, stem(base) };
}

QStringView pairName(QStringView folded, const MatchOptions& options, QString& storage)
{
    return pairNameOfStem(stem(folded), options, storage);
}

QStringView pairNameOfStem(QStringView stem, const MatchOptions& options, QString& storage)
{
    if (options.knownToolNames) {
        if (const std::optional<QStringView> shot = KnownToolNames::shotName(stem))
            return *shot;
    }
    QStringView key = withoutSuffixes(stem, options);
    if (options.canonPrefixes && key.startsWith(u"_mg_")) {
        storage = QStringLiteral("img_");
        storage.append(key.sliced(4));
        key = storage;
    }
    if (options.knownToolNames) {
        if (std::optional<QString> unedited = KnownToolNames::uneditedName(key)) {
            storage = std::move(*unedited);
            key = storage;
        }
    }
    return key;
}

KnownToolNames::Shorter withoutCounter(QStringView key, const MatchOptions& options)
{
    if (!options.knownToolNames)
        return {};
    KnownToolNames::Shorter shorter
        = KnownToolNames::withoutCounter(key, options.ignoreEditSuffixes);
    // A computer's name may read as an edit suffix (IMG_1-Edit); those follow their own switch.
    shorter.removeIf([&](QStringView name) { return isEditSuffix(key.sliced(name.size())); });
    for (QStringView& name : shorter)
        name = withoutSuffixes(name, options);
    return shorter;
}

} // namespace Folded

} // namespace Naming
