#include "MovePlan.h"

#include "CodingError.h"

#include <gtest/gtest.h>

namespace {

FileEntry file(const QString& path, qint64 size = 10)
{
    return { path, size, FileKinds::fromExtension(RelativePath::extension(path)) };
}

Candidate candidate(const QString& path, OrphanGroup group, QList<FileEntry> followers = {})
{
    return { file(path, 100), group, std::move(followers) };
}

} // namespace

TEST(PlanItem, CodesFollowsOnlyWhenPresent)
{
    const PlanItem ticked { file(QStringLiteral("A/IMG_1.CR3")), OrphanGroup::raw, std::nullopt };
    const PlanItem follower { file(QStringLiteral("A/IMG_1.xmp")), OrphanGroup::raw,
        QStringLiteral("A/IMG_1.CR3") };

    EXPECT_FALSE(ticked.toJson().contains(u"follows"));
    EXPECT_EQ(follower.toJson().value(u"follows").toString(), u"A/IMG_1.CR3");
    EXPECT_EQ(follower.toJson().value(u"group").toString(), u"raw");
    EXPECT_EQ(PlanItem::fromJson(ticked.toJson()), ticked);
    EXPECT_EQ(PlanItem::fromJson(follower.toJson()), follower);

    QJsonObject withNull = ticked.toJson();
    withNull.insert(QStringLiteral("follows"), QJsonValue::Null);
    EXPECT_EQ(PlanItem::fromJson(withNull), ticked);

    QJsonObject unknownGroup = ticked.toJson();
    unknownGroup.insert(QStringLiteral("group"), QStringLiteral("RAW"));
    EXPECT_THROW(PlanItem::fromJson(unknownGroup), CodingError);
    QJsonObject noFile = ticked.toJson();
    noFile.remove(QStringLiteral("file"));
    EXPECT_THROW(PlanItem::fromJson(noFile), CodingError);
}

TEST(MovePlan, TickedFileLeadsItsFollowersUnderItsGroup)
{
    const Candidate raw = candidate(QStringLiteral("A/IMG_1.CR3"), OrphanGroup::raw,
        { file(QStringLiteral("A/IMG_1.CR3.xmp"), 3), file(QStringLiteral("A/IMG_1.dop"), 4) });
    const MovePlan plan = MovePlan::make({ raw }, { raw.id() });

    ASSERT_EQ(plan.fileCount(), 3);
    EXPECT_EQ(plan.items[0], (PlanItem { raw.file, OrphanGroup::raw, std::nullopt }));
    EXPECT_EQ(plan.items[1], (PlanItem { raw.followers[0], OrphanGroup::raw, raw.id() }));
    EXPECT_EQ(plan.items[2], (PlanItem { raw.followers[1], OrphanGroup::raw, raw.id() }));
    EXPECT_EQ(plan.lines(), (QList<MovePlan::Line> { { OrphanGroup::raw, 1, 2, 107 } }));
    EXPECT_EQ(plan.totalSize(), 107);
}

TEST(MovePlan, FollowsCandidateOrderAndTicksOnly)
{
    const Candidate raw = candidate(QStringLiteral("IMG_1.CR3"), OrphanGroup::raw);
    const Candidate untickedRaw = candidate(
        QStringLiteral("IMG_2.CR3"), OrphanGroup::raw, { file(QStringLiteral("IMG_2.xmp")) });
    const Candidate jpeg = candidate(
        QStringLiteral("IMG_3.JPG"), OrphanGroup::jpeg, { file(QStringLiteral("IMG_3.xmp")) });
    const Candidate jpeg2 = candidate(
        QStringLiteral("IMG_4.JPG"), OrphanGroup::jpeg, { file(QStringLiteral("IMG_4.xmp")) });
    const Candidate sidecar = candidate(QStringLiteral("IMG_5.xmp"), OrphanGroup::sidecar);

    // A follower's own path among the ticks brings nothing; a candidate listed twice moves once.
    const MovePlan plan = MovePlan::make({ raw, untickedRaw, jpeg, jpeg2, jpeg, sidecar },
        { raw.id(), QStringLiteral("IMG_2.xmp"), jpeg.id(), jpeg2.id(), sidecar.id() });

    QStringList paths;
    for (const PlanItem& item : plan.items)
        paths.append(item.file.relativePath);
    EXPECT_EQ(paths,
        QStringList(
            { "IMG_1.CR3", "IMG_3.JPG", "IMG_3.xmp", "IMG_4.JPG", "IMG_4.xmp", "IMG_5.xmp" }));
    EXPECT_EQ(plan.fileCount(), 6);
    EXPECT_EQ(plan.lines(),
        (QList<MovePlan::Line> { { OrphanGroup::raw, 1, 0, 100 }, { OrphanGroup::jpeg, 2, 2, 220 },
            { OrphanGroup::sidecar, 1, 0, 100 } }));

    EXPECT_TRUE(MovePlan::make({ raw }, {}).isEmpty());
    EXPECT_TRUE(MovePlan::make({ raw }, { QStringLiteral("elsewhere.CR3") }).lines().isEmpty());
}

TEST(MovePlan, FoldersAreDistinctInNumericCaseSensitiveOrder)
{
    QList<Candidate> candidates;
    QSet<QString> selected;
    for (const char* path : { "Shoot 10/a.CR3", "b.CR3", "Shoot 2/c.CR3", "shoot 1/d.CR3",
             "Shoot 2/e.CR3", "2026-10 Market/f.CR3" }) {
        candidates.append(candidate(QString::fromUtf8(path), OrphanGroup::raw));
        selected.insert(QString::fromUtf8(path));
    }
    EXPECT_EQ(MovePlan::make(candidates, selected).folders(),
        QStringList({ "", "2026-10 Market", "Shoot 2", "Shoot 10", "shoot 1" }));
}
