#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/input/InputSource.h"

// The keys the game asks for by name; each maps to one virtual-key code.
enum SYSTEM_KEY : int {
    SYSTEM_KEY_RETURN = 0,
    SYSTEM_KEY_CONTROL = 1,
    SYSTEM_KEY_SPACE = 2,
    SYSTEM_KEY_UP = 3,
    SYSTEM_KEY_DOWN = 4,
    SYSTEM_KEY_LEFT = 5,
    SYSTEM_KEY_RIGHT = 6,
    SYSTEM_KEY_LBUTTON = 7,
    SYSTEM_KEY_RBUTTON = 8,
    SYSTEM_KEY_DELETE = 9,
    SYSTEM_KEY_ESCAPE = 10,
};

// A key's change between the previous frame's sample and this one.
enum KEY_STATE : int {
    KEY_STATE_UP = 0,
    KEY_STATE_HELD = 1,
    KEY_STATE_PRESSED = 2,
    KEY_STATE_RELEASED = 3,
};

// The engine's system services: frame time, key and pointer state sampled once per
// frame, and the tmp/ file protocol with its list of deletions still to retry.
class ZKSYSTEM {
public:
    static constexpr int kKeyCount = 256;
    static constexpr int kRemoveListSize = 256;
    static constexpr std::size_t kPathSize = 260;

    ZKSYSTEM() = default;
    ZKSYSTEM(const ZKSYSTEM&) = delete;
    ZKSYSTEM& operator=(const ZKSYSTEM&) = delete;

    // Time, keys, pointer and cursor.
    void Initialize(platform::WindowHandle window, int clearList);
    void MainLoop(platform::WindowHandle window);
    std::uint32_t UpdateTime();
    std::uint32_t GetTime() const { return dwTime; }
    void KeyScan();
    void MouseUpdate();
    KEY_STATE GetVKeyStatus(int vk) const;
    std::uint32_t GetKey(SYSTEM_KEY key) const;
    std::uint32_t GetKeyPush(SYSTEM_KEY key) const;
    std::uint32_t GetKeyPushLatch(SYSTEM_KEY key) const;
    void ClearKeyPushLatch();
    void ClearKeyState();
    void GetMousePos(int* x, int* y) const;
    void SetMousePos(int x, int y);
    void SetMouseButtonValue(SYSTEM_KEY button, std::uint32_t value);
    std::uint32_t GetMouseButtonValue(SYSTEM_KEY button) const;
    void SetYOffset(int y) { nYOffset = y; }
    int GetYOffset() const { return nYOffset; }
    void SetHwnd(platform::WindowHandle window) { hWnd = window; }
    std::uint32_t FrameWait(std::uint32_t fps);
    int SetCursorMode(int mode);

    // Files and the pending-deletion list.
    int RemoveFile(const char* dir, const char* name, int recurse);
    int AddRemoveFileList(const char* path);
    int DelRemoveFileList(const char* path);
    char* GetRemoveFileListPath(int index, char* out, std::size_t size) const;
    void RemoveFileListProc();
    int MakeDirectory(const char* path);
    int RenameFile(const char* oldPath, const char* newPath);
    char* MakeTmpPath(const char* name, char* out);
    void TraceOut(std::string_view text) const;
    int FileDivAndDecode(const char* combinedPath, const char* name);
    void Release();

private:
    struct TraceFileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::uint32_t SystemKeyValue(const std::uint32_t (&table)[kKeyCount], SYSTEM_KEY key,
                                 std::string_view tag) const;
    void RestartTraceFile();
    void ClearRemoveFileList();
    int RemoveFolderContents(const char* dir, int recurse);
    void DropRemoveListEntry(int index);
    bool MarkFolderHidden(const std::string& folder) const;
    // An error line that also goes to the trace sink.
    void LogTracedError(std::string_view tag, platform::LogText text) const;

    platform::WindowHandle hWnd = nullptr;
    std::uint32_t dwTime = 0;
    std::uint32_t push[kKeyCount] = {};
    std::uint32_t now[kKeyCount] = {};
    std::uint32_t prev[kKeyCount] = {};
    std::uint32_t pushLatch[kKeyCount] = {};
    std::uint32_t mouseButtonValue[2] = {};
    int nMouseX = 0;
    int nMouseY = 0;
    int nYOffset = 0;
    std::uint32_t dwLastTick = 0;
    platform::CursorHandle hGameCursor = nullptr;
    platform::CursorHandle hOrgCursor = nullptr;
    char szRemoveFileList[kRemoveListSize][kPathSize] = {};
    std::unique_ptr<std::FILE, TraceFileCloser> fpTrace;
};
