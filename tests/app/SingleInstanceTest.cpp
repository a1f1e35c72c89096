// One running copy per user: the real program, started twice.
#include <QCoreApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kTimeoutMs = 30000;

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest()
    {
        mEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), mRuntime.path());
        mEnvironment.insert(QStringLiteral("XDG_DATA_HOME"), mData.path());
        mEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    ~SingleInstanceTest() override
    {
        for (QProcess* process : {&mFirst, &mSecond}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(kTimeoutMs);
            }
        }
    }

    void Start(QProcess& process)
    {
        process.setProcessEnvironment(mEnvironment);
        process.start(QStringLiteral(PELLORA_PATH), {});
        ASSERT_TRUE(process.waitForStarted(kTimeoutMs));
    }

    // The running copy answers on its socket once its window is about to open.
    bool Listening() const
    {
        QLocalSocket socket;
        socket.connectToServer(mRuntime.filePath(QStringLiteral("CPelloraAppApp")));
        return socket.waitForConnected(200);
    }

    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication mApp{argc, argv};
    QTemporaryDir mRuntime;
    QTemporaryDir mData;
    QProcessEnvironment mEnvironment = QProcessEnvironment::systemEnvironment();
    QProcess mFirst;
    QProcess mSecond;
};

TEST_F(SingleInstanceTest, ASecondCopySaysSoAndExitsWhileTheFirstRuns)
{
    Start(mFirst);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Listening(); }, kTimeoutMs));
    Start(mSecond);
    ASSERT_TRUE(mSecond.waitForFinished(kTimeoutMs));
    EXPECT_EQ(mSecond.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(mSecond.exitCode(), 0);
    EXPECT_TRUE(mSecond.readAllStandardError().contains("Another instance of Pellora is already running!"));
    EXPECT_EQ(mFirst.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedCopyDoesNotBlockTheNextStart)
{
    Start(mFirst);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Listening(); }, kTimeoutMs));
    mFirst.kill();
    ASSERT_TRUE(mFirst.waitForFinished(kTimeoutMs));
    ASSERT_TRUE(QFile::exists(mRuntime.filePath(QStringLiteral("CPelloraAppApp"))));
    Start(mSecond);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Listening(); }, kTimeoutMs));
    EXPECT_EQ(mSecond.state(), QProcess::Running);
}

} // namespace
