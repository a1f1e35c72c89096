#pragma once

// Changes photos during the hold by cutting them into strips, each a triangular prism carrying one
// of three photos on each side face, that turn by one or two faces one after another.

#include "TilePhoto.h"

namespace Rendering {

class PrismPhoto : public TilePhoto
{
    RTTI_DECLARATIONS(PrismPhoto, TilePhoto)

public:
    struct StripLayout
    {
        int stripAxis = 1;  // 1: strips stacked, turning about x; 0: side by side, turning about y
        int stripCount = 4;
        bool flipForward = true;
        bool twoFaces = false;  // turn by 240 degrees instead of 120
        bool reverseOrder = false;  // the last strip starts first
    };
    // The show's two layouts: 16 stacked strips turning one face, last first; 20 strips side by
    // side turning two faces backwards.
    static constexpr StripLayout HorizontalStrips{1, 16, true, false, true};
    static constexpr StripLayout VerticalStrips{0, 20, false, true, false};

    PrismPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth, float screenHeight);

    int GetPhotoCount() const override;
    float GetHoldTime() const override;
    int GetEffectId() const override;
    void ComputePieceMatrix(Library::Float4x4& out, const Library::FrameTime& frameTime, float x, int column,
        int row) override;
    // mColumns and mRows from the strip axis and count.
    virtual void ApplyStripLayout();

    // Takes the layout, then ApplyStripLayout and the matching grid. Set before the photos are added.
    void Configure(const StripLayout& layout);

protected:
    std::size_t PhotoInFront() const override;
    void BuildPieces() override;

    int mStripAxis = 1;
    int mStripCount = 4;
    bool mTwoFaces = false;
    bool mReverseOrder = false;
};

}  // namespace Rendering
