#pragma once

class ZKSPRITE;
class ZKSND;

// Gives every image slot and sound-effect buffer its fixed file name. 1 when every
// call succeeded; 0 at the first failure, the later slots left unnamed.
int RegisterResourceFiles(ZKSPRITE& sprite, ZKSND& snd);
