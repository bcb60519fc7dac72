// Helpers of the project tests: file bytes in the profile encodings, and environment variables
// set for one test only.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/unicode.h"

namespace zemtra::test {

// UTF-16LE bytes, with the byte-order mark unless told otherwise.
inline std::string Utf16LeBytes(std::u16string_view text, bool mark = true) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

inline std::string Utf8Bytes(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

// Sets (or with nullptr removes) one variable and puts the old value back afterwards.
class EnvGuard {
  public:
    EnvGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvGuard() {
        if (old_) {
            setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace zemtra::test
