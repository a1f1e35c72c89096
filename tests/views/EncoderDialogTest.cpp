#include "views/EncoderDialog.h"

#include "VideoEncoder.h"
#include "WidgetTestSupport.h"
#include "views/EncoderSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

using namespace Pellora::Views;

TEST(EncoderSettingsTest, TextsMapToExportValues)
{
    struct Case {
        const char* name;
        std::int32_t got;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"bit rate abc", BitRateFromText("abc"), 4000000},
        {"bit rate with a letter after it", BitRateFromText("2500000x"), 2500000},
        {"bit rate negative", BitRateFromText("-5"), 4000000},
        {"bit rate too large", BitRateFromText("99999999999"), 4000000},
        {"fps 0", FpsFromText("0"), 30},
        {"fps text", FpsFromText("fast"), 30},
        {"fps 25", FpsFromText("25"), 25},
        {"threads default", ThreadsFromText("Default"), 0},
        {"threads 3", ThreadsFromText("3"), 3},
        {"threads unknown", ThreadsFromText("8"), 0},
        {"equal", SpeedFromText("Equal Speed/Quality"), 50},
        {"fastest", SpeedFromText("Fastest Speed"), 0},
        {"faster", SpeedFromText("Faster Speed"), 20},
        {"fast", SpeedFromText("Fast Speed"), 40},
        {"good", SpeedFromText("Good Quality"), 60},
        {"better", SpeedFromText("Better Quality"), 80},
        {"best", SpeedFromText("Best Quality"), 100},
        {"speed unknown", SpeedFromText("Warp"), 0},
        {"variable", RateModeFromText("Variable Bitrate"), 1},
        {"constant", RateModeFromText("Constant Bitrate"), 3},
        {"quality", RateModeFromText("Quality"), 2},
        {"rate unknown", RateModeFromText("anything"), 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.name;
    }
    EXPECT_EQ(ResolutionFromText("1920x1080"), (std::pair<std::int32_t, std::int32_t>{1920, 1080}));
    EXPECT_EQ(ResolutionFromText("640x480"), (std::pair<std::int32_t, std::int32_t>{640, 480}));
    EXPECT_FALSE(ResolutionFromText("1000x1000"));
}

