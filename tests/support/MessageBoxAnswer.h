#pragma once
// For Qt tests: answers the next message box that the code under test opens modally, and
// records what it showed.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

namespace arbolink::test {

struct SeenBox {
    bool seen = false;
    QString caption;
    QString text;
    QString informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*>::size_type buttons = 0;
};

// Looks for the box every 10 ms from the event loop the box itself runs, and presses answer.
// Gives up after about 3 s; seen must outlive that or the box.
inline void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer = QMessageBox::Ok) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto attempts = std::make_shared<int>(300);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, answer, attempts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (--*attempts == 0) {
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        seen = {true,        box->windowTitle(),   box->text(), box->informativeText(),
                box->icon(), box->buttons().size()};
        if (QAbstractButton* button = box->button(answer)) {
            button->click();
        } else {
            box->reject();
        }
    });
    poll->start();
}

} // namespace arbolink::test
