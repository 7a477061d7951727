#include "Naming.h"

#include <gtest/gtest.h>

namespace {

using Naming::SidecarTarget;

MatchOptions withOptions(bool ignoreEditSuffixes, bool canonPrefixes)
{
    MatchOptions options;
    options.ignoreEditSuffixes = ignoreEditSuffixes;
    options.canonPrefixes = canonPrefixes;
    return options;
}

SidecarTarget exact(const char16_t* text)
{
    return { SidecarTarget::Kind::exact, QString::fromUtf16(text) };
}

SidecarTarget stem(const char16_t* text)
{
    return { SidecarTarget::Kind::stem, QString::fromUtf16(text) };
}

} // namespace

TEST(Naming, EveryEditSuffixFormPairsWithTheOriginal)
{
    const MatchOptions defaults;
    for (const char16_t* name : { u"IMG_0001-Edit.jpg", u"IMG_0001-edited-2.JPG",
             u"IMG_0001_edit3.jpg", u"IMG_0001 Edit 2.jpg", u"IMG_0001 copy.jpg",
             u"IMG_0001 copy 3.jpg", u"IMG_0001 (1).jpg", u"_MG_0001.CR2", u"IMG_0001.CR3",
             u"IMG_0001_Edited.jpg", u"IMG_0001-edit_12.jpg" })
        EXPECT_EQ(Naming::pairName(name, defaults), u"img_0001")
            << qPrintable(QString::fromUtf16(name));
}

TEST(Naming, StackedSuffixesPeelOffInAnyOrder)
{
    const MatchOptions defaults;
    EXPECT_EQ(Naming::pairName(u"IMG_0001-Edit copy (2).jpg", defaults), u"img_0001");
    EXPECT_EQ(Naming::pairName(u"IMG_0001 (2) copy-edit.jpg", defaults), u"img_0001");
    EXPECT_EQ(Naming::pairName(u"IMG_0001 copy copy.jpg", defaults), u"img_0001");
    EXPECT_EQ(Naming::pairName(u"_MG_0001-Edit.CR2.jpg", defaults), u"img_0001");
}

TEST(Naming, SuffixesNeedTheirSeparatorAndTheEnd)
{
    const MatchOptions defaults;
    EXPECT_EQ(Naming::pairName(u"IMG_0001edit.jpg", defaults), u"img_0001edit");
    EXPECT_EQ(Naming::pairName(u"IMG_0001-editor.jpg", defaults), u"img_0001-editor");
    EXPECT_EQ(Naming::pairName(u"IMG_0001 copy of.jpg", defaults), u"img_0001 copy of");
    EXPECT_EQ(Naming::pairName(u"IMG_0001(1).jpg", defaults), u"img_0001(1)");
    EXPECT_EQ(Naming::pairName(u"IMG_0001 ().jpg", defaults), u"img_0001 ()");
    // A line feed at the end is part of the name, not the end of the text.
    EXPECT_EQ(Naming::pairName(u"IMG_0001-edit\n", defaults), u"img_0001-edit\n");
}

TEST(Naming, SuffixDigitsMayBeOfAnyScript)
{
    // Arabic-Indic and Devanagari digits.
    EXPECT_EQ(Naming::pairName(u"IMG_0001 (\u0663).jpg", MatchOptions()), u"img_0001");
    EXPECT_EQ(Naming::pairName(u"IMG_0001 copy \u0967\u0968.jpg", MatchOptions()), u"img_0001");
}

TEST(Naming, OptionsTurnTheRulesOff)
{
    EXPECT_EQ(Naming::pairName(u"IMG_0001-Edit.jpg", withOptions(false, true)), u"img_0001-edit");
    EXPECT_EQ(Naming::pairName(u"_MG_0001-Edit.CR2", withOptions(false, true)), u"img_0001-edit");
    EXPECT_EQ(Naming::pairName(u"_MG_0001.CR2", withOptions(true, false)), u"_mg_0001");
    EXPECT_EQ(Naming::pairName(u"MG_0001.CR2", withOptions(true, true)), u"mg_0001");
    EXPECT_EQ(Naming::pairName(u"MG_0001.CR2", withOptions(true, false)), u"mg_0001");
    EXPECT_EQ(Naming::pairName(u"A_MG_0001.CR2", withOptions(true, true)), u"a_mg_0001");
    // The prefix is tested after the suffixes are gone.
    EXPECT_EQ(Naming::pairName(u"_mg_ copy.jpg", withOptions(true, true)), u"img_");
}

