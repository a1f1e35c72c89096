#pragma once

// A game with a small off-screen target and the textured shader pair, for drawing one quad and
// reading the picture back.
#include "GameFixture.h"

#include "framework/Game.h"
#include "framework/GpuHelpers.h"
#include "framework/TextureRes.h"
#include "framework/VectorMath.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace PelloraTest
{
struct TexturedVertex
{
    float position[4];
    float texcoord[2];
};

struct Pixel
{
    std::uint8_t b = 0;
    std::uint8_t g = 0;
    std::uint8_t r = 0;
    std::uint8_t a = 0;

    bool operator==(const Pixel&) const = default;
};

class QuadScene
{
public:
    explicit QuadScene(std::uint32_t width = 16, std::uint32_t height = 16)
        : mSized(width, height), mGame(mSized.game.get())
    {
        mGame->CreateSizedObjects();
        auto& device = mGame->Device();
        Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
        Library::CreatePixelShader(device, "framework/Textured.frag", mPixelShader);
        const Library::InputElementDesc layout[] = {
            {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
            {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
        };
        Library::CreateInputLayout(device, layout, mVertexShader, mLayout);
        const std::uint16_t indices[] = {0, 1, 2, 0, 2, 3};
        Library::CreateIndexBuffer16(device, indices, mIndexBuffer);
        Library::CreateDynamicVertexBuffer(device, sizeof(TexturedVertex) * 4, mVertexBuffer);
        Library::CreateConstantBuffer(device, 64, mConstants);
        Library::CreateSamplerState(device, mSampler);
        SetColor(QColor(255, 0, 0));
    }

    Library::Game& Game() { return *mGame; }

    void SetColor(const QColor& color)
    {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.fill(color);
        mTexture.CreateFromImage(mGame->Device(), image);
    }

    void SetTexture(const Library::TextureRes& texture) { mTexture = texture; }

    // Which of a pixel's samples the quad may write.
    void SetSampleMask(std::uint32_t mask) { mSampleMask = mask; }

    // Clears to black and draws the quad (left-top, left-bottom, right-bottom, right-top) covering
    // x, y from -half to half in clip space, transformed by matrix (row-vector convention).
    void Draw(const Library::RasterizerState* rasterizer, const Library::BlendState* blend, float half = 0.5f,
        const Library::Float4x4& matrix = Library::Identity(), std::array<float, 4> uv = {0, 0, 1, 1})
    {
        auto& context = mGame->Context();
        context.ClearRenderTargetView(mGame->ColorView(), {0.0f, 0.0f, 0.0f, 1.0f});
        context.ClearDepthStencilView(mGame->DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
        const TexturedVertex quad[] = {
            {{-half, half, 0.5f, 1.0f}, {uv[0], uv[1]}},
            {{-half, -half, 0.5f, 1.0f}, {uv[0], uv[3]}},
            {{half, -half, 0.5f, 1.0f}, {uv[2], uv[3]}},
            {{half, half, 0.5f, 1.0f}, {uv[2], uv[1]}},
        };
        void* mapped = context.Map(mVertexBuffer, Library::MapMode::WriteDiscard);
        std::memcpy(mapped, quad, sizeof(quad));
        context.Unmap(mVertexBuffer);
        const Library::Float4x4 transposed = Library::Transpose(matrix);
        context.UpdateSubresource(mConstants, &transposed);
        context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
        context.IASetInputLayout(&mLayout);
        context.IASetVertexBuffers(0, &mVertexBuffer, sizeof(TexturedVertex), 0);
        context.IASetIndexBuffer(&mIndexBuffer, Library::Format::R16UInt, 0);
        context.VSSetShader(&mVertexShader);
        context.PSSetShader(&mPixelShader);
        context.VSSetConstantBuffers(0, &mConstants);
        context.PSSetShaderResources(0, &mTexture.View);
        context.PSSetSamplers(0, &mSampler);
        context.OMSetBlendState(blend, {}, mSampleMask);
        context.RSSetState(rasterizer);
        context.DrawIndexed(6, 0, 0);
        mGame->Present();
    }

    // The presented picture, top row first.
    std::vector<Pixel> ReadBack()
    {
        const auto bytes = ReadPresentedPicture(*mGame);
        std::vector<Pixel> pixels(bytes.size() / sizeof(Pixel));
        std::memcpy(pixels.data(), bytes.data(), pixels.size() * sizeof(Pixel));
        return pixels;
    }

    Pixel At(const std::vector<Pixel>& pixels, std::uint32_t x, std::uint32_t y) const
    {
        return pixels[std::size_t{y} * mSized.width + x];
    }

private:
    SizedGame mSized;
    Library::Game* mGame;
    Library::VertexShader mVertexShader;
    Library::PixelShader mPixelShader;
    Library::InputLayout mLayout;
    Library::Buffer mIndexBuffer;
    Library::Buffer mVertexBuffer;
    Library::Buffer mConstants;
    Library::SamplerState mSampler;
    Library::TextureRes mTexture;
    std::uint32_t mSampleMask = 0xFFFFFFFFu;
};
}
