// CZemtraApp: the application object. It runs the main window modally and ends with it.
#pragma once

namespace zemtra {

class CZemtraApp {
  public:
    // Runs the main window until it closes. Returns false: nothing is left to run after it.
    bool InitInstance();
};

}  // namespace zemtra
