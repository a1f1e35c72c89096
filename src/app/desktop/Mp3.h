#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QAudioOutput;
class QMediaPlayer;

namespace Pellora::Desktop {

// The preview's music player. A file that cannot be played leaves it not ready and every command
// does nothing, so the show plays on without music; a machine without a sound device is the same.
class Mp3 {
public:
    Mp3();
    ~Mp3();
    Mp3(const Mp3&) = delete;
    Mp3& operator=(const Mp3&) = delete;

    // Closes what was open; true when path holds sound that can be played.
    bool Open(const QString& path);
    void Close();
    void Run();
    void Pause();
    void Stop();
    // Absolute position in seconds.
    void Seek(double seconds);

    bool IsReady() const { return mReady; }
    // Length in 100 ns units, as the container states it.
    std::int64_t Duration() const { return mDuration; }
    // Playing position in seconds.
    double Position() const;
    QMediaPlayer* Player() const { return mPlayer.get(); }

private:
    std::unique_ptr<QAudioOutput> mAudioOutput;
    std::unique_ptr<QMediaPlayer> mPlayer;
    bool mReady = false;
    std::int64_t mDuration = 0;
    // A seek asked for while the file still loads; the player would drop it.
    std::optional<qint64> mPendingSeekMs;
};

} // namespace Pellora::Desktop
