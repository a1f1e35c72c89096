#pragma once

#include <cstdint>

namespace Export {

// One picture handed to the encoder: width × height pixels of 4 bytes each, blue, green, red and a
// fourth byte that is ignored (the capture writes 255). The memory belongs to the source and must
// stay unchanged until the source's next NextFrame or Stop call.
struct FrameView {
    const uint8_t* mPixels = nullptr; // the first row in memory
    int32_t mStrideBytes = 0;         // bytes from one memory row to the next, at least width × 4
    bool mBottomUp = true;            // the first memory row is the picture's bottom row
};

// Where the encoder takes its frames from; both calls come on the encoder thread.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Fills frame with the next picture; false when no more frames will come.
    virtual bool NextFrame(FrameView& frame) = 0;
    // The encoder wants no more frames (all written, cancelled or failed). Called once, last.
    virtual void Stop() = 0;
};

} // namespace Export
