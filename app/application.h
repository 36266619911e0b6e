// The application object: the program's icon and faces, and the decimal separator
// read again whenever the locale changes.
#pragma once

#include <QApplication>
#include <memory>

namespace velto {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // The application, or nothing (after one line on stderr) when no display can be
    // opened, where Qt itself would abort.
    static std::unique_ptr<Application> Open(int& argc, char** argv);

protected:
    bool event(QEvent* event) override;
};

}  // namespace velto
