#include "app/desktop/Mp3.h"

#include "MusicLength.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include <cmath>

namespace Pellora::Desktop {

Mp3::Mp3() = default;

Mp3::~Mp3()
{
    Close();
}

bool Mp3::Open(const QString& path)
{
    Close();
    const auto length = path.isEmpty() ? std::nullopt : Export::MusicLengthSeconds(path.toStdString());
    if (!length) {
        return false;
    }
    mAudioOutput = std::make_unique<QAudioOutput>();
    mPlayer = std::make_unique<QMediaPlayer>();
    mPlayer->setAudioOutput(mAudioOutput.get());
    QObject::connect(mPlayer.get(), &QMediaPlayer::seekableChanged, mPlayer.get(), [this](bool seekable) {
        if (seekable && mPendingSeekMs) {
            mPlayer->setPosition(*mPendingSeekMs);
            mPendingSeekMs.reset();
        }
    });
    mPlayer->setSource(QUrl::fromLocalFile(path));
    mReady = mPlayer->error() == QMediaPlayer::NoError;
    mDuration = static_cast<std::int64_t>(std::llround(*length * 1e7));
    return mReady;
}

void Mp3::Close()
{
    if (mPlayer) {
        mPlayer->stop();
    }
    mPlayer.reset();
    mAudioOutput.reset();
    mReady = false;
    mDuration = 0;
    mPendingSeekMs.reset();
}

void Mp3::Run()
{
    if (mReady) {
        mPlayer->play();
    }
}

void Mp3::Pause()
{
    if (mReady) {
        mPlayer->pause();
    }
}

void Mp3::Stop()
{
    if (mReady) {
        mPlayer->stop();
    }
}

void Mp3::Seek(double seconds)
{
    if (!mReady) {
        return;
    }
    const auto milliseconds = static_cast<qint64>(std::llround(seconds * 1000.0));
    if (mPlayer->isSeekable()) {
        mPlayer->setPosition(milliseconds);
    } else {
        mPendingSeekMs = milliseconds;
    }
}

double Mp3::Position() const
{
    return mReady ? static_cast<double>(mPlayer->position()) / 1000.0 : 0.0;
}

} // namespace Pellora::Desktop
