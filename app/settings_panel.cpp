#include "app/settings_panel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <algorithm>
#include <array>

#include "base/character_list.h"
#include "base/code_page.h"
#include "base/presets.h"
#include "raster/font_file.h"
#include "raster/qt/scan_demo_widget.h"
#include "raster/scan_demo.h"
#include "ui/control_ids.h"
#include "ui/hex_edit_rules.h"
#include "ui/qt/hex_edit_widget.h"
#include "ui/qt/language.h"
#include "ui/qt/ui_hooks.h"
#include "ui/qt/updown_widget.h"
#include "ui/settings_controls.h"

namespace zemtra {
namespace {

// The platform's data exchange keeps control notifications from reaching the window while it
// runs, so a push never sets off the handlers of the edits it writes.
class Lockout {
  public:
    explicit Lockout(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Lockout() { flag_ = old_; }
    Lockout(const Lockout&) = delete;
    Lockout& operator=(const Lockout&) = delete;

  private:
    bool& flag_;
    bool old_;
};

void PushText(QLineEdit* edit, const std::u16string& text) {
    const QString q = ToQString(text);
    if (edit->text() != q) edit->setText(q);
}

void PushIndex(QComboBox* combo, int32_t index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// A box left empty (a project's value that is none of its items) keeps that value, so that
// it is named and saved as it was rather than turned into -1.
void KeepUnlessEmpty(const QComboBox* box, int32_t& value) {
    if (box->currentIndex() >= 0) value = box->currentIndex();
}

// What a control shows just now, over the language's words for what it is for.
QString WithControlTip(const QWidget* control, const QString& what) {
    const QString tip = control->property(kControlTipProperty).toString();
    if (what.isEmpty()) return tip;
    return tip.isEmpty() ? what : what + QStringLiteral("\n\n") + tip;
}

// The preset list's full titles: the closed box has room for the names only.
constexpr int kFullTitleRole = Qt::UserRole + 1;

class FullTitleDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant full = index.data(kFullTitleRole);
        if (full.isValid()) option->text = full.toString();
    }
};

struct ComboText {
    std::u16string_view key;
    std::u16string_view english;
};

constexpr std::array<ComboText, 4> kOrientTexts = {{{u"IDS_ORIENT_ROW", u"Row"},
                                                    {u"IDS_ORIENT_COL", u"Column"},
                                                    {u"IDS_ORIENT_ROWCOL", u"Row/Column"},
                                                    {u"IDS_ORIENT_COLROW", u"Column/Row"}}};
constexpr std::array<ComboText, 2> kDirectTexts = {
    {{u"IDS_DIRECT_FORWARD", u"Forward"}, {u"IDS_DIRECT_BACKWARD", u"Backward"}}};
constexpr std::array<ComboText, 2> kFormatTexts = {
    {{u"IDS_FORMAT_CATHODE", u"Cathode"}, {u"IDS_FORMAT_ANODE", u"Anode"}}};

// Refills a combo box with the language's texts, keeping its selected index.
template <size_t N>
void Refill(QComboBox* combo, const std::array<ComboText, N>& texts,
            const CMultiLanguage& language) {
    const int selected = combo->currentIndex();
    combo->clear();
    for (const ComboText& t : texts) {
        combo->addItem(ToQString(language.GetText(kSpecialStringsSection, t.key, t.english)));
    }
    combo->setCurrentIndex(selected);
}

}  // namespace

SettingsPanel::SettingsPanel(ProjectSettings& record, const std::map<int, QWidget*>& controls,
                             QObject* parent)
    : QObject(parent), settings_(record) {
    const auto get = [&controls]<typename T>(int id, T*& out) {
        const auto it = controls.find(id);
        out = it == controls.end() ? nullptr : qobject_cast<T*>(it->second);
        Q_ASSERT(out != nullptr);
    };
    get(kTextEditId, text_);
    get(kMatrixWidthId, matrixX_);
    get(kMatrixHeightId, matrixY_);
    get(kFontWidthId, fontWidth_);
    get(kFontHeightId, fontHeight_);
    get(kThresholdId, threshold_);
    get(kThresholdSpinId, thresholdSpin_);
    get(kDataBitsId, dataBit_);
    get(kCodePageId, codePage_);
    get(kOrientationId, orient_);
    get(kDirectionId, direct_);
    get(kPolarityId, format_);
    get(kPresetComboId, preset_);
    get(kShowDemoId, showDemo_);
    get(kDemoAreaId, demo_);
    get(kOffsetXId, offsetX_);
    get(kOffsetYId, offsetY_);
    get(kFromId, from_);
    get(kToId, to_);
    get(kFromCharacterId, fromCharacter_);
    get(kToCharacterId, toCharacter_);
    get(kFontButtonId, fontButton_);
    from_->setMaxLength(kHexEditMaxLength);
    to_->setMaxLength(kHexEditMaxLength);
    fromCharacter_->setTextFormat(Qt::PlainText);
    toCharacter_->setTextFormat(Qt::PlainText);
    fontButton_->installEventFilter(this);  // its caption is elided to its width
    demoTimer_.setInterval(kScanDemoTimerMs);
    PreparePresetCombo();
    Connect(controls);
}

void SettingsPanel::Connect(const std::map<int, QWidget*>& controls) {
    for (QLineEdit* field : {matrixX_, matrixY_, fontWidth_, fontHeight_, threshold_}) {
        const bool matrix = field == matrixX_ || field == matrixY_;
        connect(field, &QLineEdit::textChanged, this, [this, matrix] {
            if (lockout_) return;
            Pull();
            if (matrix) {
                emit matrixResized();
                return;
            }
            TakeFontSize();
            emit dotsChanged();
        });
    }
    // After each field's handler, whether typed or pushed: the mark and the status line's word
    // on a text that is no number come last.
    for (QLineEdit* field : {matrixX_, matrixY_, fontWidth_, fontHeight_, threshold_}) {
        connect(field, &QLineEdit::textChanged, this,
                [this] { emit numberFieldsChecked(CheckNumberFields()); });
    }
    // "activated" is the user's choice only, as the platform's selection-change notification.
    connect(format_, &QComboBox::activated, this, [this] {
        if (lockout_) return;
        Pull();
        ShowMatchingPreset();
        emit dotsChanged();  // the colours follow the polarity
    });
    for (QComboBox* combo : {dataBit_, orient_, direct_}) {
        connect(combo, &QComboBox::activated, this, [this] {
            if (lockout_) return;
            Pull();  // the matrix does not change, so neither does the preview
            ShowMatchingPreset();
            emit recordChanged();
        });
    }
    for (int id : {kMatrixWidthSpinId, kMatrixHeightSpinId, kFontWidthSpinId, kFontHeightSpinId,
                   kThresholdSpinId}) {
        auto* spin = qobject_cast<UpDownWidget*>(controls.at(id));
        connect(spin, &UpDownWidget::Stepped, this, [this, id](int d) { OnSpin(id, d); });
    }
    for (int id : {kMoveUpId, kMoveDownId, kMoveLeftId, kMoveRightId, kCentreId}) {
        auto* button = qobject_cast<QPushButton*>(controls.at(id));
        connect(button, &QPushButton::clicked, this, [this, id] { OnOffsetButton(id); });
    }
    connect(preset_, &QComboBox::activated, this, [this] { OnPresetChosen(); });
    connect(showDemo_, &QCheckBox::clicked, this, [this] { OnShowDemo(); });
    connect(&demoTimer_, &QTimer::timeout, this, [this] {
        // Timer 0 runs while "Show Demo" is checked; the step goes on from wherever it stopped.
        demo_->Show(RenderScanDemo(ScanModeOf(settings_), demoStep_));
        demoStep_ = NextScanDemoStep(demoStep_);
    });
    connect(qobject_cast<QPushButton*>(controls.at(kAsciiButtonId)), &QPushButton::clicked, this,
            [this] { OnAscii(); });
    connect(codePage_, &QComboBox::activated, this, [this] { OnCodePageChanged(); });
    // The clamps keep the range one the library job can take.
    connect(from_, &CHexEdit::FocusLost, this, [this] { ClampCodeField(from_); });
    connect(to_, &CHexEdit::FocusLost, this, [this] { ClampCodeField(to_); });
    for (CHexEdit* field : {from_, to_}) {
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            OnCodeTextChanged(field);
            emit recordChanged();
        });
    }
}

