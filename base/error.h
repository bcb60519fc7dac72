// The one error type for what the user can fix: a value out of range, a file that cannot be
// written. The core throws it with context, as a message of base/messages.h with its facts;
// the CLI prints its English, the window words it in the chosen language.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "base/messages.h"

namespace zemtra {

class UserError : public std::runtime_error {
  public:
    // A text that is only the system's own words; every language shows it as it is.
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
    // A message with its facts; what() is its English.
    explicit UserError(Message message)
        : std::runtime_error(EnglishUtf8(message)),
          message_(std::make_shared<const Message>(std::move(message))) {}

    // The message, for wording it in another language; null for a plain text.
    const Message* Words() const { return message_.get(); }

  private:
    std::shared_ptr<const Message> message_;  // shared: copying an exception must not throw
};

// A target file that cannot be created at all (a missing folder, no permission): the window
// answers it with its own short message, the command line with this one.
class CannotCreateFile : public UserError {
  public:
    using UserError::UserError;
};

// What an exception says, as a fact of another message: its message when it has one, else its
// text.
inline MessageArg ErrorArg(const std::exception& e) {
    if (const auto* u = dynamic_cast<const UserError*>(&e); u != nullptr && u->Words() != nullptr) {
        return *u->Words();
    }
    return std::string(e.what());
}

// Refuses a file to be read that is a folder: a stream opens a folder and then fails in the
// standard library's own words, so the reason is given before.
inline void RefuseFolder(const std::filesystem::path& file) {
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        throw UserError(Message{Msg::ErrReadFile, {file.string(), Message{Msg::WhyFolder}}});
    }
}

}  // namespace zemtra
