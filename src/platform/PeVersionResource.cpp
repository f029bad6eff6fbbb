#include "platform/PeVersionResource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t ResourceTypeVersion = 16;
constexpr std::uint32_t VersionResourceId = 1;
constexpr std::uint32_t ResourceDirectoryIndex = 2;
constexpr std::uint32_t HighBit = 0x80000000u;
constexpr std::uint16_t MagicPe32 = 0x10B;
constexpr std::uint16_t MagicPe32Plus = 0x20B;

std::uint32_t LittleEndian32(const std::uint8_t* b)
{
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8
        | static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

/// Bounds-checked little-endian access to an image that may live in memory or in a file.
class ImageReader {
public:
    using ReadAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> out)>;

    ImageReader(std::uint64_t size, ReadAt readAt)
        : m_size(size)
        , m_readAt(std::move(readAt))
    {
    }

    std::uint64_t Size() const { return m_size; }

    bool Read(std::uint64_t offset, std::span<std::uint8_t> out) const
    {
        if (offset > m_size || out.size() > m_size - offset)
            return false;
        return m_readAt(offset, out);
    }

    std::optional<std::uint16_t> U16(std::uint64_t offset) const
    {
        std::uint8_t b[2];
        if (!Read(offset, b))
            return std::nullopt;
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }

    std::optional<std::uint32_t> U32(std::uint64_t offset) const
    {
        std::uint8_t b[4];
        if (!Read(offset, b))
            return std::nullopt;
        return LittleEndian32(b);
    }

private:
    std::uint64_t m_size;
    ReadAt m_readAt;
};

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

class PeImage {
public:
    explicit PeImage(const ImageReader& reader)
        : m_reader(reader)
    {
    }

    std::optional<std::vector<std::uint8_t>> VersionResource()
    {
        if (!ReadHeaders())
            return std::nullopt;
        auto names = SubdirectoryOf(0, [](std::uint32_t id) { return id == ResourceTypeVersion; });
        if (!names)
            return std::nullopt;
        auto languages = SubdirectoryOf(*names, [](std::uint32_t id) { return id == VersionResourceId; });
        if (!languages)
            return std::nullopt;
        auto dataEntry = FirstDataEntry(*languages);
        if (!dataEntry)
            return std::nullopt;
        return ReadData(*dataEntry);
    }

private:
    bool ReadHeaders()
    {
        std::uint8_t mz[2];
        if (!m_reader.Read(0, mz) || mz[0] != 'M' || mz[1] != 'Z')
            return false;
        auto peOffset = m_reader.U32(0x3C);
        std::uint8_t signature[4];
        if (!peOffset || !m_reader.Read(*peOffset, signature) || std::memcmp(signature, "PE\0\0", 4) != 0)
            return false;
        const std::uint64_t coff = std::uint64_t { *peOffset } + 4;
        auto sectionCount = m_reader.U16(coff + 2);
        auto optionalSize = m_reader.U16(coff + 16);
        const std::uint64_t optional = coff + 20;
        auto magic = m_reader.U16(optional);
        if (!sectionCount || !optionalSize || !magic)
            return false;
        std::uint64_t directoryCountAt = 0;
        if (*magic == MagicPe32)
            directoryCountAt = optional + 92;
        else if (*magic == MagicPe32Plus)
            directoryCountAt = optional + 108;
        else
            return false;
        const std::uint64_t directories = directoryCountAt + 4;
        const std::uint64_t resourceEntry = directories + 8 * ResourceDirectoryIndex;
        auto directoryCount = m_reader.U32(directoryCountAt);
        if (!directoryCount || *directoryCount <= ResourceDirectoryIndex
            || resourceEntry + 8 > optional + *optionalSize)
            return false;
        auto resourceRva = m_reader.U32(resourceEntry);
        if (!resourceRva || *resourceRva == 0)
            return false;
        m_resourceRva = *resourceRva;
        return ReadSections(optional + *optionalSize, *sectionCount) && LocateResources();
    }

    bool ReadSections(std::uint64_t table, std::uint16_t count)
    {
        constexpr std::size_t HeaderSize = 40;
        std::vector<std::uint8_t> headers(std::size_t { count } * HeaderSize);
        if (!m_reader.Read(table, headers))
            return false;
        m_sections.reserve(count);
        for (std::size_t at = 0; at < headers.size(); at += HeaderSize) {
            m_sections.push_back({ LittleEndian32(&headers[at + 12]), LittleEndian32(&headers[at + 8]),
                LittleEndian32(&headers[at + 16]), LittleEndian32(&headers[at + 20]) });
        }
        return true;
    }

    /// File offset of `length` bytes at `rva`, when they all lie in one section's file data.
    std::optional<std::uint64_t> FileOffset(std::uint64_t rva, std::uint64_t length) const
    {
        for (const auto& s : m_sections) {
            if (rva < s.virtualAddress)
                continue;
            const std::uint64_t into = rva - s.virtualAddress;
            const std::uint64_t extent = std::max(s.virtualSize, s.rawSize);
            if (into >= extent)
                continue;
            if (into + length > s.rawSize)
                return std::nullopt;
            const std::uint64_t offset = std::uint64_t { s.rawOffset } + into;
            if (offset + length > m_reader.Size())
                return std::nullopt;
            return offset;
        }
        return std::nullopt;
    }