void SettingsPanel::Pull() {
    Lockout lock(lockout_);
    settings_.BLOCKNUMX = FromQString(matrixX_->text());
    settings_.BLOCKNUMY = FromQString(matrixY_->text());
    settings_.THRESHOLD = FromQString(threshold_->text());
    settings_.TEXT = PlatformLineBreaks(FromQString(text_->toPlainText()));
    KeepUnlessEmpty(dataBit_, settings_.DATABIT);
    settings_.WIDTH = FromQString(fontWidth_->text());
    settings_.HEIGHT = FromQString(fontHeight_->text());
    KeepUnlessEmpty(codePage_, settings_.CODEPAGE);
    KeepUnlessEmpty(orient_, settings_.ORIENT);
    KeepUnlessEmpty(direct_, settings_.DIRECT);
    KeepUnlessEmpty(format_, settings_.FORMAT);
}

void SettingsPanel::Push() {
    Lockout lock(lockout_);
    PushText(matrixX_, settings_.BLOCKNUMX);
    PushText(matrixY_, settings_.BLOCKNUMY);
    PushText(threshold_, settings_.THRESHOLD);
    if (PlatformLineBreaks(FromQString(text_->toPlainText())) != settings_.TEXT) {
        text_->setPlainText(ToQString(EditorLineBreaks(settings_.TEXT)));
    }
    PushIndex(dataBit_, settings_.DATABIT);
    PushText(fontWidth_, settings_.WIDTH);
    PushText(fontHeight_, settings_.HEIGHT);
    PushIndex(codePage_, settings_.CODEPAGE);
    PushIndex(orient_, settings_.ORIENT);
    PushIndex(direct_, settings_.DIRECT);
    PushIndex(format_, settings_.FORMAT);
    ShowMatchingPreset();
}

