#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/files/FolderWalk.h"
#include "platform/text/SjisText.h"
#include "system/DataName.h"
#include "system/FileDiv.h"
#include "system/FileWriteError.h"
#include "system/FolderPath.h"
#include "system/FolderSweep.h"
#include "system/ZKCODE.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kTraceFile = "trace.txt";
constexpr std::string_view kTmpFolder = "tmp/";
constexpr const char* kDecodeFolder = "tmp/scr_dep/";

std::string_view OrEmpty(const char* text) { return text != nullptr ? text : ""; }

platform::Files& FileService() { return platform::service<platform::Files>(); }

// Engine paths such as "tmp/x.gpc" are allowed here; only an escape from the working
// folder is refused.
bool IsWorkingFolderName(std::string_view name) {
    return !name.empty() && name.front() != '/' && name.find("..") == std::string_view::npos &&
           !platform::SjisContainsByte(name, '\\');
}

}  // namespace

void ZKSYSTEM::LogTracedError(std::string_view tag, platform::LogText text) const {
    platform::LogError(tag, text);
    TraceOut(text.view());
}

// Nothing is written: the log lines already carry everything the trace would.
void ZKSYSTEM::TraceOut(std::string_view) const {}

void ZKSYSTEM::RestartTraceFile() {
    fpTrace.reset();
    // Whatever an earlier run left is discarded: each start has its own trace. A link
    // standing there is replaced, never written through.
    std::FILE* created = nullptr;
    if (FileService().createFile(kTraceFile, created) == 0) std::fclose(created);
    RemoveFile(nullptr, kTraceFile, 0);
    fpTrace.reset(std::fopen(kTraceFile, "a+"));
}

void ZKSYSTEM::Release() {
    fpTrace.reset();
    RemoveFileListProc();
}

int ZKSYSTEM::RemoveFile(const char* dir, const char* name, int recurse) {
    if (name == nullptr) return RemoveFolderContents(dir, recurse);
    if (!IsWorkingFolderName(name)) {
        LogTracedError("ZKSYSTEM::RemoveFile", u8"不正なファイル名です\n");
        return 0;
    }
    const std::string path = FolderPrefix(OrEmpty(dir)) + name;
    if (FileService().removeFile(path) == 0) return 1;
    // A file already gone needs no retry; queuing it would only fill the list.
    if (FileService().exists(path)) AddRemoveFileList(path.c_str());
    return 0;
}

int ZKSYSTEM::RemoveFolderContents(const char* dir, int recurse) {
    // Without a folder there is nothing to sweep; the working folder holds the saves.
    const std::string prefix = FolderPrefix(OrEmpty(dir));
    const auto cannotList = [this] {
        LogTracedError("ZKSYSTEM::RemoveFile", u8"検索ファイルハンドルの取得に失敗\n");
    };
    std::unique_ptr<platform::FolderWalk> walk;
    std::vector<platform::FolderEntry> entries;
    if (prefix.empty() || FileService().walkFolder(prefix, walk) != 0 || walk->list(entries) != 0) {
        cannotList();
        return 0;
    }
    FolderSweep(*walk, recurse == 1, cannotList).run(std::move(entries));
    return 0;
}

int ZKSYSTEM::AddRemoveFileList(const char* path) {
    const std::string_view wanted = OrEmpty(path);
    if (wanted.size() >= kPathSize) {
        LogTracedError("ZKSYSTEM::AddRemoveFileList", u8"ファイルパスが長すぎます\n");
        return 0;
    }
    for (char* entry : szRemoveFileList) {
        if (entry[0] == '\0') {
            platform::SjisCopyTruncated(entry, kPathSize, wanted);
            return 1;
        }
        if (platform::SjisEqualsIgnoreCase(entry, wanted)) return 1;
    }
    LogTracedError("ZKSYSTEM::AddRemoveFileList", u8"空き領域がありませんでした\n");
    return 0;
}

int ZKSYSTEM::DelRemoveFileList(const char* path) {
    const std::string_view wanted = OrEmpty(path);
    for (int i = 0; i < kRemoveListSize && szRemoveFileList[i][0] != '\0'; ++i) {
        if (platform::SjisEqualsIgnoreCase(szRemoveFileList[i], wanted)) {
            DropRemoveListEntry(i);
            return 1;
        }
    }
    LogTracedError("ZKSYSTEM::DelRemoveFileList", u8"指定ファイルパスが見つかりませんでした\n");
    return 0;
}

// Keeps the list packed: later entries move up, the last one is emptied.
void ZKSYSTEM::DropRemoveListEntry(int index) {
    std::memmove(szRemoveFileList[index], szRemoveFileList[index + 1],
                 static_cast<std::size_t>(kRemoveListSize - 1 - index) * kPathSize);
    std::memset(szRemoveFileList[kRemoveListSize - 1], 0, kPathSize);
}

