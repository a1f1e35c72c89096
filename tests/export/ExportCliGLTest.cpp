#include "ExportTestShow.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

using namespace ExportTest;

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString Q(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

CliResult Finish(QProcess& process)
{
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError()};
}

CliResult RunCli(const QStringList& args, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELLORA_RENDER_PATH), args);
    return Finish(process);
}

// Qt may warn about the environment first; the program's own message is the last line.
QByteArray LastLine(const QByteArray& text)
{
    return text.trimmed().split('\n').back();
}

QStringList ExportArgs(const ExportTestShow& show, const std::filesystem::path& out)
{
    return {"--project", Q(show.ProjectPath()), "--out", Q(out), "--size", "320x180", "--seed", "3"};
}

struct BadExport {
    const char* mName;
    double mMusicSeconds;
    std::u16string mMusic; // replaces the project's music path when not empty
    // Adds to the arguments and the environment; returns the output path the call uses.
    std::function<std::filesystem::path(const ExportTestShow&, QStringList&, QProcessEnvironment&)> mPrepare;
    const char* mMessage;
};

void PrintTo(const BadExport& bad, std::ostream* os)
{
    *os << bad.mName;
}

class BadExportTest : public ::testing::TestWithParam<BadExport> {};

TEST_P(BadExportTest, FailsWithOneLineAndKeepsWhatWasThere)
{
    const BadExport& bad = GetParam();
    const ExportTestShow show(bad.mMusicSeconds, bad.mMusic);
    QStringList args;
    auto environment = QProcessEnvironment::systemEnvironment();
    const auto out = bad.mPrepare(show, args, environment);
    const bool keepable = std::filesystem::is_directory(out.parent_path());
    if (keepable) {
        std::ofstream(out) << "the user's old video";
    }

    const CliResult result = RunCli(args, environment);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(LastLine(result.err).startsWith("pellora-render: ")) << result.err.toStdString();
    EXPECT_TRUE(LastLine(result.err).contains(bad.mMessage)) << result.err.toStdString();
    if (keepable) {
        EXPECT_EQ(ReadBytes(out), "the user's old video");
    }
    EXPECT_TRUE(show.ProjectUnchanged());
}

std::filesystem::path Into(const std::filesystem::path& out, const ExportTestShow& show, QStringList& args)
{
    args = ExportArgs(show, out);
    return out;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadExportTest,
    ::testing::Values(
        BadExport{"MissingOutputFolder", 0.0, {},
            [](const auto& show, auto& args, auto&) { return Into(show.Folder() / "missing" / "v.mp4", show, args); },
            "Could not open output file"},
        BadExport{"MissingMusic", 0.0, u"/nonexistent/music.mp3",
            [](const auto& show, auto& args, auto&) { return Into(show.Folder() / "v.mp4", show, args); },
            "Could not open music file '/nonexistent/music.mp3'"},
        BadExport{"UnreadableProject", 0.0, {},
            [](const auto& show, auto& args, auto&) {
                const auto out = Into(show.Folder() / "v.mp4", show, args);
                args[1] = Q(show.Folder() / "nothing.txt");
                return out;
            },
            "Cannot read the project file"},
        BadExport{"OddSize", 0.0, {},
            [](const auto& show, auto& args, auto&) {
                const auto out = Into(show.Folder() / "v.mp4", show, args);
                args << "--size" << "321x180";
                return out;
            },
            "The video size 321x180 is not supported"},
        BadExport{"NoOpenGL45", 2.0, {},
            [](const auto& show, auto& args, auto& environment) {
                environment.insert("MESA_GL_VERSION_OVERRIDE", "3.3");
                return Into(show.Folder() / "v.mp4", show, args);
            },
            "The show could not be rendered: "}),
    [](const auto& test) { return std::string(test.param.mName); });

// A folder this user cannot create files in. Permission bits do not stop root, so for root it is
// /sys, where the kernel refuses new files to everyone.
std::filesystem::path UnwritableFolder(const std::filesystem::path& parent)
{
    auto folder = parent / "locked";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (access(folder.c_str(), W_OK) != 0) {
        return folder;
    }
    folder = "/sys";
    const int probe = open((folder / "pellora-probe").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (probe >= 0) {
        close(probe);
        std::filesystem::remove(folder / "pellora-probe");
        return {};
    }
    return folder;
}

TEST(ExportCli, ReadOnlyOutputFolderFails)
{
    const ExportTestShow show;
    const auto folder = UnwritableFolder(show.Folder());
    if (folder.empty()) {
        GTEST_SKIP() << "no folder here refuses this user";
    }
    const CliResult result = RunCli(ExportArgs(show, folder / "v.mp4"));
    EXPECT_EQ(result.exitCode, 1);
    const QByteArray last = LastLine(result.err);
    EXPECT_TRUE(last.contains("Permission denied") || last.contains("Read-only file system")) << result.err.toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder / "v.mp4"));
}

TEST(ExportCli, WritesTheVideoAndPrintsItsPath)
{
    const ExportTestShow show(3.0);
    const auto out = show.Folder() / "v.mp4";
    const CliResult result = RunCli(ExportArgs(show, out) << "--fps" << "5" << "--codec" << "h264" << "--speed" << "0");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed().toStdString(), out.string());
    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo && facts.mAudio);
    EXPECT_EQ(facts.mVideo->mPts.size(), 100u);
    // Progress went to stderr as plain lines, since it is not a terminal.
    EXPECT_TRUE(result.err.contains("100/100 frames 100%")) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains('\r'));
}

TEST(ExportCli, InterruptKeepsAPlayableFileOfTheFramesSoFar)
{
    const ExportTestShow show;
    const auto out = show.Folder() / "v.mp4";
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(PELLORA_RENDER_PATH), ExportArgs(show, out));
    QByteArray err;
    // A progress line past 0 % says frames are being written.
    const QRegularExpression writing("frames +[1-9][0-9]?%");
    while (!writing.match(QString(err)).hasMatch() && process.waitForReadyRead(-1)) {
        err += process.readAllStandardError();
    }
    // A process id of 0 would signal this whole process group.
    ASSERT_EQ(process.state(), QProcess::Running) << err.toStdString();
    ASSERT_GT(process.processId(), 0);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    CliResult result = Finish(process);
    result.err.prepend(err);

    EXPECT_EQ(result.exitCode, 130) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed().toStdString(), out.string());
    const auto match = QRegularExpression("holds the first (\\d+) of 600 frames").match(QString(LastLine(result.err)));
    ASSERT_TRUE(match.hasMatch()) << result.err.toStdString();
    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), match.captured(1).toULongLong());
    EXPECT_LT(facts.mVideo->mPts.size(), 600u);
}

TEST(ExportCli, DemoExportsGeneratedPhotosAndMusic)
{
    const ExportTestShow place;
    const auto out = place.Folder() / "demo.mp4";
    // The demo's own format is 1280x720 at 30 fps; smaller here to keep the test short.
    const CliResult result = RunCli({"--demo", Q(out), "--size", "320x180", "--fps", "5"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed().toStdString(), out.string());
    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo && facts.mAudio);
    EXPECT_EQ(facts.mVideo->mPts.size(), 100u);
    EXPECT_NEAR(facts.mAudio->mDuration, 20.0, 0.05);
}

TEST(ExportCli, HelpListsTheExportOptions)
{
    const CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--demo", "--fps", "--codec", "--bitrate", "--rate-mode", "--quality", "--speed",
             "--threads", "--hardware", "--out FILE.mp4"}) {
        EXPECT_TRUE(result.out.contains(option)) << option;
    }
}

} // namespace
