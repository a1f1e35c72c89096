#include "DemoContent.h"

#include "project/Paths.h"
#include "project/ProjectSettings.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace Pellora::Render {

namespace {

// ---- Photos: painted scenes. Each painting fills the whole picture; fixed seeds keep the demo
// the same on every run.

using Painting = void (*)(QPainter& painter, double width, double height);

struct DemoPhoto {
    const char* name;
    int width;
    int height;
    Painting paint;
};

QLinearGradient Vertical(double top, double bottom, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient gradient(0.0, top, 0.0, bottom);
    for (const auto& [at, colour] : stops) {
        gradient.setColorAt(at, colour);
    }
    return gradient;
}

void FillSky(QPainter& p, double w, double h, std::initializer_list<std::pair<double, QColor>> stops)
{
    p.fillRect(QRectF(0, 0, w, h), Vertical(0, h, stops));
}

// A ridge across the picture: the area under a wavy line starting at height y.
QPainterPath Ridge(double w, double h, double y, double amplitude, double waves, double phase)
{
    QPainterPath path(QPointF(0, h));
    for (int i = 0; i <= 64; ++i) {
        const double x = w * i / 64.0;
        path.lineTo(x, y - amplitude * std::sin(phase + waves * 2.0 * std::numbers::pi * i / 64.0));
    }
    path.lineTo(w, h);
    path.closeSubpath();
    return path;
}

void Sun(QPainter& p, QPointF centre, double radius, QColor core, QColor glow)
{
    QRadialGradient light(centre, radius * 3.0);
    light.setColorAt(0.0, core);
    light.setColorAt(0.3, glow);
    light.setColorAt(1.0, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(centre, radius * 3.0, radius * 3.0);
    p.setBrush(core);
    p.drawEllipse(centre, radius, radius);
}

void Stars(QPainter& p, double w, double h, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double size = 1.0 + 2.5 * unit(random) * unit(random);
        p.setBrush(QColor(255, 255, 230, 120 + static_cast<int>(135 * unit(random))));
        p.drawEllipse(QPointF(w * unit(random), h * unit(random)), size, size);
    }
}

void PaintSunset(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(43, 16, 85)}, {0.45, QColor(212, 65, 142)}, {0.66, QColor(255, 154, 60)}});
    Sun(p, {w * 0.5, h * 0.62}, w * 0.06, QColor(255, 236, 150), QColor(255, 140, 60, 160));
    p.fillRect(QRectF(0, h * 0.66, w, h * 0.34), Vertical(h * 0.66, h, {{0.0, QColor(80, 30, 90)}, {1.0, QColor(15, 10, 40)}}));
    for (int i = 0; i < 14; ++i) {
        const double y = h * (0.68 + 0.022 * i);
        const double half = w * (0.09 - 0.005 * i);
        p.fillRect(QRectF(w * 0.5 - half, y, 2 * half, h * 0.006), QColor(255, 190, 100, 200 - 12 * i));
    }
    p.setBrush(QColor(25, 8, 35));
    p.drawPath(Ridge(w * 0.35, h * 0.7, h * 0.6, h * 0.05, 1.2, 0.5));
}

void PaintMountains(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(70, 130, 200)}, {0.7, QColor(210, 230, 245)}});
    const std::array<QColor, 4> ranges = {
        QColor(150, 170, 200), QColor(95, 120, 160), QColor(55, 80, 115), QColor(30, 50, 70)};
    p.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        QPainterPath range(QPointF(0, h));
        for (int peak = 0; peak <= 6; ++peak) {
            const double top = h * (0.35 + 0.1 * i + 0.08 * std::sin(peak * 2.3 + i));
            range.lineTo(w * (peak - 0.5 + 0.2 * i) / 5.0, peak % 2 == 0 ? top : top + h * 0.15);
        }
        range.lineTo(w, h);
        range.closeSubpath();
        p.setBrush(ranges[i]);
        p.drawPath(range);
    }
    p.setBrush(QColor(245, 250, 255));
    p.drawPolygon(QPolygonF({{w * 0.18, h * 0.33}, {w * 0.14, h * 0.4}, {w * 0.22, h * 0.4}}));
}

