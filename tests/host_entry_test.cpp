// The host interface through the real exported plugMain of the built modules.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/hostlib/plugin_host.h"

namespace {

TEST(ProductModule, InformationRecordBytes) {
  hostlib::PluginModule module;
  ASSERT_TRUE(module.Load(MOSARO_PRODUCT_MODULE)) << module.error();
  const auto* bytes = reinterpret_cast<const uint8_t*>(module.GetInfo());
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(module.GetExtendedInfo()) - bytes, 32);
  const uint8_t head[32] = {2, 0, 0, 0, 1, 0, 0, 0, 'Q', 'M', '0', '1', 'M', 'o', 's', 'a',
                            'r', 'o', ' ', '2', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bytes, head, 32), 0);
  const PluginInfoLayout* info = module.GetInfo();
  EXPECT_EQ(info->pluginMajorVersion, 1u);
  EXPECT_EQ(info->pluginMinorVersion, 0u);
  EXPECT_STREQ(info->description, "Mosaro 2 slice mapper");
  EXPECT_STREQ(info->about, "Freely map your content with extra layers within a plugin");
  EXPECT_EQ(info->extendedDataSize, 0u);
  EXPECT_EQ(info->reserved, 0u);
  EXPECT_EQ(info->extendedData, nullptr);
}

}  // namespace
