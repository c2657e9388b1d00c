// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinEdit.h"

#include "widgets/SpinButton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <memory>
#include <optional>

namespace arbolink {

namespace {

constexpr int kButtonWidth = 15;
// The layout rules count in a sunken three-dimensional border two pixels wide, and in the
// one-pixel border height of the system.
constexpr int kEdge = 2;
constexpr int kSystemBorderHeight = 1;
constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kBackspace = 8;

// An optional sign and at least one decimal digit, within the 32-bit range.
std::optional<std::int32_t> DecimalInt32(const QString& text) {
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    if (at == text.size()) {
        return std::nullopt;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool IsPasteOrCut(const QKeyEvent* event) {
    return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
}

// Every key that removes text without typing a character.
bool IsDeletion(const QKeyEvent* event) {
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
           event->matches(QKeySequence::DeleteEndOfLine) ||
           event->matches(QKeySequence::DeleteCompleteLine);
}

bool IsReturn(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QLineEdit(parent), button_(new TSpinButton(this)) {
    button_->setCursor(Qt::ArrowCursor);
    setText(QStringLiteral("0"));
    setTextMargins(0, 0, kButtonWidth + 2, 0);
    connect(button_, &TSpinButton::UpClick, this, &TSpinEdit::UpClick);
    connect(button_, &TSpinButton::DownClick, this, &TSpinEdit::DownClick);
    UpdateMinimumHeight();
    PlaceButton();
}

std::int32_t TSpinEdit::Value() const {
    return DecimalInt32(text()).value_or(minValue_);
}

void TSpinEdit::SetValue(std::int32_t value) {
    WriteValue(value);
}

void TSpinEdit::SetEditorEnabled(bool enabled) {
    editorEnabled_ = enabled;
    // A drop inserts text as a paste does.
    setAcceptDrops(enabled);
}

void TSpinEdit::UpClick() {
    Step(increment_);
}

void TSpinEdit::DownClick() {
    Step(-std::int64_t{increment_});
}

void TSpinEdit::Beep() {
    QApplication::beep();
}

void TSpinEdit::Step(std::int64_t delta) {
    if (isReadOnly()) {
        Beep();
        return;
    }
    WriteValue(std::int64_t{Value()} + delta);
}

void TSpinEdit::WriteValue(std::int64_t value) {
    const QString written = QString::number(Clamped(value));
    if (written != text()) {
        setText(written);
    }
}

std::int32_t TSpinEdit::Clamped(std::int64_t value) const {
    if (minValue_ == maxValue_) {
        return Saturated(value);
    }
    // Tested one after the other, so that a minimum above the maximum cannot fail.
    if (value < minValue_) {
        return minValue_;
    }
    if (value > maxValue_) {
        return maxValue_;
    }
    return static_cast<std::int32_t>(value);
}

bool TSpinEdit::AcceptsCharacter(QChar character) const {
    const char16_t code = character.unicode();
    const QString separator = locale().decimalPoint();
    const bool numeric = code == u'+' || code == u'-' || (code >= u'0' && code <= u'9') ||
                         (separator.size() == 1 && character == separator[0]);
    const bool control = code < 32 && code != kCarriageReturn;
    if (!numeric && !control) {
        return false;
    }
    return editorEnabled_ || (code < 32 && code != kBackspace);
}

// A dialog's default button answers Return before the field could take it for a character.
bool TSpinEdit::DialogTakesReturn() const {
    const auto* dialog = qobject_cast<const QDialog*>(window());
    if (dialog == nullptr) {
        return false;
    }
    const auto buttons = dialog->findChildren<QPushButton*>();
    return std::any_of(buttons.begin(), buttons.end(), [](const QPushButton* button) {
        return button->isDefault() && button->isVisible();
    });
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        UpClick();
        return;
    }
    if (event->key() == Qt::Key_Down) {
        DownClick();
        return;
    }
    if (IsPasteOrCut(event)) {
        if (CanEditClipboard()) {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    if (IsReturn(event) && DialogTakesReturn()) {
        event->ignore();
        return;
    }
    if (IsDeletion(event)) {
        if (!editorEnabled_) {
            Beep();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    if (!std::all_of(typed.begin(), typed.end(),
                     [this](QChar character) { return AcceptsCharacter(character); })) {
        Beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    QString kept;
    for (const QChar character : committed) {
        if (AcceptsCharacter(character)) {
            kept += character;
        }
    }
    if (kept.size() == committed.size()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    Beep();
    const std::unique_ptr<QInputMethodEvent> filtered(event->clone());
    filtered->setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(filtered.get());
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu or another window taking the focus for a while is not leaving the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        return;
    }
    const std::int32_t value = Value();
    if (Clamped(value) != value) {
        WriteValue(value);
    }
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The standard menu offers no action that changes the text of a read-only field; it is
    // built as one while typing is not allowed.
    const bool readOnly = isReadOnly();
    setReadOnly(readOnly || !editorEnabled_);
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    setReadOnly(readOnly);
    menu->exec(event->globalPos());
}

void TSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection of the X11 desktop.
    if (event->button() == Qt::MiddleButton && !CanEditClipboard()) {
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceButton();
}

void TSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateMinimumHeight();
    }
}

void TSpinEdit::PlaceButton() {
    button_->setGeometry(kEdge + width() - kButtonWidth - 5, kEdge, kButtonWidth, height() - 5);
}

void TSpinEdit::UpdateMinimumHeight() {
    const int fontHeight = fontMetrics().height();
    const int systemFontHeight = QFontMetrics(QApplication::font()).height();
    setMinimumHeight(fontHeight + std::min(systemFontHeight, fontHeight) / 4 +
                     4 * kSystemBorderHeight + 2);
}

} // namespace arbolink
