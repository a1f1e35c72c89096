#version 450 core
// A diamond of the second photo grows out of the photo's centre while it turns.
layout(binding = 0) uniform sampler2D ColorTexture;
layout(binding = 1) uniform sampler2D ColorTexture2;

// Pixel-stage constant slots b0, b1.
layout(std140, binding = 8) uniform CGreyBufferPerObject
{
    float Complete;
    float Radius;        // the diamond's half-diagonal is Radius / 2, in texture units
    float Aspect_ratio;  // height / width of the first photo
    float Dummy1;
};

// Stored row by row. std140 reads a mat4 column by column, so RotMat[i][j] here is stored row i,
// column j: the indices below are the stored ones.
layout(std140, binding = 9) uniform CRotMatPerObject
{
    mat4 RotMat;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    float ar = Aspect_ratio;
    vec2 centre = ar <= 1.0 ? vec2(0.5, 0.5 * ar) : vec2(0.5 / ar, 0.5);
    vec2 d = vTexCoord - centre;
    float px = d.x * RotMat[0][0] + d.y * RotMat[0][1] + RotMat[0][3];
    float py = d.x * RotMat[1][0] + d.y * RotMat[1][1] + RotMat[1][3];
    bool inside = abs(px) / Radius + abs(py) / Radius <= 0.5;
    FragColor = inside ? texture(ColorTexture2, vTexCoord) : texture(ColorTexture, vTexCoord);
}
