#include "ExportTestShow.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/stat.h>
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

// Longer than any export here takes on a loaded machine; a hung program fails the test instead of
// holding up the suite.
constexpr int kProcessTimeoutMs = 180000;

CliResult Finish(QProcess& process)
{
    if (!process.waitForFinished(kProcessTimeoutMs)) {
        process.kill();
        process.waitForFinished(kProcessTimeoutMs);
        return {-1, process.readAllStandardOutput(), process.readAllStandardError() + "\n(timed out)"};
    }
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

// The user's old file stays whatever goes wrong, also when replacing it is allowed.
std::filesystem::path Into(const std::filesystem::path& out, const ExportTestShow& show, QStringList& args)
{
    args = ExportArgs(show, out) << "-y";
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

struct RefusedTarget {
    const char* mName;
    double mMusicSeconds;
    bool mOverwrite;
    // Makes what lies at the target; returns the path given as --out.
    std::function<std::filesystem::path(const ExportTestShow&)> mMake;
    const char* mMessage;
};

void PrintTo(const RefusedTarget& target, std::ostream* os)
{
    *os << target.mName;
}

class RefusedTargetTest : public ::testing::TestWithParam<RefusedTarget> {};

TEST_P(RefusedTargetTest, IsRefusedBeforeRenderingAndLeftAsItWas)
{
    const RefusedTarget& target = GetParam();
    const ExportTestShow show(target.mMusicSeconds);
    const auto out = target.mMake(show);
    const auto typeBefore = std::filesystem::symlink_status(out).type();
    const bool regular = std::filesystem::is_regular_file(out);
    const std::string bytesBefore = regular ? ReadBytes(out) : std::string();
    QStringList args = ExportArgs(show, out);
    if (target.mOverwrite) {
        args << "-y";
    }

    const CliResult result = RunCli(args);
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(LastLine(result.err).contains(target.mMessage)) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("frames")) << "rendered before refusing: " << result.err.toStdString();
    EXPECT_EQ(std::filesystem::symlink_status(out).type(), typeBefore);
    if (regular) {
        EXPECT_EQ(ReadBytes(out), bytesBefore);
    }
    EXPECT_TRUE(PartFiles(show.Folder()).empty());
    EXPECT_TRUE(show.ProjectUnchanged());
}

std::filesystem::path LinkTo(const std::filesystem::path& file, const std::filesystem::path& link)
{
    std::filesystem::create_symlink(file, link);
    return link;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedTargetTest,
    ::testing::Values(
        RefusedTarget{"ExistingFileWithoutOverwrite", 0.0, false,
            [](const auto& show) {
                std::ofstream(show.Folder() / "v.mp4") << "the user's old video";
                return show.Folder() / "v.mp4";
            },
            "already exists; add --overwrite (or -y)"},
        RefusedTarget{"Folder", 0.0, true,
            [](const auto& show) {
                std::filesystem::create_directory(show.Folder() / "v.mp4");
                return show.Folder() / "v.mp4";
            },
            "is a folder"},
        RefusedTarget{"Fifo", 0.0, true,
            [](const auto& show) {
                mkfifo((show.Folder() / "v.mp4").c_str(), 0600);
                return show.Folder() / "v.mp4";
            },
            "is not a regular file"},
        RefusedTarget{"LinkToADevice", 0.0, true,
            [](const auto& show) { return LinkTo("/dev/null", show.Folder() / "null.mp4"); },
            "is not a regular file"},
        RefusedTarget{"LinkToTheProject", 0.0, true,
            [](const auto& show) { return LinkTo(show.ProjectPath(), show.Folder() / "p.mp4"); },
            "is the show's own file"},
        RefusedTarget{"HardLinkToTheMusic", 2.0, true,
            [](const auto& show) {
                std::filesystem::create_hard_link(show.Folder() / "music.wav", show.Folder() / "m.mp4");
                return show.Folder() / "m.mp4";
            },
            "is the show's own file"},
        RefusedTarget{"LinkToAPhoto", 0.0, true,
            [](const auto& show) { return LinkTo("wide.png", show.Folder() / "photo.mp4"); },
            "is the show's own file"}),
    [](const auto& test) { return std::string(test.param.mName); });

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
    // The closing line names the encoder and the renderer that did the work.
    const QByteArray last = LastLine(result.err);
    EXPECT_TRUE(last.startsWith("pellora-render: wrote 100 frames")) << last.toStdString();
    EXPECT_TRUE(QRegularExpression(" with libx264 on \\S").match(QString(last)).hasMatch()) << last.toStdString();
}

