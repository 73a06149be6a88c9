#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

using zktest::FileExists;
using zktest::TestKit;
using zktest::WriteFileBytes;

namespace fs = std::filesystem;

namespace {

// A system started as the game starts it, in the kit's working folder.
struct StartedSystem : ::testing::Test {
    TestKit kit;
    ZKSYSTEM sys;
    StartedSystem() { sys.Initialize(nullptr, 1); }

    std::vector<std::string> pending() const {
        std::vector<std::string> paths;
        char path[ZKSYSTEM::kPathSize];
        for (int i = 0; i < ZKSYSTEM::kRemoveListSize; ++i) {
            sys.GetRemoveFileListPath(i, path, sizeof path);
            if (path[0] != '\0') paths.push_back(path);
        }
        return paths;
    }
};

// A chain of depth folders "d" below folder, each holding a file, made one level at
// a time: its paths grow longer than the system takes in one call.
void PlantChain(const std::string& folder, int depth) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        close(openat(fd, "f.gpc", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        mkdirat(fd, "d", 0755);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    close(fd);
}

using Lines = std::vector<std::string>;
using ZKSYSTEMPending = StartedSystem;
using ZKSYSTEMRemoveFile = StartedSystem;
using ZKSYSTEMFolders = StartedSystem;
using ZKSYSTEMFileDiv = StartedSystem;

}  // namespace

TEST_F(ZKSYSTEMPending, InUseFileIsRetriedEachFrameAndMissingFilesAreNeverKept) {
    fs::create_directory("tmp");
    WriteFileBytes("tmp/a.gpc", "x");
    kit.files.markInUse("tmp/a.gpc");

    EXPECT_EQ(sys.RemoveFile("tmp/", "a.gpc", 0), 0);
    for (int frame = 0; frame < 2; ++frame) sys.MainLoop(nullptr);
    EXPECT_TRUE(FileExists("tmp/a.gpc"));
    EXPECT_EQ(pending(), Lines{"tmp/a.gpc"});

    kit.files.release("tmp/a.gpc");
    sys.MainLoop(nullptr);
    EXPECT_FALSE(FileExists("tmp/a.gpc"));
    EXPECT_TRUE(pending().empty());

    WriteFileBytes("v.wav", "x");
    EXPECT_NE(sys.RemoveFile("", "v.wav", 0), 0);       // no folder: the name alone
    EXPECT_EQ(sys.RemoveFile(nullptr, "v.wav", 0), 0);  // the second unload of the same file
    EXPECT_TRUE(pending().empty());

    WriteFileBytes("b.ogg", "x");
    kit.files.markInUse("b.ogg");
    sys.RemoveFile(nullptr, "b.ogg", 0);
    fs::remove("b.ogg");  // gone by other means while still marked in use
    sys.RemoveFileListProc();
    EXPECT_TRUE(pending().empty());
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(ZKSYSTEMPending, ListIgnoresCaseKeepsOrderAndRefusesOverflow) {
    EXPECT_EQ(sys.AddRemoveFileList("tmp/EV03a.gpc"), 1);
    EXPECT_EQ(sys.AddRemoveFileList("tmp/ev03A.GPC"), 1);
    EXPECT_EQ(pending(), Lines{"tmp/EV03a.gpc"});

    for (int i = 1; i < ZKSYSTEM::kRemoveListSize; ++i) {
        ASSERT_EQ(sys.AddRemoveFileList(("p" + std::to_string(i)).c_str()), 1);
    }
    EXPECT_EQ(sys.AddRemoveFileList("p256"), 0);
    EXPECT_EQ(sys.AddRemoveFileList(std::string(260, 'a').c_str()), 0);

    EXPECT_EQ(sys.DelRemoveFileList("P2"), 1);
    const Lines list = pending();
    ASSERT_EQ(list.size(), 255u);
    EXPECT_EQ(list[1] + list[2] + list[254], "p1p3p255");
    EXPECT_EQ(sys.AddRemoveFileList("p256"), 1);  // the freed entry is at the end
    EXPECT_EQ(pending().back(), "p256");

    EXPECT_EQ(sys.DelRemoveFileList("p2"), 0);
    EXPECT_EQ(
        kit.debugLines(),
        (Lines{"Error: <ZKSYSTEM::AddRemoveFileList> 空き領域がありませんでした",
               "Error: <ZKSYSTEM::AddRemoveFileList> ファイルパスが長すぎます",
               "Error: <ZKSYSTEM::DelRemoveFileList> 指定ファイルパスが見つかりませんでした"}));
}

TEST_F(ZKSYSTEMPending, ListPathReadsAreBoundedAndChecked) {
    sys.AddRemoveFileList("tmp/long-name.gpc");
    char small[8];
    EXPECT_STREQ(sys.GetRemoveFileListPath(0, small, sizeof small), "tmp/lon");

    char out[ZKSYSTEM::kPathSize];
    EXPECT_EQ(sys.GetRemoveFileListPath(256, out, sizeof out), nullptr);
    EXPECT_EQ(sys.GetRemoveFileListPath(-1, out, sizeof out), nullptr);
    EXPECT_EQ(sys.GetRemoveFileListPath(0, nullptr, 260), nullptr);
    EXPECT_EQ(kit.debugLines(),
              Lines(3, "Error: <ZKSYSTEM::GetRemoveFileListPath> 引数が不正です"));
}

TEST_F(ZKSYSTEMRemoveFile, SweepRemovesFilesThenTheTreeButKeepsTheFolder) {
    fs::create_directories("tmp/x/z");
    WriteFileBytes("tmp/x/y.gpc", "x");
    WriteFileBytes("tmp/x/z/w.gpc", "x");
    WriteFileBytes("tmp/top.spt", "x");
    fs::create_directories("outside/keep");
    WriteFileBytes("outside/keep/data.sav", "save");
    fs::create_directory_symlink(fs::absolute("outside/keep"), "tmp/link");

    EXPECT_EQ(sys.RemoveFile("tmp\\", nullptr, 0), 0);  // files only
    EXPECT_FALSE(FileExists("tmp/top.spt"));
    EXPECT_TRUE(FileExists("tmp/x/y.gpc"));

    EXPECT_EQ(sys.RemoveFile("tmp/", nullptr, 1), 0);
    EXPECT_TRUE(fs::is_directory("tmp") && fs::is_empty("tmp"));
    EXPECT_EQ(zktest::ReadFileBytes("outside/keep/data.sav"), "save");
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(ZKSYSTEMRemoveFile, HeldFileStopsTheSweep) {
    // Two folders that cannot go: whichever is listed first ends the sweep.
    const auto stoppedAt = [](const std::string& folder) {
        const std::string tag = "Error: <ZKSYSTEM::RemoveFile> ";
        return Lines{tag + "ファイル " + folder + "/y.gpc が削除出来ません",
                     tag + "ディレクトリ " + folder + " が削除出来ません"};
    };
    for (const std::string folder : {"tmp/x", "tmp/w"}) {
        fs::create_directories(folder);
        WriteFileBytes(folder + "/y.gpc", "x");
        kit.files.markInUse(folder + "/y.gpc");
    }

    EXPECT_EQ(sys.RemoveFile("tmp/", nullptr, 1), 0);
    EXPECT_TRUE(FileExists("tmp/x/y.gpc") && FileExists("tmp/w/y.gpc"));
    const Lines lines = kit.debugLines();
    EXPECT_TRUE(lines == stoppedAt("tmp/x") || lines == stoppedAt("tmp/w")) << lines.size();
    EXPECT_TRUE(pending().empty());  // a sweep never queues
}

TEST_F(ZKSYSTEMRemoveFile, SweepsATreeDeeperThanAPathMayBeLong) {
    fs::create_directory("tmp");
    PlantChain("tmp", 3000);
    EXPECT_EQ(sys.RemoveFile("tmp/", nullptr, 1), 0);
    EXPECT_TRUE(fs::is_directory("tmp") && fs::is_empty("tmp"));
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(ZKSYSTEMRemoveFile, AHeldFileDeepDownKeepsEveryFolderAboveIt) {
    fs::create_directories("tmp/a/b/c");
    WriteFileBytes("tmp/a/b/c/y.gpc", "x");
    kit.files.markInUse("tmp/a/b/c/y.gpc");
    WriteFileBytes("tmp/a/b/c/z.gpc", "x");

    EXPECT_EQ(sys.RemoveFile("tmp/", nullptr, 1), 0);
    EXPECT_TRUE(FileExists("tmp/a/b/c/y.gpc"));
    EXPECT_FALSE(FileExists("tmp/a/b/c/z.gpc"));
    const std::string tag = "Error: <ZKSYSTEM::RemoveFile> ";
    EXPECT_EQ(kit.debugLines(), (Lines{tag + "ファイル tmp/a/b/c/y.gpc が削除出来ません",
                                       tag + "ディレクトリ tmp/a/b/c が削除出来ません",
                                       tag + "ディレクトリ tmp/a/b が削除出来ません",
                                       tag + "ディレクトリ tmp/a が削除出来ません"}));
}

TEST_F(ZKSYSTEMRemoveFile, RefusesMissingFoldersAndEscapingNames) {
    fs::create_directory("game");
    fs::current_path("game");
    WriteFileBytes("../env.env", "settings");
    WriteFileBytes("keep.sav", "save");

    EXPECT_EQ(sys.RemoveFile("nothere/", nullptr, 1), 0);
    EXPECT_EQ(sys.RemoveFile(nullptr, nullptr, 1), 0);  // never the working folder itself
    const std::string absolute = fs::absolute("keep.sav").string();
    for (const char* name : {"../env.env", absolute.c_str(), "tmp\\x", ""}) {
        EXPECT_EQ(sys.RemoveFile(nullptr, name, 0), 0) << name;
    }
    EXPECT_EQ(zktest::ReadFileBytes("../env.env"), "settings");
    EXPECT_TRUE(FileExists("keep.sav"));
    EXPECT_TRUE(pending().empty());

    const std::string handle = "Error: <ZKSYSTEM::RemoveFile> 検索ファイルハンドルの取得に失敗";
    const std::string badName = "Error: <ZKSYSTEM::RemoveFile> 不正なファイル名です";
    EXPECT_EQ(kit.debugLines(), (Lines{handle, handle, badName, badName, badName, badName}));
    fs::current_path("..");
}

TEST_F(ZKSYSTEMFolders, MakeDirectoryResults) {
    WriteFileBytes("plain", "x");
    const std::string failed = "Error: <ZKSYSTEM::MakeDirectrory> ディレクトリ作成に失敗しました";
    const std::string warn = "Warn: <ZKSYTEM::MakeDirectory> ";
    const std::string exists = warn + "指定ディレクトリは既に作成されています";
    const std::string attributes = warn + "ディレクトリの属性変更に失敗しました";
    const auto reason = [](const std::string& path, int error) {
        return "Error: <ZKSYSTEM::MakeDirectrory> " + path + " の作成に失敗しました (" +
               std::strerror(error) + ")";
    };
    const struct {
        const char* path;
        int expected;
        Lines lines;
    } cases[] = {
        {"tmp", 1, {}},
        {"tmp", 0, {failed, exists}},
        {"no/such",
         -1,
         {failed, reason("no/such", ENOENT), warn + "指定ディレクトリのパスが見当たりません"}},
        {"plain/sub", -1, {failed, reason("plain/sub", ENOTDIR), attributes}},
        {"plain", -1, {failed, exists, attributes}},
    };
    for (const auto& c : cases) {
        kit.log.clear();
        EXPECT_EQ(sys.MakeDirectory(c.path), c.expected) << c.path;
        EXPECT_EQ(kit.debugLines(), c.lines) << c.path;
    }
    EXPECT_TRUE(fs::is_directory("tmp"));
}

TEST_F(ZKSYSTEMFolders, RenameFileResults) {
    WriteFileBytes("new.tmp", "new");
    WriteFileBytes("env.env", "old");
    fs::create_directory("folder");
    errno = EACCES;  // a stale error number does not turn success into failure
    EXPECT_EQ(sys.RenameFile("new.tmp", "env.env"), 1);
    EXPECT_EQ(zktest::ReadFileBytes("env.env"), "new");
    EXPECT_FALSE(FileExists("new.tmp"));

    EXPECT_EQ(sys.RenameFile("missing", "x"), 0);
    EXPECT_EQ(sys.RenameFile("env.env", "folder"), 0);  // EISDIR
    EXPECT_EQ(zktest::ReadFileBytes("env.env"), "new");
    EXPECT_EQ(kit.debugLines(),
              (Lines{"Error: <ZKSYSTEM::RenameFile> 変更元ファイルが存在しません",
                     "Error: <ZKSYSTEM::RenameFile> ファイル名の変更に失敗しました"}));
}

TEST_F(ZKSYSTEMFolders, MakeTmpPathAcceptsOnlyDataNames) {
    char out[ZKSYSTEM::kPathSize];
    EXPECT_STREQ(sys.MakeTmpPath("Y0100.gpc", out), "tmp/Y0100.gpc");
    const std::string longest(255, 'a'), tooLong(256, 'a');
    EXPECT_EQ(std::string(sys.MakeTmpPath(longest.c_str(), out)), "tmp/" + longest);

    for (const char* bad : {"../x", "a/b", "", tooLong.c_str()}) {
        std::memset(out, 'z', sizeof out);
        EXPECT_STREQ(sys.MakeTmpPath(bad, out), "") << bad;
    }
    EXPECT_EQ(kit.debugLines(), Lines(4, "Error: <ZKSYSTEM::MakeTmpPath> 不正なファイル名です"));
}

TEST(ZKSYSTEMTrace, InitializeLeavesAnEmptyTraceAndReleaseMakesAPass) {
    TestKit kit;
    WriteFileBytes("trace.txt", "last run");
    {
        ZKSYSTEM sys;
        sys.Initialize(nullptr, 1);
        EXPECT_EQ(zktest::ReadFileBytes("trace.txt"), "");

        WriteFileBytes("late.wav", "x");
        kit.files.markInUse("late.wav");
        sys.RemoveFile(nullptr, "late.wav", 0);
        kit.files.release("late.wav");
        sys.Release();
        EXPECT_FALSE(FileExists("late.wav"));
        sys.Release();  // a second release finds nothing left to close
    }
    EXPECT_TRUE(FileExists("trace.txt"));
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(ZKSYSTEMFileDiv, ExtractsAndDecodesIntoTmp) {
    fs::create_directories("tmp/scr_dep");
    // A LIST-IN combined file: s.spt holds "hi\r\n" coded, n.txt plain text.
    const std::string coded = "ZKCODE NLINE-ENCODE\n" + zktest::Hex("97 96 F2 F5");
    WriteFileBytes("a.dat",
                   "FILECMB-DATA-LIST-IN\ns.spt 54 78\nn.txt 78 83\nLIST-END\n" + coded + "hello");
    WriteFileBytes("plain.dat", "hello");

    EXPECT_EQ(sys.FileDivAndDecode("a.dat", "S.SPT"), 0);
    EXPECT_EQ(zktest::ReadFileBytes("tmp/S.SPT"), "hi\r\n");
    EXPECT_EQ(zktest::ReadFileBytes("tmp/scr_dep/S.SPT"), coded);
    EXPECT_TRUE(kit.debugLines().empty());

    const std::string tag = "Error: <ZKSYSTEM::FileDivAndDecode> ";
    const struct {
        const char *archive, *name;
        int expected;
        std::string lastLine;
    } failures[] = {
        {"a.dat", "none.spt", 0, tag + "取り出すファイルに該当ファイルが存在しません"},
        {"a.dat", nullptr, 0, tag + "取り出すファイルに該当ファイルが存在しません"},
        {"plain.dat", "s.spt", -1, tag + "指定ファイルは非結合ファイルです"},
        {"a.dat", "n.txt", -1, tag + "呼び出したZKDecodeが失敗しました"},
    };
    for (const auto& f : failures) {
        kit.log.clear();
        EXPECT_EQ(sys.FileDivAndDecode(f.archive, f.name), f.expected);
        ASSERT_FALSE(kit.debugLines().empty());
        EXPECT_EQ(kit.debugLines().back(), f.lastLine);
    }

    fs::remove_all("tmp/scr_dep");  // the folder is not made here
    kit.log.clear();
    EXPECT_EQ(sys.FileDivAndDecode("a.dat", "s.spt"), -1);
    EXPECT_EQ(kit.debugLines(),
              (Lines{"Error: <FileDiv> tmp/scr_dep/s.spt の書き込みに失敗しました (" +
                         std::string(std::strerror(ENOENT)) + ")",
                     tag + "呼び出したFileDivが失敗しました"}));
}
