#version 450 core
// One triangle that covers the whole target, from the vertex index alone: (-1,-1), (3,-1), (-1,3).

out gl_PerVertex
{
    vec4 gl_Position;
};

void main()
{
    const vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
