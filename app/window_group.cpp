// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_group.h"

#include <QGuiApplication>
#include <QVariant>
#include <QWindowStateChangeEvent>
#include <utility>

namespace velto {

WindowGroup::WindowGroup(QWidget* main, QWidget* about) : QObject(main), main_(main), about_(about) {
    main->installEventFilter(this);
    about->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &WindowGroup::FocusMoved);
}

bool WindowGroup::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == main_ && type == QEvent::WindowStateChange) {
        const bool wasMinimised = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
        if (main_->isMinimized() && !wasMinimised) MainMinimised();
        if (!main_->isMinimized() && wasMinimised) MainRestored();
    } else if (watched == about_ && type == QEvent::WindowStateChange) {
        AboutMinimised();
    } else if (watched == about_ && type == QEvent::Show && !event->spontaneous()) {
        aboutOnScreen_ = false;
        // Its native window exists from its first show on.
        about_->windowHandle()->removeEventFilter(this);
        about_->windowHandle()->installEventFilter(this);
    } else if (watched == about_ && type == QEvent::Hide && !event->spontaneous() && !main_->isMinimized()) {
        // Closed in any way: the focus passes straight back to the main window, instead
        // of to a window that is going away.
        main_->activateWindow();
    } else if (about_ != nullptr && watched == about_->windowHandle() && type == QEvent::Expose &&
               about_->windowHandle()->isExposed()) {
        aboutOnScreen_ = true;
    }
    return QObject::eventFilter(watched, event);
}

// The main window minimised, in any way: the about window goes with it.
void WindowGroup::MainMinimised() {
    aboutHiddenByMinimise_ = about_->isVisible();
    // The about window minimised by itself takes the program along: it was the one in
    // use, though some window managers (fluxbox) pass the focus on to the main window
    // first. Others (xfwm4) pass it on to the about window a moment before they minimise
    // the main one: that change is not the user's either.
    const bool passedOn = previousActive_ == main_->windowHandle() && lastActiveSince_.isValid() &&
                          lastActiveSince_.elapsed() < 250;
    if (aboutHiddenByMinimise_ && about_->isMinimized())
        activeBeforeMinimise_ = about_->windowHandle();
    else
        activeBeforeMinimise_ = passedOn ? previousActive_ : lastActive_;
    about_->hide();
}

// The main window back: both come back as they were, the one that was active active.
void WindowGroup::MainRestored() {
    if (std::exchange(aboutHiddenByMinimise_, false)) ShowAboutWithMainWindow();
    if (activeBeforeMinimise_ == nullptr) return;
    activeBeforeMinimise_->requestActivate();
    // Some window managers (fluxbox) hand the focus to the about window as they map it,
    // though it asks for none: it goes back, once.
    focusToKeep_ = activeBeforeMinimise_;
    focusKeptSince_.start();
}

// The about window minimised by the window manager (by its own button, or with the main
// window's group): the program minimises as one, which hides it until the main window
// comes back. Not before it has been on screen: mutter 48 marks a window minimised while
// it waits for the frame that a process of its own draws, each time the window is shown.
void WindowGroup::AboutMinimised() {
    if (about_->isMinimized() && about_->isVisible() && aboutOnScreen_)
        main_->setWindowState(main_->windowState() | Qt::WindowMinimized);
}

void WindowGroup::FocusMoved(QWindow* window) {
    if (window == nullptr) return;
    if (focusToKeep_ != nullptr && window != focusToKeep_ && focusKeptSince_.elapsed() < 500)
        std::exchange(focusToKeep_, nullptr)->requestActivate();
    previousActive_ = std::exchange(lastActive_, window);
    lastActiveSince_.start();
}

void WindowGroup::ShowAboutWithMainWindow() {
    // Once the native window exists, the platform reads the window's property, not the
    // widget attribute.
    QWindow* window = about_->windowHandle();
    about_->setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (window != nullptr) window->setProperty("_q_showWithoutActivating", true);
    about_->show();
    if (window != nullptr) window->setProperty("_q_showWithoutActivating", QVariant());
    about_->setAttribute(Qt::WA_ShowWithoutActivating, false);
}

}  // namespace velto
