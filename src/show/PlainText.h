#pragma once

#include "framework/DrawableGameComponent.h"
#include "framework/GpuResources.h"
#include "framework/TextureRes.h"
#include "show/TextLayout.h"
#include "show/TextPipeline.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace Rendering {

// A text drawn into a square bitmap of side textureSize, from its top-left corner, with its
// measured size in pixels.
struct TextBitmap {
    QImage image;
    int width = 0;
    int height = 0;
};

// White text with anti-aliased edges on transparent white (straight alpha).
TextBitmap MakeTextBitmap(int textureSize, const QFont& font, const QString& text);
// The same text as a translucent black shadow on transparent black.
QImage MakeShadowBitmap(int textureSize, const QFont& font, const QString& text);
// The font of the title and "The End": family and pixel size, regular, anti-aliased.
QFont TitleFont(const QString& family, int pixelSize);
// Text is laid out with the application's font database: without a QGuiApplication this throws
// GameException instead of letting Qt abort.
void RequireFontDatabase();

// A text in the middle of the picture with a soft shadow, drawn with the perspective camera from
// startTime for duration seconds: it lifts slowly off its shadow and fades out in its last 0.2 s.
class PlainText : public Library::DrawableGameComponent {
    RTTI_DECLARATIONS(PlainText, Library::DrawableGameComponent)

public:
    PlainText(Library::Game& game, std::shared_ptr<Library::Camera> camera, TextBitmap text, QImage shadow);

    void SetStartTime(float startTime) { mStartTime = startTime; }
    void SetDuration(float duration) { mDuration = duration; }
    void SetDrifting(bool drifting) { mDrifting = drifting; }
    float StartTime() const { return mStartTime; }
    float Duration() const { return mDuration; }
    int TextWidth() const { return mTextWidth; }
    int TextHeight() const { return mTextHeight; }

    void SetUp() override;
    void Render(const Library::FrameTime& frameTime) override;

private:
    void Draw(float t, bool shadow);

    QImage mTextBitmap;
    QImage mShadowBitmap;
    Library::TextureRes mTextTexture;
    Library::TextureRes mShadowTexture;
    int mTextWidth;
    int mTextHeight;
    int mTextureSize;
    float mStartTime = 0.0f;
    float mDuration = TitleDuration;
    bool mDrifting = false;
    float mSizeScale = 1.0f;
    Library::Buffer mVertexBuffer;
    TextPipeline mPipeline;
};

} // namespace Rendering
