#include "views/ExportDialogs.h"

#include "WidgetTestSupport.h"

#include <QDesktopServices>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::VideoReadyDlg;

// Stands in for the desktop's handler of local files.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls << url; }
};

class ExportDialogsTest : public ::testing::Test {
protected:
    ExportDialogsTest()
    {
        // No file manager of the developer's desktop may open during the tests.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    }

    Pellora::Testing::UsesApp mApp;
    OpenedUrls mOpened;
};

TEST_F(ExportDialogsTest, ProgressRangeIsTheFrameTotal)
{
    Pellora::Views::EncodeProgressDlg progress;
    progress.SetProgress(300, 108000);
    EXPECT_EQ(progress.ProgressBar()->maximum(), 108000);
    EXPECT_EQ(progress.ProgressBar()->value(), 300);
}

TEST_F(ExportDialogsTest, EachButtonEndsTheReadyDialogWithItsChoice)
{
    const std::pair<const char*, int> buttons[] = {
        {"Watch", VideoReadyDlg::Watch}, {"Locate", VideoReadyDlg::Locate}, {"Close", VideoReadyDlg::Close}};
    for (const auto& [text, choice] : buttons) {
        VideoReadyDlg ready;
        EXPECT_EQ(ready.GetChoice(), VideoReadyDlg::None);
        for (QPushButton* button : ready.findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String(text)) {
                button->click();
            }
        }
        EXPECT_EQ(ready.GetChoice(), choice) << text;
        EXPECT_EQ(ready.result(), QDialog::Accepted) << text;
    }
}

TEST_F(ExportDialogsTest, WatchOpensTheVideoLocateItsFolderAndCloseNothing)
{
    const QString video = QStringLiteral("/videos/my summer show.mp4");
    Pellora::Views::OpenVideoChoice(VideoReadyDlg::Close, video);
    Pellora::Views::OpenVideoChoice(VideoReadyDlg::None, video);
    EXPECT_TRUE(mOpened.urls.isEmpty());
    Pellora::Views::OpenVideoChoice(VideoReadyDlg::Watch, video);
    Pellora::Views::OpenVideoChoice(VideoReadyDlg::Locate, video);
    ASSERT_EQ(mOpened.urls.size(), 2);
    EXPECT_EQ(mOpened.urls[0].toLocalFile(), video);
    EXPECT_EQ(mOpened.urls[1].toLocalFile(), QStringLiteral("/videos"));
}

} // namespace

#include "ExportDialogsTest.moc"
