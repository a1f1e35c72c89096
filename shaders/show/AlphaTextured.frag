#version 450 core
// Texts and collage photos: the texture's colour as it is, its alpha scaled by the component's
// fade (only the first of the four values is read).
layout(binding = 0) uniform sampler2D ColorTexture;
// Pixel-stage constant slot b0.
layout(std140, binding = 8) uniform CAlphaBufferPerObject
{
    vec4 s_alpha;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    vec4 k = texture(ColorTexture, vTexCoord);
    FragColor = vec4(k.rgb, k.a * s_alpha.x);
}
