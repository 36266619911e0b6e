// SPDX-License-Identifier: GPL-3.0-or-later
// Velto 03: reads the decimal separator, opens the main window at its place, creates
// the about window hidden, and runs until the main window closes.
#include <optional>

#include "app/application.h"
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
    });
    const int status = application->exec();
    Form2 = nullptr;
    Form1 = nullptr;
    return status;
}
