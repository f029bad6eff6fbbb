// Feeds arbitrary bytes to the PE resource walk and, both through it and directly, to the
// version-block queries the version reader makes.

#include "platform/PeVersionResource.h"
#include "platform/VersionInfoBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void Query(const VersionInfoBlock& block)
{
    block.Value("\\");
    block.Value("\\VarFileInfo\\Translation");
    block.Text("\\StringFileInfo\\080904E4\\FileVersion");
    block.Text("\\StringFileInfo\\000004B0\\CompanyName");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    if (auto resource = PeVersionResource::FromImage(bytes))
        Query(VersionInfoBlock(std::move(*resource)));
    Query(VersionInfoBlock(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
    return 0;
}
