#pragma once

// Turns photos into square canvases: the photo fitted inside a white border at the canvas's top-left,
// softly shaded corners, an optional Gaussian blur. Consumers show the texture range
// [0, texRight] x [0, texBottom] of a canvas.

#include <QBrush>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <vector>

class QPainter;

namespace Rendering {

struct PreparedPhoto
{
    std::filesystem::path path;  // as listed in PhotoCanvasMaker::photoPaths
    // The canvas, uintDim x uintDim, premultiplied BGRA (Format_ARGB32_Premultiplied). QImage shares
    // its pixels between copies, so copying a record shares the bitmap.
    QImage bitmap;
    float texRight = 0.0f;   // horizontal fraction of the canvas covered by the framed photo
    float texBottom = 0.0f;  // vertical fraction covered by the framed photo
};

// One preparation run: fill the parameters, call prepare(), take results. Runs on the thread that
// assembles the show; only the blur fans out to worker threads.
class PhotoCanvasMaker
{
public:
    float canvasSize = 1024.0f;    // pixels per side
    std::uint32_t blurRadius = 1;  // pixels; 0 and 1 mean no blur
    float margin = 0.0f;           // pixels between the canvas's top-left and the white border
    float borderWidth = 24.0f;     // pixels of white around the photo
    bool blurEnabled = true;
    bool cornerShading = true;
    std::vector<std::filesystem::path> photoPaths;
    // When not empty, every canvas is also written to dumpFolder + "aaa<i>.png" (plain
    // concatenation: the folder must end with a separator).
    std::filesystem::path dumpFolder;
    std::vector<PreparedPhoto> results;

    // Prepares every photo of photoPaths that exists and decodes, in order. A missing path, a folder
    // or a file that is not a readable picture yields no record. Throws Library::ComException when
    // the canvas cannot be created or the dump cannot be written.
    void prepare();

private:
    void CreateTarget();
    bool DrawPhoto(const std::filesystem::path& photoFile, PreparedPhoto& record);
    void DrawShadedCorners(QPainter& painter, float right, float bottom) const;
    void BlurResults();
    void DumpResults() const;

    unsigned UintDim() const;

    QImage m_WicBitmap;  // the working canvas, reused for every photo
    QBrush m_Brush;      // white border fill
};

// Writes bitmap as PNG, or as JPEG when fileName ends in ".jpg", ".jpeg" or ".jpg+" (case-sensitive).
// An existing file is replaced. Throws Library::ComException when the file cannot be written.
void SaveBitmapToFile(const QImage& bitmap, const std::filesystem::path& fileName);

// Separable Gaussian blur of a square premultiplied image in place; radius <= 1 leaves it untouched.
// Taps outside the image are left out and the remaining weights renormalised.
void GaussianBlur(QImage& image, std::uint32_t radius);

}  // namespace Rendering
