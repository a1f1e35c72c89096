#include "framework/GraphicsDevice.h"

#include "framework/GlEnums.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace Library
{
namespace
{
constexpr std::size_t MaxLogLength = 800;

GpuResult Invalid(std::string detail)
{
    return {ResultInvalidArg, std::move(detail)};
}

// Creation-time check only: the pipeline is never stalled by glGetError while frames are drawn.
GpuResult TakeGlError(const char* step)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) {
        return {};
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    return {error == GL_OUT_OF_MEMORY ? ResultOutOfMemory : ResultInvalidArg,
        std::string(step) + " reported GL error " + std::to_string(error)};
}

std::string TrimmedLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    log.erase(std::find(log.begin(), log.end(), '\0'), log.end());
    while (!log.empty() && std::isspace(static_cast<unsigned char>(log.back()))) {
        log.pop_back();
    }
    if (log.size() > MaxLogLength) {
        log.resize(MaxLogLength);
        log += "...";
    }
    return log;
}

GLint MinFilter(Filter filter)
{
    switch (filter) {
    case Filter::MinMagMipPoint: return GL_NEAREST_MIPMAP_NEAREST;
    case Filter::MinMagLinearMipPoint: return GL_LINEAR_MIPMAP_NEAREST;
    case Filter::MinMagMipLinear: return GL_LINEAR_MIPMAP_LINEAR;
    }
    return GL_LINEAR_MIPMAP_LINEAR;
}

GpuResult ValidateBuffer(const BufferDesc& desc, const void* initialData)
{
    if (desc.ByteWidth == 0) {
        return Invalid("a buffer needs at least one byte");
    }
    if (desc.Usage == Usage::Immutable && initialData == nullptr) {
        return Invalid("an immutable buffer needs initial data");
    }
    if ((desc.BindFlags & BindConstantBuffer) != 0 && desc.ByteWidth % 16 != 0) {
        return Invalid("a constant buffer's size must be a multiple of 16 bytes");
    }
    return {};
}

// Buffers rewritten while frames run keep mutable storage, so that a discarding map or a whole
// update can hand the driver fresh memory instead of waiting for earlier draws to finish.
void AllocateStorage(GLuint buffer, const BufferDesc& desc, const void* initialData)
{
    switch (desc.Usage) {
    case Usage::Default: glNamedBufferData(buffer, desc.ByteWidth, initialData, GL_DYNAMIC_DRAW); break;
    case Usage::Dynamic: glNamedBufferData(buffer, desc.ByteWidth, initialData, GL_STREAM_DRAW); break;
    case Usage::Immutable: glNamedBufferStorage(buffer, desc.ByteWidth, initialData, 0); break;
    case Usage::Staging:
        glNamedBufferStorage(buffer, desc.ByteWidth, initialData, GL_MAP_READ_BIT | GL_CLIENT_STORAGE_BIT);
        break;
    }
}

GpuResult ValidateTexture(const Texture2DDesc& desc, const SubresourceData* initialData)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const auto limit = static_cast<std::uint32_t>(maxSize);
    if (desc.Width == 0 || desc.Height == 0 || desc.Width > limit || desc.Height > limit) {
        return Invalid("texture size " + std::to_string(desc.Width) + " x " + std::to_string(desc.Height)
            + " is outside 1.." + std::to_string(limit));
    }
    if (GlEnums::InternalFormat(desc.Format) == GL_NONE || desc.SampleCount == 0) {
        return Invalid("unsupported texture format or sample count");
    }
    if (initialData && (desc.SampleCount > 1 || initialData->Data == nullptr || initialData->RowPitch % 4 != 0
            || initialData->RowPitch < desc.Width * 4)) {
        return Invalid("initial pixels need a single-sample texture and a row pitch of whole pixels");
    }
    return {};
}

void UploadPixels(GLuint texture, const Texture2DDesc& desc, const SubresourceData& initialData)
{
    const GLenum layout = desc.Format == Format::B8G8R8A8UNorm ? GL_BGRA : GL_RGBA;
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(initialData.RowPitch / 4));
    glTextureSubImage2D(texture, 0, 0, 0, static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height),
        layout, GL_UNSIGNED_BYTE, initialData.Data);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}
}

GraphicsDevice::GraphicsDevice() : mContext(std::make_shared<EglContext>())
{
}

void GraphicsDevice::MakeCurrent()
{
    mContext->MakeCurrent();
}