TEST(OutputCheckTest, FoldersMissingFoldersAndProtectedFilesAreRefusedAndNothingIsChanged)
{
    QTemporaryDir folder;
    const std::filesystem::path root = folder.path().toStdString();
    EXPECT_EQ(CheckOutputFile(root), OutputCheck::AccessDenied);
    EXPECT_EQ(CheckOutputFile(root / "missing" / "video.mp4"), OutputCheck::AccessDenied);
    EXPECT_EQ(CheckOutputFile(root / "new.mp4"), OutputCheck::Usable);
    EXPECT_FALSE(std::filesystem::exists(root / "new.mp4"));
    std::ofstream(root / "old.mp4") << "earlier video";
    EXPECT_EQ(CheckOutputFile(root / "old.mp4"), OutputCheck::Usable);
    EXPECT_EQ(std::filesystem::file_size(root / "old.mp4"), 13u);
    EXPECT_EQ(OutputCheckMessage(OutputCheck::AccessDenied),
        QStringLiteral("Access denied!\nIt cannot be saved!\nChoose another file!"));

    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    std::filesystem::create_directory(root / "locked");
    std::filesystem::permissions(root / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(CheckOutputFile(root / "locked" / "video.mp4"), OutputCheck::AccessDenied);
    std::filesystem::permissions(root / "old.mp4", std::filesystem::perms::owner_read);
    EXPECT_EQ(CheckOutputFile(root / "old.mp4"), OutputCheck::InUse);
    std::filesystem::permissions(root / "locked", std::filesystem::perms::owner_all);
}

class EncoderDialogTest : public ::testing::Test {
protected:
    Pellora::Testing::CapturedMessages mMessages;
    EncoderDialog mDialog;
};

TEST_F(EncoderDialogTest, StartsWithTheDefaults)
{
    EXPECT_EQ(mDialog.CodecList()->itemText(0), QStringLiteral("H264"));
    EXPECT_EQ(mDialog.ResolutionBox()->currentText(), QStringLiteral("1280x720"));
    EXPECT_EQ(mDialog.FpsBox()->currentText(), QStringLiteral("60"));
    EXPECT_EQ(mDialog.BitRateEdit()->text(), QStringLiteral("4000000"));
    EXPECT_EQ(mDialog.ThreadsBox()->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(mDialog.SpeedBox()->currentText(), QStringLiteral("Equal Speed/Quality"));
    EXPECT_EQ(mDialog.RateModeBox()->currentText(), QStringLiteral("Quality"));
    EXPECT_EQ(mDialog.QualitySlider()->value(), 100);
    EXPECT_EQ(mDialog.QualityLabel()->text(), QStringLiteral("100%"));
    mDialog.QualitySlider()->setValue(42);
    EXPECT_EQ(mDialog.QualityLabel()->text(), QStringLiteral("42%"));
}

TEST_F(EncoderDialogTest, OffersHevcWheneverAnyHevcEncoderWorks)
{
    const bool anyHevc = Export::VideoEncoder::HasHevcEncoder(true) || Export::VideoEncoder::HasHevcEncoder(false);
    EXPECT_EQ(mDialog.CodecList()->findText(QStringLiteral("HEVC")) >= 0, anyHevc);
}

TEST_F(EncoderDialogTest, WithoutHardwareTheBoxIsOffButTheTuningStaysUsable)
{
    if (Export::VideoEncoder::HasHardwareH264Encoder()) {
        GTEST_SKIP() << "this machine has a hardware H.264 encoder";
    }
    EXPECT_FALSE(mDialog.HardwareBox()->isChecked());
    EXPECT_FALSE(mDialog.HardwareBox()->isEnabled());
    EXPECT_TRUE(mDialog.ThreadsBox()->isEnabled());
    EXPECT_TRUE(mDialog.SpeedBox()->isEnabled());
    EXPECT_TRUE(mDialog.RateModeBox()->isEnabled());
    EXPECT_TRUE(mDialog.QualitySlider()->isEnabled());
    mDialog.SpeedBox()->setCurrentText(QStringLiteral("Best Quality"));
    const Export::ExportJob job = mDialog.JobFromControls();
    EXPECT_TRUE(job.mHardware) << "the job must let the software encoder apply the tuning";
    EXPECT_EQ(job.mQualityVsSpeed, 100);
}

TEST_F(EncoderDialogTest, TheQualitySliderWorksOnlyInQualityMode)
{
    mDialog.RateModeBox()->setCurrentText(QStringLiteral("Constant Bitrate"));
    EXPECT_FALSE(mDialog.QualitySlider()->isEnabled());
    EXPECT_FALSE(mDialog.QualityLabel()->isEnabled());
    mDialog.RateModeBox()->setCurrentText(QStringLiteral("Quality"));
    EXPECT_TRUE(mDialog.QualitySlider()->isEnabled());
}

TEST_F(EncoderDialogTest, EncodeWithoutAPathAndWithAnUnusablePathStaysInTheDialog)
{
    mDialog.Encode();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("This video file path is not specified!"));
    mDialog.OutputEdit()->setText(QStringLiteral("/nonexistent-folder/video.mp4"));
    mDialog.Encode();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("Access denied!\nIt cannot be saved!\nChoose another file!"));
    EXPECT_EQ(mDialog.TakeSession(), nullptr);
    EXPECT_EQ(mDialog.result(), 0);
}

TEST_F(EncoderDialogTest, ChoosingAnUnusableFileKeepsTheEditAsItWas)
{
    mDialog.ChooseOutput(QStringLiteral("/nonexistent-folder/video.mp4"));
    EXPECT_TRUE(mDialog.OutputEdit()->text().isEmpty());
    EXPECT_EQ(mMessages.All().back().caption, QStringLiteral("Error"));
}

} // namespace
