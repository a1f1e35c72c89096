#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace Pellora::Views {

// The preview area: paints the picture the preview engine presented last, scaled to fill it, or
// dark grey when nothing plays.
class DXStatic : public QWidget {
    Q_OBJECT

public:
    explicit DXStatic(QWidget* parent = nullptr);

    // Keeps a copy: the engine's picture is valid only during its present callback.
    void SetPicture(const QImage& picture);
    // Back to the grey fill (after Stop).
    void ClearPicture();
    const QImage& Picture() const { return mPicture; }
    // Pictures received since construction; the tests watch frames arrive.
    std::int64_t PicturesReceived() const { return mPicturesReceived; }
    // The render size for the engine in device pixels.
    QSize PixelSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
    std::int64_t mPicturesReceived = 0;
};

} // namespace Pellora::Views
