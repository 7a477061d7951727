#include "MatchOptions.h"

#include "CodingError.h"

#include <gtest/gtest.h>

namespace {

const QByteArray defaultsJson = "{\"ignoreEditSuffixes\":true,\"canonPrefixes\":true,"
                                "\"matchAcrossFolders\":false,\"matchCaptureTime\":false,"
                                "\"onlyMixedFolders\":true,\"trimHEIC\":false,"
                                "\"knownToolNames\":true}";

QByteArray defaultsWith(const char* before, const char* after)
{
    return QByteArray(defaultsJson).replace(before, after);
}

} // namespace

TEST(MatchOptions, EveryFieldRoundTripsThroughTheStoredJsonWhereEveryKeyIsRequired)
{
    EXPECT_EQ(MatchOptions::fromJson(defaultsJson), MatchOptions());
    EXPECT_EQ(MatchOptions().toJson(), defaultsJson);
    for (bool MatchOptions::*field : { &MatchOptions::ignoreEditSuffixes,
             &MatchOptions::canonPrefixes, &MatchOptions::matchAcrossFolders,
             &MatchOptions::matchCaptureTime, &MatchOptions::onlyMixedFolders,
             &MatchOptions::trimHEIC, &MatchOptions::knownToolNames }) {
        MatchOptions changed;
        changed.*field = !(changed.*field);
        EXPECT_NE(changed, MatchOptions());
        EXPECT_EQ(MatchOptions::fromJson(changed.toJson()), changed);
    }

    // Records stored before knownToolNames existed decode with it on.
    EXPECT_EQ(MatchOptions::fromJson(defaultsWith(",\"knownToolNames\":true", "")), MatchOptions());
    EXPECT_EQ(MatchOptions::fromJson(defaultsWith("{", "{\"futureOption\":7,")), MatchOptions());
    for (const QByteArray& refused : { defaultsWith(",\"trimHEIC\":false", ""),
             defaultsWith("\"knownToolNames\":true", "\"knownToolNames\":\"no\""),
             defaultsWith("\"trimHEIC\":false", "\"trimHEIC\":0"), QByteArray("[true]"),
             QByteArray("not json") })
        EXPECT_THROW(MatchOptions::fromJson(refused), CodingError) << refused.toStdString();
}
