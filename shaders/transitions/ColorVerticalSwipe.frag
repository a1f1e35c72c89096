#version 450 core
// Three bands of the quad are swept one after the other by tinted copies of the second photo; then
// the tint is wiped off in all bands at once.
layout(binding = 0) uniform sampler2D ColorTexture;
layout(binding = 1) uniform sampler2D ColorTexture2;

// Pixel-stage constant slots b0, b1, b2.
layout(std140, binding = 8) uniform CInfoBufferPerObject
{
    float s_width;
    float s_height;
    float s_ani;
    float s_img_height;
};

// (hue in degrees, saturation, value, opacity)
layout(std140, binding = 9) uniform CColorBufferPerObject
{
    vec4 s_color1;
    vec4 s_color2;
    vec4 s_color3;
    vec4 s_color4;
};

layout(std140, binding = 10) uniform CInfoBufferPerObject2
{
    int s_left2right;
    float s_tint_add;
    float s_swipe;
    float s_img_width;
};

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

const float T1 = 0.33333334;
const float T2 = 0.6666667;

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

vec3 Tint(vec3 photo, vec4 colour, float L)
{
    return photo * (1.0 - colour.w) + HSVtoRGB(colour.x, colour.y, L) * colour.w;
}

// band: the coordinate across the bands; y: the scaled coordinate along them.
vec3 Sweep(vec3 first, vec3 tint1, vec3 tint2, vec3 tint3, float band, float y, float r)
{
    float a = s_ani;
    if (a < T1 && band < T1) {
        return y < a / T1 ? tint1 : first;
    }
    if (a >= T1 && band < T1) {
        return tint1;
    }
    if (a < T2 && band < T2) {
        return r - y < (a - T1) / T1 ? tint2 : first;
    }
    if (a >= T2 && band < T2) {
        return tint2;
    }
    return y < (a - T2) / T1 ? tint3 : first;
}

bool StillTinted(float band, bool fromLeft)
{
    float w = T1 * s_swipe;
    if (fromLeft) {
        return (0.0 <= band && band < T1 && w < band)
            || (T1 <= band && band < 2.0 * T1 && T1 + w < band)
            || (2.0 * T1 <= band && band < 3.0 * T1 && 2.0 * T1 + w < band);
    }
    return (0.0 <= band && band < T1 && band < T1 - w)
        || (T1 <= band && band < 2.0 * T1 && band < T1 + (T1 - w))
        || (2.0 * T1 <= band && band < 3.0 * T1 && band < 2.0 * T1 + (T1 - w));
}

void main()
{
    vec3 first = texture(ColorTexture, vTexCoord).rgb;
    vec3 second = texture(ColorTexture2, vTexCoord).rgb;
    float L = min(0.3 * second.r + 0.59 * second.g + 0.11 * second.b + s_tint_add, 1.0);
    vec3 tint1 = Tint(second, s_color1, L);
    vec3 tint2 = Tint(second, s_color2, L);
    vec3 tint3 = Tint(second, s_color3, L);

    bool landscape = s_width >= s_height;
    float r = landscape ? s_height / s_width : s_width / s_height;
    float band = landscape ? vTexCoord.x : vTexCoord.y;
    float y = r * (landscape ? vTexCoord.y : vTexCoord.x);
    vec3 swept = Sweep(first, tint1, tint2, tint3, band, y, r);

    bool fromLeft = landscape && s_left2right == 1;
    FragColor = vec4(StillTinted(band, fromLeft) ? swept : second, 1.0);
}
