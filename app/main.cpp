// Velto 03: reads the decimal separator, opens the main window at its place and runs
// until that window closes.
#include "app/application.h"
#include "engine/number_text.h"
#include "ui/Unit1.h"

int main(int argc, char** argv) {
    velto::LoadDecimalSeparator();
    const auto application = velto::Application::Open(argc, argv);
    TForm1 form1;
    form1.show();
    return application->exec();
}
