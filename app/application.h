// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: the decimal separator read again
// whenever the locale changes, and the ways the program starts and ends outside its
// windows: the platform it opens, the work that waits for the first frame, and the
// signals that close it.
#pragma once

#include <QApplication>
#include <functional>
#include <memory>

namespace velto {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // The application, or nothing (after one line on stderr that says why) when no
    // window can be opened, where Qt itself would abort.
    static std::unique_ptr<Application> Open(int& argc, char** argv);

    // Runs `work` once `window` has drawn its first frame: what the user cannot reach
    // before then need not delay it.
    void AfterFirstFrame(QWidget* window, std::function<void()> work);

    // SIGTERM, SIGHUP and SIGINT (a session ending, a terminal closing, Ctrl+C) close
    // `window` as its close button does.
    void CloseOnSignals(QWidget* window);

protected:
    bool event(QEvent* event) override;
};

}  // namespace velto
