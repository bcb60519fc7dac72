// zemtra: the desktop program. Everything happens in its main window; the one optional
// argument is a project file to open after the last run's settings (for file associations).
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/zemtra_app.h"

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Where no window system can be reached and no Qt platform is chosen (the environment or
// -platform), Qt would abort with a long message about plugins; say it plainly instead.
bool HasDisplay(int argc, char* argv[]) {
    if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay(argc, argv)) {
        std::fputs(
            "zemtra: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
            "zemtra-cli runs the same jobs without one\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("org.zemtra.Zemtra"));
    // Qt has taken its own options out of the arguments by now. The path is made absolute
    // before the main window makes the program folder the working directory.
    std::filesystem::path project;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        std::error_code ec;
        project = std::filesystem::absolute(arguments.at(1).toStdString(), ec);
    }
    zemtra::CZemtraApp app;
    app.InitInstance(project);
    return 0;
}
