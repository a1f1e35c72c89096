#include "framework/DeviceChoice.h"

#include <cstdlib>
#include <string_view>

namespace Library
{
std::vector<std::size_t> DeviceTryOrder(const std::vector<DeviceTraits>& devices, bool forceSoftware)
{
    std::vector<std::size_t> order;
    if (!forceSoftware) {
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].renderNode && !devices[i].software) {
                order.push_back(i);
            }
        }
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].software) {
            order.push_back(i);
        }
    }
    return order;
}

bool SoftwareDeviceForced()
{
    const char* choice = std::getenv("PELLORA_GL_DEVICE");
    return choice != nullptr && std::string_view(choice) == "software";
}
}
