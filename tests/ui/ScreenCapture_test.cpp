#include "ui/ScreenCapture.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "tests/skin_draw/TestPictures.h"

TEST(ScreenCapture, IsBlackOffScreen) {
    auto& headless = InstallHeadlessPlatform();
    headless.SetScreenSize({100, 80});
    TBitmap shot = SolidPicture(4, 3, 0x777777);
    CopyScreenArea(98, 79, shot);  // partly beyond the screen's right and bottom
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_NE(At(shot, x, y), 0x777777u) << x << "," << y;
    EXPECT_EQ(At(shot, 3, 2), 0u);
}
