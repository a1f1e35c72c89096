#include "show/TextPipeline.h"

#include "framework/Camera.h"
#include "framework/DeviceContext.h"
#include "framework/GpuHelpers.h"
#include "show/TextLayout.h"

#include <cstring>

namespace Rendering {

namespace {

constexpr auto TextIndices = QuadIndices<1>();

const std::array<Library::InputElementDesc, 2> VertexLayout = {{
    {"POSITION", 0, Library::Format::R32G32B32A32Float, 0, 0},
    {"TEXCOORD", 0, Library::Format::R32G32Float, 0, Library::AppendAlignedElement},
}};

} // namespace

void TextPipeline::Create(Library::GraphicsDevice& device)
{
    Library::CreateIndexBuffer16(device, TextIndices, mIndexBuffer);
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "show/AlphaTextured.frag", mPixelShader);
    Library::CreateInputLayout(device, VertexLayout, mVertexShader, mInputLayout);
    Library::CreateConstantBuffer(device, sizeof(CBufferPerObject), mTransformBuffer);
    Library::CreateConstantBuffer(device, sizeof(CAlphaBufferPerObject), mAlphaBuffer);
    Library::CreateSamplerState(device, mSampler);
    Library::CreateAlphaBlendState(device, mAlphaBlend);
    Library::CreateNoBlendState(device, mNoBlend);
    Library::CreateDepthAlwaysState(device, mDepthAlways);
    Library::CreateDepthLessEqualState(device, mDepthLessEqual);
}

void TextPipeline::Begin(Library::DeviceContext& context) const
{
    context.OMSetDepthStencilState(&mDepthAlways);
}

void TextPipeline::End(Library::DeviceContext& context) const
{
    context.OMSetDepthStencilState(&mDepthLessEqual);
}

void TextPipeline::DrawQuad(Library::DeviceContext& context, const Library::Buffer& vertexBuffer, const QuadRect& quad,
    const Library::ShaderResourceView& texture, const Library::Camera& camera, std::array<float, 2> offset, float alpha)
{
    std::array<TexturedVertex, 4> vertices{};
    WriteQuad(quad, TextQuadDepth, vertices);
    if (void* mapped = context.Map(vertexBuffer, Library::MapMode::WriteDiscard)) {
        std::memcpy(mapped, vertices.data(), sizeof(vertices));
        context.Unmap(vertexBuffer);
    }
    context.IASetPrimitiveTopology(Library::PrimitiveTopology::TriangleList);
    context.IASetInputLayout(&mInputLayout);
    context.IASetVertexBuffers(0, &vertexBuffer, sizeof(TexturedVertex), 0);
    context.IASetIndexBuffer(&mIndexBuffer, Library::Format::R16UInt, 0);
    context.VSSetShader(&mVertexShader);
    context.PSSetShader(&mPixelShader);
    const auto world = Library::Translation(offset[0], offset[1], TextDepth);
    const CBufferPerObject transformation{Library::Transpose(Library::Multiply(world, camera.ViewProjectionMatrix()))};
    context.UpdateSubresource(mTransformBuffer, &transformation);
    context.VSSetConstantBuffers(0, &mTransformBuffer);
    mAlpha.s_alpha[0] = alpha;
    context.UpdateSubresource(mAlphaBuffer, &mAlpha);
    context.PSSetConstantBuffers(0, &mAlphaBuffer);
    context.PSSetShaderResources(0, texture ? &texture : nullptr);
    context.PSSetSamplers(0, &mSampler);
    context.OMSetBlendState(&mAlphaBlend);
    context.RSSetState(&Library::RasterizerStates::SolidCullBackCcw);
    context.DrawIndexed(static_cast<std::uint32_t>(TextIndices.size()), 0, 0);
    context.OMSetBlendState(&mNoBlend);
}

void CreateTextQuadBuffer(Library::GraphicsDevice& device, Library::Buffer& out)
{
    Library::CreateDynamicVertexBuffer(device, static_cast<std::uint32_t>(4 * sizeof(TexturedVertex)), out);
}

} // namespace Rendering
