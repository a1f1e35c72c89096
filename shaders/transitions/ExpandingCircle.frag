#version 450 core
// A grey photo whose colour returns in circles around one or two chosen points (or its centre).
layout(binding = 0) uniform sampler2D ColorTexture;

// Pixel-stage constant slots b0, b1.
layout(std140, binding = 8) uniform CGreyBufferPerObject
{
    float Greyness;      // outside the circles: 0 colour .. 1 grey
    float Radius;        // texture units
    float Aspect_ratio;  // height / width of the photo
    float Dummy1;
};

// Points in the photo texture's coordinates; (0, 0) means no point.
layout(std140, binding = 9) uniform CCircleBufferPerObject
{
    float x0;
    float y0;
    float x1;
    float y1;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

float GreyAround(float dist)
{
    if (dist == 0.0) {
        dist = 0.001;
    }
    return dist < Radius ? clamp(dist / Radius * Greyness, 0.0, 1.0) : Greyness;
}

void main()
{
    vec4 col = texture(ColorTexture, vTexCoord);
    vec4 grey = vec4(vec3((0.299 * col.r + 0.587 * col.g + 0.114 * col.b) * 0.33333334), 1.0);
    vec2 p1 = vec2(x0, y0);
    if (x0 == 0.0 && y0 == 0.0) {
        p1 = Aspect_ratio <= 1.0 ? vec2(0.5, 0.5 * Aspect_ratio) : vec2(0.5 / Aspect_ratio, 0.5);
    }
    float d1 = distance(p1, vTexCoord);
    float g = GreyAround(d1);
    if (!(x1 == 0.0 && y1 == 0.0)) {
        vec2 p2 = vec2(x1, y1);
        float d2 = distance(p2, vTexCoord);
        if (d2 < d1) {
            g = GreyAround(d2);
        }
    }
    FragColor = (1.0 - g) * col + g * grey;
}
