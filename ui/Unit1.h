// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: five band lists, the marking-mode buttons, the resistor picture
// with its stripes and the navy result panel, kept in step by the handlers below.
#pragma once

#include <QPushButton>
#include <QWidget>

#include "engine/band_tables.h"
#include "ui/band_list.h"
#include "ui/bevel.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/push_button.h"
#include "ui/radio_button.h"
#include "ui/result_label.h"
#include "ui/shape.h"

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    velto::Bevel* Bevel1;
    velto::Label* Label1;
    velto::Label* Label2;
    velto::Label* Label3;
    velto::Label* Label4;
    velto::Label* Label5;
    velto::Bevel* Bevel2;
    velto::Bevel* Bevel3;
    velto::Bevel* Bevel4;
    velto::Picture* Image1;
    velto::Shape* Shape1;
    velto::Shape* Shape2;
    velto::Shape* Shape3;
    velto::Shape* Shape4;
    velto::Shape* Shape5;
    velto::BandList* ComboBox1;
    velto::BandList* ComboBox2;
    velto::BandList* ComboBox3;
    velto::BandList* ComboBox4;
    velto::BandList* ComboBox5;
    velto::RadioButton* RadioButton1;
    velto::RadioButton* RadioButton2;
    velto::Panel* Panel1;
    velto::ResultLabel* rez;
    velto::PushButton* Button1;
    QPushButton* Button2;

    // The five band codes; [0] is band 1.
    const velto::BandValues& bandValues() const { return bandValues_; }

    void FormCreate();
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox4Change();
    void ComboBox5Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void Button2Click();
    void Button1Click();
    void FormClose();

protected:
    bool event(QEvent* event) override;  // takes up a new colour scheme
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;  // keeps its one size

private:
    // Every colour the window sets: the window in the button face, list 1 on the
    // highlighted-text colour in a text colour that reads there, the navy panel with its
    // yellow text. Again whenever the scheme changes, since a change of style while the
    // program runs drops the colours that widgets set for themselves.
    void TakeColours();
    // What every list's change handler does, for band 1..5.
    void BandChange(int band);

    velto::BandValues bandValues_{};
};

// The main window, from start-up to shutdown.
extern TForm1* Form1;
