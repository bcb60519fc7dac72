// zemtra: the desktop program. Everything happens in its main window; the one optional
// argument is a project file to open after the last run's settings (for file associations).
#include <QApplication>

#include <filesystem>

#include "app/zemtra_app.h"

int main(int argc, char* argv[]) {
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
