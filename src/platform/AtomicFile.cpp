#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary files being written, for RemovePartialSave. The command line saves its
// JSON results on a thread of its own while the run saves its other files, so a few saves
// may be under way at once: each claims a slot, and a signal handler reads a slot's name
// only once the slot says it is whole.
enum SlotState : int { Free, Claimed, Named };
struct PartialSlot {
    char name[PATH_MAX];
    std::atomic<int> state { Free };
};
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");
PartialSlot g_partials[4];

/// The name of one save's temporary file, in a claimed slot while one is free.
class PartialName {
public:
    PartialName()
    {
        for (PartialSlot& slot : g_partials) {
            int free = Free;
            if (slot.state.compare_exchange_strong(free, Claimed)) {
                m_slot = &slot;
                return;
            }
        }
    }
    /// The save is over: its file is renamed or removed.
    ~PartialName()
    {
        if (m_slot)
            m_slot->state.store(Free);
    }
    PartialName(const PartialName&) = delete;
    PartialName& operator=(const PartialName&) = delete;

    char* Text() { return m_slot ? m_slot->name : m_own; }
    /// The file exists under Text(): a signal from now on removes it.
    void Named()
    {
        if (m_slot)
            m_slot->state.store(SlotState::Named);
    }

private:
    PartialSlot* m_slot = nullptr;
    char m_own[PATH_MAX];
};

std::string Failure(const std::string& path, int error)
{
    return "Cannot write " + path + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        content.remove_prefix(std::size_t(n));
    }
    return true;
}

/// Writes every piece; after a failure the rest are dropped and `error` keeps its reason.
bool WritePieces(int fd, const TextSource& text, int& error)
{
    bool ok = true;
    text([&](std::string_view piece) {
        if (ok && !WriteAll(fd, piece)) {
            ok = false;
            error = errno;
        }
    });
    return ok;
}

/// A target that is not a regular file or a folder (a terminal, a FIFO, a device).
bool WrittenInPlace(const struct stat& target)
{
    return !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode);
}

/// Read once: umask can only be read by setting it, which two saves at once must not do.
mode_t ProcessUmask()
{
    static const mode_t mask = [] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

/// A FIFO without a reader is refused at once rather than waited for.
std::string WriteInPlace(const std::string& path, const TextSource& text)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Failure(path, errno);
    int error = 0;
    bool ok = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (!ok)
        error = errno;
    ok = ok && WritePieces(fd, text, error);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    return ok ? std::string() : Failure(path, error);
}

/// Errors name `shown`, the path the user gave, which may be a link to `path`.
std::string Replace(const std::string& path, const std::string& shown, const TextSource& text)
{
    std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return Failure(shown, EISDIR);
    std::string temp
        = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + "." + name + ".tmp-XXXXXX";
    PartialName partial;
    if (temp.size() >= PATH_MAX)
        return Failure(shown, ENAMETOOLONG);
    char* tempName = partial.Text();
    std::memcpy(tempName, temp.c_str(), temp.size() + 1);
    int fd = ::mkstemp(tempName);
    if (fd < 0)
        return Failure(shown, errno);
    partial.Named();

    // mkstemp makes the file 0600; a saved report gets the usual mode for new files.
    int error = 0;
    bool ok = ::fchmod(fd, 0666 & ~ProcessUmask()) == 0;
    if (!ok)
        error = errno;
    try {
        ok = ok && WritePieces(fd, text, error);
    } catch (...) {
        // A text that fails half-way leaves the old file and no temporary one.
        ::close(fd);
        ::unlink(tempName);
        throw;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempName, path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok)
        ::unlink(tempName);
    return ok ? std::string() : Failure(shown, error);
}

}

std::string WriteFileAtomically(const std::string& path, std::string_view content)
{
    return WriteFileAtomically(path, [content](const TextSink& sink) { sink(content); });
}

std::string WriteFileAtomically(const std::string& path, const TextSource& text)
{
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0)
        return Replace(path, path, text);
    if (WrittenInPlace(target))
        return WriteInPlace(path, text);
    struct stat link {};
    char linked[PATH_MAX];
    if (S_ISREG(target.st_mode) && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (!::realpath(path.c_str(), linked))
            return Failure(path, errno);
        return Replace(linked, path, text);
    }
    return Replace(path, path, text);
}

bool SavedInPlace(const std::string& path)
{
    struct stat target {};
    return ::stat(path.c_str(), &target) == 0 && WrittenInPlace(target);
}

void RemovePartialSave()
{
    for (PartialSlot& slot : g_partials)
        if (slot.state.load() == Named)
            ::unlink(slot.name);
}
