// CZemtraApp: the application object. It runs the main window modally and ends with it.
#pragma once

#include <filesystem>

namespace zemtra {

class CZemtraApp {
  public:
    // Runs the main window until it closes, first opening project (when given) as Project >
    // Open does. Returns false: nothing is left to run after it.
    bool InitInstance(const std::filesystem::path& project = {});
};

}  // namespace zemtra
