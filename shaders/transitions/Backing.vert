#version 450 core
// The open box behind the turning pieces: positions only.
layout(std140, binding = 0) uniform CBufferPerObject
{
    mat4 WorldViewProjection;
};

layout(location = 0) in vec4 POSITION;

out gl_PerVertex
{
    vec4 gl_Position;
};

void main()
{
    gl_Position = POSITION * WorldViewProjection;
}
