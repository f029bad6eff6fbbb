#include "MingwResource.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The script names its FILEOS and FILETYPE constants; the resource compiler of the
// development environment knows them, windres needs their values from us.
const std::vector<std::string> VersionConstants {
    "-DVOS_UNKNOWN=0x0L",
    "-DVOS_DOS=0x10000L",
    "-DVOS_NT=0x40000L",
    "-DVOS__WINDOWS16=0x1L",
    "-DVOS__WINDOWS32=0x4L",
    "-DVOS_DOS_WINDOWS16=0x10001L",
    "-DVOS_DOS_WINDOWS32=0x10004L",
    "-DVOS_NT_WINDOWS32=0x40004L",
    "-DVFT_UNKNOWN=0x0L",
    "-DVFT_APP=0x1L",
    "-DVFT_DLL=0x2L",
    "-DVFT_DRV=0x3L",
    "-DVFT_FONT=0x4L",
    "-DVFT_VXD=0x5L",
    "-DVFT_STATIC_LIB=0x7L",
};

}

namespace MingwResource {

std::string Run(const std::vector<std::string>& argv)
{
    char outputName[] = "/tmp/tarvik-mingw-XXXXXX";
    const int output = ::mkstemp(outputName);
    if (output < 0)
        return "cannot make a temporary file";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawnError = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output);
    int status = 0;
    if (spawnError == 0)
        ::waitpid(pid, &status, 0);
    std::ifstream in(outputName);
    std::ostringstream text;
    text << in.rdbuf();
    std::remove(outputName);
    if (spawnError != 0)
        return "cannot start " + argv[0] + " (is it installed? scripts/setup installs it)";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    return argv[0] + " failed: " + text.str();
}

std::string BuildExecutable(const std::string& script, const std::string& executable, Bits bits)
{
    const bool pe32 = bits == Bits::Pe32;
    const std::string object = executable + ".o";
    std::vector<std::string> compile { "x86_64-w64-mingw32-windres", "--preprocessor=cpp" };
    compile.insert(compile.end(), VersionConstants.begin(), VersionConstants.end());
    if (pe32)
        compile.insert(compile.end(), { "-F", "pe-i386" });
    compile.insert(compile.end(), { "-O", "coff", "-i", script, "-o", object });
    if (auto error = Run(compile); !error.empty())
        return error;
    if (!pe32)
        return Run({ "x86_64-w64-mingw32-ld", "-m", "i386pep", object, "-o", executable });
    // The x86-64 binutils carry no default linker script for 32-bit images; a program
    // made of nothing but its resource section needs only this one.
    const std::string linkerScript = executable + ".x";
    std::ofstream(linkerScript) << "SECTIONS\n{\n  . = __image_base__ + 0x1000;\n  .rsrc : { *(.rsrc) }\n}\n";
    return Run({ "x86_64-w64-mingw32-ld", "-m", "i386pe", "-T", linkerScript, object, "-o", executable });
}

}
