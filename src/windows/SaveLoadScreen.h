#pragma once

#include "windows/SaveRowText.h"
#include "windows/WindowStandby.h"

// What tells the save screen's standby and keys from the load screen's.
struct SAVE_LOAD_SCREEN {
    const char* szStandbyTag;
    // Released, it closes the screen: the key that opens it.
    int nCloseKey;
    // Rows of empty slots are passed over, by the pointer and by the keys.
    bool bUsedRowsOnly;
    // The pointer on the close button drops the chosen slot.
    bool bCloseDropsSelect;
    SAVE_STATUS question;
    int nYesSound;
    // While browsing, up and down from yes or no go to the close button.
    bool bPairKeysToClose;
};

// The load screen's sound for yes: "Load_Select.sou".
constexpr int kSELoadSelect = 3;

inline constexpr SAVE_LOAD_SCREEN kSaveScreen{"SAVE_LOAD_WINDOW_DATA::SaveStandby",
                                              'S',
                                              false,
                                              false,
                                              SAVE_STATUS::SaveQuestion,
                                              kSEEnter,
                                              true};
inline constexpr SAVE_LOAD_SCREEN kLoadScreen{"SAVE_LOAD_WINDOW_DATA::LoadStandby",
                                              'L',
                                              true,
                                              true,
                                              SAVE_STATUS::LoadQuestion,
                                              kSELoadSelect,
                                              false};
