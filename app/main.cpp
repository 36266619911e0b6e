// SPDX-License-Identifier: GPL-3.0-or-later
// Velto 03: reads the decimal separator, opens the main window at its place, creates
// the about window hidden, groups the two, and runs until the main window closes.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/application.h"
#include "app/window_group.h"
#include "engine/number_text.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/x11_hints.h"

int main(int argc, char** argv) {
    velto::LoadDecimalSeparator();
    const auto application = velto::Application::Open(argc, argv);
    if (application == nullptr) return 1;
    TForm1 form1;
    Form1 = &form1;
    // A session that ends as the window comes up closes it as well.
    application->CloseOnSignals(&form1);
    form1.show();
    // The main window's icon and the hidden about window come right after its first
    // frame: nothing can be clicked before it.
    std::optional<TForm2> form2;
    application->AfterFirstFrame(&form1, [&] {
        velto::OfferProgramIcon(&form1);
        Form2 = &form2.emplace();
        new velto::WindowGroup(&form1, Form2);
    });
    const int status = application->exec();
    Form2 = nullptr;
    Form1 = nullptr;
    // Qt's Wayland plugin (6.4, and the same code in 6.8) can deadlock as it disconnects,
    // on a busy machine: its event thread waits in wl_display_read_events for a read
    // that never comes, and the application's destructor waits for that thread. The
    // program has nothing left to save, and the compositor frees what it held as the
    // process ends.
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
