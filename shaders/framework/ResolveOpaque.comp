#version 450 core
// Averages the four samples of a pixel (the game's targets always have four) and makes it opaque:
// blending leaves translucent alpha in the target, but the finished picture has none. The bytes are
// read and written as integers, which spares the driver two conversions per sample and rounds the
// mean exactly (halves up).
//
// Each invocation walks down its column in steps of the dispatch's height, so any number of work
// groups covers the whole picture; a software rasterizer pays per invocation, so a few rows each
// cost far less than one.
layout(local_size_x = 32, local_size_y = 2) in;

layout(binding = 0, rgba8ui) uniform readonly uimage2DMS Samples;
layout(binding = 1, rgba8ui) uniform writeonly uimage2D Resolved;

void main()
{
    const ivec2 size = imageSize(Resolved);
    ivec2 pixel = ivec2(gl_GlobalInvocationID.xy);
    if (pixel.x >= size.x) {
        return;
    }
    const int step = int(gl_NumWorkGroups.y * gl_WorkGroupSize.y);
    for (; pixel.y < size.y; pixel.y += step) {
        const uvec3 sum = imageLoad(Samples, pixel, 0).rgb + imageLoad(Samples, pixel, 1).rgb
            + imageLoad(Samples, pixel, 2).rgb + imageLoad(Samples, pixel, 3).rgb;
        imageStore(Resolved, pixel, uvec4((sum + 2u) >> 2u, 255u));
    }
}
