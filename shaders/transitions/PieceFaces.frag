#version 450 core
// A face of a tile or prism shows the photo its vertices name; the sides are white.
layout(binding = 0) uniform sampler2D ColorTexture1;
layout(binding = 1) uniform sampler2D ColorTexture2;
layout(binding = 2) uniform sampler2D ColorTexture3;

layout(location = 0) in vec2 vTexCoord;
layout(location = 1) flat in int vFrontBack;
layout(location = 0) out vec4 FragColor;

void main()
{
    if (vFrontBack == 1) {
        FragColor = texture(ColorTexture1, vTexCoord);
    } else if (vFrontBack == 2) {
        FragColor = texture(ColorTexture2, vTexCoord);
    } else if (vFrontBack == 3) {
        FragColor = texture(ColorTexture3, vTexCoord);
    } else {
        FragColor = vec4(1.0);
    }
}
