#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autoplay/GameSession.h"
#include "mkdemo/MovieMaker.h"
#include "platform/input/InputSource.h"
#include "support/TempWorkDir.h"

namespace zktest {

// The real game over the generated demo, run frame by frame in a scratch folder.
// The demo's archives are linked; a test may put its own variant of one archive in
// their place. A failed test keeps the folder with the last frame as last-frame.png.
class WholeGameTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kT0 = 100000;

    void TearDown() override;

    // Starts the game; false on a fatal start.
    bool start();
    // The session starts from a copy of this system save (DemoData::SystemSave());
    // called before anything touches the session.
    void useSystemSave(const std::string& path);
    // Ends the running game as the program's exit does and keeps its folder: the next
    // session() runs there, over the files the game left (saves, settings). TearDown
    // removes the folder.
    void restartInSameFolder();
    // Replaces an archive of the session's dat/ with a variant (DemoData::WriteVariant).
    void replaceMembers(const std::string& archive,
                        const std::map<std::string, std::string>& members);
    // Puts the recipe's numbered movie in place of the demo's opening: for the tests
    // that tell the movie's pictures apart, or that run through it to the title.
    void replaceMovie(const mkdemo::MovieRecipe& recipe = mkdemo::MovieRecipe::GameSize());
    // Replaces one plain script of Scenario.dat (CP932 lines ended by CR LF).
    void replaceScript(const std::string& name, const std::string& plain);

    // Input for the next frame.
    void down(int key) { session().input().setKey(key, true); }
    void up(int key) { session().input().setKey(key, false); }
    void advance(std::uint32_t ms) { session().scheduleAdvance(session().framesRun(), ms); }
    // The mode and step the next frame runs, changed as the game changes its mode.
    void enter(std::int32_t mode, std::int32_t step = 0) { session().enter(mode, step); }
    // A click on the strip's item, which the next frame reads as its request.
    void menu(autoplay::MenuItem item) { session().clickMenu(item); }
    // Keys typed into the next dialog the shell opens, as a dialog line types them.
    void dialog(std::vector<int> keys) { session().answerDialog(std::move(keys)); }
    // Runs frames; false as soon as one ends the game fatally.
    bool runFrames(int count);
    // Runs until pred holds after a frame; false when maxFrames ran first or the game ended.
    bool runUntil(const std::function<bool()>& pred, int maxFrames);
    // A key pressed in one frame and released in the next.
    bool release(int key);
    // The pointer onto p, for the next frame.
    void pointAt(platform::PointerPosition p) { session().input().setPointer(p); }
    template <class Point>
    void pointAt(Point p) {
        pointAt(platform::PointerPosition{p.x, p.y});
    }
    // The pointer onto p for a frame, then a click there.
    bool clickAt(platform::PointerPosition p);
    template <class Point>
    bool clickAt(Point p) {
        return clickAt(platform::PointerPosition{p.x, p.y});
    }
    // A click on the open settings screen's return-to-title item, then on "はい" once
    // its question has slid into place; false when a frame ends the game.
    bool answerReturnToTitle();

    autoplay::GameSession& session();
    std::vector<std::string> logTexts(const std::string& when = "") const;

private:
    std::unique_ptr<autoplay::GameSession> session_;
    std::string systemSave_;
    // The folder a restart kept, where the next sessions run in place.
    std::optional<std::filesystem::path> keptFolder_;
};

}  // namespace zktest
