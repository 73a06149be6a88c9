#include "support/ShellKit.h"

#include "shell/Shell.h"

namespace zktest {

int ShellKit::run() { return WinMain(engine, host, instanceName.c_str()); }

}  // namespace zktest
