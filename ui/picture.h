// SPDX-License-Identifier: GPL-3.0-or-later
// A bitmap drawn unscaled from the widget's top-left corner; what it does not cover
// shows the parent's background.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace velto {

// A PNG picture of the program's own resources. Read as PNG outright: left to find the
// format, Qt would load every image plugin to ask it first.
QImage ResourceImage(const QString& path);
QPixmap ResourcePicture(const QString& path);

class Picture : public QWidget {
public:
    Picture(QWidget* parent, const QPixmap& pixmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap pixmap_;
};

}  // namespace velto
