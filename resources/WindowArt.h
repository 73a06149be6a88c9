#pragma once

#include "platform/video/PixelArt.h"

// The window's icon and the two arrows cursor.txt can choose, compiled in.
const platform::WindowArt& GameWindowArt();