std::uint32_t GraphicsDevice::MaxSampleCount() const
{
    mContext->MakeCurrent();
    GLint colour = 0;
    GLint depth = 0;
    glGetIntegerv(GL_MAX_COLOR_TEXTURE_SAMPLES, &colour);
    glGetIntegerv(GL_MAX_DEPTH_TEXTURE_SAMPLES, &depth);
    return static_cast<std::uint32_t>(std::max(0, std::min(colour, depth)));
}

GlName GraphicsDevice::MakeName(GlKind kind, std::uint32_t name) const
{
    return GlName(kind, name, mContext);
}

GpuResult GraphicsDevice::CreateBuffer(const BufferDesc& desc, const void* initialData, Buffer& out)
{
    mContext->MakeCurrent();
    out = Buffer();
    if (auto invalid = ValidateBuffer(desc, initialData); invalid.Failed()) {
        return invalid;
    }
    GLuint name = 0;
    glCreateBuffers(1, &name);
    GlName owned = MakeName(GlKind::Buffer, name);
    AllocateStorage(name, desc, initialData);
    if (auto error = TakeGlError("glNamedBufferStorage"); error.Failed()) {
        return error;
    }
    out = Buffer(std::move(owned), desc);
    return {};
}

GpuResult GraphicsDevice::CreateTexture2D(
    const Texture2DDesc& desc, const SubresourceData* initialData, std::shared_ptr<Texture2D>& out)
{
    mContext->MakeCurrent();
    out.reset();
    if (auto invalid = ValidateTexture(desc, initialData); invalid.Failed()) {
        return invalid;
    }
    const bool multisampled = desc.SampleCount > 1;
    GLuint name = 0;
    glCreateTextures(multisampled ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D, 1, &name);
    GlName owned = MakeName(GlKind::Texture, name);
    const auto width = static_cast<GLsizei>(desc.Width);
    const auto height = static_cast<GLsizei>(desc.Height);
    if (multisampled) {
        glTextureStorage2DMultisample(name, static_cast<GLsizei>(desc.SampleCount),
            GlEnums::InternalFormat(desc.Format), width, height, GL_TRUE);
    } else {
        glTextureStorage2D(name, 1, GlEnums::InternalFormat(desc.Format), width, height);
        glTextureParameteri(name, GL_TEXTURE_MAX_LEVEL, 0);
        if (initialData) {
            UploadPixels(name, desc, *initialData);
        }
    }
    if (auto error = TakeGlError("glTextureStorage2D"); error.Failed()) {
        return error;
    }
    out = std::make_shared<Texture2D>(std::move(owned), desc);
    return {};
}

GpuResult GraphicsDevice::CreateShaderResourceView(const std::shared_ptr<Texture2D>& texture, ShaderResourceView& out)
{
    out = ShaderResourceView();
    if (!texture || (texture->Desc().BindFlags & BindShaderResource) == 0 || texture->Desc().SampleCount != 1) {
        return Invalid("a shader resource view needs a single-sample texture bound as shader resource");
    }
    out = ShaderResourceView(texture);
    return {};
}

GpuResult GraphicsDevice::CreateRenderTargetView(const std::shared_ptr<Texture2D>& texture, RenderTargetView& out)
{
    mContext->MakeCurrent();
    out = RenderTargetView();
    if (!texture || (texture->Desc().BindFlags & BindRenderTarget) == 0) {
        return Invalid("a render target view needs a texture bound as render target");
    }
    GLuint framebuffer = 0;
    glCreateFramebuffers(1, &framebuffer);
    GlName owned = MakeName(GlKind::Framebuffer, framebuffer);
    glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0, texture->Name(), 0);
    if (glCheckNamedFramebufferStatus(framebuffer, GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        return {ResultFail, "the colour target framebuffer is incomplete"};
    }
    out = RenderTargetView(texture, std::move(owned));
    return {};
}

GpuResult GraphicsDevice::CreateDepthStencilView(const std::shared_ptr<Texture2D>& texture, DepthStencilView& out)
{
    out = DepthStencilView();
    if (!texture || (texture->Desc().BindFlags & BindDepthStencil) == 0
        || texture->Desc().Format != Format::D24UNormS8UInt) {
        return Invalid("a depth-stencil view needs a D24S8 texture bound as depth-stencil");
    }
    out = DepthStencilView(texture);
    return {};
}

