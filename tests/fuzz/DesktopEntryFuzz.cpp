// Reads the input as a key file and its "Exec" value as a command, and checks that the
// expanded command always holds the address, as a whole argument or inside one.
#include "FuzzCheck.h"

#include "platform/DesktopExec.h"
#include "platform/XdgKeyFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    XdgKeyFile file = XdgKeyFile::Parse(text);
    for (std::string_view key : file.Keys("Desktop Entry"))
        FUZZ_CHECK(file.Value("Desktop Entry", key).has_value());
    std::optional<std::string_view> exec = file.Value("Desktop Entry", "Exec");
    if (!exec)
        return 0;
    std::string unescaped = XdgKeyFile::Unescape(*exec);
    FUZZ_CHECK(unescaped.size() <= exec->size());
    XdgKeyFile::List(*exec);
    std::optional<std::vector<std::string>> command = DesktopExec::Split(unescaped);
    if (!command)
        return 0;
    FUZZ_CHECK(!command->empty() && !command->front().empty());
    constexpr std::string_view address = "\x01@address@\x01";
    int found = 0;
    for (const std::string& argument : DesktopExec::Expand(*command, address)) {
        for (std::size_t at = argument.find(address); at != std::string::npos;
             at = argument.find(address, at + 1))
            ++found;
    }
    FUZZ_CHECK(found >= 1);
    return 0;
}
