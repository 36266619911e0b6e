// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPixmap>

#include "engine/evaluation.h"
#include "ui/Unit2.h"
#include "ui/placement.h"

TForm1* Form1 = nullptr;

using velto::Bevel;
using velto::Place;

namespace {

velto::Label* CaptionLabel(QWidget* parent, const char* name, int left, const char* text) {
    return Place(new velto::Label(parent, QString::fromUtf8(text)), name, left, 16, 46, 13);
}

velto::BandList* BandListFor(QWidget* parent, const char* name, int band, int left, int visibleRows) {
    return Place(new velto::BandList(parent, QStringLiteral("Кольцо %1").arg(band), velto::ListEntries(band), visibleRows),
                 name, left, 32, 81, 21);
}

velto::Shape* Stripe(QWidget* parent, const char* name, int left, QColor fill) {
    auto* stripe = Place(new velto::Shape(parent, fill), name, left, 152, 9, 25);
    stripe->hide();
    return stripe;
}

// Assistive technology sees the main window as a window, named by its title.
QAccessibleInterface* AsWindow(TForm1* form) { return new QAccessibleWidget(form, QAccessible::Window); }

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    velto::InstallAccessible<TForm1, AsWindow>();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velto 03"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(466, 211);
    move(152, 191);
    setFont(velto::Face("MS Sans Serif", 11));

    Bevel1 = Place(new Bevel(this, Bevel::Style::LoweredBox), "Bevel1", 8, 8, 449, 57);
    Label1 = CaptionLabel(this, "Label1", 16, "Кольцо 1");
    Label2 = CaptionLabel(this, "Label2", 104, "Кольцо 2");
    Label3 = CaptionLabel(this, "Label3", 192, "Кольцо 3");
    Label4 = CaptionLabel(this, "Label4", 280, "Кольцо 4");
    Label5 = CaptionLabel(this, "Label5", 368, "Кольцо 5");
    Label5->setEnabled(false);
    Bevel2 = Place(new Bevel(this, Bevel::Style::RaisedBox), "Bevel2", 8, 128, 209, 73);
    Bevel3 = Place(new Bevel(this, Bevel::Style::RaisedBox), "Bevel3", 224, 112, 233, 89);
    Bevel4 = Place(new Bevel(this, Bevel::Style::LoweredBox), "Bevel4", 224, 72, 233, 33);
    Image1 = Place(new velto::Picture(this, velto::ResourcePicture(QStringLiteral(":/resistor.png"))), "Image1", 16, 136, 193, 57);
    Shape1 = Stripe(this, "Shape1", 64, Qt::black);
    Shape2 = Stripe(this, "Shape2", 88, QColor(0xD5B70D));
    Shape3 = Stripe(this, "Shape3", 104, Qt::white);
    Shape4 = Stripe(this, "Shape4", 120, QColor(0xD7B01A));
    Shape5 = Stripe(this, "Shape5", 136, Qt::white);
    ComboBox1 = BandListFor(this, "ComboBox1", 1, 16, 10);
    ComboBox2 = BandListFor(this, "ComboBox2", 2, 104, 22);
    ComboBox3 = BandListFor(this, "ComboBox3", 3, 192, 22);
    ComboBox4 = BandListFor(this, "ComboBox4", 4, 280, 22);
    ComboBox5 = BandListFor(this, "ComboBox5", 5, 368, 22);
    ComboBox5->setEnabled(false);
    // On Linux assistive technology names a list after the label it is labelled by.
    Label1->setBuddy(ComboBox1);
    Label2->setBuddy(ComboBox2);
    Label3->setBuddy(ComboBox3);
    Label4->setBuddy(ComboBox4);
    Label5->setBuddy(ComboBox5);
    RadioButton1 = Place(new velto::RadioButton(this, QStringLiteral("Резистор с пятью полосами")), "RadioButton1", 8, 96, 185, 17);
    RadioButton2 = Place(new velto::RadioButton(this, QStringLiteral("Резистор с четырьмя полосами")), "RadioButton2", 8, 80, 185, 17);
    RadioButton2->setChecked(true);
    Panel1 = Place(new velto::Panel(this), "Panel1", 232, 120, 217, 73);
    QFont resultFace = velto::Face("System", 16);
    resultFace.setBold(true);
    rez = Place(new velto::ResultLabel(Panel1, QStringLiteral(" "), resultFace), "rez", 8, 8, 201, 57);
    rez->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    rez->setWordWrap(true);
    Button1 = Place(new velto::PushButton(this, QStringLiteral("О программе")), "Button1", 280, 80, 121, 17);
    Button2 = Place(new QPushButton(QStringLiteral("Результат"), this), "Button2", 232, 80, 41, 17);
    Button2->setFocusPolicy(Qt::NoFocus);
    Button2->hide();
    TakeColours();

