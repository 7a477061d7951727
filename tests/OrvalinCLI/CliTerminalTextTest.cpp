#include "CliRunner.h"
#include "JsonStream.h"
#include "JsonText.h"
#include "TerminalText.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// What a terminal would act on: controls other than the line feeds between lines, and the marks
// that reorder text.
const QRegularExpression reachesTheTerminalRaw(
    u"[\\x00-\\x09\\x0B-\\x1F\\x7F-\\x9F\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"_s);

// A leftover RAW beside a JPEG pair, both RAWs with hostile names.
const QString titleChange = u"IMG_\x1b]0;owned\x07.CR3"_s;
const QString overwrite = u"IMG_2\rIMG_9.CR3"_s;
const QString reversed = u"IMG_3\u202EGPJ.CR3"_s;

} // namespace

TEST(TerminalText, SpellsOutControlsAndLeavesTheRest)
{
    // Accents and back slashes stay; line breaks, C0 and C1 controls, DEL, the marks that reorder
    // text and the separators that break lines are spelt out.
    EXPECT_EQ(
        TerminalText::escaped(
            u"Café/IMG_1.JPG a\\b a\tb\nc\rd \x1b[2J\x7f x\u009by \u202Eabc\u2066\u200F\u2028"_s
            + QChar(0)),
        u"Café/IMG_1.JPG a\\b a\\tb\\nc\\rd \\x1B[2J\\x7F x\\x9By "
        "\\u202Eabc\\u2066\\u200F\\u2028\\x00"_s);
}

TEST(TerminalText, NamesReachTheTerminalEscapedAndJsonAsTheyAre)
{
    TempFolder shoot;
    const QString day = u"Day\x1b[31m/"_s;
    for (const QString& name : { titleChange, overwrite, reversed, u"IMG_4.CR3"_s, u"IMG_4.JPG"_s })
        shoot.write(day + name, "x");
    const auto run = [&](const char* line, int exitCode) {
        const CliRun done = runCliInProcess(words(line) << shoot.path());
        EXPECT_EQ(done.exitCode, exitCode) << line << done.err.toStdString();
        EXPECT_FALSE((done.out + done.err).contains(reachesTheTerminalRaw))
            << TerminalText::escaped(done.out + done.err).toStdString();
        return done;
    };

    const CliRun scan = run("scan", 0);
    for (const char16_t* shown : { u"  Day\\x1B[31m/\n", u"    IMG_\\x1B]0;owned\\x07.CR3  ",
             u"    IMG_2\\rIMG_9.CR3  ", u"    IMG_3\\u202EGPJ.CR3  " })
        EXPECT_TRUE(scan.out.contains(shown)) << scan.out.toStdString();

    // JSON carries the names unchanged, the marks that reorder text too.
    const QJsonValue report = json(runCliInProcess(words("scan --json") << shoot.path()));
    // Scripts read the counts by their keys: four RAW files, one twin.
    EXPECT_EQ(
        std::pair(report[u"rawCount"].toInt(), report[u"twinCount"].toInt()), std::pair(4, 1));
    QStringList listed;
    for (const QJsonValue& raw : report[u"orphanRaws"].toArray())
        listed.append(raw[u"path"].toString());
    EXPECT_EQ(listed, QStringList({ day + titleChange, day + overwrite, day + reversed }));

    run("move --tick raw --no-only-mixed-folders", 0);
    // Back in place before the restore: those wait, and the report names them.
    shoot.write(day + titleChange, "new");
    shoot.write(day + reversed, "new");
    const CliRun restore = run("restore --all", 4);
    EXPECT_EQ(restore.out.count(u"  waiting: "_s), 2);
    EXPECT_TRUE(restore.out.contains(u"  waiting: Day\\x1B[31m/IMG_\\x1B]0;owned\\x07.CR3\n"))
        << restore.out.toStdString();
    run("sessions", 0);
    run("move --path nothing\x1b[2J.CR3", 1);
}

TEST(TerminalText, StreamedJsonIsTheDocumentsOwnTextEscapesAndAll)
{
    // Quotes, back slashes, every kind of control, DEL, accents, a character outside the Basic
    // Multilingual Plane and the separators JavaScript cannot take raw.
    const QString hostile = u"\"a\\b\x01\b\f\n\r\t\x1f\x7f é \U0001F4F7 \u2028 "_s + titleChange
        + overwrite + reversed;
    const QJsonObject document { { u"plain"_s, u"Shoot/IMG_0001.CR3"_s }, { hostile, hostile },
        { u"size"_s, 25165824 }, { u"list"_s, QJsonArray { hostile, u""_s, true } } };
    QString streamed;
    QTextStream out(&streamed);
    JsonStream json(out);
    json.beginObject();
    json.member(hostile, hostile);
    json.key(u"list"_s);
    json.beginArray();
    json.value(hostile);
    json.value(QStringView(u""));
    json.value(true);
    json.endArray();
    json.member(u"plain"_s, u"Shoot/IMG_0001.CR3"_s);
    json.member(u"size"_s, qint64(25165824));
    json.endObject();
    json.flush();
    // The document sorts its keys; the stream writes them as they come, here in that order.
    EXPECT_EQ(streamed.toUtf8(), JsonText::pretty(document) + '\n');
}
