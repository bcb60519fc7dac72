// Where writers put their text piece by piece: a file (CStdioFileEx) or memory.
#pragma once

#include <string>
#include <string_view>

namespace zemtra {

class TextWriter {
  public:
    virtual ~TextWriter() = default;
    // Appends a piece of UTF-16 text; false when it could not be written.
    virtual bool WriteString(std::u16string_view text) = 0;
};

// Collects the text in memory.
class StringTextWriter : public TextWriter {
  public:
    bool WriteString(std::u16string_view text) override {
        text_.append(text);
        return true;
    }
    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;
};

}  // namespace zemtra
