#include "support/WholeGameTest.h"

#include <filesystem>

#include "autoplay/InputRunner.h"
#include "game/GAMEMAIN.h"
#include "platform/input/VirtualKeys.h"
#include "support/DemoData.h"
#include "support/MakeMovie.h"
#include "windows/CONFIG_DATA.h"
#include "windows/ConfigControls.h"

namespace zktest {

namespace fs = std::filesystem;

autoplay::GameSession& WholeGameTest::session() {
    if (!session_) {
        const bool inPlace = keptFolder_.has_value();
        // A restart keeps the save the game left, never the first one again.
        session_ = std::make_unique<autoplay::GameSession>(
            autoplay::SessionOptions{inPlace ? keptFolder_->string() : DemoData::Dir(), inPlace,
                                     false, kT0, 16, inPlace ? std::string() : systemSave_});
        EXPECT_TRUE(session_->prepared()) << session_->error();
    }
    return *session_;
}

void WholeGameTest::TearDown() {
    if (session_) {
        session_->release();
        if (HasFailure()) {
            session_->keepFolder();
            autoplay::InputRunner::WriteShot(*session_,
                                             (session_->folder() / "last-frame.png").string());
            std::printf("whole-game folder kept: %s\n", session_->folder().c_str());
        }
        session_.reset();
    }
    // The links go, never what they point to.
    std::error_code ignored;
    if (keptFolder_ && !HasFailure()) fs::remove_all(*keptFolder_, ignored);
    // A case that runs again starts from a fresh folder.
    keptFolder_.reset();
}

void WholeGameTest::restartInSameFolder() {
    session().release();
    session_->keepFolder();
    keptFolder_ = session_->folder();
    session_.reset();
}

bool WholeGameTest::start() { return session().start(); }

void WholeGameTest::useSystemSave(const std::string& path) {
    if (session_) ADD_FAILURE() << "useSystemSave comes before the session is made";
    systemSave_ = path;
}

void WholeGameTest::replaceMembers(const std::string& archive,
                                   const std::map<std::string, std::string>& members) {
    DemoData::WriteVariant(archive, members, (session().folder() / "dat" / archive).string());
}

void WholeGameTest::replaceMovie(const mkdemo::MovieRecipe& recipe) {
    const std::filesystem::path movie = session().folder() / "dat" / "Mov.vid";
    std::filesystem::remove(movie);  // the link to the demo's own
    MakeMovie(recipe, movie.string());
}

void WholeGameTest::replaceScript(const std::string& name, const std::string& plain) {
    replaceMembers("Scenario.dat", {{name, DemoData::CodedScript(plain)}});
}

bool WholeGameTest::runFrames(int count) {
    for (int i = 0; i < count; ++i) {
        if (!session().runFrame()) return false;
    }
    return true;
}

bool WholeGameTest::release(int key) {
    down(key);
    if (!runFrames(1)) return false;
    up(key);
    return runFrames(1);
}

bool WholeGameTest::clickAt(platform::PointerPosition p) {
    pointAt(p);
    return runFrames(1) && release(platform::VK_LBUTTON);
}

bool WholeGameTest::answerReturnToTitle() {
    const CONFIG_DATA& config = session().game().ConfigData;
    const auto clickOn = [&](std::int32_t nId) {
        const CONFIG_CONTROL& c = *FindConfigControl(nId);
        // The question's answers lie on the screen, the items on the sliding panel.
        const bool onScreen = nId == kConfigYes;
        const int x = (onScreen ? 0 : config.nX) + (c.rcHit.left + c.rcHit.right) / 2;
        const int y = (onScreen ? 0 : config.nY) + (c.rcHit.top + c.rcHit.bottom) / 2;
        return clickAt(platform::PointerPosition{x, y});
    };
    return clickOn(kConfigTitle) &&
           runUntil([&] { return config.nSlideFlg == CONFIG_DATA::kBoxUp; }, 60) &&
           clickOn(kConfigYes);
}

bool WholeGameTest::runUntil(const std::function<bool()>& pred, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (!session().runFrame()) return false;
        if (pred()) return true;
    }
    return false;
}

std::vector<std::string> WholeGameTest::logTexts(const std::string& when) const {
    std::vector<std::string> texts;
    if (!session_) return texts;
    for (const auto& line : session_->log()) {
        if (when.empty() || line.when == when) texts.push_back(line.text);
    }
    return texts;
}

}  // namespace zktest
