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
    // Every member of an archive, by name, read through the game's own extractor.
    static std::map<std::string, std::string> Members(const std::string& archivePath);
};

}  // namespace zktest
