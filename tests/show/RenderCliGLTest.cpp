#include "ShowFixture.h"

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace Rendering::Testing {
namespace {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Far longer than any call here takes; a hung program fails the test instead of the suite.
constexpr int kProcessTimeoutMs = 120000;

CliResult RunCli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(PELLORA_RENDER_PATH), args);
    if (!process.waitForFinished(kProcessTimeoutMs)) {
        process.kill();
        process.waitForFinished(kProcessTimeoutMs);
        return {-1, {}, "(timed out)"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError()};
}

QString Q(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct BadCall {
    const char* name;
    QStringList args;
    const char* message;
    int exitCode = 2; // a wrong command line, unless said otherwise
};

void PrintTo(const BadCall& call, std::ostream* os)
{
    *os << call.name;
}

class RenderCliBadCallTest : public testing::TestWithParam<BadCall> {};

TEST_P(RenderCliBadCallTest, FailsWithOneLine)
{
    const auto result = RunCli(GetParam().args);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    // Qt may warn about the environment first; the program's own message is the last line.
    const auto lines = result.err.trimmed().split('\n');
    EXPECT_TRUE(lines.back().startsWith("pellora-render: ")) << result.err.toStdString();
    EXPECT_TRUE(lines.back().contains(GetParam().message)) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Arguments, RenderCliBadCallTest,
    testing::Values(BadCall{"Unknown", {"--bogus"}, "Unknown option 'bogus'"},
        BadCall{"MissingValue", {"--frame"}, "Missing value after '--frame'"},
        BadCall{"BadSize", {"--timeline", "--size", "0x90"}, "--size needs"},
        BadCall{"BadSizeAfterEquals", {"--timeline", "--size=0x90"}, "--size needs"},
        BadCall{"BadSeconds", {"--frame", "-1", "--out", "x.png"}, "--frame needs a time"},
        BadCall{"BadSeed", {"--timeline", "--seed", "x"}, "--seed needs"},
        BadCall{"NoCommand", {"--seed", "3"}, "nothing to do"},
        BadCall{"ArgumentAfterDashes", {"--timeline", "--", "--seed"}, "unexpected argument \"--seed\""},
        BadCall{"TwoCommands", {"--timeline", "--frame", "1"}, "--timeline and --frame cannot be used together"},
        BadCall{"TimelineWithVideo", {"--timeline", "--out", "x.mp4"}, "--out has no effect with --timeline"},
        BadCall{"DemoWithProject", {"--demo", "d.mp4", "--project", "p.txt"}, "--project has no effect with --demo"},
        BadCall{"FrameWithFrameRate", {"--frame", "1", "--out", "x.png", "--fps", "5"},
            "--fps has no effect with --frame"},
        BadCall{"BitRateWithQuality", {"--out", "x.mp4", "--bitrate", "900000"}, "--bitrate has no effect"},
        BadCall{"QualityWithBitRateMode", {"--out", "x.mp4", "--rate-mode", "cbr", "--quality", "50"},
            "--quality has no effect"},
        BadCall{"TuningWithoutHardware", {"--out", "x.mp4", "--hardware", "off", "--threads", "2"},
            "--threads has no effect with --hardware off"},
        BadCall{"OddVideoSize", {"--out", "x.mp4", "--size", "321x180"}, "even width and height"},
        BadCall{"OddDemoSize", {"--demo", "d.mp4", "--size", "320x181"}, "even width and height"},
        BadCall{"VideoNotMp4", {"--out", "x.png"}, "must end in .mp4 or .m4v"},
        BadCall{"DemoNotMp4", {"--demo", "demo.avi"}, "must end in .mp4 or .m4v"},
        BadCall{"FrameNotPng", {"--frame", "1", "--out", "x.mp4"}, "must end in .png"},
        BadCall{"MissingProject", {"--project", "/nonexistent/project.txt", "--timeline"},
            "cannot read project file \"/nonexistent/project.txt\": no such file", 1},
        BadCall{"FrameWithoutOut", {"--project", "/nonexistent/project.txt", "--frame", "1"}, "needs --out", 1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RenderCli, HelpListsEveryOption)
{
    const auto result = RunCli({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--project", "--timeline", "--frame", "--out", "--size", "--seed", "-h, --help",
             "-y, --overwrite", "-q, --quiet", "--version", "Exit status"}) {
        EXPECT_TRUE(result.out.contains(option)) << option;
    }
}

class RenderCliShowTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto a = mShow.AddPhoto("a.png", 64, 48, Qt::red);
        const auto b = mShow.AddPhoto("b.png", 64, 48, Qt::green);
        mProject = mShow.Save(ShowFolder::MakeProject({a, b}, 30));
    }

    ShowFolder mShow;
    std::filesystem::path mProject;
};

// The project of a process substitution is a pipe that can be read only once; the show still
// gets every photo, and the one that is gone is named on stderr.
TEST_F(RenderCliShowTest, ProjectFromAPipeIsShownWithWarnings)
{
    const auto gone = mShow.AddPhoto("gone.png", 64, 48);
    auto project = ShowFolder::MakeProject({mShow.Folder() / "a.png", gone}, 30);
    const auto file = mShow.Save(project, "piped.txt");
    std::filesystem::remove(gone);
    QProcess process;
    process.start("bash", {"-c", "exec \"$0\" --project <(cat \"$1\") --timeline", PELLORA_RENDER_PATH, Q(file)});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray err = process.readAllStandardError();
    ASSERT_EQ(process.exitCode(), 0) << err.toStdString();
    const auto show = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    EXPECT_EQ(show["width"].toInt(), 160);
    EXPECT_FALSE(show["slots"].toArray().isEmpty());
    EXPECT_TRUE(err.contains(("pellora-render: warning: photo \"" + gone.string() + "\" not found").c_str()))
        << err.toStdString();
}

TEST_F(RenderCliShowTest, TimelinePrintsTheAssembledShow)
{
    const auto result = RunCli({"--project", Q(mProject), "--timeline", "--seed", "7"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto show = QJsonDocument::fromJson(result.out).object();
    EXPECT_EQ(show["durationSeconds"].toInt(), 30);
    EXPECT_DOUBLE_EQ(show["showLength"].toDouble(), 29.0);
    EXPECT_DOUBLE_EQ(show["timelineEnd"].toDouble(), 24.0);
    EXPECT_EQ(show["width"].toInt(), 160);
    EXPECT_EQ(show["fps"].toInt(), 30);
    const auto timeline = show["slots"].toArray();
    ASSERT_FALSE(timeline.isEmpty());
    const auto first = timeline[0].toObject();
    EXPECT_EQ(first["effect"].toString(), "TintPhoto");
    EXPECT_DOUBLE_EQ(first["start"].toDouble(), 2.0);
    EXPECT_EQ(first["photoIndex"].toInt(), 0);
    EXPECT_EQ(first["photos"].toArray()[0].toString(), Q(mShow.Folder() / "a.png"));
    const auto components = show["components"].toArray();
    ASSERT_GE(components.size(), 3);
    EXPECT_EQ(components[0].toString(), "PerspectiveCamera");
    EXPECT_EQ(components[1].toString(), "OrthographicCamera");
    EXPECT_EQ(components[2].toString(), "Background");
}

// The listing names every effect and, for an expanding circle, the centres it grows from: the chosen
// point, or the photo's centre (0.5, 0.375 for a 4 x 3 photo) for a point left at (0, 0).
TEST_F(RenderCliShowTest, TimelineListsCircleCentresAndTheEmptySlotsCollage)
{
    auto project = ShowFolder::MakeProject(
        {mShow.Folder() / "a.png", mShow.Folder() / "b.png", mShow.AddPhoto("c.png", 64, 48)}, 60);
    project.m_CirclesInfo = {{{{0.25f, 0.5f}}, FromPath(mShow.Folder() / "b.png")}};
    const auto result = RunCli({"--project", Q(mShow.Save(project, "circles.txt")), "--timeline"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto show = QJsonDocument::fromJson(result.out).object();
    QStringList effects;
    QJsonArray centres;
    double emptySlotStart = -1;
    for (const auto& slot : show["slots"].toArray()) {
        const auto entry = slot.toObject();
        effects.append(entry["effect"].toString());
        if (entry["effect"].toString() == "ExpandingCirclePhoto2") {
            centres = entry["circleCentres"].toArray();
            EXPECT_EQ(entry["photos"].toArray()[0].toString(), Q(mShow.Folder() / "b.png"));
        }
        if (entry["effect"].toString() == "NullPhoto") {
            emptySlotStart = entry["start"].toDouble();
        }
    }
    EXPECT_EQ(effects.mid(0, 7), (QStringList{"TintPhoto", "PixelCheckeredPhoto", "PixelRevealTurningDiamondPhoto",
                                     "PrismPhoto", "PrismPhoto", "NullPhoto", "ExpandingCirclePhoto2"}));
    ASSERT_EQ(centres.size(), 1);
    EXPECT_DOUBLE_EQ(centres[0].toArray()[0].toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(centres[0].toArray()[1].toDouble(), 0.5);
    bool collageAtEmptySlot = false;
    for (const auto& collage : show["collages"].toArray()) {
        collageAtEmptySlot |= collage.toObject()["script"].toInt() == 342 &&
            collage.toObject()["start"].toDouble() == emptySlotStart;
    }
    EXPECT_TRUE(collageAtEmptySlot);
}

// A plain title, "The End" and two end credits in a 30-second show (the photo part ends at 23 s).
TEST_F(RenderCliShowTest, TimelineListsTheTexts)
{
    auto project = ShowFolder::MakeProject({mShow.Folder() / "a.png", mShow.Folder() / "b.png"}, 30);
    project.m_PlainTitleEffect = true;
    project.m_PlainTextTitle = u"Summer";
    for (const auto& photo : project.m_OrigImages) {
        project.m_EndCreditInfo[photo] = {photo, u"DejaVu Sans", u"Cast\nAnna", false};
    }
    const auto result = RunCli({"--project", Q(mShow.Save(project, "texts.txt")), "--timeline"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QStringList texts;
    for (const auto& overlay : QJsonDocument::fromJson(result.out).object()["overlays"].toArray()) {
        const auto entry = overlay.toObject();
        if (entry.contains("text")) {
            texts.append(QString("%1 %2 %3-%4")
                             .arg(entry["component"].toString(), entry["text"].toString())
                             .arg(entry["start"].toDouble(), 0, 'f', 2)
                             .arg(entry["end"].toDouble(), 0, 'f', 2));
        }
    }
    EXPECT_EQ(texts, (QStringList{"PlainText Summer 0.00-1.71", "PlainText The End 20.60-23.00",
                         "PlainWicText Cast\nAnna 23.40-25.40", "PlainWicText Cast\nAnna 27.00-29.40"}));
}

TEST_F(RenderCliShowTest, FrameWritesThePictureAndLeavesTheProjectAlone)
{
    const auto before = ReadFile(mProject);
    const auto png = mShow.Folder() / "frame.png";
    const auto result =
        RunCli({"--project", Q(mProject), "--frame", "0.5", "--out", Q(png), "--size", "96x54", "--seed", "1"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage frame(Q(png));
    EXPECT_EQ(frame.size(), QSize(96, 54));
    EXPECT_EQ(ReadFile(mProject), before);

    const auto tooLate = RunCli({"--project", Q(mProject), "--frame", "31", "--out", Q(png), "-y"});
    EXPECT_NE(tooLate.exitCode, 0);
    EXPECT_TRUE(tooLate.err.contains("after the end")) << tooLate.err.toStdString();

    const auto unwritable = RunCli({"--project", Q(mProject), "--frame", "0.5", "--out",
        Q(mShow.Folder() / "missing" / "frame.png"), "--size", "96x54"});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_TRUE(unwritable.err.contains("cannot write")) << unwritable.err.toStdString();
}

TEST_F(RenderCliShowTest, FrameKeepsExistingFilesAndThePhotos)
{
    const auto png = mShow.Folder() / "frame.png";
    std::ofstream(png) << "an older picture";
    const QStringList frame{"--project", Q(mProject), "--frame", "0.5", "--size", "96x54", "--seed", "1", "--out"};

    const auto refused = RunCli(QStringList(frame) << Q(png));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("already exists")) << refused.err.toStdString();
    EXPECT_EQ(ReadFile(png), "an older picture");

    const auto photo = mShow.Folder() / "a.png";
    const auto photoBytes = ReadFile(photo);
    const auto own = RunCli(QStringList(frame) << Q(photo) << "-y");
    EXPECT_EQ(own.exitCode, 1);
    EXPECT_TRUE(own.err.contains("is the show's own file")) << own.err.toStdString();
    EXPECT_EQ(ReadFile(photo), photoBytes);

    // Through a link the linked picture is replaced and the link stays.
    std::filesystem::create_symlink("frame.png", mShow.Folder() / "link.png");
    const auto linked = RunCli(QStringList(frame) << Q(mShow.Folder() / "link.png") << "--overwrite");
    ASSERT_EQ(linked.exitCode, 0) << linked.err.toStdString();
    EXPECT_TRUE(std::filesystem::is_symlink(mShow.Folder() / "link.png"));
    EXPECT_EQ(QImage(Q(png)).size(), QSize(96, 54));
}

} // namespace
} // namespace Rendering::Testing
