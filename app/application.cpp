#include "app/application.h"

#include <QFont>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "engine/number_text.h"

namespace velto {
namespace {

const char* Described(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : "unset";
}

// While the platform is opened, Qt's messages are held back: a fatal one there means
// no display, said in one line instead of an abort; the others are passed on after.
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "velto03: cannot open a window: no X11 or Wayland display is reachable (DISPLAY %s, WAYLAND_DISPLAY %s)\n",
                     Described("DISPLAY"), Described("WAYLAND_DISPLAY"));
        std::_Exit(1);
    }
    g_heldMessages.emplace_back(type, message);
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("velto03"));
    setDesktopFileName(QStringLiteral("org.example.Velto03"));
    setWindowIcon(QIcon(QStringLiteral(":/mainicon.png")));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    // The narrow cut keeps every message of the result panel within its three lines.
    QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

std::unique_ptr<Application> Application::Open(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<Application>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : std::exchange(g_heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), message);
    return application;
}

bool Application::event(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) LoadDecimalSeparator();
    return QApplication::event(event);
}

}  // namespace velto
