#pragma once

#include "platform/FileStamp.h"

#include <cstddef>
#include <string>

/// How reading a file the run treats as a page went.
struct FileRead {
    enum class Status { Ok, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Ok;
    /// The system's error number when the file could not be opened or read.
    int error = 0;

    bool Ok() const { return status == Status::Ok; }
    /// What a result cell says after "FAILED: ".
    std::string Reason() const;
};

/// Larger pages are not analysed: no hand-written page comes near it.
constexpr std::size_t PageSizeLimit = std::size_t(64) << 20;

/// The one way a page is read. Only a regular file is read, so a FIFO, a terminal or a
/// device such as /dev/zero can neither hold the run nor fill its memory: the type is
/// checked before opening (opening some devices acts on them), the file is opened without
/// waiting, and the type is checked again on the open file, as the name may have been
/// replaced in between. Past `limit` bytes the file is refused, also when it grows while
/// it is read. `content` is empty unless the read succeeded.
FileRead ReadRegularFile(const std::string& path, std::string& content, std::size_t limit = PageSizeLimit);
/// The same, with the stamp of the file read, taken on the open file before reading it:
/// a change made while it is read gives the file another stamp. `stamp` is set when the
/// read succeeds.
FileRead ReadRegularFile(const std::string& path, std::string& content, FileStamp& stamp);