TEST(Naming, CompositionAndCaseFoldAway)
{
    const QString decomposed = QStringLiteral("Cafe\u0301 Ba\u0308r.JPG");
    const QString composed = QStringLiteral("caf\u00e9 b\u00e4r.jpg");
    EXPECT_EQ(Naming::fold(decomposed), Naming::fold(composed));
    EXPECT_EQ(Naming::fold(decomposed), u"caf\u00e9 b\u00e4r.jpg");
    EXPECT_EQ(Naming::stem(decomposed), Naming::stem(composed));
    EXPECT_EQ(Naming::pairName(decomposed, MatchOptions()), u"caf\u00e9 b\u00e4r");
    // Full lower-casing, not per character: a capital dotted I becomes i and a combining dot.
    EXPECT_EQ(Naming::fold(u"\u0130MG.JPG"), u"i\u0307mg.jpg");
    EXPECT_EQ(Naming::fold(u"\u00c9T\u00c9.HEIC"), u"\u00e9t\u00e9.heic");
}

TEST(Naming, StemStripsOnlyMediaExtensions)
{
    EXPECT_EQ(Naming::stem(u"IMG_0001.JPG"), u"img_0001");
    EXPECT_EQ(Naming::stem(u"IMG_0001.CR3.JPG"), u"img_0001");
    EXPECT_EQ(Naming::stem(u"Clip.MOV.mp4"), u"clip");
    EXPECT_EQ(Naming::stem(u"Trip.2024.jpg"), u"trip.2024");
    EXPECT_EQ(Naming::stem(u"DSC_0106.NEF.xmp"), u"dsc_0106.nef.xmp");
    EXPECT_EQ(Naming::stem(u"IMG_1.xmp"), u"img_1.xmp");
    EXPECT_EQ(Naming::stem(u".jpg"), u".jpg");
    EXPECT_EQ(Naming::stem(u"x.jpg.jpg"), u"x");
    EXPECT_EQ(Naming::stem(u"README"), u"readme");
    EXPECT_EQ(Naming::stem(u"notes.txt"), u"notes.txt");
    EXPECT_EQ(Naming::stem(u"IMG_1."), u"img_1.");
    // Longer than any known extension.
    EXPECT_EQ(Naming::stem(u"IMG_1.jpegs"), u"img_1.jpegs");
}

TEST(Naming, SidecarTargets)
{
    MatchOptions seedRules;
    seedRules.knownToolNames = false;
    EXPECT_EQ(Naming::sidecarTarget(u"DSC_0106.NEF.xmp", seedRules), exact(u"dsc_0106.nef"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_2203.CR3.dop", seedRules), exact(u"img_2203.cr3"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.JPG.CR3.xmp", seedRules), exact(u"img_1.jpg.cr3"));
    EXPECT_EQ(Naming::sidecarTarget(u"DSC_0099.xmp", seedRules), stem(u"dsc_0099"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_2290.pp3", seedRules), stem(u"img_2290"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.xmp", seedRules), stem(u"img_1"));
    EXPECT_EQ(Naming::sidecarTarget(u"Shot.take.xmp", seedRules), stem(u"shot.take"));
    // A sidecar of a sidecar points at the inner one's stem, not at a photo's full name.
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.xmp.dop", seedRules), stem(u"img_1.xmp"));
    EXPECT_EQ(Naming::sidecarTarget(u"Caf\u0065\u0301.NEF.XMP", seedRules), exact(u"caf\u00e9.nef"));
    EXPECT_EQ(Naming::sidecarTarget(u"xmp", seedRules), stem(u"xmp"));
    EXPECT_EQ(Naming::sidecarTarget(u".xmp", seedRules), stem(u".xmp"));

    // An output profile belongs to the picture it was written beside.
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.jpg.out.pp3", seedRules), stem(u"img_1.jpg.out"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.jpg.out.pp3", MatchOptions()), exact(u"img_1.jpg"));
    EXPECT_EQ(Naming::sidecarTarget(u"IMG_1.tif.out.arp", MatchOptions()), exact(u"img_1.tif"));
    EXPECT_EQ(Naming::sidecarTarget(u"Take.out.pp3", MatchOptions()), stem(u"take.out"));
}
