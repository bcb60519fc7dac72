// The main window's font: the "Font" button with the font dialog, "Font File..." with the face
// question for collections, Project > Font Sources..., the button's caption (naming the face
// drawn instead of one that is missing) and the font size that follows the matrix.
#pragma once

#include <QObject>
#include <QString>

#include "base/project_settings.h"

class QWidget;

namespace zemtra {

class FontEngine;
class ProjectDocument;
class SettingsPanel;
class WindowHost;
struct UiHooks;

class FontControls : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        ProjectSettings& record;
        FontEngine& fonts;
        SettingsPanel& panel;
        ProjectDocument& document;
        WindowHost& host;
        UiHooks& hooks;
        QWidget* window;
        int dpi;
    };
    FontControls(const Parts& parts, QObject* parent);

    void ChooseFace();      // the "Font" button
    void ChooseFontFile();  // "Font File..."
    // A font file (and the face of a collection) instead of an installed face.
    void UseFontFile(const QString& name);
    void EditSources();  // Project > Font Sources...
    // The font size from the matrix size (a bitmap font file keeps its own).
    void DeriveFontSize();
    // The button's caption: the font file's name while one is in use, else the face.
    void ShowFontName();

  signals:
    // The font changed: the preview draws it.
    void fontChanged();

  private:
    Parts p_;
};

}  // namespace zemtra
