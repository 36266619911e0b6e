// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit2.h"

#include <algorithm>
#include <utility>

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include "ui/Unit1.h"
#include "ui/picture.h"
#include "ui/placement.h"
#include "ui/x11_hints.h"

TForm2* Form2 = nullptr;

using velto::Place;

namespace {

void SetFace(QWidget* widget, const char* family, int pixels, bool underline = false) {
    QFont face = velto::Face(family, pixels);
    face.setUnderline(underline);
    widget->setFont(face);
}

velto::Label* WrappedCentred(velto::Label* label) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// Assistive technology sees the about window as a dialog, named by its title.
QAccessibleInterface* AsDialog(TForm2* form) { return new QAccessibleWidget(form, QAccessible::Dialog); }

QList<QRect> Monitors() {
    QList<QRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens()) monitors << screen->geometry();
    return monitors;
}

// The monitor that a window lies on, from where it is now: Qt tells a window that it
// has moved to another monitor only after the move itself.
QRect MonitorOf(const QWidget* window) { return velto::MonitorOf(window->frameGeometry(), Monitors()); }

}  // namespace

namespace velto {

QRect MonitorOf(const QRect& frame, const QList<QRect>& monitors) {
    for (const QRect& monitor : monitors)
        if (monitor.contains(frame.center())) return monitor;
    const auto area = [&frame](const QRect& monitor) {
        const QRect overlap = monitor.intersected(frame);
        return static_cast<long long>(overlap.width()) * overlap.height();
    };
    const auto gap = [&frame](const QRect& monitor) {
        const long long dx = std::max({0, monitor.left() - frame.right(), frame.left() - monitor.right()});
        const long long dy = std::max({0, monitor.top() - frame.bottom(), frame.top() - monitor.bottom()});
        return dx * dx + dy * dy;
    };
    return *std::min_element(monitors.begin(), monitors.end(), [&](const QRect& a, const QRect& b) {
        return area(a) != area(b) ? area(a) > area(b) : gap(a) < gap(b);
    });
}

QPoint PlaceOnMonitor(const QRect& frame, const QRect& current, const QRect& target) {
    QPoint place = frame.topLeft() - current.topLeft() + target.topLeft();
    place.setX(std::min(place.x(), target.right() + 1 - frame.width()));
    place.setY(std::min(place.y(), target.bottom() + 1 - frame.height()));
    return place;
}

}  // namespace velto

TForm2::TForm2() {
    velto::InstallAccessible<TForm2, AsDialog>();
    using velto::Bevel;
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("О программе Velto 03"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);  // OK and the two links are the tab stops
    setFont(velto::Face("MS Sans Serif", 11));

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(401, 273);
    setWidget(content);
    viewport()->setAutoFillBackground(true);
    content->setAutoFillBackground(true);

    Bevel1 = Place(new Bevel(content, Bevel::Style::RaisedFrame), "Bevel1", 8, 8, 393, 265);
    Bevel2 = Place(new Bevel(content, Bevel::Style::LoweredBox), "Bevel2", 16, 16, 377, 217);
    Label1 = Place(new velto::Label(content, QStringLiteral("Velto 03")), "Label1", 160, 24, 90, 26);
    SetFace(Label1, "Comic Sans MS", 19);
    Label2 = Place(WrappedCentred(new velto::Label(
                       content, QStringLiteral("Программа предназначена для вычисления значений номинального "
                                               "сопротивления  и допуска резисторов, при использовании цветовой "
                                               "маркирови"))),
                   "Label2", 24, 48, 361, 57);
    SetFace(Label2, "MS Sans Serif", 13);
    Label3 = Place(new velto::Label(content, QStringLiteral("Вся информация на сайте ")), "Label3", 136, 112, 136, 13);
    Label4 = Place(WrappedCentred(new velto::Label(
                       content, QStringLiteral("Программист Кварбин. Замечания и пожелания принимаются по адресу"))),
                   "Label4", 112, 168, 185, 41);
    Bevel3 = Place(new Bevel(content, Bevel::Style::RaisedBox), "Bevel3", 24, 104, 361, 57);
    Label5 = Place(new velto::LinkLabel(content, QStringLiteral(VELTO_AUTHOR_WEB)), "Label5", 80, 128, 249, 25);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetFace(Label5, "MS Sans Serif", 19, true);
    Label6 = new velto::LinkLabel(content, QStringLiteral(VELTO_AUTHOR_MAIL));
    SetFace(Label6, "MS Sans Serif", 11, true);
    Place(Label6, "Label6", 144, 208, Label6->fontMetrics().horizontalAdvance(Label6->text()), 13);
    BitBtn1 = Place(new velto::BitBtn(content, QStringLiteral("OK"), velto::ResourcePicture(QStringLiteral(":/okglyph.png")).copy(0, 0, 18, 18)),
                    "BitBtn1", 80, 240, 249, 25);
    TakeColours();
    BitBtn1->setDefault(true);
    QWidget::setTabOrder(BitBtn1, Label5);
    QWidget::setTabOrder(Label5, Label6);

    connect(Label5, &velto::LinkLabel::clicked, this, &TForm2::Label5Click);
    connect(Label6, &velto::LinkLabel::clicked, this, &TForm2::Label6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);

    resize(401, 273);
    move(312, 194);
}

