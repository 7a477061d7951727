#include "MovePlan.h"

#include "CodingError.h"

#include <gtest/gtest.h>

namespace {

FileEntry file(const QString& path, qint64 size = 10)
{
    return { path, size, FileKinds::fromExtension(RelativePath::extension(path)) };
}

// A leftover of size 100 whose followers, if any, are the paths after the first, of size 10.
Candidate candidate(const QString& paths, OrphanGroup group = OrphanGroup::raw)
{
    QStringList split = paths.split(u", "_qs);
    Candidate made { file(split.takeFirst(), 100), group, {} };
    for (const QString& follower : split)
        made.followers.append(file(follower));
    return made;
}

} // namespace

TEST(PlanItem, CodesFollowsOnlyWhenPresent)
{
    const PlanItem ticked { file(u"A/IMG_1.CR3"_qs), OrphanGroup::raw, std::nullopt };
    const PlanItem follower { file(u"A/IMG_1.xmp"_qs), OrphanGroup::raw, u"A/IMG_1.CR3"_qs };
    EXPECT_FALSE(ticked.toJson().contains(u"follows"));
    EXPECT_EQ(follower.toJson().value(u"follows").toString(), u"A/IMG_1.CR3");
    EXPECT_EQ(follower.toJson().value(u"group").toString(), u"raw");
    EXPECT_EQ(PlanItem::fromJson(ticked.toJson()), ticked);
    EXPECT_EQ(PlanItem::fromJson(follower.toJson()), follower);

    QJsonObject withNull = ticked.toJson(), unknownGroup = ticked.toJson(),
                noFile = ticked.toJson();
    withNull.insert(u"follows"_qs, QJsonValue::Null);
    EXPECT_EQ(PlanItem::fromJson(withNull), ticked);
    unknownGroup.insert(u"group"_qs, u"RAW"_qs);
    noFile.remove(u"file"_qs);
    EXPECT_THROW(PlanItem::fromJson(unknownGroup), CodingError);
    EXPECT_THROW(PlanItem::fromJson(noFile), CodingError);
}

TEST(MovePlan, TickedFilesLeadTheirFollowersInCandidateOrderFromDistinctFolders)
{
    const Candidate raw
        = candidate(u"Shoot 10/IMG_1.CR3, Shoot 10/IMG_1.CR3.xmp, Shoot 10/IMG_1.dop"_qs);
    const Candidate unticked = candidate(u"IMG_2.CR3, IMG_2.xmp"_qs);
    const Candidate jpeg = candidate(u"shoot 1/IMG_3.JPG, shoot 1/IMG_3.xmp"_qs, OrphanGroup::jpeg);
    const Candidate jpeg2
        = candidate(u"Shoot 2/IMG_4.JPG, Shoot 2/IMG_4.xmp"_qs, OrphanGroup::jpeg);
    const Candidate sidecar = candidate(u"IMG_5.xmp"_qs, OrphanGroup::sidecar);

    // A follower's own path among the ticks brings nothing; a candidate listed twice moves once.
    const MovePlan plan = MovePlan::make({ raw, unticked, jpeg, jpeg2, jpeg, sidecar },
        { raw.id(), u"IMG_2.xmp"_qs, jpeg.id(), jpeg2.id(), sidecar.id() });
    EXPECT_EQ(plan.fileCount(), 8);
    EXPECT_EQ(plan.items,
        (QList<PlanItem> { { raw.file, OrphanGroup::raw, std::nullopt },
            { raw.followers[0], OrphanGroup::raw, raw.id() },
            { raw.followers[1], OrphanGroup::raw, raw.id() },
            { jpeg.file, OrphanGroup::jpeg, std::nullopt },
            { jpeg.followers[0], OrphanGroup::jpeg, jpeg.id() },
            { jpeg2.file, OrphanGroup::jpeg, std::nullopt },
            { jpeg2.followers[0], OrphanGroup::jpeg, jpeg2.id() },
            { sidecar.file, OrphanGroup::sidecar, std::nullopt } }));
    EXPECT_EQ(plan.lines(),
        (QList<MovePlan::Line> { { OrphanGroup::raw, 1, 2, 120 }, { OrphanGroup::jpeg, 2, 2, 220 },
            { OrphanGroup::sidecar, 1, 0, 100 } }));
    EXPECT_EQ(plan.totalSize(), 440);
    // In numeric, case-sensitive order.
    EXPECT_EQ(plan.folders(), QStringList({ "", "Shoot 2", "Shoot 10", "shoot 1" }));

    EXPECT_TRUE(MovePlan::make({ raw }, {}).isEmpty());
    EXPECT_TRUE(MovePlan::make({ raw }, { u"elsewhere.CR3"_qs }).lines().isEmpty());
}
