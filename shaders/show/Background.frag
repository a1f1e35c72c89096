#version 450 core
layout(binding = 0) uniform sampler2D ColorTexture;

// Pixel-stage constant slot 0.
layout(std140, binding = 8) uniform CAlphaBufferPerObject
{
    vec4 Alpha; // only x is read
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    vec4 texel = texture(ColorTexture, vTexCoord);
    float a = Alpha.x;
    FragColor = a != 1.0 ? vec4(texel.rgb * a, texel.a * a + (1.0 - a)) : texel;
}
