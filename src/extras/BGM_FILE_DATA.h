#pragma once

// One track of the music room: its music file, its title and its comment, all
// zero-filled before a text is copied in.
struct BGM_FILE_DATA {
    char szFileName[260] = {};
    char szTitle[100] = {};
    char szComment[512] = {};
};