void TForm2::TakeColours() {
    const QColor background(0x738FAC);
    for (QWidget* area : {static_cast<QWidget*>(this), viewport(), widget()}) velto::SetColour(area, QPalette::Window, background);
    velto::SetColour(Label1, QPalette::WindowText, QColor(0xFFFF00));
    velto::SetColour(Label2, QPalette::WindowText, QColor(0x00FF00));
    velto::SetColour(Label5, QPalette::WindowText, QColor(0x000080));
    velto::SetColour(Label6, QPalette::WindowText, QColor(0x000080));
    // The two texts in the scheme's own colour read on the written background, whatever
    // the scheme: black where its colour does not.
    const QPalette scheme = QApplication::palette(this);
    for (velto::Label* text : {Label3, Label4})
        velto::SetColour(text, QPalette::WindowText, velto::ReadableOn(background, scheme.color(QPalette::WindowText), Qt::black));
    const QPalette button = QApplication::palette(BitBtn1);
    QPalette ok;
    ok.setColor(QPalette::ButtonText,
                velto::ReadableOn(button.color(QPalette::Button), Qt::black, button.color(QPalette::ButtonText)));
    BitBtn1->setPalette(ok);
}

void TForm2::Label5Click() { QDesktopServices::openUrl(QUrl::fromUserInput(Label5->text())); }

void TForm2::Label6Click() { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Label6->text())); }

void TForm2::BitBtn1Click() { close(); }

// Going from hidden to visible: never minimised, onto the active window's monitor with
// its whole frame, with the focus on OK, then active.
void TForm2::setVisible(bool visible) {
    const bool appearing = visible && !isVisible();
    const bool activating = appearing && !testAttribute(Qt::WA_ShowWithoutActivating);
    if (appearing) {
        if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
        if (activating) PlaceOnActiveMonitor();
        velto::MarkAsUtilityWindow(this);
        if (!std::exchange(iconOffered_, true)) velto::OfferProgramIcon(this);
    }
    if (!visible) pullOnceFramed_ = false;
    QScrollArea::setVisible(visible);
    // OK takes the focus on every show, also one that does not activate the window: a
    // window manager may have passed the focus to the hidden window in the meantime
    // (mutter, as the program minimises), and Qt then gives it to the next tab stop.
    if (appearing) BitBtn1->setFocus(activating ? Qt::ActiveWindowFocusReason : Qt::OtherFocusReason);
    if (activating) activateWindow();
}

void TForm2::PlaceOnActiveMonitor() {
    const QWidget* active = QApplication::activeWindow();
    if (active == nullptr) return;
    // Before its first show the window manager has not framed it yet: the main window's
    // frame, from the same window manager, stands in for its own.
    QSize outer = frameGeometry().size();
    const bool framed = outer != size();
    if (!framed && Form1 != nullptr) outer += Form1->frameGeometry().size() - Form1->size();
    const QRect frame(pos(), outer);
    move(velto::PlaceOnMonitor(frame, velto::MonitorOf(frame, Monitors()), MonitorOf(active)));
    pullOnceFramed_ = !framed;
}

// Its first show learns its own frame only once the window manager has framed it: then
// the whole frame is pulled onto its monitor once more.
void TForm2::moveEvent(QMoveEvent* event) {
    QScrollArea::moveEvent(event);
    const QRect frame = frameGeometry();
    if (!pullOnceFramed_ || frame.size() == size()) return;
    pullOnceFramed_ = false;
    const QRect monitor = MonitorOf(this);
    const QPoint place = velto::PlaceOnMonitor(frame, monitor, monitor);
    if (place != frame.topLeft()) move(place);
}

bool TForm2::event(QEvent* event) {
    velto::RetakeColoursAfter(event, this, [this] { TakeColours(); });
    return QScrollArea::event(event);
}

// Every way of closing only hides it, keeping its X window.
void TForm2::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        BitBtn1->click();
        return;
    }
    QScrollArea::keyPressEvent(event);
}
