#include "CliRunner.h"
#include "TerminalText.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// What a terminal would act on: controls other than the line feeds between lines, and the marks
// that reorder text.
bool reachesTheTerminalRaw(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t unit = c.unicode();
        return (unit < 0x20 && unit != u'\n') || (unit >= 0x7F && unit <= 0x9F)
            || (unit >= 0x202A && unit <= 0x202E) || (unit >= 0x2066 && unit <= 0x2069);
    });
}

// A leftover RAW beside a JPEG pair, both RAWs with hostile names.
const QString titleChange = QStringLiteral("IMG_\x1b]0;owned\x07.CR3");
const QString overwrite = QStringLiteral("IMG_2\rIMG_9.CR3");
const QString reversed = QStringLiteral("IMG_3\u202EGPJ.CR3");

} // namespace

TEST(TerminalText, SpellsOutControlsAndLeavesTheRest)
{
    const std::pair<QString, QString> cases[] = {
        { QStringLiteral("Café/IMG_1.JPG"), QStringLiteral("Café/IMG_1.JPG") },
        { QStringLiteral("a\\b"), QStringLiteral("a\\b") },
        { QStringLiteral("a\tb\nc\rd"), QStringLiteral("a\\tb\\nc\\rd") },
        { QStringLiteral("\x1b[2J\x7f"), QStringLiteral("\\x1B[2J\\x7F") },
        { QStringLiteral("x\u009by"), QStringLiteral("x\\x9By") },
        { QStringLiteral("\u202Eabc\u2066\u200F\u2028"),
            QStringLiteral("\\u202Eabc\\u2066\\u200F\\u2028") },
    };
    for (const auto& [raw, shown] : cases)
        EXPECT_EQ(TerminalText::escaped(raw), shown);
    EXPECT_EQ(TerminalText::escaped(QString(QChar(0))), QStringLiteral("\\x00"));
}

TEST(TerminalText, NamesReachTheTerminalEscapedAndJsonAsTheyAre)
{
    TempFolder shoot;
    for (const QString& name : { titleChange, overwrite, reversed, QStringLiteral("IMG_4.CR3"),
             QStringLiteral("IMG_4.JPG") })
        shoot.write(QStringLiteral("Day\x1b[31m/") + name, "x");
    const QString folder = shoot.path();

    const CliRun scan = runCliInProcess({ QStringLiteral("scan"), folder });
    EXPECT_EQ(scan.exitCode, 0) << scan.err.toStdString();
    EXPECT_FALSE(reachesTheTerminalRaw(scan.out)) << scan.out.toStdString();
    EXPECT_TRUE(scan.out.contains(u"  Day\\x1B[31m/\n")) << scan.out.toStdString();
    EXPECT_TRUE(scan.out.contains(u"    IMG_\\x1B]0;owned\\x07.CR3  ")) << scan.out.toStdString();
    EXPECT_TRUE(scan.out.contains(u"    IMG_2\\rIMG_9.CR3  "));
    EXPECT_TRUE(scan.out.contains(u"    IMG_3\\u202EGPJ.CR3  "));

    const CliRun json
        = runCliInProcess({ QStringLiteral("scan"), QStringLiteral("--json"), folder });
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QStringList listed;
    for (const QJsonValue& candidate : report[u"orphanRaws"].toArray())
        listed.append(candidate[u"path"].toString());
    EXPECT_EQ(listed.size(), 3);
    EXPECT_TRUE(listed.contains(QStringLiteral("Day\x1b[31m/") + titleChange));

    const CliRun move = runCliInProcess({ QStringLiteral("move"), QStringLiteral("--tick"),
        QStringLiteral("raw"), QStringLiteral("--no-only-mixed-folders"), folder });
    EXPECT_EQ(move.exitCode, 0) << move.err.toStdString();
    EXPECT_FALSE(reachesTheTerminalRaw(move.out + move.err)) << move.out.toStdString();

    // Back in place before the restore: those wait, and the report names them.
    shoot.write(QStringLiteral("Day\x1b[31m/") + titleChange, "new");
    shoot.write(QStringLiteral("Day\x1b[31m/") + reversed, "new");
    const CliRun restore
        = runCliInProcess({ QStringLiteral("restore"), folder, QStringLiteral("--all") });
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_FALSE(reachesTheTerminalRaw(restore.out + restore.err)) << restore.out.toStdString();
    EXPECT_TRUE(restore.out.contains(u"  waiting: Day\\x1B[31m/IMG_\\x1B]0;owned\\x07.CR3\n"))
        << restore.out.toStdString();

    const CliRun sessions = runCliInProcess({ QStringLiteral("sessions"), folder });
    EXPECT_FALSE(reachesTheTerminalRaw(sessions.out)) << sessions.out.toStdString();

    const CliRun refused = runCliInProcess({ QStringLiteral("move"), QStringLiteral("--path"),
        QStringLiteral("nothing\x1b[2J.CR3"), folder });
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_FALSE(reachesTheTerminalRaw(refused.err)) << refused.err.toStdString();
}
