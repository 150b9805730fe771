#include "ui/WindowOpacity.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

TEST(WindowOpacity, LayeredWindowsFollowCompositing) {
    auto& headless = InstallHeadlessPlatform();
    headless.SetCompositing(false);
    EXPECT_FALSE(LayeredWindowsSupported());
    headless.SetCompositing(true);
    EXPECT_TRUE(LayeredWindowsSupported());
}