void SettingsPanel::ReadDirectControls() {
    settings_.ENDEMO = showDemo_->isChecked() ? 1 : 0;
    // Only the low 16 bits of a code count.
    settings_.FROM = static_cast<uint16_t>(from_->GetValue() & 0xFFFF);
    settings_.TO = static_cast<uint16_t>(to_->GetValue() & 0xFFFF);
}

void SettingsPanel::ShowRecord(const QString& offsetX, const QString& offsetY) {
    Push();
    ShowOffsets(offsetX, offsetY);
    from_->SetValue(settings_.FROM);
    to_->SetValue(settings_.TO);
    ShowCodeCharacters();  // the code page may have changed where the codes did not
    showDemo_->setChecked(settings_.ENDEMO != 0);
    if (showDemo_->isChecked()) {
        demoTimer_.start();
    } else {
        demoTimer_.stop();
    }
}

void SettingsPanel::SettleFocusedCodeField() {
    if (from_->hasFocus()) ClampCodeField(from_);
    if (to_->hasFocus()) ClampCodeField(to_);
}

void SettingsPanel::ShowOffsets(const QString& x, const QString& y) {
    offsetX_->setText(x);
    offsetY_->setText(y);
}

void SettingsPanel::ShowThreshold(bool visible) {
    threshold_->setVisible(visible);
    thresholdSpin_->setVisible(visible);
}

void SettingsPanel::Retext(const CMultiLanguage& language, const QString& presetNone) {
    Refill(orient_, kOrientTexts, language);
    Refill(direct_, kDirectTexts, language);
    Refill(format_, kFormatTexts, language);
    preset_->setItemText(0, presetNone);
    // The two tooltips that tell what the controls show keep it, in front of the new words.
    ElideFontCaption();
    ShowMatchingPreset();
}

