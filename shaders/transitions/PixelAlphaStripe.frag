#version 450 core
// Vertical stripes fade from the first photo to the second, each starting a little after its left
// neighbour.
layout(binding = 0) uniform sampler2D ColorTexture;
layout(binding = 1) uniform sampler2D ColorTexture2;

// Pixel-stage constant slots b0, b1.
layout(std140, binding = 8) uniform CInfoBufferPerObject
{
    float s_Complete;
    float s_NumOfStripes;
    float s_EachDuration;
    float s_StartQuantum;
};

layout(std140, binding = 9) uniform CInfoBufferPerObject2
{
    float s_Width;
    float s_Dummy1;
    float s_Dummy2;
    float s_Dummy3;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    float N = s_NumOfStripes;
    float stripe = floor(vTexCoord.x / (s_Width / N));
    float start = stripe * 0.04 + s_StartQuantum;
    float x = (s_Complete - start) / (1.0 / N);
    vec4 A = texture(ColorTexture, vTexCoord);
    vec4 B = texture(ColorTexture2, vTexCoord);
    FragColor = x <= 0.0 ? A : mix(A, B, clamp(x, 0.0, 1.0));
}
