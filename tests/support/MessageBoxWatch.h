// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the message boxes a test makes the program show: each box that comes up is
// recorded (caption, text, icon, button captions) and answered by pressing the button with
// the next queued caption.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace arbolink::test {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    QString informative; // the box's informative text, the detail below its text
};

class MessageBoxWatch : public QObject {
public:
    MessageBoxWatch() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxWatch::Look);
        timer_.start();
    }

    // Queues the caption of the button to press in the next box, e.g. "はい(&Y)".
    void Press(const QString& caption) { answers_.push_back(caption); }

    std::vector<SeenBox> seen;
    // Boxes that came up with no answer queued; each was closed with its escape button.
    int unexpected = 0;
    // Called with each box before it is answered, e.g. to look at the windows behind it.
    std::function<void(QMessageBox&)> onBox;

private:
    void Look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box->property(kSeen).toBool()) {
            return;
        }
        box->setProperty(kSeen, true);
        SeenBox record{box->windowTitle(),    box->text(), box->icon(), {}, {},
                       box->informativeText()};
        for (QAbstractButton* button : box->buttons()) {
            record.buttons << button->text();
        }
        if (box->defaultButton() != nullptr) {
            record.defaultButton = box->defaultButton()->text();
        }
        seen.push_back(record);
        if (onBox) {
            onBox(*box);
        }
        if (answers_.empty()) {
            ++unexpected;
            box->reject();
            return;
        }
        const QString caption = answers_.front();
        answers_.pop_front();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        ++unexpected;
        box->reject();
    }

    QTimer timer_;
    std::deque<QString> answers_;
    static constexpr const char* kSeen = "seenByMessageBoxWatch";
};

} // namespace arbolink::test