GpuResult GraphicsDevice::CreateProgram(
    std::uint32_t stage, std::string_view name, std::string_view source, GlName& out)
{
    mContext->MakeCurrent();
    const std::string text(source);
    const char* sources[] = {text.c_str()};
    const GLuint program = glCreateShaderProgramv(stage, 1, sources);
    GlName owned = MakeName(GlKind::Program, program);
    GLint linked = GL_FALSE;
    if (program != 0) {
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
    }
    if (linked != GL_TRUE) {
        return {ResultFail, std::string(name) + ": " + (program != 0 ? TrimmedLog(program) : "no program")};
    }
    out = std::move(owned);
    return {};
}

template <typename Shader>
GpuResult GraphicsDevice::CreateShader(
    std::uint32_t stage, std::string_view name, std::string_view source, Shader& out)
{
    out = Shader();
    GlName program;
    GpuResult result = CreateProgram(stage, name, source, program);
    if (!result.Failed()) {
        out = Shader(std::move(program), std::string(name));
    }
    return result;
}

GpuResult GraphicsDevice::CreateVertexShader(std::string_view name, std::string_view source, VertexShader& out)
{
    return CreateShader(GL_VERTEX_SHADER, name, source, out);
}

GpuResult GraphicsDevice::CreatePixelShader(std::string_view name, std::string_view source, PixelShader& out)
{
    return CreateShader(GL_FRAGMENT_SHADER, name, source, out);
}

GpuResult GraphicsDevice::CreateComputeShader(std::string_view name, std::string_view source, ComputeShader& out)
{
    return CreateShader(GL_COMPUTE_SHADER, name, source, out);
}

GpuResult GraphicsDevice::CreateInputLayout(
    std::span<const InputElementDesc> elements, const VertexShader& shader, InputLayout& out)
{
    mContext->MakeCurrent();
    out = InputLayout();
    if (!shader || elements.empty()) {
        return Invalid("an input layout needs elements and a vertex shader");
    }
    GLuint vertexArray = 0;
    glCreateVertexArrays(1, &vertexArray);
    GlName owned = MakeName(GlKind::VertexArray, vertexArray);
    std::uint32_t slotOffsets[16] = {};
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const InputElementDesc& element = elements[i];
        const GlEnums::VertexFormat format = GlEnums::VertexAttribute(element.Format);
        if (format.components == 0 || element.InputSlot >= 16) {
            return Invalid(std::string("unsupported input element ") + element.SemanticName);
        }
        const std::uint32_t offset =
            element.AlignedByteOffset == AppendAlignedElement ? slotOffsets[element.InputSlot] : element.AlignedByteOffset;
        const auto location = static_cast<GLuint>(i);
        glEnableVertexArrayAttrib(vertexArray, location);
        if (format.integer) {
            glVertexArrayAttribIFormat(vertexArray, location, format.components, format.type, offset);
        } else {
            glVertexArrayAttribFormat(vertexArray, location, format.components, format.type, format.normalized, offset);
        }
        glVertexArrayAttribBinding(vertexArray, location, element.InputSlot);
        slotOffsets[element.InputSlot] = offset + format.bytes;
    }
    out = InputLayout(std::move(owned));
    return {};
}

GpuResult GraphicsDevice::CreateSamplerState(const SamplerDesc& desc, SamplerState& out)
{
    mContext->MakeCurrent();
    out = SamplerState();
    GLuint sampler = 0;
    glCreateSamplers(1, &sampler);
    GlName owned = MakeName(GlKind::Sampler, sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinFilter(desc.Filter));
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, desc.Filter == Filter::MinMagMipPoint ? GL_NEAREST : GL_LINEAR);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, static_cast<GLint>(GlEnums::Wrap(desc.AddressU)));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, static_cast<GLint>(GlEnums::Wrap(desc.AddressV)));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, static_cast<GLint>(GlEnums::Wrap(desc.AddressW)));
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, desc.MipLODBias);
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, desc.MinLOD);
    glSamplerParameterf(sampler, GL_TEXTURE_MAX_LOD, desc.MaxLOD);
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, desc.BorderColor.data());
    if (auto error = TakeGlError("glSamplerParameter"); error.Failed()) {
        return error;
    }
    out = SamplerState(std::move(owned));
    return {};
}

GpuResult GraphicsDevice::CreateBlendState(const BlendDesc& desc, BlendState& out)
{
    out = BlendState(desc);
    return {};
}

GpuResult GraphicsDevice::CreateDepthStencilState(const DepthStencilDesc& desc, DepthStencilState& out)
{
    out = DepthStencilState(desc);
    return {};
}

GpuResult GraphicsDevice::CreateRasterizerState(const RasterizerDesc& desc, RasterizerState& out)
{
    out = RasterizerState(desc);
    return {};
}
}
