// Multisampling by cost: which renderers count as software rasterisers, where
// the game opens its window without multisampling unless told otherwise.
#include <gtest/gtest.h>

#include <utility>

#include "render/gl_state.h"

namespace {

TEST(MultisampleChoice, SoftwareRasterisersAreKnownByTheirRendererNames) {
  const std::pair<const char*, bool> names[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"softpipe", true},
      {"Mesa DRI swrast", true},
      {"Software Rasterizer", true},
      {"SWR (LLVM 12.0.0, 256 bits)", true},
      {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", true},
      {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
      {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
      {"", false},
      {nullptr, false},
  };
  for (const auto& [name, software] : names)
    EXPECT_EQ(IsSoftwareRenderer(name), software) << (name ? name : "(null)");
}

} // namespace
