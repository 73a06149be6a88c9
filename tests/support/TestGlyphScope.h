#pragma once

#include "platform/text/TextRenderer.h"

namespace zktest {

// Test glyphs on for the scope's lifetime: text draws as boxes, whatever the font.
class TestGlyphScope {
public:
    TestGlyphScope() : previous_(platform::TextRenderer::SetTestGlyphs(true)) {}
    ~TestGlyphScope() { platform::TextRenderer::SetTestGlyphs(previous_); }
    TestGlyphScope(const TestGlyphScope&) = delete;
    TestGlyphScope& operator=(const TestGlyphScope&) = delete;

private:
    bool previous_;
};

}  // namespace zktest
