#version 450 core
// The pieces of the tile and prism transitions: each vertex names the photo of its face.
layout(std140, binding = 0) uniform CBufferPerObject
{
    mat4 WorldViewProjection;
};

layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec2 TEXCOORD;
layout(location = 2) in int FRONTBACK;

out gl_PerVertex
{
    vec4 gl_Position;
};
layout(location = 0) out vec2 vTexCoord;
layout(location = 1) flat out int vFrontBack;

void main()
{
    gl_Position = POSITION * WorldViewProjection;
    vTexCoord = TEXCOORD;
    vFrontBack = FRONTBACK;
}
