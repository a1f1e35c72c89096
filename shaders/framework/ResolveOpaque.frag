#version 450 core
// Averages the four samples of a pixel (the game's targets always have four) and makes it opaque:
// blending leaves translucent alpha in the target, but the finished picture has none. One pass
// instead of a resolve and a masked clear; written out, the four fetches run faster than a loop.
layout(binding = 0) uniform sampler2DMS Samples;

layout(location = 0) out vec4 FragColor;

void main()
{
    const ivec2 pixel = ivec2(gl_FragCoord.xy);
    const vec3 sum = texelFetch(Samples, pixel, 0).rgb + texelFetch(Samples, pixel, 1).rgb
        + texelFetch(Samples, pixel, 2).rgb + texelFetch(Samples, pixel, 3).rgb;
    FragColor = vec4(sum * 0.25, 1.0);
}