void PaintSquares(QPainter& p, double w, double h)
{
    p.fillRect(QRectF(0, 0, w, h), QColor(20, 20, 30));
    p.translate(w / 2, h / 2);
    double side = std::min(w, h) * 0.9;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        p.setBrush(QColor::fromHsvF(std::fmod(0.55 + i * 0.035, 1.0), 0.75, 0.95));
        p.drawRect(QRectF(-side / 2, -side / 2, side, side));
        p.rotate(7.5);
        side *= 0.9;
    }
}

void PaintNightTrees(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(8, 12, 40)}, {0.6, QColor(60, 40, 110)}, {1.0, QColor(150, 80, 120)}});
    Stars(p, w, h * 0.6, 220, 7);
    Sun(p, {w * 0.68, h * 0.2}, w * 0.08, QColor(250, 250, 225), QColor(200, 200, 255, 60));
    p.setBrush(QColor(10, 15, 25));
    for (int i = 0; i < 9; ++i) {
        const double x = w * (i + 0.5) / 9.0;
        const double top = h * (0.62 + 0.08 * std::sin(i * 1.7));
        p.drawPolygon(QPolygonF({{x, top}, {x - w * 0.09, h}, {x + w * 0.09, h}}));
    }
}

void PaintBokeh(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(30, 10, 40)}, {1.0, QColor(5, 20, 45)}});
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const double radius = std::min(w, h) * (0.03 + 0.1 * unit(random));
        QColor colour = QColor::fromHsvF(unit(random), 0.6, 1.0);
        colour.setAlpha(40 + static_cast<int>(90 * unit(random)));
        p.setBrush(colour);
        p.drawEllipse(QPointF(w * unit(random), h * unit(random)), radius, radius);
    }
}

void PaintHills(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(90, 170, 235)}, {0.6, QColor(200, 235, 250)}});
    Sun(p, {w * 0.8, h * 0.18}, w * 0.05, QColor(255, 250, 200), QColor(255, 230, 120, 120));
    p.setBrush(QColor(255, 255, 255, 220));
    for (int i = 0; i < 3; ++i) {
        const QPointF c(w * (0.2 + 0.25 * i), h * (0.15 + 0.05 * i));
        p.drawEllipse(c, w * 0.07, h * 0.04);
        p.drawEllipse(c + QPointF(w * 0.05, -h * 0.02), w * 0.05, h * 0.04);
    }
    const std::array<QColor, 4> greens = {
        QColor(120, 190, 90), QColor(80, 160, 70), QColor(50, 125, 55), QColor(30, 95, 45)};
    for (std::size_t i = 0; i < greens.size(); ++i) {
        p.setBrush(greens[i]);
        p.drawPath(Ridge(w, h, h * (0.55 + 0.1 * i), h * 0.05, 1.0 + 0.4 * i, 1.3 * i));
    }
}

void PaintWaves(QPainter& p, double w, double h)
{
    p.setPen(Qt::NoPen);
    for (int band = 0; band < 12; ++band) {
        p.setBrush(QColor::fromHsvF(0.45 + band * 0.02, 0.7, 1.0 - band * 0.05));
        p.drawPath(Ridge(w, h, h * (0.05 + band * 0.08), h * 0.04, 2.0, band * 0.6));
    }
}

void PaintAurora(QPainter& p, double w, double h)
{
    FillSky(p, w, h, {{0.0, QColor(2, 6, 20)}, {1.0, QColor(10, 30, 50)}});
    Stars(p, w, h * 0.8, 160, 3);
    const std::array<QColor, 3> lights = {QColor(60, 255, 150, 70), QColor(120, 255, 200, 60), QColor(180, 90, 255, 50)};
    for (std::size_t i = 0; i < lights.size(); ++i) {
        QPainterPath ribbon;
        for (int x = 0; x <= 48; ++x) {
            const QPointF point(w * x / 48.0, h * (0.3 + 0.08 * i + 0.1 * std::sin(x * 0.25 + i * 2.0)));
            x == 0 ? ribbon.moveTo(point) : ribbon.lineTo(point);
        }
        p.strokePath(ribbon, QPen(lights[i], h * 0.12, Qt::SolidLine, Qt::RoundCap));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 230, 240));
    p.drawPath(Ridge(w, h, h * 0.85, h * 0.03, 1.5, 0.0));
}

