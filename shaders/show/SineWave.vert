#version 450 core
// A ribbon column: displaced by a sine of its column number, coloured by a blend between two of
// four colours that scrolls left with the running time.
layout(std140, binding = 0) uniform CBufferPerObject
{
    mat4 WorldViewProjection;
};

layout(std140, binding = 1) uniform CColorBufferPerObject
{
    vec4 s_color1;
    vec4 s_color2;
    vec4 s_color3;
    vec4 s_color4;
};

layout(std140, binding = 2) uniform CInfoBufferPerObject
{
    float s_shift;
    float amp;
    float s_running_time;
    float s_duration;
};

layout(std140, binding = 3) uniform CAlphaBufferPerObject
{
    vec4 s_alpha;
};

layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec4 COLOR;

out gl_PerVertex
{
    vec4 gl_Position;
};
layout(location = 0) out vec4 vColor;

void main()
{
    // 1000 columns make one period.
    float y = POSITION.y + 0.05 * amp * sin(COLOR.x * 0.006283186 + s_shift);
    gl_Position = vec4(POSITION.x, y, POSITION.z, 1.0) * WorldViewProjection;

    float p = POSITION.x + s_running_time + 1.0;
    float D = s_duration;
    vec4 first = s_color1;
    vec4 second = s_color2;
    float k = 0.0;
    if (p > 4.0 * D) {
        k = 4.0;
    } else if (p > 3.0 * D) {
        k = 3.0;
        first = s_color4;
        second = s_color1;
    } else if (p > 2.0 * D) {
        k = 2.0;
        first = s_color3;
        second = s_color4;
    } else if (p > D) {
        k = 1.0;
        first = s_color2;
        second = s_color3;
    }
    float v = (p - k * D) / D;
    float f = v - trunc(v);
    vec3 colour = first.rgb + f * (second.rgb - first.rgb);
    vColor = vec4(colour * s_alpha.x, 1.0);
}