    /// Pins the resource directory to the file data of the section it starts in; its
    /// offsets are then checked against that span alone, at constant cost per read.
    bool LocateResources()
    {
        for (const auto& s : m_sections) {
            if (m_resourceRva < s.virtualAddress || m_resourceRva - s.virtualAddress >= s.rawSize)
                continue;
            const std::uint64_t into = m_resourceRva - s.virtualAddress;
            m_resourceStart = std::uint64_t { s.rawOffset } + into;
            if (m_resourceStart >= m_reader.Size())
                return false;
            m_resourceLength
                = std::min(std::uint64_t { s.rawSize } - into, m_reader.Size() - m_resourceStart);
            return true;
        }
        return false;
    }

    bool ReadResources(std::uint64_t offset, std::span<std::uint8_t> out) const
    {
        if (offset > m_resourceLength || out.size() > m_resourceLength - offset)
            return false;
        return m_reader.Read(m_resourceStart + offset, out);
    }

    std::optional<std::uint32_t> ResourceU32(std::uint64_t offset) const
    {
        std::uint8_t b[4];
        if (!ReadResources(offset, b))
            return std::nullopt;
        return LittleEndian32(b);
    }

    struct Entry {
        std::uint32_t name;
        std::uint32_t target;
    };

    /// Visits the entries of the directory at `directory` (an offset into the resources)
    /// until `visit` returns true. A forged count is bounded by the resource data.
    template <typename Visit> bool ForEachEntry(std::uint32_t directory, Visit visit) const
    {
        auto counts = ResourceU32(std::uint64_t { directory } + 12);
        if (!counts)
            return false;
        const std::uint64_t total = (*counts & 0xFFFF) + (*counts >> 16);
        const std::uint64_t first = std::uint64_t { directory } + 16;
        if (first > m_resourceLength || total * 8 > m_resourceLength - first)
            return false;
        std::vector<std::uint8_t> entries(total * 8);
        if (!ReadResources(first, entries))
            return false;
        for (std::size_t at = 0; at < entries.size(); at += 8) {
            if (visit(Entry { LittleEndian32(&entries[at]), LittleEndian32(&entries[at + 4]) }))
                return true;
        }
        return false;
    }

    template <typename Wanted>
    std::optional<std::uint32_t> SubdirectoryOf(std::uint32_t directory, Wanted wanted) const
    {
        std::optional<std::uint32_t> found;
        ForEachEntry(directory, [&](const Entry& e) {
            if ((e.name & HighBit) || !wanted(e.name) || !(e.target & HighBit))
                return false;
            found = e.target & ~HighBit;
            return true;
        });
        return found;
    }

    std::optional<std::uint32_t> FirstDataEntry(std::uint32_t directory) const
    {
        std::optional<std::uint32_t> found;
        ForEachEntry(directory, [&](const Entry& e) {
            if (e.target & HighBit)
                return false;
            found = e.target;
            return true;
        });
        return found;
    }

    std::optional<std::vector<std::uint8_t>> ReadData(std::uint32_t dataEntry) const
    {
        auto rva = ResourceU32(dataEntry);
        auto size = ResourceU32(std::uint64_t { dataEntry } + 4);
        if (!rva || !size || *size == 0)
            return std::nullopt;
        auto at = FileOffset(*rva, *size);
        if (!at)
            return std::nullopt;
        std::vector<std::uint8_t> data(*size);
        if (!m_reader.Read(*at, data))
            return std::nullopt;
        return data;
    }

    const ImageReader& m_reader;
    std::uint32_t m_resourceRva = 0;
    std::uint64_t m_resourceStart = 0;
    std::uint64_t m_resourceLength = 0;
    std::vector<Section> m_sections;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool ReadFully(int fd, std::uint64_t offset, std::span<std::uint8_t> out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n
            = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}

namespace PeVersionResource {

std::optional<std::vector<std::uint8_t>> FromImage(std::span<const std::uint8_t> image)
{
    ImageReader reader(image.size(), [image](std::uint64_t offset, std::span<std::uint8_t> out) {
        std::memcpy(out.data(), image.data() + offset, out.size());
        return true;
    });
    return PeImage(reader).VersionResource();
}

std::optional<std::vector<std::uint8_t>> FromFile(const std::string& path)
{
    // Non-blocking, so that naming a FIFO cannot hang the caller in open().
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info { };
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int fd = file.Get();
    ImageReader reader(static_cast<std::uint64_t>(info.st_size),
        [fd](std::uint64_t offset, std::span<std::uint8_t> out) { return ReadFully(fd, offset, out); });
    return PeImage(reader).VersionResource();
}

}