// A number field whose text is no whole number goes on with the number the text starts with (a
// project stores the text and reads it that way); the field is marked and the status line says
// so, rather than letting the preview stay at a value the field does not show.
std::optional<Message> SettingsPanel::CheckNumberFields() {
    const struct {
        QLineEdit* field;
        Msg name;
    } fields[] = {{matrixX_, Msg::FieldMatrixWidth},
                  {matrixY_, Msg::FieldMatrixHeight},
                  {fontWidth_, Msg::FieldFontWidth},
                  {fontHeight_, Msg::FieldFontHeight},
                  {threshold_, Msg::FieldThreshold}};
    std::optional<Message> first;
    for (const auto& f : fields) {
        const std::u16string text = FromQString(f.field->text());
        // The threshold counts only while a picture item shows it.
        const bool bad = (f.field != threshold_ || !threshold_->isHidden()) && !IsWholeNumber(text);
        if (f.field->property(kBadValueProperty).toBool() != bad) {
            f.field->setProperty(kBadValueProperty, bad);
            QPalette palette = f.field->parentWidget()->palette();
            if (bad) palette.setColor(QPalette::Base, QColor(0xFF, 0xD8, 0xD8));
            f.field->setPalette(palette);
        }
        if (bad && !first) {
            first =
                Message{Msg::FieldNotANumber, {Message{f.name}, text, std::to_string(Value(text))}};
        }
    }
    return first;
}

void SettingsPanel::OnSpin(int id, int direction) {
    if (lockout_) return;
    Pull();
    switch (id) {
        case kMatrixWidthSpinId:
        case kMatrixHeightSpinId:
        case kFontWidthSpinId:
        case kFontHeightSpinId: {
            std::u16string& field = id == kMatrixWidthSpinId    ? settings_.BLOCKNUMX
                                    : id == kMatrixHeightSpinId ? settings_.BLOCKNUMY
                                    : id == kFontWidthSpinId    ? settings_.WIDTH
                                                                : settings_.HEIGHT;
            field = StepText(field, direction);
            Push();
            Pull();
            if (id == kMatrixWidthSpinId || id == kMatrixHeightSpinId) {
                emit matrixResized();
                return;
            }
            TakeFontSize();
            break;
        }
        case kThresholdSpinId:
            settings_.THRESHOLD = StepThreshold(settings_.THRESHOLD, direction);
            Push();
            break;
        default:
            return;
    }
    emit dotsChanged();
}

// The font's size follows its two fields' texts (a text that is no number takes its leading
// digits).
void SettingsPanel::TakeFontSize() {
    settings_.FONT.Width = Value(settings_.WIDTH);
    settings_.FONT.Height = Value(settings_.HEIGHT);
}

void SettingsPanel::OnOffsetButton(int id) {
    if (lockout_ || !ApplyOffsetButton(settings_, id)) return;
    ShowOffsets(ToQString(DecimalText(settings_.OFFSETX)),
                ToQString(DecimalText(settings_.OFFSETY)));
    emit dotsChanged();
}

void SettingsPanel::OnShowDemo() {
    if (lockout_) return;
    settings_.ENDEMO = showDemo_->isChecked() ? 1 : 0;
    if (showDemo_->isChecked()) {
        demoTimer_.start();
    } else {
        demoTimer_.stop();
    }
    emit recordChanged();
}

void SettingsPanel::OnAscii() {
    if (lockout_) return;
    // Appended as one edit of the text, so what was typed stays and Ctrl+Z takes it back.
    QTextCursor cursor(text_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ToQString(PrintableAscii()));
    text_->setTextCursor(cursor);
    Pull();
}

void SettingsPanel::SetFontCaption(const QString& caption, const QString& tip) {
    fontCaption_ = caption;
    fontTip_ = tip;
    ElideFontCaption();
}

void SettingsPanel::ElideFontCaption() {
    // A long name ends in an ellipsis rather than being cut at both ends; the tooltip has it all.
    const int room = fontButton_->contentsRect().width() -
                     2 * fontButton_->style()->pixelMetric(QStyle::PM_ButtonMargin);
    const QString shown =
        fontButton_->fontMetrics().elidedText(fontCaption_, Qt::ElideRight, std::max(room, 8));
    fontButton_->setText(shown);
    const QString what = !fontTip_.isEmpty()     ? fontTip_
                         : shown != fontCaption_ ? fontCaption_
                                                 : QString();
    fontButton_->setToolTip(WithControlTip(fontButton_, what));
}

bool SettingsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fontButton_ && event->type() == QEvent::Resize) ElideFontCaption();
    return QObject::eventFilter(watched, event);
}

