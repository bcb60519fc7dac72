// The main window's settings controls and their exchange with the project's record: the matrix
// and font sizes, the threshold, the text, the scan-mode, polarity and code-page boxes with the
// preset, the offsets and their buttons, the code range, "Show Demo" with the scan demo, and
// the "Font" button's caption. It handles its controls' edits itself and says through its
// signals what they changed; the window redraws and words the news.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <optional>

#include "base/messages.h"
#include "base/project_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace zemtra {

class CHexEdit;
class CMultiLanguage;
class ScanDemoWidget;
class UpDownWidget;

// Set (true) on a field whose text is a value the field cannot take, which is marked.
inline constexpr char kBadValueProperty[] = "zemtraBadValue";

class SettingsPanel : public QObject {
    Q_OBJECT
  public:
    // Takes its controls from the window's table of controls by id and connects them.
    SettingsPanel(ProjectSettings& record, const std::map<int, QWidget*>& controls,
                  QObject* parent);

    // Controls to record, and back (an edit only where its text differs). Control
    // notifications are locked out meanwhile, as the platform's data exchange does.
    void Pull();
    void Push();
    bool Locked() const { return lockout_; }
    // OFFSETX, OFFSETY, ENDEMO, FROM and TO live in their controls, outside pull and push.
    void ReadDirectControls();
    // A record loaded or made anew on show: the pushed fields, the offsets' texts, the codes
    // with their characters and "Show Demo" with its timer.
    void ShowRecord(const QString& offsetX, const QString& offsetY);
    // A code field being left when the window closes is settled first.
    void SettleFocusedCodeField();

    // The "Font" button's whole caption and its tooltip's head; elided to the button's width.
    void SetFontCaption(const QString& caption, const QString& tip);
    void ElideFontCaption();
    // The preset box shows the preset the four scan boxes still fit, or "(none)".
    void ShowMatchingPreset();
    // The language's texts in the three scan boxes and the preset's "(none)".
    void Retext(const CMultiLanguage& language, const QString& presetNone);
    // A picture item shows the threshold and its spin; a character hides them.
    void ShowThreshold(bool visible);

    bool DemoTimerActive() const { return demoTimer_.isActive(); }
    void StopDemo() { demoTimer_.stop(); }
    int32_t DemoStep() const { return demoStep_; }

  signals:
    // The matrix size changed: the font size follows it, then the preview.
    void matrixResized();
    // What the preview draws changed.
    void dotsChanged();
    // The record changed without changing the dots (a scan-mode box).
    void recordChanged();
    // After each number field's change, the first whose text is no whole number, or none.
    void numberFieldsChecked(const std::optional<Message>& bad);
    // A change of a value the user typed, for the status line.
    void news(const Message& message);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Connect(const std::map<int, QWidget*>& controls);
    void OnSpin(int id, int direction);
    void TakeFontSize();
    void OnOffsetButton(int id);
    void OnPresetChosen();
    void PreparePresetCombo();
    void OnShowDemo();
    void OnAscii();
    void OnCodePageChanged();
    void ClampCodeField(CHexEdit* field);
    void OnCodeTextChanged(CHexEdit* field);
    void ShowCodeCharacters();
    void ShowOffsets(const QString& x, const QString& y);
    std::optional<Message> CheckNumberFields();

    ProjectSettings& settings_;
    bool lockout_ = false;  // notifications are not handled during the data exchange
    int chosenPreset_ = 0;  // the preset the user chose, while the scan mode still fits it
    QString fontCaption_, fontTip_;
    QTimer demoTimer_;  // timer 0
    int32_t demoStep_ = 0;
    QPlainTextEdit* text_ = nullptr;
    QLineEdit *matrixX_ = nullptr, *matrixY_ = nullptr, *fontWidth_ = nullptr,
              *fontHeight_ = nullptr, *threshold_ = nullptr;
    UpDownWidget* thresholdSpin_ = nullptr;
    QComboBox *dataBit_ = nullptr, *codePage_ = nullptr, *orient_ = nullptr, *direct_ = nullptr,
              *format_ = nullptr, *preset_ = nullptr;
    QCheckBox* showDemo_ = nullptr;
    ScanDemoWidget* demo_ = nullptr;
    QLabel *offsetX_ = nullptr, *offsetY_ = nullptr, *fromCharacter_ = nullptr,
           *toCharacter_ = nullptr;
    CHexEdit *from_ = nullptr, *to_ = nullptr;
    QPushButton* fontButton_ = nullptr;
};

}  // namespace zemtra
