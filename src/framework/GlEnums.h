#pragma once

// Translation of the GPU layer's descriptions into GL enums; used only inside the framework.
#include "framework/GpuTypes.h"

#include <epoxy/gl.h>

namespace Library::GlEnums
{
struct VertexFormat
{
    GLint components = 0;
    GLenum type = GL_FLOAT;
    GLboolean normalized = GL_FALSE;
    GLuint bytes = 0;
    bool integer = false; // read by the shader as an integer, unconverted
};

GLenum InternalFormat(Format format);
VertexFormat VertexAttribute(Format format);
GLenum Comparison(ComparisonFunc func);
GLenum BlendFactor(Blend blend);
GLenum BlendEquation(BlendOp op);
GLenum Stencil(StencilOp op);
GLenum Wrap(AddressMode mode);
GLenum Topology(PrimitiveTopology topology);
}
