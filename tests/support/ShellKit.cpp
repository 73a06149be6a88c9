#include "support/ShellKit.h"

#include "shell/Shell.h"

namespace zktest {

int ShellKit::run() { return run(engine); }

int ShellKit::run(ShellEngine& other) { return WinMain(other, host, instanceName.c_str()); }

}  // namespace zktest
