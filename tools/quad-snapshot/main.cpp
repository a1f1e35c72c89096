// quad-snapshot OUTPUT.png [PHOTO] [WIDTH HEIGHT]
//
// Draws one photo the way the show places it: a quad 1.2 units high, lifted 0.66 towards the
// perspective camera at z = 2, with the textured shader pair, then writes the presented frame.
// Without PHOTO a generated landscape (sky above, ground below, sun at the top right) is used, so
// an upside-down or mirrored result is obvious.

#include "framework/Camera.h"
#include "framework/FrameReader.h"
#include "framework/Game.h"
#include "framework/GameException.h"
#include "framework/GpuHelpers.h"
#include "framework/TextureRes.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace
{
struct TexturedVertex
{
    float position[4];
    float texcoord[2];
};

struct CBufferPerObject
{
    Library::Float4x4 WorldViewProjection;
};
static_assert(offsetof(CBufferPerObject, WorldViewProjection) == 0);
static_assert(sizeof(CBufferPerObject) == 64);

QImage GeneratedLandscape()
{
    QImage image(800, 533, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 320);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(1, QColor(170, 210, 250));
    painter.fillRect(0, 0, 800, 320, sky);
    painter.fillRect(0, 320, 800, 213, QColor(60, 140, 50));
    painter.setBrush(QColor(255, 220, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(650, 100), 60, 60);
    painter.setBrush(QColor(120, 70, 30));
    painter.drawRect(90, 250, 30, 120);
    painter.setBrush(QColor(30, 100, 30));
    painter.drawEllipse(QPoint(105, 230), 70, 60);
    return image;
}

// The photo quad: left-top, left-bottom, right-bottom, right-top, extents from the fitted size.
void PhotoQuad(const Library::TextureRes& photo, TexturedVertex (&quad)[4])
{
    const float w = photo.FloatWidth;
    const float h = photo.FloatHeight;
    const float hh = 0.6f;
    const float hw = hh * w / h;
    const float u = w >= h ? 1.0f : w / h;
    const float v = w >= h ? h / w : 1.0f;
    quad[0] = {{-hw, hh, 0.0f, 1.0f}, {0.0f, 0.0f}};
    quad[1] = {{-hw, -hh, 0.0f, 1.0f}, {0.0f, v}};
    quad[2] = {{hw, -hh, 0.0f, 1.0f}, {u, v}};
    quad[3] = {{hw, hh, 0.0f, 1.0f}, {u, 0.0f}};
}

class Snapshot
{
public:
    Snapshot(std::uint32_t width, std::uint32_t height)
        : mGame(
              [width, height](std::uint32_t& w, std::uint32_t& h) {
                  w = width;
                  h = height;
              },
              Library::TargetKind::ExportWindow)
    {
        mGame.CreateSizedObjects();
        mCamera = std::make_shared<Library::PerspectiveCamera>(mGame, 0.01f, 1000.0f, 45.0f, mGame.AspectRatio());
        mCamera->SetUp();
        mCamera->SetPosition(0.0f, 0.0f, 2.0f);
        mCamera->Advance({});
    }

    void LoadPhoto(const char* path)
    {
        if (path != nullptr) {
            std::uint32_t dim = 0;
            std::uint32_t imageWidth = 0;
            std::uint32_t imageHeight = 0;
            mPhoto.LoadFromFile(mGame.Device(), path, dim, imageWidth, imageHeight);
        } else {
            mPhoto.Upload(mGame.Device(), Library::FitPicture(GeneratedLandscape(), 0));
        }
        if (!mPhoto.View) {
            throw Library::GameException(std::string("Cannot read the photo ") + path);
        }
    }

    QImage Render()
    {
        auto& device = mGame.Device();
        auto& context = mGame.Context();
        Library::VertexShader vertexShader;
        Library::PixelShader pixelShader;
        Library::InputLayout layout;
        Library::Buffer vertices;
        Library::Buffer indices;
        Library::Buffer constants;
        Library::SamplerState sampler;
        Library::CreateVertexShader(device, "framework/Textured.vert", vertexShader);
        Library::CreatePixelShader(device, "framework/Textured.frag", pixelShader);
        const Library::InputElementDesc elements[] = {
            {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
            {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
        };
        Library::CreateInputLayout(device, elements, vertexShader, layout);
        TexturedVertex quad[4];
        PhotoQuad(mPhoto, quad);
        Library::CreateStaticVertexBuffer(device, quad, sizeof(quad), vertices);
        const std::uint16_t quadIndices[] = {0, 1, 2, 0, 2, 3};
        Library::CreateIndexBuffer16(device, quadIndices, indices);
        Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), constants);
        Library::CreateSamplerState(device, sampler);

        const Library::Float4x4 lifted =
            Library::Multiply(Library::Translation(0.0f, 0.0f, 0.66f), mCamera->ViewProjectionMatrix());
        const CBufferPerObject perObject{Library::Transpose(lifted)};
        context.ClearRenderTargetView(mGame.ColorView(), {0.0f, 0.0f, 0.0f, 1.0f});
        context.ClearDepthStencilView(mGame.DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
        context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
        context.IASetInputLayout(&layout);
        context.IASetVertexBuffers(0, &vertices, sizeof(TexturedVertex), 0);
        context.IASetIndexBuffer(&indices, Library::Format::R16UInt, 0);
        context.VSSetShader(&vertexShader);
        context.PSSetShader(&pixelShader);
        context.UpdateSubresource(constants, &perObject);
        context.VSSetConstantBuffers(0, &constants);
        context.PSSetShaderResources(0, &mPhoto.View);
        context.PSSetSamplers(0, &sampler);
        context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
        context.DrawIndexed(6, 0, 0);
        mGame.Present();
        return ReadBack();
    }

private:
    QImage ReadBack()
    {
        Library::FrameReader reader(mGame);
        reader.Request();
        const auto pixels = reader.Collect();
        QImage frame(static_cast<int>(mGame.ScreenWidth()), static_cast<int>(mGame.ScreenHeight()),
            QImage::Format_ARGB32);
        const std::size_t rowBytes = std::size_t{mGame.ScreenWidth()} * 4;
        for (int row = 0; row < frame.height() && !pixels.empty(); ++row) {
            std::memcpy(frame.scanLine(row), pixels.data() + row * rowBytes, rowBytes);
        }
        return frame;
    }

    Library::Game mGame;
    std::shared_ptr<Library::PerspectiveCamera> mCamera;
    Library::TextureRes mPhoto;
};
}

int main(int argc, char** argv)
{
    if (argc < 2 || argc == 4 || argc > 5) {
        std::fprintf(stderr, "usage: quad-snapshot OUTPUT.png [PHOTO] [WIDTH HEIGHT]\n");
        return 2;
    }
    const std::uint32_t width = argc == 5 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 960;
    const std::uint32_t height = argc == 5 ? static_cast<std::uint32_t>(std::stoul(argv[4])) : 540;
    try {
        Snapshot snapshot(width, height);
        snapshot.LoadPhoto(argc >= 3 ? argv[2] : nullptr);
        if (!snapshot.Render().save(argv[1], "PNG")) {
            std::fprintf(stderr, "quad-snapshot: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quad-snapshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