void PaintMosaic(QPainter& p, double w, double h)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> jitter(-0.05, 0.05);
    const int columns = 12;
    const int rows = 12;
    const double cw = w / columns;
    const double ch = h / rows;
    p.setPen(QPen(QColor(250, 245, 235), 3.0));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double hue = std::fmod(0.95 + (r + c) / 40.0 + jitter(random), 1.0);
            const QPointF a(c * cw, r * ch);
            p.setBrush(QColor::fromHsvF(hue, 0.7, 0.9));
            p.drawPolygon(QPolygonF({a, a + QPointF(cw, 0), a + QPointF(0, ch)}));
            p.setBrush(QColor::fromHsvF(std::fmod(hue + 0.08, 1.0), 0.6, 0.75));
            p.drawPolygon(QPolygonF({a + QPointF(cw, 0), a + QPointF(cw, ch), a + QPointF(0, ch)}));
        }
    }
}

constexpr std::array<DemoPhoto, 9> kPhotos = {{
    {"01-sunset.jpg", 1600, 1000, PaintSunset},
    {"02-mountains.jpg", 1600, 900, PaintMountains},
    {"03-squares.jpg", 1200, 1200, PaintSquares},
    {"04-night-trees.jpg", 1000, 1500, PaintNightTrees},
    {"05-bokeh.jpg", 1500, 1000, PaintBokeh},
    {"06-hills.jpg", 1800, 1000, PaintHills},
    {"07-waves.jpg", 1200, 900, PaintWaves},
    {"08-aurora.jpg", 1600, 1067, PaintAurora},
    {"09-mosaic.jpg", 1100, 1100, PaintMosaic},
}};

std::filesystem::path WritePhoto(const std::filesystem::path& folder, std::size_t index)
{
    const DemoPhoto& photo = kPhotos[index];
    const QImage image = PaintDemoPhoto(static_cast<int>(index), photo.width, photo.height);
    const auto path = folder / photo.name;
    if (!image.save(QString::fromStdString(path.string()), "JPEG", 90)) {
        throw std::runtime_error("cannot write the demo photo \"" + path.string() + "\"");
    }
    return path;
}

// ---- Music: a chord progression with a soft pad, a triangle bass and a plucked arpeggio.

constexpr int kSampleRate = 44100;
constexpr double kChordSeconds = 2.5;
constexpr double kReleaseSeconds = 0.3;
constexpr std::array<std::array<int, 3>, 4> kProgression = {{
    {60, 64, 67}, // C major
    {55, 59, 62}, // G major
    {57, 60, 64}, // A minor
    {53, 57, 60}, // F major
}};
constexpr std::array<int, 8> kArpeggio = {0, 1, 2, 1, 3, 2, 1, 2}; // chord tone; 3 = root an octave up

struct Note {
    double start;     // seconds
    double length;    // seconds until the release starts
    int key;          // MIDI note number
    double level;     // peak amplitude
    double pan;       // -1 left .. 1 right
    double attack;    // seconds
    double decay;     // exponential fall per second after the start; 0 holds the level
    bool triangle;    // triangle wave instead of a sine
};

