// CStdioFileEx: the text file through which every text the system writes goes; UTF-16LE with a
// byte-order mark, or the system's ANSI code page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "output/text_writer.h"

namespace zemtra {

class CStdioFileEx : public TextWriter {
  public:
    // The framework's open flags, and the class's own Unicode flag.
    static constexpr uint32_t modeRead = 0x0000;
    static constexpr uint32_t modeWrite = 0x0001;
    static constexpr uint32_t modeReadWrite = 0x0002;
    static constexpr uint32_t modeCreate = 0x1000;
    static constexpr uint32_t modeNoTruncate = 0x2000;
    static constexpr uint32_t typeBinary = 0x8000;
    static constexpr uint32_t modeUnicode = 0x100000;
    // Ours: refuse to open the path when it is a symbolic link (for files in shared folders).
    static constexpr uint32_t modeNoFollow = 0x40000000;

    CStdioFileEx() = default;
    ~CStdioFileEx() override;
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Opens the file in binary mode. Afterwards `unicode` tells whether its text is UTF-16: the
    // file starts with FF FE, or the flags hold modeUnicode with modeWrite or modeReadWrite.
    bool Open(const std::filesystem::path& path, uint32_t flags);
    // UTF-16LE (with the mark first when the position is 0) or the ANSI code page's bytes.
    bool WriteString(std::u16string_view text) override;
    // Closes the file; false when any write or the close itself failed.
    bool Close();

    bool IsOpen() const { return file_ != nullptr; }
    bool unicode = false;

  private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace zemtra
