// The one error type for what the user can fix: a value out of range, a file that cannot be
// written. The core throws it with context; the CLI prints it, the GUI shows it in a message box.
#pragma once

#include <stdexcept>
#include <string>

namespace zemtra {

class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

// A target file that cannot be created at all (a missing folder, no permission): the window
// answers it with its own short message, the command line with this one.
class CannotCreateFile : public UserError {
  public:
    using UserError::UserError;
};

}  // namespace zemtra
