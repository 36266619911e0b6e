// The about window: the program's name and purpose, the author's web and mail links,
// and an OK button. A tool window of the main window, only ever hidden and shown.
#pragma once

#include <QRect>
#include <QScrollArea>

#include "ui/bevel.h"
#include "ui/bit_btn.h"
#include "ui/label.h"
#include "ui/link_label.h"

class TForm2 : public QScrollArea {
public:
    explicit TForm2(QWidget* owner);

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
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The about window, from start-up to shutdown.
extern TForm2* Form2;

namespace velto {

// Where a window whose frame is `frame` goes as it is shown: onto `target`, the active
// window's monitor, at the same offset as on `current`, the monitor it lies on; then
// left and up as far as needed to keep its right and bottom edges on `target`.
QPoint PlaceOnMonitor(const QRect& frame, const QRect& current, const QRect& target);

}  // namespace velto
