#version 450 core
// The block holds the transpose of a row-vector matrix; std140 reads it column by column, so the
// shader sees the matrix itself and multiplies with the position on the left.
layout(std140, binding = 0) uniform CBufferPerObject
{
    mat4 WorldViewProjection;
};

layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec2 TEXCOORD;

out gl_PerVertex
{
    vec4 gl_Position;
};
layout(location = 0) out vec2 vTexCoord;

void main()
{
    gl_Position = POSITION * WorldViewProjection;
    vTexCoord = TEXCOORD;
}
