#version 450 core
layout(binding = 0) uniform sampler2D ColorTexture;

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    FragColor = texture(ColorTexture, vTexCoord);
}