TEST(ExportCli, VersionNamesTheRendererAndTheEncoders)
{
    const CliResult result = RunCli({"--version"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString out(result.out);
    EXPECT_TRUE(QRegularExpression("^pellora-render \\d+\\.\\d+\\.\\d+\\n").match(out).hasMatch()) << out.toStdString();
    EXPECT_TRUE(QRegularExpression("\\nOpenGL renderer: (?!none)\\S").match(out).hasMatch()) << out.toStdString();
    EXPECT_TRUE(out.contains("H.264 encoder: libx264 (software), hardware: ")) << out.toStdString();
    EXPECT_TRUE(out.contains("HEVC encoder: ")) << out.toStdString();
}

// Long enough that no machine finishes it before the test has acted on the first frames.
constexpr unsigned kLongShowSeconds = 120;

// An export of a long show running in the background.
class RunningExport {
public:
    RunningExport(const ExportTestShow& show, const std::filesystem::path& out, const QStringList& extra = {})
    {
        mProcess.setReadChannel(QProcess::StandardError);
        mProcess.start(QStringLiteral(PELLORA_RENDER_PATH), ExportArgs(show, out) << extra);
    }

    // Waits until the program reports its first written frames; false when it ended or the time
    // ran out first.
    bool WaitForFirstFrames()
    {
        const QRegularExpression written("pellora-render: [1-9][0-9]*/[0-9]+ frames");
        const QDeadlineTimer deadline(kProcessTimeoutMs);
        while (!written.match(QString(mErr)).hasMatch()) {
            if (deadline.hasExpired() || !mProcess.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                return false;
            }
            mErr += mProcess.readAllStandardError();
        }
        return mProcess.state() == QProcess::Running && mProcess.processId() > 0;
    }

    // Only after WaitForFirstFrames: a process id of 0 would signal this whole process group.
    void Send(int signal) { ::kill(static_cast<pid_t>(mProcess.processId()), signal); }

    CliResult Finish()
    {
        CliResult result = ::Finish(mProcess);
        result.err.prepend(mErr);
        return result;
    }

    std::string Err() const { return mErr.toStdString(); }

private:
    QProcess mProcess;
    QByteArray mErr;
};

struct StopSignal {
    const char* mName;
    int mSignal;
    int mExitCode;
};

void PrintTo(const StopSignal& stop, std::ostream* os)
{
    *os << stop.mName;
}

class StopSignalTest : public ::testing::TestWithParam<StopSignal> {};

TEST_P(StopSignalTest, KeepsAPlayableFileOfTheFramesSoFar)
{
    const ExportTestShow show(0.0, {}, kLongShowSeconds);
    const auto out = show.Folder() / "v.mp4";
    RunningExport running(show, out);
    ASSERT_TRUE(running.WaitForFirstFrames()) << running.Err();
    running.Send(GetParam().mSignal);
    const CliResult result = running.Finish();

    EXPECT_EQ(result.exitCode, GetParam().mExitCode) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed().toStdString(), out.string());
    const auto match = QRegularExpression("holds the first (\\d+) of (\\d+) frames").match(QString(LastLine(result.err)));
    ASSERT_TRUE(match.hasMatch()) << result.err.toStdString();
    EXPECT_EQ(match.captured(2).toInt(), 30 * static_cast<int>(kLongShowSeconds));
    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), match.captured(1).toULongLong());
    EXPECT_LT(facts.mVideo->mPts.size(), 30u * kLongShowSeconds);
    EXPECT_TRUE(PartFiles(show.Folder()).empty());
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalTest,
    ::testing::Values(StopSignal{"Interrupt", SIGINT, 130}, StopSignal{"Terminate", SIGTERM, 143},
        StopSignal{"HangUp", SIGHUP, 129}),
    [](const auto& test) { return std::string(test.param.mName); });

