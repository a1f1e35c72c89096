#version 450 core
// Four bands of colour tint over the photo, wiped off band by band as s_swipe runs from 0 to 1.
layout(binding = 0) uniform sampler2D ColorTexture;

// Pixel-stage constant slots b0, b1. Colours are (hue in degrees, saturation, value, opacity).
layout(std140, binding = 8) uniform CColorBufferPerObject
{
    vec4 s_color1;
    vec4 s_color2;
    vec4 s_color3;
    vec4 s_color4;
};

layout(std140, binding = 9) uniform CInfoBufferPerObject
{
    int s_left2right;
    float s_tint_add;
    float s_swipe;
    float s_img_width;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

vec3 HSVtoRGB(float H, float S, float L)
{
    if (S <= 0.0) {
        return vec3(L);
    }
    if (H >= 360.0) {
        H = 0.0;
    }
    float h = H / 60.0;
    int i = int(h);
    float f = h - float(i);
    float p = L * (1.0 - S);
    float q = L * (1.0 - S * f);
    float t = L * (1.0 - S * (1.0 - f));
    switch (i) {
    case 0: return vec3(L, t, p);
    case 1: return vec3(q, L, p);
    case 2: return vec3(p, L, t);
    case 3: return vec3(p, q, L);
    case 4: return vec3(t, p, L);
    default: return vec3(L, p, q);
    }
}

void main()
{
    vec3 photo = texture(ColorTexture, vTexCoord).rgb;
    float L = min(0.3 * photo.r + 0.59 * photo.g + 0.11 * photo.b + s_tint_add, 1.0);
    float u = vTexCoord.x;
    float W = s_img_width;
    float q = 0.25 * W;
    float s = q * s_swipe;
    vec4 colours[4] = vec4[4](s_color1, s_color2, s_color3, s_color4);

    vec3 result = photo;
    for (int k = 0; k < 4; ++k) {
        bool inBand = q * float(k) <= u && (u < q * float(k + 1) || (k == 3 && u <= W));
        bool tinted = s_left2right == 1 ? u > q * float(k) + s : u < q * float(k + 1) - s;
        if (inBand && tinted) {
            vec4 colour = colours[k];
            result = photo * (1.0 - colour.w) + HSVtoRGB(colour.x, colour.y, L) * colour.w;
        }
    }
    FragColor = vec4(result, 1.0);
}
