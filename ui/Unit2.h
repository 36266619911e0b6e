// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: the program's name and purpose, the author's web and mail links,
// and an OK button. A utility window of the program, only ever hidden and shown; the
// main window may cover it.
#pragma once

#include <QList>
#include <QRect>
#include <QScrollArea>

#include "ui/bevel.h"
#include "ui/bit_btn.h"
#include "ui/label.h"
#include "ui/link_label.h"

class TForm2 : public QScrollArea {
    Q_OBJECT

public:
    TForm2();

    velto::Bevel* Bevel1;
    velto::Bevel* Bevel2;
    velto::Label* Label1;
    velto::Label* Label2;
    velto::Label* Label3;
    velto::Label* Label4;
    velto::Bevel* Bevel3;
    velto::LinkLabel* Label5;
    velto::LinkLabel* Label6;
    velto::BitBtn* BitBtn1;

    void Label5Click();
    void Label6Click();
    void BitBtn1Click();

    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;  // takes up a new colour scheme
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Every colour the window sets: its background, the written texts' colours, the
    // texts in the scheme's colour where that reads on the background (else black), the
    // OK text black unless the scheme's button face does not read it. Again whenever
    // the scheme changes, since a change of style drops the colours widgets set.
    void TakeColours();
    void PlaceOnActiveMonitor();

    bool pullOnceFramed_ = false;  // placed before the window manager had framed it
    bool iconOffered_ = false;     // the icon goes to its native window once
};

// The about window, from start-up to shutdown.
extern TForm2* Form2;

namespace velto {

// The monitor a window whose frame is `frame` lies on: the one that holds its centre,
// else the one it overlaps most, else the nearest. `monitors` is not empty.
QRect MonitorOf(const QRect& frame, const QList<QRect>& monitors);

// Where a window whose frame is `frame` goes as it is shown: onto `target`, the active
// window's monitor, at the same offset as on `current`, the monitor it lies on; then
// left and up as far as needed to keep its right and bottom edges on `target`.
QPoint PlaceOnMonitor(const QRect& frame, const QRect& current, const QRect& target);

}  // namespace velto
