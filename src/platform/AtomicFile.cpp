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

// The temporary file being written, for RemovePartialSave. Saves happen one at a time on
// the run's thread; a signal handler only reads the name once `g_partialSet` says it is whole.
char g_partial[PATH_MAX];
volatile std::sig_atomic_t g_partialSet = 0;

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

void ForgetPartial()
{
    g_partialSet = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
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
    if (temp.size() >= sizeof g_partial)
        return Failure(shown, ENAMETOOLONG);

    ForgetPartial();
    std::memcpy(g_partial, temp.c_str(), temp.size() + 1);
    int fd = ::mkstemp(g_partial);
    if (fd < 0)
        return Failure(shown, errno);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_partialSet = 1;

    // mkstemp makes the file 0600; a saved report gets the usual mode for new files.
    mode_t mask = ::umask(0);
    ::umask(mask);
    int error = 0;
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
    if (!ok)
        error = errno;
    ok = ok && WritePieces(fd, text, error);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(g_partial, path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok)
        ::unlink(g_partial);
    ForgetPartial();
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
    if (!S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode))
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

void RemovePartialSave()
{
    if (g_partialSet)
        ::unlink(g_partial);
}
