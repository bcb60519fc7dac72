// The application object's one job: the main window's modal run.
#include "app/zemtra_app_qt.h"

#include <QApplication>

#include "app/app_icon_qt.h"
#include "app/zemtra_dialog.h"

namespace zemtra {

bool CZemtraApp::InitInstance() {
    QApplication::setApplicationName(QStringLiteral("Zemtra"));
    QApplication::setWindowIcon(ZemtraIcon());
    {
        CZemtraDlg dialog;
        dialog.exec();
    }
    return false;
}

}  // namespace zemtra
