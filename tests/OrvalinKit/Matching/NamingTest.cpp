#include "Naming.h"

#include <gtest/gtest.h>

namespace {

using Naming::SidecarTarget;

std::string text(const char16_t* name)
{
    return QString::fromUtf16(name).toStdString();
}

} // namespace

TEST(Naming, PairNamePeelsEditSuffixesAndCanonPrefixes)
{
    // Every suffix form, stacked in any order, with digits of any script (Arabic-Indic and
    // Devanagari here), as the plain rules have them.
    const MatchOptions plainRules { .knownToolNames = false };
    for (const char16_t* name : { u"IMG_0001-Edit.jpg", u"IMG_0001-edited-2.JPG",
             u"IMG_0001_edit3.jpg", u"IMG_0001 Edit 2.jpg", u"IMG_0001 copy.jpg",
             u"IMG_0001 copy 3.jpg", u"IMG_0001 (1).jpg", u"_MG_0001.CR2", u"IMG_0001.CR3",
             u"IMG_0001_Edited.jpg", u"IMG_0001-edit_12.jpg", u"IMG_0001-Edit copy (2).jpg",
             u"IMG_0001 (2) copy-edit.jpg", u"IMG_0001 copy copy.jpg", u"_MG_0001-Edit.CR2.jpg",
             u"IMG_0001 (\u0663).jpg", u"IMG_0001 copy \u0967\u0968.jpg" })
        EXPECT_EQ(Naming::pairName(name, plainRules), u"img_0001") << text(name);

    const MatchOptions keepSuffixes { .ignoreEditSuffixes = false },
        noPrefixes { .canonPrefixes = false };
    const struct
    {
        const char16_t* name;
        const char16_t* pairName;
        MatchOptions options = MatchOptions();
    } cases[] = { // A suffix needs its separator and the end; a line feed is part of the name.
        { u"IMG_0001edit.jpg", u"img_0001edit" }, { u"IMG_0001-editor.jpg", u"img_0001-editor" },
        { u"IMG_0001 copy of.jpg", u"img_0001 copy of" }, { u"IMG_0001(1).jpg", u"img_0001(1)" },
        { u"IMG_0001 ().jpg", u"img_0001 ()" }, { u"IMG_0001-edit\n", u"img_0001-edit\n" },
        { u"Cafe\u0301 Ba\u0308r.JPG", u"caf\u00e9 b\u00e4r" },
        // The options turn the rules off; the prefix is tested after the suffixes are gone.
        { u"IMG_0001-Edit.jpg", u"img_0001-edit", keepSuffixes },
        { u"_MG_0001-Edit.CR2", u"img_0001-edit", keepSuffixes },
        { u"_MG_0001.CR2", u"_mg_0001", noPrefixes }, { u"MG_0001.CR2", u"mg_0001" },
        { u"MG_0001.CR2", u"mg_0001", noPrefixes }, { u"A_MG_0001.CR2", u"a_mg_0001" },
        { u"_mg_ copy.jpg", u"img_" },
        // With known tools' names " (1)" is a counter, which the analyzer strips only to reach
        // a photo of exactly the name left.
        { u"IMG_0001-Edit copy (2).jpg", u"img_0001-edit copy (2)" },
        { u"IMG_0001 (2) copy-edit.jpg", u"img_0001 (2)" }
    };
    for (const auto& c : cases)
        EXPECT_EQ(Naming::pairName(c.name, c.options), c.pairName) << text(c.name);
}

TEST(Naming, FoldIgnoresCompositionAndCaseAndStemStripsOnlyMediaExtensions)
{
    const QString decomposed = u"Cafe\u0301 Ba\u0308r.JPG"_qs,
                  composed = u"caf\u00e9 b\u00e4r.jpg"_qs;
    EXPECT_EQ(Naming::fold(decomposed), composed);
    EXPECT_EQ(Naming::fold(composed), composed);
    EXPECT_EQ(Naming::stem(decomposed), Naming::stem(composed));
    // Full lower-casing, not per character: a capital dotted I becomes i and a combining dot.
    EXPECT_EQ(Naming::fold(u"\u0130MG.JPG"), u"i\u0307mg.jpg");
    EXPECT_EQ(Naming::fold(u"\u00c9T\u00c9.HEIC"), u"\u00e9t\u00e9.heic");

    // The last case is longer than any known extension.
    const std::pair<const char16_t*, const char16_t*> cases[] = { { u"IMG_0001.JPG", u"img_0001" },
        { u"IMG_0001.CR3.JPG", u"img_0001" }, { u"Clip.MOV.mp4", u"clip" },
        { u"Trip.2024.jpg", u"trip.2024" }, { u"DSC_0106.NEF.xmp", u"dsc_0106.nef.xmp" },
        { u"IMG_1.xmp", u"img_1.xmp" }, { u".jpg", u".jpg" }, { u"x.jpg.jpg", u"x" },
        { u"README", u"readme" }, { u"notes.txt", u"notes.txt" }, { u"IMG_1.", u"img_1." },
        { u"IMG_1.jpegs", u"img_1.jpegs" } };
    for (const auto& [name, stem] : cases)
        EXPECT_EQ(Naming::stem(name), stem) << text(name);
}

TEST(Naming, SidecarTargets)
{
    constexpr auto exact = SidecarTarget::Kind::exact, stem = SidecarTarget::Kind::stem;
    const struct
    {
        const char16_t* name;
        SidecarTarget::Kind kind;
        const char16_t* target;
        bool knownToolNames = false;
    } cases[] = { { u"DSC_0106.NEF.xmp", exact, u"dsc_0106.nef" },
        { u"IMG_2203.CR3.dop", exact, u"img_2203.cr3" },
        { u"IMG_1.JPG.CR3.xmp", exact, u"img_1.jpg.cr3" }, { u"DSC_0099.xmp", stem, u"dsc_0099" },
        { u"IMG_2290.pp3", stem, u"img_2290" }, { u"IMG_1.xmp", stem, u"img_1" },
        { u"Shot.take.xmp", stem, u"shot.take" },
        // A sidecar of a sidecar points at the inner one's stem, not at a photo's full name.
        { u"IMG_1.xmp.dop", stem, u"img_1.xmp" },
        { u"Caf\u0065\u0301.NEF.XMP", exact, u"caf\u00e9.nef" }, { u"xmp", stem, u"xmp" },
        { u".xmp", stem, u".xmp" },
        // An output profile belongs to the picture it was written beside, once tools are known.
        { u"IMG_1.jpg.out.pp3", stem, u"img_1.jpg.out" },
        { u"IMG_1.jpg.out.pp3", exact, u"img_1.jpg", true },
        { u"IMG_1.tif.out.arp", exact, u"img_1.tif", true },
        { u"Take.out.pp3", stem, u"take.out", true } };
    for (const auto& c : cases)
        EXPECT_EQ(Naming::sidecarTarget(c.name, { .knownToolNames = c.knownToolNames }),
            (SidecarTarget { c.kind, QString::fromUtf16(c.target) }))
            << text(c.name);
}