constexpr const char* kOldVideo = "the user's old video";

// An export allowed to replace the user's old file, running until the test stops it.
class ReplacingExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(mOut) << kOldVideo;
        mRunning.emplace(mShow, mOut, QStringList{"-y"});
        ASSERT_TRUE(mRunning->WaitForFirstFrames()) << mRunning->Err();
    }

    const ExportTestShow mShow{0.0, {}, kLongShowSeconds};
    const std::filesystem::path mOut = mShow.Folder() / "v.mp4";
    std::optional<RunningExport> mRunning;
};

TEST_F(ReplacingExportTest, ASecondSignalStopsAtOnceAndKeepsTheOldFile)
{
    // Two different signals: the kernel merges a signal with a repeat of it that is still pending.
    mRunning->Send(SIGHUP);
    mRunning->Send(SIGTERM);
    const CliResult result = mRunning->Finish();

    EXPECT_EQ(result.exitCode, 143) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(LastLine(result.err).contains("stopped at once")) << result.err.toStdString();
    EXPECT_EQ(ReadBytes(mOut), kOldVideo);
    EXPECT_TRUE(PartFiles(mShow.Folder()).empty());
}

// What a killed export leaves is its own part file, never a broken video under the target's name.
TEST_F(ReplacingExportTest, AKilledExportLeavesTheOldFile)
{
    mRunning->Send(SIGKILL);
    mRunning->Finish();

    EXPECT_EQ(ReadBytes(mOut), kOldVideo);
    const auto parts = PartFiles(mShow.Folder());
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].filename().string().rfind("v.mp4.", 0), 0u) << parts[0];
}

TEST(ExportCli, TwoExportsToOneFileNeverLeaveABrokenOne)
{
    const ExportTestShow show;
    const auto out = show.Folder() / "v.mp4";
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite ? "with --overwrite" : "without --overwrite");
        std::filesystem::remove(out);
        QStringList args = ExportArgs(show, out) << "--fps" << "5" << "--speed" << "0";
        if (overwrite) {
            args << "-y";
        }
        QProcess first;
        QProcess second;
        first.start(QStringLiteral(PELLORA_RENDER_PATH), args);
        second.start(QStringLiteral(PELLORA_RENDER_PATH), args);
        const CliResult results[] = {Finish(first), Finish(second)};

        int succeeded = 0;
        for (const CliResult& result : results) {
            if (result.exitCode == 0) {
                ++succeeded;
                continue;
            }
            // Without permission to replace it, the later one must say the file is someone else's.
            EXPECT_FALSE(overwrite) << result.err.toStdString();
            EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
            EXPECT_TRUE(LastLine(result.err).contains("already exists") || LastLine(result.err).contains("someone else"))
                << result.err.toStdString();
        }
        EXPECT_EQ(succeeded, overwrite ? 2 : 1);
        const FileFacts facts = Probe(out);
        ASSERT_TRUE(facts.mVideo);
        EXPECT_EQ(facts.mVideo->mPts.size(), 100u);
        EXPECT_TRUE(PartFiles(show.Folder()).empty());
    }
}

TEST(ExportCli, DemoExportsGeneratedPhotosAndMusic)
{
    const ExportTestShow place;
    const auto out = place.Folder() / "demo.mp4";
    // The demo's own format is 1280x720 at 30 fps; smaller here to keep the test short.
    const CliResult result = RunCli({"--demo", Q(out), "--size", "320x180", "--fps", "5", "--quiet"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed().toStdString(), out.string());
    EXPECT_FALSE(result.err.contains("pellora-render:")) << "not quiet: " << result.err.toStdString();
    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo && facts.mAudio);
    EXPECT_EQ(facts.mVideo->mPts.size(), 150u);
    EXPECT_NEAR(facts.mAudio->mDuration, 30.0, 0.05);
}

TEST(ExportCli, HelpListsTheExportOptions)
{
    const CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--demo", "--fps", "--codec", "--bitrate", "--rate-mode", "--quality", "--speed",
             "--threads", "--hardware", "--out FILE.mp4", "--overwrite", "--quiet", "--version", "143 by SIGTERM"}) {
        EXPECT_TRUE(result.out.contains(option)) << option;
    }
}

} // namespace
