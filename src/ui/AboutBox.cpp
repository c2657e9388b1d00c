// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutBox.h"

#include "Product.h"
#include "fs/Shell.h"
#include "ui/AboutTexts.h"
#include "ui/EllipseShape.h"
#include "ui/Fonts.h"
#include "ui/Help.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace arbolink {

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kOlive(0x80, 0x80, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kHatch(0xFF, 0xC8, 0xC8); // light enough that the handle under it stays clear

constexpr int kPanelWidth = 273;
constexpr int kLinkLeft = 79;
constexpr int kLinkRoom = kPanelWidth - kLinkLeft - 8; // what the panel leaves to a link

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                 const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QFont Styled(QFont font, bool bold, bool italic, bool underline) {
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QFont LinkFont() {
    return Styled(GothicFont(13), false, false, true);
}

// The program's icon is the main window's; a standard drive icon stands in while the
// program has none.
QPixmap ProgramPixmap(const QWidget* owner) {
    QIcon icon = owner->parentWidget() != nullptr ? owner->parentWidget()->window()->windowIcon()
                                                  : QApplication::windowIcon();
    if (icon.isNull()) {
        icon = owner->style()->standardIcon(QStyle::SP_DriveFDIcon);
    }
    return icon.pixmap(32, 32);
}

} // namespace

AboutAddresses BuiltAddresses() {
    const QString homepage = QString::fromUtf8(kHomepage);
    return {homepage.isEmpty() ? ManualUrl() : homepage, QString::fromUtf8(kContact)};
}

TAboutBox::TAboutBox(QWidget* parent, const AboutAddresses& addresses)
    : QDialog(parent), webAddress_(addresses.webPage) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Translated("arbolink::about", about::kCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(289, 182);
    setFont(GothicFont(12));
    BuildPanel(addresses.mail);

    auto* ok = new QPushButton(QString::fromUtf8(about::kOk), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(92, 144, 105, 25);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TAboutBox::BuildPanel(const QString& mailAddress) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken); // lowered outside, raised inside
    panel->setGeometry(8, 8, kPanelWidth, 169);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(26, 8, 32, 32);
    icon->setPixmap(ProgramPixmap(this));

    AddLabel(panel, "Label1", QString::fromUtf8(kProductName), {104, 12}, GothicFont(27), kNavy);
    AddLabel(panel, "Label2", QString::fromUtf8(about::kAuthorHandle), {48, 48},
             Styled(MinchoFont(16), true, true, false), kNavy);
    auto* shape = new EllipseShape(QPen(kRed, 3), QBrush(kHatch, Qt::BDiagPattern), panel);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(37, 40, 105, 33);
    version_ = AddLabel(panel, "Version", QString(), {168, 48},
                        Styled(GothicFont(21), true, false, false), kOlive);

    AddCopyButton(panel, 1, about::kUrlButton, about::kUrlHint, 76);
    url_ =
        AddLink(panel, "Url",
                QFontMetrics(LinkFont()).elidedText(webAddress_, Qt::ElideMiddle, kLinkRoom), 78);
    url_->setToolTip(webAddress_);
    if (!mailAddress.isEmpty()) {
        AddCopyButton(panel, 2, about::kMailButton, about::kMailHint, 94);
        mail_ = AddLink(panel, "Mail", mailAddress, 94);
    }

    AddLabel(panel, "Copyright", QString::fromUtf8(about::kRightsLine), {29, 113}, GothicFont(16),
             palette().color(QPalette::WindowText));
}

void TAboutBox::AddCopyButton(QWidget* panel, int tag, const char* caption, const char* hint,
                              int top) {
    auto* button = new QPushButton(QString::fromUtf8(caption), panel);
    button->setObjectName(QStringLiteral("Button%1").arg(tag));
    button->setProperty("tag", tag);
    button->setToolTip(Translated("arbolink::about", hint));
    button->setGeometry(32, top, 41, 17);
    button->setAutoDefault(false); // Enter on it still closes the box through OK
    connect(button, &QPushButton::clicked, this, &TAboutBox::ButtonClick);
}

QLabel* TAboutBox::AddLink(QWidget* panel, const char* name, const QString& text, int top) {
    QLabel* link = AddLabel(panel, name, text, {kLinkLeft, top}, LinkFont(), kBlue);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    return link;
}

void TAboutBox::FormCreate() {
    version_->setText(QString::fromUtf8(kVersionText));
    version_->adjustSize();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == url_ || watched == mail_)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* link = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            link->rect().contains(mouse->position().toPoint())) {
            watched == url_ ? UrlClick() : MailClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::UrlClick() {
    OpenAddress(webAddress_);
}

void TAboutBox::MailClick() {
    const std::string argument = "mailto:" + mail_->text().toStdString() + "?";
    OpenAddress(QString::fromStdString(MailToText(argument)));
}

void TAboutBox::ButtonClick() {
    const int tag = sender()->property("tag").toInt();
    const QString text = tag == 1                       ? webAddress_
                         : tag == 2 && mail_ != nullptr ? mail_->text()
                                                        : QString();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void ShowAboutBox(QWidget* parent) {
    TAboutBox box(parent);
    box.exec();
}

} // namespace arbolink
