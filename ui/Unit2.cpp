#include "ui/Unit2.h"

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QUrl>

#include "ui/placement.h"

TForm2* Form2 = nullptr;

using velto::Place;

namespace {

void SetFace(QWidget* widget, const char* family, int pixels, QColor colour, bool underline = false) {
    QFont face = velto::Face(family, pixels);
    face.setUnderline(underline);
    widget->setFont(face);
    velto::SetTextColour(widget, colour);
}

velto::Label* WrappedCentred(velto::Label* label) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

}  // namespace

namespace velto {

QPoint PlaceOnMonitor(const QRect& frame, const QRect& current, const QRect& target) {
    QPoint place = frame.topLeft() - current.topLeft() + target.topLeft();
    place.setX(std::min(place.x(), target.right() + 1 - frame.width()));
    place.setY(std::min(place.y(), target.bottom() + 1 - frame.height()));
    return place;
}

}  // namespace velto

TForm2::TForm2(QWidget* owner) : QScrollArea(owner) {
    using velto::Bevel;
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("О программе Velto 03"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);  // OK is the only tab stop
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x738FAC));
    setPalette(colours);
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
    SetFace(Label1, "Comic Sans MS", 19, QColor(0xFFFF00));
    Label2 = Place(WrappedCentred(new velto::Label(
                       content, QStringLiteral("Программа предназначена для вычисления значений номинального "
                                               "сопротивления  и допуска резисторов, при использовании цветовой "
                                               "маркирови"))),
                   "Label2", 24, 48, 361, 57);
    SetFace(Label2, "MS Sans Serif", 13, QColor(0x00FF00));
    Label3 = Place(new velto::Label(content, QStringLiteral("Вся информация на сайте ")), "Label3", 136, 112, 136, 13);
    Label4 = Place(WrappedCentred(new velto::Label(
                       content, QStringLiteral("Программист Кварбин. Замечания и пожелания принимаются по адресу"))),
                   "Label4", 112, 168, 185, 41);
    Bevel3 = Place(new Bevel(content, Bevel::Style::RaisedBox), "Bevel3", 24, 104, 361, 57);
    Label5 = Place(new velto::LinkLabel(content, QStringLiteral(VELTO_AUTHOR_WEB)), "Label5", 80, 128, 249, 25);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetFace(Label5, "MS Sans Serif", 19, QColor(0x000080), true);
    Label6 = new velto::LinkLabel(content, QStringLiteral(VELTO_AUTHOR_MAIL));
    SetFace(Label6, "MS Sans Serif", 11, QColor(0x000080), true);
    Place(Label6, "Label6", 144, 208, Label6->fontMetrics().horizontalAdvance(Label6->text()), 13);
    BitBtn1 = Place(new velto::BitBtn(content, QStringLiteral("OK"), QPixmap(QStringLiteral(":/okglyph.png")).copy(0, 0, 18, 18)),
                    "BitBtn1", 80, 240, 249, 25);
    QPalette black = BitBtn1->palette();
    black.setColor(QPalette::ButtonText, Qt::black);
    BitBtn1->setPalette(black);
    BitBtn1->setDefault(true);

    connect(Label5, &velto::LinkLabel::clicked, this, &TForm2::Label5Click);
    connect(Label6, &velto::LinkLabel::clicked, this, &TForm2::Label6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);

    resize(401, 273);
    move(312, 194);
}

void TForm2::Label5Click() { QDesktopServices::openUrl(QUrl::fromUserInput(Label5->text())); }

void TForm2::Label6Click() { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Label6->text())); }

void TForm2::BitBtn1Click() { close(); }

// Going from hidden to visible: onto the active window's monitor, then active, with
// the focus on OK.
void TForm2::setVisible(bool visible) {
    const bool appearing = visible && !isVisible();
    const QWidget* active = QApplication::activeWindow();
    const QScreen* current = QGuiApplication::screenAt(frameGeometry().center());
    if (appearing && active != nullptr && current != nullptr) {
        const QRect frame = frameGeometry();
        move(pos() + velto::PlaceOnMonitor(frame, current->geometry(), active->screen()->geometry()) - frame.topLeft());
    }
    QScrollArea::setVisible(visible);
    if (appearing) {
        activateWindow();
        BitBtn1->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TForm2::closeEvent(QCloseEvent* event) {
    QScrollArea::closeEvent(event);
    if (parentWidget() != nullptr) parentWidget()->activateWindow();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        BitBtn1->click();
        return;
    }
    QScrollArea::keyPressEvent(event);
}
