// zemtra: the desktop program. It takes no arguments; everything happens in its main window.
#include <QApplication>

#include "app/zemtra_app_qt.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zemtra::CZemtraApp app;
    app.InitInstance();
    return 0;
}
