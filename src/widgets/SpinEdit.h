// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TSpinEdit: a single-line numeric field with a spin button inside its right edge.
//
// The number is the text itself: Value reads the text (an invalid text reads as MinValue,
// and reading never clamps), writing Value replaces the text with the clamped number. The
// text-change event is QLineEdit::textChanged, which fires only when the text differs.
// ReadOnly is QLineEdit's own read-only state; a step on a read-only field beeps.

#include <QLineEdit>
#include <cstdint>

namespace arbolink {

class TSpinButton;

class TSpinEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    std::int32_t MinValue() const { return minValue_; }
    void SetMinValue(std::int32_t value) { minValue_ = value; }
    std::int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(std::int32_t value) { maxValue_ = value; }
    std::int32_t Increment() const { return increment_; }
    void SetIncrement(std::int32_t value) { increment_ = value; }

    std::int32_t Value() const;
    // Clamped into MinValue..MaxValue, unless the two are equal.
    void SetValue(std::int32_t value);

    // Typing, pasting and cutting are allowed; the steps work either way.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled);

    void UpClick();
    void DownClick();

protected:
    // The platform's default beep; a test counts it here.
    virtual void Beep();

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Step(std::int64_t delta);
    void WriteValue(std::int64_t value);
    std::int32_t Clamped(std::int64_t value) const;
    bool AcceptsCharacter(QChar character) const;
    bool CanEditClipboard() const { return editorEnabled_ && !isReadOnly(); }
    bool DialogTakesReturn() const;
    void PlaceButton();
    void UpdateMinimumHeight();

    TSpinButton* button_;
    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 0;
    std::int32_t increment_ = 1;
    bool editorEnabled_ = true;
};

} // namespace arbolink
