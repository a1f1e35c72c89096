#pragma once

#include <QImage>

#include <filesystem>

namespace Pellora::Render {

// The demo show's format: what --demo exports.
inline constexpr int kDemoWidth = 1280;
inline constexpr int kDemoHeight = 720;
inline constexpr int kDemoFPS = 30;
inline constexpr unsigned kDemoSeconds = 30;

// Writes the demo show into folder: nine painted photos (JPEG, landscape, square and portrait), two
// of them with end credits, 30 seconds of generated music (WAV) and the project file, which it returns. Throws
// std::runtime_error naming the file that could not be written.
std::filesystem::path WriteDemoShow(const std::filesystem::path& folder);

// The demo's paintings, numbered from 0; index is taken modulo their count. Painted at any size,
// for the benchmarks' large photos too.
int DemoPhotoCount();
QImage PaintDemoPhoto(int index, int width, int height);

// The demo's music: a gentle four-chord progression of sine and triangle tones, 16-bit stereo
// at 44100 Hz, `seconds` long.
void WriteDemoMusic(const std::filesystem::path& path, double seconds);

} // namespace Pellora::Render
