// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture.h"

#include <QImageReader>
#include <QPainter>

namespace velto {

QImage ResourceImage(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap ResourcePicture(const QString& path) { return QPixmap::fromImage(ResourceImage(path)); }

Picture::Picture(QWidget* parent, const QPixmap& pixmap) : QWidget(parent), pixmap_(pixmap) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, pixmap_);
}

}  // namespace velto
