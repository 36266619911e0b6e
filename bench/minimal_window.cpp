// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: the least Qt Widgets program with a window of
// Velto 03's size holding one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(466, 211);
    QLabel label(QStringLiteral("Minimal"), &window);
    window.show();
    return application.exec();
}
