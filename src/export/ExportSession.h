#pragma once

#include "ExportJob.h"
#include "ExportProgress.h"
#include "ExportTimings.h"
#include "ShowFormat.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Export {

// One export of a project to an MP4 file, with no window: an encoder thread that owns the
// VideoEncoder and a render thread that owns the show's RenderingGame (see RenderedFrames). The
// owning thread starts it, watches Progress(), may Cancel, and learns the outcome once Finished.
//
//     ExportSession session(job, overrides);
//     session.Start();
//     while (!session.WaitFor(200ms)) { show session.Progress().FramesDone / FramesTotal }
//     session.Succeeded() ? ... : session.ErrorMessage()
class ExportSession {
public:
    // The job's paths, codec and tuning are used as given; its frame size, frame rate, length and
    // music come from the project file, with the overrides applied (the file is never changed).
    // Before anything is rendered the output path is checked (CheckOutputTarget) against the
    // show's own files and mReplaceExisting; a refusal fails the export with its line.
    explicit ExportSession(ExportJob job, ShowOverrides overrides = {});
    // Cancels an export that is still running and waits for its threads.
    ~ExportSession();
    ExportSession(const ExportSession&) = delete;
    ExportSession& operator=(const ExportSession&) = delete;

    // Starts the encoder thread; call once. Set Progress().mOnVideoEncoded before, if wanted.
    void Start();
    // The encoder finalises the frames written so far: the file plays and holds them.
    void Cancel();
    void Wait();
    // True when the export has finished within the timeout.
    bool WaitFor(std::chrono::milliseconds timeout);
    bool Finished() const;

    // The rest holds once Finished() is true.
    // A video file was written: the whole show, or the part before a cancel.
    bool Succeeded() const { return mSucceeded; }
    // One line saying why nothing was written; empty on success.
    const std::string& ErrorMessage() const { return mErrorMessage; }
    // The job as exported, with the format read from the project.
    const ExportJob& Job() const { return mJob; }
    const ExportTimings& Timings() const { return mTimings; }
    // The FFmpeg name of the video encoder used; empty when none was opened.
    const std::string& EncoderName() const { return mEncoderName; }
    // One line per problem the show's preparation worked around (a photo missing or undecodable, a
    // black background...); the export went on without them.
    const std::vector<std::string>& Warnings() const { return mWarnings; }

    // Counters written by the encoder thread; readable at any time.
    ExportProgress& Progress() { return mProgress; }

private:
    void EncoderThreadMain();
    void Encode();
    void MarkFinished();

    ExportJob mJob;               // encoder thread once started
    ShowOverrides mOverrides;
    ExportProgress mProgress;
    ExportTimings mTimings;       // written by the export's threads until finished
    bool mSucceeded = false;      // encoder thread until finished
    std::string mErrorMessage;    // encoder thread until finished
    std::string mEncoderName;     // encoder thread until finished
    std::vector<std::string> mWarnings; // encoder thread until finished
    mutable std::mutex mMutex;
    std::condition_variable mFinishedChanged;
    bool mFinished = false;       // guarded by mMutex
    std::thread mEncoderThread;
};

} // namespace Export
