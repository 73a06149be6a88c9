#include <fstream>
#include <iterator>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace {

class Playthrough : public zktest::WholeGameTest {};

}  // namespace

TEST_F(Playthrough, TheCanonicalInputRunsWithoutAFailedExpectation) {
    std::ifstream in(zktest::DemoData::SourceDir() + "/playthrough.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string error;
    const auto script = autoplay::InputScript::Parse(text, error);
    ASSERT_TRUE(script) << error;
    autoplay::RunSettings settings;
    settings.frames = script->frames.value_or(600);
    settings.outDir = (session().folder() / "shots").string();
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session(), *script, settings);
    EXPECT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
}
