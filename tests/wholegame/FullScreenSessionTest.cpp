#include <algorithm>
#include <string>

#include "shell/ScreenMode.h"
#include "shell/ShellState.h"
#include "support/WholeGameTest.h"

namespace {

class FullScreenSession : public zktest::WholeGameTest {};

}  // namespace

// Input scripts give the pointer in picture pixels in both forms; in full screen the
// client lies 20 rows above the picture, so the session shifts what it hands the
// input, and reads the game's warps back the same way.
TEST_F(FullScreenSession, PointerPositionsStayInPicturePixels) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(2));
    session().setPointer({400, 5});
    EXPECT_EQ(session().input().pointer().y, 5) << "in a window client and picture rows agree";

    ASSERT_EQ(ChangeScreenMode(1, 16, CurrentShellState().hWnd), 1);
    ASSERT_TRUE(session().window().fullScreen());
    session().setPointer({400, 5});
    EXPECT_EQ(session().input().pointer().x, 400);
    EXPECT_EQ(session().input().pointer().y, -15);
    ASSERT_TRUE(runFrames(1));
    const auto& actions = session().window().actions();
    EXPECT_EQ(std::count_if(actions.begin(), actions.end(),
                            [](const std::string& a) { return a.starts_with("strip"); }),
              1)
        << "picture row 5 is in the strip's band";

    session().input().warpPointer({10, -15});
    EXPECT_EQ(session().warps().back().x, 10);
    EXPECT_EQ(session().warps().back().y, 5);
}
