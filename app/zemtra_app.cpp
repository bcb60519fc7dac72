// The application object's one job: the main window's modal run.
#include "app/zemtra_app.h"

#include <QApplication>

#include "app/zemtra_dialog.h"
#include "ui/qt/app_icon.h"

namespace zemtra {

bool CZemtraApp::InitInstance(const std::filesystem::path& project) {
    QApplication::setApplicationName(QStringLiteral("Zemtra"));
    QApplication::setWindowIcon(ZemtraIcon());
    {
        CZemtraDlg dialog;
        if (!project.empty())
            dialog.Document().OpenProject(project);  // after Setting.ini, errors shown
        dialog.exec();
    }
    return false;
}

}  // namespace zemtra