void SettingsPanel::PreparePresetCombo() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    for (size_t i = 0; i < presets.size(); ++i) {
        const int item = static_cast<int>(i) + 1;
        preset_->setItemData(item, QString::fromUtf8(presets[i].layout), Qt::ToolTipRole);
        preset_->setItemData(item, QString::fromUtf8(presets[i].title), kFullTitleRole);
    }
    // The closed box shows the controller's name, whole; the opened list the full titles.
    preset_->view()->setItemDelegate(new FullTitleDelegate(preset_));
    // The box is narrow; its list opens wide enough for the whole titles.
    preset_->view()->setMinimumWidth(preset_->view()->sizeHintForColumn(0) + 8);
}

void SettingsPanel::OnPresetChosen() {
    if (lockout_) return;
    const std::span<const ControllerPreset> presets = ControllerPresets();
    const int index = preset_->currentIndex();
    chosenPreset_ = index;
    if (index < 1 || static_cast<size_t>(index) > presets.size()) return;  // "(none)"
    Pull();
    ApplyPreset(settings_, presets[static_cast<size_t>(index) - 1]);
    Push();
    emit dotsChanged();  // the polarity may have changed, as with the polarity box
}

void SettingsPanel::ShowMatchingPreset() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    // A preset shows only while the user's choice of it still fits the four boxes: settings
    // that merely happen to match one were not made for that controller.
    const bool fits = chosenPreset_ >= 1 && static_cast<size_t>(chosenPreset_) <= presets.size() &&
                      PresetFits(settings_, presets[static_cast<size_t>(chosenPreset_) - 1]);
    if (!fits) chosenPreset_ = 0;
    preset_->setCurrentIndex(chosenPreset_);
    const ControllerPreset* preset =
        fits ? &presets[static_cast<size_t>(chosenPreset_) - 1] : nullptr;
    preset_->setToolTip(WithControlTip(preset_, preset == nullptr
                                                    ? QString()
                                                    : QString::fromUtf8(preset->title) + u'\n' +
                                                          QString::fromUtf8(preset->layout)));
}

void SettingsPanel::OnCodePageChanged() {
    if (lockout_) return;
    Pull();
    const CodeRange range = CodeRangeOf(settings_.CODEPAGE);
    from_->SetValue(range.lowest);
    to_->SetValue(range.highest);
    // Equal texts set no change off, yet the characters belong to the new code page.
    ShowCodeCharacters();
    emit recordChanged();
}

// The status line says what a clamp changed, with the codes as the fields write them.
void SettingsPanel::ClampCodeField(CHexEdit* field) {
    const bool from = field == from_;
    const uint32_t typed = field->GetValue();
    const uint32_t other = (from ? to_ : from_)->GetValue();
    const int32_t kind = codePage_->currentIndex();
    const uint32_t clamped = from ? ClampedFrom(typed, other, kind) : ClampedTo(typed, other, kind);
    if (clamped == typed) return;
    field->SetValue(clamped);
    const CodeRange range = CodeRangeOf(kind);
    // "From: 0000 lies outside A1A1..FEFE, so it is now A1A1."
    emit news(Message{Msg::CodeClamped,
                      {Message{from ? Msg::FieldFrom : Msg::FieldTo}, HexEditSetValue(typed),
                       HexEditSetValue(from ? range.lowest : other),
                       HexEditSetValue(from ? other : range.highest), HexEditSetValue(clamped)}});
}

void SettingsPanel::OnCodeTextChanged(CHexEdit* field) {
    const uint16_t code = static_cast<uint16_t>(field->GetValue() & 0xFFFF);
    (field == from_ ? settings_.FROM : settings_.TO) = code;
    QLabel* box = field == from_ ? fromCharacter_ : toCharacter_;
    const int32_t kind = codePage_->currentIndex();
    if (kind < static_cast<int32_t>(CodePageKind::Unicode) ||
        kind > static_cast<int32_t>(CodePageKind::Big5)) {
        box->clear();
        return;
    }
    box->setText(ToQString(CodeToCharacter(code, kind)));
}

void SettingsPanel::ShowCodeCharacters() {
    OnCodeTextChanged(from_);
    OnCodeTextChanged(to_);
}

}  // namespace zemtra