    QWidget::setTabOrder(ComboBox1, ComboBox2);
    QWidget::setTabOrder(ComboBox2, ComboBox3);
    QWidget::setTabOrder(ComboBox3, ComboBox4);
    QWidget::setTabOrder(ComboBox4, ComboBox5);
    QWidget::setTabOrder(ComboBox5, RadioButton1);
    QWidget::setTabOrder(RadioButton1, RadioButton2);
    QWidget::setTabOrder(RadioButton2, Button1);

    connect(ComboBox1, &velto::BandList::changed, this, &TForm1::ComboBox1Change);
    connect(ComboBox2, &velto::BandList::changed, this, &TForm1::ComboBox2Change);
    connect(ComboBox3, &velto::BandList::changed, this, &TForm1::ComboBox3Change);
    connect(ComboBox4, &velto::BandList::changed, this, &TForm1::ComboBox4Change);
    connect(ComboBox5, &velto::BandList::changed, this, &TForm1::ComboBox5Change);
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool checked) { if (checked) RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool checked) { if (checked) RadioButton2Click(); });
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    ComboBox1->setFocus();
    FormCreate();
}

void TForm1::TakeColours() {
    // Only the roles set here are fixed; every other follows the scheme.
    QPalette window;
    window.setColor(QPalette::Window, QApplication::palette(this).color(QPalette::Button));
    setPalette(window);
    const QPalette scheme = QApplication::palette(ComboBox1);
    const QColor background = scheme.color(QPalette::HighlightedText);
    QPalette firstList;
    firstList.setColor(QPalette::Base, background);
    firstList.setColor(QPalette::Text,
                       velto::ReadableOn(background, scheme.color(QPalette::Text), scheme.color(QPalette::Highlight)));
    ComboBox1->setPalette(firstList);
    velto::SetColour(Panel1, QPalette::Window, QColor(0x000080));
    velto::SetColour(rez, QPalette::WindowText, QColor(0xFFFF00));
}

void TForm1::FormCreate() { bandValues_.fill(velto::BandUnset); }

void TForm1::ComboBox1Change() { BandChange(1); }
void TForm1::ComboBox2Change() { BandChange(2); }
void TForm1::ComboBox3Change() { BandChange(3); }
void TForm1::ComboBox4Change() { BandChange(4); }
void TForm1::ComboBox5Change() { BandChange(5); }

void TForm1::BandChange(int band) {
    velto::BandList* const lists[] = {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5};
    velto::Shape* const stripes[] = {Shape1, Shape2, Shape3, Shape4, Shape5};
    velto::Shape* stripe = stripes[band - 1];
    if (const auto pick = velto::LookUpPick(band, lists[band - 1]->selectedPosition())) {
        stripe->setFill(QColor::fromRgb(pick->stripe));
        bandValues_[band - 1] = pick->code;
    }
    stripe->show();
    Button2->click();
}

void TForm1::RadioButton1Click() {
    Label5->setEnabled(true);
    ComboBox5->setEnabled(true);
    Shape5->setVisible(ComboBox5->selectedPosition() != -1);
    Button2->click();
}

void TForm1::RadioButton2Click() {
    Label5->setEnabled(false);
    ComboBox5->setEnabled(false);
    Shape5->hide();
    Button2->click();
}

void TForm1::Button2Click() {
    const auto mode = RadioButton1->isChecked() ? velto::BandMode::FiveBand : velto::BandMode::FourBand;
    if (const auto text = velto::EvaluateBands(mode, bandValues_)) rez->setText(QString::fromStdString(*text));
}

void TForm1::Button1Click() {
    if (Form2 != nullptr) Form2->show();
}

void TForm1::FormClose() {
    if (Form2 != nullptr) Form2->close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

bool TForm1::event(QEvent* event) {
    velto::RetakeColoursAfter(event, this, [this] { TakeColours(); });
    return QWidget::event(event);
}

void TForm1::changeEvent(QEvent* event) {
    // The window keeps its one size: a title bar that Qt draws itself (in a Wayland
    // session whose compositor draws none) offers maximise to every window, whatever its
    // flags and size.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        QMetaObject::invokeMethod(this, [this] { setWindowState(windowState() & ~Qt::WindowMaximized); }, Qt::QueuedConnection);
    QWidget::changeEvent(event);
}
