#include "framework/GlEnums.h"

namespace Library::GlEnums
{
GLenum InternalFormat(Format format)
{
    switch (format) {
    case Format::R8G8B8A8UNorm:
    case Format::B8G8R8A8UNorm: return GL_RGBA8;
    case Format::D24UNormS8UInt: return GL_DEPTH24_STENCIL8;
    default: return GL_NONE;
    }
}

VertexFormat VertexAttribute(Format format)
{
    switch (format) {
    case Format::R32G32B32A32Float: return {4, GL_FLOAT, GL_FALSE, 16};
    case Format::R32G32B32Float: return {3, GL_FLOAT, GL_FALSE, 12};
    case Format::R32G32Float: return {2, GL_FLOAT, GL_FALSE, 8};
    case Format::R32Float: return {1, GL_FLOAT, GL_FALSE, 4};
    case Format::R32SInt: return {1, GL_INT, GL_FALSE, 4, true};
    case Format::R8G8B8A8UNorm: return {4, GL_UNSIGNED_BYTE, GL_TRUE, 4};
    default: return {};
    }
}

GLenum Comparison(ComparisonFunc func)
{
    switch (func) {
    case ComparisonFunc::Never: return GL_NEVER;
    case ComparisonFunc::Less: return GL_LESS;
    case ComparisonFunc::Equal: return GL_EQUAL;
    case ComparisonFunc::LessEqual: return GL_LEQUAL;
    case ComparisonFunc::Greater: return GL_GREATER;
    case ComparisonFunc::NotEqual: return GL_NOTEQUAL;
    case ComparisonFunc::GreaterEqual: return GL_GEQUAL;
    case ComparisonFunc::Always: return GL_ALWAYS;
    }
    return GL_ALWAYS;
}

GLenum BlendFactor(Blend blend)
{
    switch (blend) {
    case Blend::Zero: return GL_ZERO;
    case Blend::One: return GL_ONE;
    case Blend::SrcColor: return GL_SRC_COLOR;
    case Blend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case Blend::DestAlpha: return GL_DST_ALPHA;
    case Blend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case Blend::DestColor: return GL_DST_COLOR;
    case Blend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
    case Blend::BlendFactor: return GL_CONSTANT_COLOR;
    case Blend::InvBlendFactor: return GL_ONE_MINUS_CONSTANT_COLOR;
    }
    return GL_ONE;
}

GLenum BlendEquation(BlendOp op)
{
    switch (op) {
    case BlendOp::Add: return GL_FUNC_ADD;
    case BlendOp::Subtract: return GL_FUNC_SUBTRACT;
    case BlendOp::RevSubtract: return GL_FUNC_REVERSE_SUBTRACT;
    case BlendOp::Min: return GL_MIN;
    case BlendOp::Max: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum Stencil(StencilOp op)
{
    switch (op) {
    case StencilOp::Keep: return GL_KEEP;
    case StencilOp::Zero: return GL_ZERO;
    case StencilOp::Replace: return GL_REPLACE;
    case StencilOp::IncrSat: return GL_INCR;
    case StencilOp::DecrSat: return GL_DECR;
    case StencilOp::Invert: return GL_INVERT;
    case StencilOp::Incr: return GL_INCR_WRAP;
    case StencilOp::Decr: return GL_DECR_WRAP;
    }
    return GL_KEEP;
}

GLenum Wrap(AddressMode mode)
{
    switch (mode) {
    case AddressMode::Wrap: return GL_REPEAT;
    case AddressMode::Mirror: return GL_MIRRORED_REPEAT;
    case AddressMode::Clamp: return GL_CLAMP_TO_EDGE;
    case AddressMode::Border: return GL_CLAMP_TO_BORDER;
    }
    return GL_CLAMP_TO_EDGE;
}

GLenum Topology(PrimitiveTopology topology)
{
    switch (topology) {
    case PrimitiveTopology::TriangleList: return GL_TRIANGLES;
    case PrimitiveTopology::TriangleStrip: return GL_TRIANGLE_STRIP;
    case PrimitiveTopology::LineList: return GL_LINES;
    }
    return GL_TRIANGLES;
}
}