void ZKSYSTEM::ClearRemoveFileList() { std::memset(szRemoveFileList, 0, sizeof szRemoveFileList); }

char* ZKSYSTEM::GetRemoveFileListPath(int index, char* out, std::size_t size) const {
    if (out == nullptr || size == 0 || index < 0 || index >= kRemoveListSize) {
        LogTracedError("ZKSYSTEM::GetRemoveFileListPath", u8"引数が不正です\n");
        return nullptr;
    }
    std::memset(out, 0, size);
    platform::SjisCopyTruncated(out, size, szRemoveFileList[index]);
    return out;
}

void ZKSYSTEM::RemoveFileListProc() {
    int i = 0;
    while (i < kRemoveListSize && szRemoveFileList[i][0] != '\0') {
        const std::string path = szRemoveFileList[i];
        // A file deleted by someone else counts as done, or it would be retried for ever.
        if (FileService().removeFile(path) == 0 || !FileService().exists(path)) {
            DropRemoveListEntry(i);
        } else {
            ++i;
        }
    }
}

int ZKSYSTEM::MakeDirectory(const char* path) {
    const std::string folder(OrEmpty(path));
    const int error = FileService().makeFolder(folder);
    if (error != 0) {
        LogTracedError("ZKSYSTEM::MakeDirectrory", u8"ディレクトリ作成に失敗しました\n");
        // An existing folder is every start's case, and its warning says so.
        if (error != EEXIST) LogFolderMakeError("ZKSYSTEM::MakeDirectrory", folder, error);
        if (error == EEXIST) {
            platform::LogWarn("ZKSYTEM::MakeDirectory",
                              u8"指定ディレクトリは既に作成されています\n");
            return MarkFolderHidden(folder) ? 0 : -1;
        }
        if (error == ENOENT) {
            platform::LogWarn("ZKSYTEM::MakeDirectory",
                              u8"指定ディレクトリのパスが見当たりません\n");
            return -1;
        }
    }
    return MarkFolderHidden(folder) ? 1 : -1;
}

bool ZKSYSTEM::MarkFolderHidden(const std::string& folder) const {
    if (FileService().setHidden(folder) == 0) return true;
    platform::LogWarn("ZKSYTEM::MakeDirectory", u8"ディレクトリの属性変更に失敗しました\n");
    return false;
}

int ZKSYSTEM::RenameFile(const char* oldPath, const char* newPath) {
    const int error =
        FileService().rename(std::string(OrEmpty(oldPath)), std::string(OrEmpty(newPath)));
    if (error == 0) return 1;
    const char8_t* text = u8"ファイル名の変更に失敗しました\n";
    if (error == EACCES) text = u8"ファイルパスにアクセス出来ません\n";
    if (error == ENOENT) text = u8"変更元ファイルが存在しません\n";
    if (error == EINVAL) text = u8"無効なファイル名です\n";
    LogTracedError("ZKSYSTEM::RenameFile", text);
    return 0;
}

char* ZKSYSTEM::MakeTmpPath(const char* name, char* out) {
    const std::string_view file = OrEmpty(name);
    out[0] = '\0';
    if (!IsDataName(file) || kTmpFolder.size() + file.size() >= kPathSize) {
        LogTracedError("ZKSYSTEM::MakeTmpPath", u8"不正なファイル名です\n");
        return out;
    }
    platform::SjisCopyTruncated(out, kPathSize, std::string(kTmpFolder) + std::string(file));
    return out;
}

// The folder for the coded copy is not made here: callers create it beforehand.
int ZKSYSTEM::FileDivAndDecode(const char* combinedPath, const char* name) {
    // Without a name there is no member to take, rather than all of them.
    const int divided = name != nullptr ? FileDiv(combinedPath, kDecodeFolder, name) : 0;
    if (divided == -2) {
        LogTracedError("ZKSYSTEM::FileDivAndDecode", u8"指定ファイルは非結合ファイルです\n");
        return -1;
    }
    if (divided == -1 || divided == -3) {
        LogTracedError("ZKSYSTEM::FileDivAndDecode", u8"呼び出したFileDivが失敗しました\n");
        return -1;
    }
    if (divided == 0) {
        LogTracedError("ZKSYSTEM::FileDivAndDecode",
                       u8"取り出すファイルに該当ファイルが存在しません\n");
        return 0;
    }
    const std::string coded = std::string(kDecodeFolder) + name;
    const std::string plain = std::string(kTmpFolder) + name;
    if (ZKDecode(coded.c_str(), plain.c_str()) == -1) {
        LogTracedError("ZKSYSTEM::FileDivAndDecode", u8"呼び出したZKDecodeが失敗しました\n");
        return -1;
    }
    return 0;
}
