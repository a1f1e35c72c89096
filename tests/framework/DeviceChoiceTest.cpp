#include "framework/DeviceChoice.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Library::DeviceTraits;

struct OrderCase {
    const char* name;
    std::vector<DeviceTraits> devices;
    bool forceSoftware;
    std::vector<std::size_t> expected;
};

class DeviceOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(DeviceOrderTest, HardwareFirstSoftwareLast)
{
    EXPECT_EQ(Library::DeviceTryOrder(GetParam().devices, GetParam().forceSoftware), GetParam().expected);
}

constexpr DeviceTraits kSoftware{false, true};
constexpr DeviceTraits kChip{true, false};
constexpr DeviceTraits kNeither{false, false};

const OrderCase kOrderCases[] = {
    {"MesaListsSoftwareFirst", {kSoftware, kChip}, false, {1, 0}},
    {"TwoChipsKeepTheirOrder", {kChip, kSoftware, kChip}, false, {0, 2, 1}},
    {"ForcedSoftwareSkipsChips", {kSoftware, kChip}, true, {0}},
    {"OnlySoftware", {kSoftware}, false, {0}},
    {"DeviceWithoutNodeIsNoChip", {kNeither, kSoftware}, false, {1}},
    {"SoftwareWithNodeCountsAsSoftware", {DeviceTraits{true, true}, kChip}, false, {1, 0}},
    {"NoDevices", {}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Devices, DeviceOrderTest, testing::ValuesIn(kOrderCases),
    [](const testing::TestParamInfo<OrderCase>& c) { return c.param.name; });

TEST(DeviceChoice, OnlyTheWordSoftwareForcesTheFallback)
{
    const char* previous = std::getenv("PELLORA_GL_DEVICE");
    const std::string saved = previous != nullptr ? previous : "";
    for (const auto& [value, forced] : {std::pair{"software", true}, {"Software", false}, {"gpu", false}, {"", false}}) {
        setenv("PELLORA_GL_DEVICE", value, 1);
        EXPECT_EQ(Library::SoftwareDeviceForced(), forced) << value;
    }
    unsetenv("PELLORA_GL_DEVICE");
    EXPECT_FALSE(Library::SoftwareDeviceForced());
    if (previous != nullptr) {
        setenv("PELLORA_GL_DEVICE", saved.c_str(), 1);
    }
}

}