double Frequency(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

double Triangle(double cycles)
{
    return 4.0 * std::abs(cycles - std::floor(cycles) - 0.5) - 1.0;
}

void AddNote(std::vector<float>& stereo, const Note& note)
{
    const auto first = static_cast<std::size_t>(note.start * kSampleRate);
    const auto count = static_cast<std::size_t>((note.length + kReleaseSeconds) * kSampleRate);
    const double frequency = Frequency(note.key);
    const double left = note.level * std::sqrt((1.0 - note.pan) / 2.0);
    const double right = note.level * std::sqrt((1.0 + note.pan) / 2.0);
    for (std::size_t i = 0; i < count && 2 * (first + i) + 1 < stereo.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double envelope = std::min(1.0, t / note.attack) * std::exp(-note.decay * t);
        if (t > note.length) {
            envelope *= std::max(0.0, 1.0 - (t - note.length) / kReleaseSeconds);
        }
        const double cycles = frequency * t;
        const double wave = note.triangle ? Triangle(cycles) : std::sin(2.0 * std::numbers::pi * cycles);
        stereo[2 * (first + i)] += static_cast<float>(wave * envelope * left);
        stereo[2 * (first + i) + 1] += static_cast<float>(wave * envelope * right);
    }
}

void AddChord(std::vector<float>& stereo, double start, const std::array<int, 3>& chord)
{
    for (const int key : chord) {
        AddNote(stereo, {start, kChordSeconds - 0.1, key, 0.08, 0.0, 0.4, 0.0, false});
    }
    AddNote(stereo, {start, kChordSeconds - 0.2, chord[0] - 12, 0.2, 0.0, 0.01, 0.5, true});
    const double step = kChordSeconds / kArpeggio.size();
    for (std::size_t i = 0; i < kArpeggio.size(); ++i) {
        const int key = kArpeggio[i] == 3 ? chord[0] + 24 : chord[kArpeggio[i]] + 12;
        AddNote(stereo, {start + i * step, step, key, 0.12, i % 2 == 0 ? -0.4 : 0.4, 0.005, 3.0, false});
    }
}

// Fades the last seconds out and scales the loudest sample to 80 % of full scale.
void FinishMix(std::vector<float>& stereo)
{
    const std::size_t fade = std::min<std::size_t>(stereo.size(), 2 * kSampleRate * 3 / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        stereo[stereo.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
    float peak = 1e-6f;
    for (const float sample : stereo) {
        peak = std::max(peak, std::abs(sample));
    }
    for (float& sample : stereo) {
        sample *= 0.8f / peak;
    }
}

template <typename T>
void WriteLittleEndian(std::ofstream& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.put(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
    }
}

void WriteWav(const std::filesystem::path& path, const std::vector<float>& stereo)
{
    constexpr std::uint16_t channels = 2;
    constexpr std::uint16_t bytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(stereo.size() * bytesPerSample);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    WriteLittleEndian<std::uint32_t>(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    WriteLittleEndian<std::uint32_t>(out, 16);
    WriteLittleEndian<std::uint16_t>(out, 1); // PCM
    WriteLittleEndian<std::uint16_t>(out, channels);
    WriteLittleEndian<std::uint32_t>(out, kSampleRate);
    WriteLittleEndian<std::uint32_t>(out, kSampleRate * channels * bytesPerSample);
    WriteLittleEndian<std::uint16_t>(out, channels * bytesPerSample);
    WriteLittleEndian<std::uint16_t>(out, 8 * bytesPerSample);
    out.write("data", 4);
    WriteLittleEndian<std::uint32_t>(out, dataBytes);
    for (const float sample : stereo) {
        WriteLittleEndian<std::uint16_t>(out, static_cast<std::uint16_t>(std::lround(sample * 32767.0f)));
    }
    if (!out.flush()) {
        throw std::runtime_error("cannot write the demo music \"" + path.string() + "\"");
    }
}

} // namespace

int DemoPhotoCount()
{
    return static_cast<int>(kPhotos.size());
}

QImage PaintDemoPhoto(int index, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    kPhotos[static_cast<std::size_t>(index) % kPhotos.size()].paint(painter, width, height);
    painter.end();
    return image;
}

void WriteDemoMusic(const std::filesystem::path& path, double seconds)
{
    std::vector<float> stereo(2 * static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
    for (int chord = 0; chord * kChordSeconds < seconds; ++chord) {
        AddChord(stereo, chord * kChordSeconds, kProgression[static_cast<std::size_t>(chord) % kProgression.size()]);
    }
    FinishMix(stereo);
    WriteWav(path, stereo);
}

std::filesystem::path WriteDemoShow(const std::filesystem::path& folder)
{
    ProjectSettings project;
    project.m_ScreenWidth = kDemoWidth;
    project.m_ScreenHeight = kDemoHeight;
    project.m_FPS = kDemoFPS;
    project.m_Duration = kDemoSeconds;
    project.m_PlainTextTitle = u"Pellora Demo";
    for (std::size_t i = 0; i < kPhotos.size(); ++i) {
        project.m_OrigImages.push_back(FromPath(WritePhoto(folder, i)));
        project.m_Thumbnails.emplace_back();
        project.m_Brightness.push_back(100);
    }
    project.SetEndCreditInfo({project.m_OrigImages[0], u"DejaVu Serif", u"Photographs\nPellora Studio", true});
    project.SetEndCreditInfo({project.m_OrigImages[1], u"DejaVu Sans", u"Music\nFour Gentle Chords", false});
    const auto music = folder / "demo-music.wav";
    WriteDemoMusic(music, kDemoSeconds);
    project.m_MP3 = FromPath(music);
    const auto path = folder / "project.txt";
    if (!project.Save(FromPath(path))) {
        throw std::runtime_error("cannot write the demo project \"" + path.string() + "\"");
    }
    return path;
}

} // namespace Pellora::Render
