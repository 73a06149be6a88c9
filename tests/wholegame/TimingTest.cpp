#include "game/GAMEMAIN.h"
#include "support/WholeGameTest.h"
#include "system/ZKSYSTEM.h"

namespace {

class Timing : public zktest::WholeGameTest {};

}  // namespace

// The update of frame k samples T0 + 16k plus every advance scheduled up to k.
TEST_F(Timing, EachFrameReadsItsOwnTimeAndAnAdvanceShiftsTheLaterOnes) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(session().game().pSystem->GetTime(), kT0);
    advance(141000);
    runFrames(1);
    EXPECT_EQ(session().game().pSystem->GetTime(), kT0 + 16 + 141000);
    EXPECT_EQ(session().timeOfFrame(5), kT0 + 5 * 16 + 141000);
    // The mix is pulled up to the next frame's time, so a sound's end falls on
    // the frame its length has passed.
    EXPECT_EQ(session().mix().frames(), static_cast<std::size_t>((2 * 16 + 141000) * 441 / 10));
}
