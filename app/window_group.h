// SPDX-License-Identifier: GPL-3.0-or-later
// The program's two windows as one, as the application's one taskbar button shows
// them: minimising either takes both away, restoring brings both back as they were with
// the one that was active active again, and the main window takes the focus back from
// the closed about window. Every window manager's part in it is written here.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace velto {

class WindowGroup : public QObject {
public:
    // Watches `main`, the main window, and `about`, the about window, from now on; it
    // belongs to `main`.
    WindowGroup(QWidget* main, QWidget* about);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MainMinimised();
    void MainRestored();
    void AboutMinimised();
    void FocusMoved(QWindow* window);
    // Shows the about window again where and as it was, without taking the focus.
    void ShowAboutWithMainWindow();

    QWidget* main_;
    QPointer<QWidget> about_;
    bool aboutHiddenByMinimise_ = false;
    bool aboutOnScreen_ = false;  // on screen at some moment since it was last shown
    // Which window had the focus, and which had it before, since when.
    QPointer<QWindow> lastActive_;
    QPointer<QWindow> previousActive_;
    QElapsedTimer lastActiveSince_;
    QPointer<QWindow> activeBeforeMinimise_;
    QPointer<QWindow> focusToKeep_;  // just restored: the window the focus stays with
    QElapsedTimer focusKeptSince_;
};

}  // namespace velto
