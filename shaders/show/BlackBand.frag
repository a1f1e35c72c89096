#version 450 core
// The dark band: black whose opacity grows as the grey ramp darkens; nothing in its top rows.
layout(binding = 0) uniform sampler2D ColorTexture;

layout(location = 0) in vec2 vTexCoord;
layout(location = 0) out vec4 FragColor;

void main()
{
    vec4 ramp = texture(ColorTexture, vTexCoord);
    float a = vTexCoord.y <= 0.02 ? 0.0 : clamp(1.0 - ramp.r, 0.0, 1.0);
    FragColor = vec4(0.0, 0.0, 0.0, a);
}
