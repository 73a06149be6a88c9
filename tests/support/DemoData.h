#pragma once

#include <map>
#include <string>

namespace zktest {

// The demo the build generates (the `demo` target), shared read-only by the tests.
struct DemoData {
    // The generated folder that holds dat/.
    static std::string Dir();
    // The story sources the demo was made from.
    static std::string SourceDir();
    static std::string Archive(const std::string& name) { return Dir() + "/dat/" + name; }
    // The system save that mkdemo writes beside the archives, with every demo unlock.
    static std::string SystemSave() { return Dir() + "/dat/unlocked.sav"; }
    // Every member of an archive, by name, read through the game's own extractor.
    static std::map<std::string, std::string> Members(const std::string& archivePath);
    // Writes to path a variant of one of the demo's archives: its members with the
    // given ones replaced or added (an empty text removes the member).
    static void WriteVariant(const std::string& archive,
                             const std::map<std::string, std::string>& replaced,
                             const std::string& path);
    // The plain CP932 text of one script of the demo, and a script's coded form.
    static std::string PlainScript(const std::string& name);
    static std::string CodedScript(const std::string& plain);
};

}  // namespace zktest
