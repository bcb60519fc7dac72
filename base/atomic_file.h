// Writing a whole file so that a crash or a full disk never leaves half of it: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the target.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/messages.h"

namespace zemtra {

// Throws UserError naming the path and the reason when the file cannot be written (also when
// it is a folder, not a regular file, or read-only); the old file, if any, is then left as it
// was and no temporary file remains. A symbolic link is written through to its target.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same a piece at a time, for files too large to hold: the pieces go to the temporary file
// as they come, and Commit() makes it the target. Dropped without Commit() (a stop, a failure),
// the temporary file goes and the target stays as it was. The constructor, Write and Commit
// throw UserError as WriteFileAtomically does.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::filesystem::path path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();
    // The bytes written so far.
    uint64_t Size() const { return size_; }

  private:
    void Flush();
    [[noreturn]] void Abandon(Msg why, int error);

    std::filesystem::path path_;    // as given, for messages
    std::filesystem::path target_;  // a link's target
    std::string temp_;
    int fd_ = -1;
    std::string buffer_;
    uint64_t size_ = 0;
};

}  // namespace zemtra
