#pragma once

class ModeHost;

// What the screens over the story do as they leave it: load the overlay's black
// again, and let the story's scene, characters, music and loaded slots go.

// Texture slot nTexture, 0 the overlay's black: false, with szText logged under szTag,
// when it failed.
bool LoadOverlayTexture(ModeHost& host, const char* szTag, const char8_t* szText, int nTexture = 0);

// The story's backgrounds and picture layers go, its characters are reset when
// bResetChars is set, its music and voice stop, and every slot but the overlay's is
// unloaded.
void ReleaseStoryScene(ModeHost& host, bool bResetChars);
