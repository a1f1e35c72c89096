#pragma once

#include <cstddef>
#include <vector>

namespace Library
{
// What EGL tells of one device it lists, enough to rank it.
struct DeviceTraits
{
    bool renderNode = false; // the device has a DRM render node: a real graphics chip
    bool software = false;   // Mesa's CPU rasterizer (EGL_MESA_device_software)
};

// The order in which the listed devices are tried: hardware ones first, in the listed order, then
// the software ones; a device that is neither stays out. forceSoftware keeps only the software
// ones (PELLORA_GL_DEVICE=software).
std::vector<std::size_t> DeviceTryOrder(const std::vector<DeviceTraits>& devices, bool forceSoftware);

// Whether the environment asks for the software rasterizer (PELLORA_GL_DEVICE=software).
bool SoftwareDeviceForced();
}
