// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version-information dialog of the Help menu: the product's name, its version, its
// author's line, and the web page and mail address as links with buttons that copy them.

#include <QDialog>
#include <QString>

class QLabel;

namespace arbolink {

// The web page and mail address the box names.
struct AboutAddresses {
    QString webPage; // never empty
    QString mail;    // empty: the box shows no mail line
};

// The distributor's addresses set in the build; without a web page, the installed manual.
AboutAddresses BuiltAddresses();

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent, const AboutAddresses& addresses = BuiltAddresses());

    // The web page's address; Url may show it shortened to fit the box.
    const QString& WebAddress() const { return webAddress_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void ButtonClick();

private:
    void BuildPanel(const QString& mailAddress);
    void AddCopyButton(QWidget* panel, int tag, const char* caption, const char* hint, int top);
    QLabel* AddLink(QWidget* panel, const char* name, const QString& text, int top);
    void FormCreate();
    void UrlClick();
    void MailClick();

    QString webAddress_;
    QLabel* url_ = nullptr;
    QLabel* mail_ = nullptr;
    QLabel* version_ = nullptr;
};

// Shows the About box modally over the main window and releases it afterwards.
void ShowAboutBox(QWidget* parent);

} // namespace arbolink
