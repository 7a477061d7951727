#include "MatchOptions.h"

#include "CodingError.h"

#include <gtest/gtest.h>

namespace {

const QByteArray defaultsJson = "{\"ignoreEditSuffixes\":true,\"canonPrefixes\":true,"
                                "\"matchAcrossFolders\":false,\"matchCaptureTime\":false,"
                                "\"onlyMixedFolders\":true,\"trimHEIC\":false,"
                                "\"knownToolNames\":true}";

} // namespace

TEST(MatchOptions, DefaultsRoundTripAsStoredJson)
{
    EXPECT_EQ(MatchOptions::fromJson(defaultsJson), MatchOptions());
    EXPECT_EQ(MatchOptions().toJson(), defaultsJson);

    MatchOptions flipped;
    flipped.matchCaptureTime = true;
    flipped.trimHEIC = true;
    EXPECT_EQ(MatchOptions::fromJson(flipped.toJson()), flipped);
}

TEST(MatchOptions, EveryKeyIsRequiredAndExtraKeysAreIgnored)
{
    QByteArray withoutTrim = defaultsJson;
    withoutTrim.replace(",\"trimHEIC\":false", "");
    EXPECT_THROW(MatchOptions::fromJson(withoutTrim), CodingError);

    // Records stored before knownToolNames existed decode with it on; written off, it stays off.
    QByteArray older = defaultsJson;
    older.replace(",\"knownToolNames\":true", "");
    EXPECT_EQ(MatchOptions::fromJson(older), MatchOptions());
    QByteArray off = defaultsJson;
    off.replace("\"knownToolNames\":true", "\"knownToolNames\":false");
    EXPECT_FALSE(MatchOptions::fromJson(off).knownToolNames);
    off.replace("\"knownToolNames\":false", "\"knownToolNames\":\"no\"");
    EXPECT_THROW(MatchOptions::fromJson(off), CodingError);

    QByteArray extra = defaultsJson;
    extra.replace("{", "{\"futureOption\":7,");
    EXPECT_EQ(MatchOptions::fromJson(extra), MatchOptions());

    QByteArray numeric = defaultsJson;
    numeric.replace("\"trimHEIC\":false", "\"trimHEIC\":0");
    EXPECT_THROW(MatchOptions::fromJson(numeric), CodingError);
    EXPECT_THROW(MatchOptions::fromJson("[true]"), CodingError);
    EXPECT_THROW(MatchOptions::fromJson("not json"), CodingError);
}

TEST(MatchOptions, EachFieldTakesPartInEquality)
{
    for (bool MatchOptions::*field :
        { &MatchOptions::ignoreEditSuffixes, &MatchOptions::canonPrefixes,
            &MatchOptions::matchAcrossFolders, &MatchOptions::matchCaptureTime,
            &MatchOptions::onlyMixedFolders, &MatchOptions::trimHEIC,
            &MatchOptions::knownToolNames }) {
        MatchOptions changed;
        changed.*field = !(changed.*field);
        EXPECT_NE(changed, MatchOptions());
        EXPECT_EQ(MatchOptions::fromJson(changed.toJson()), changed);
    }
}
