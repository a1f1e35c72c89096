#version 450 core
// A checkerboard whose cells are wiped horizontally: the cells of one colour of the board first,
// then those of the other.
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
    float s_Height;
    float s_NumOfRows;
    float s_LeftToRight;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    float cellW = s_Width / s_NumOfStripes;
    float cellH = s_Height / s_NumOfRows;
    float col = floor(vTexCoord.x / cellW);
    float row = floor(vTexCoord.y / cellH);
    bool odd = fract(abs((row + col) / 2.0)) > 0.45;
    float fx = (vTexCoord.x - col * cellW) / cellW;
    float k = s_Complete;
    bool second;
    if (s_LeftToRight > 0.9) {
        second = odd ? fx <= 2.0 * k - 1.0 : fx <= 2.0 * k;
    } else {
        second = odd ? fx <= 1.0 - 2.0 * k : fx <= 2.0 - 2.0 * k;
    }
    FragColor = second ? texture(ColorTexture2, vTexCoord) : texture(ColorTexture, vTexCoord);
}
