// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include <QEvent>
#include <QMetaObject>
#include <QPixmapCache>
#include <QSocketNotifier>
#include <QStringList>
#include <QWidget>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/number_text.h"
#include "ui/atspi_guard.h"
#include "ui/picture.h"
#include "ui/placement.h"

namespace velto {
namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

const char* Described(const char* variable) { return IsSet(variable) ? std::getenv(variable) : "unset"; }

// While the platform is opened, Qt's messages are held back, to be passed on once a
// window can be opened, or else said as the reason in one line.
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

[[noreturn]] void CannotOpenWindow() {
    QStringList reasons;
    for (const auto& [type, message] : g_heldMessages) {
        const QString line = message.section(QLatin1Char('\n'), 0, 0).trimmed();
        // Neither the runtime-directory notice nor Qt's closing advice says what failed.
        if (type == QtDebugMsg || line.isEmpty() || line.startsWith(QLatin1String("QStandardPaths:")) ||
            line.startsWith(QLatin1String("This application failed to start")) || reasons.contains(line))
            continue;
        reasons << line;
    }
    if (reasons.isEmpty()) reasons << QStringLiteral("no screen is available");
    std::fprintf(stderr, "velto03: cannot open a window: %s (DISPLAY %s, WAYLAND_DISPLAY %s)\n",
                 qPrintable(reasons.join(QLatin1String("; "))), Described("DISPLAY"), Described("WAYLAND_DISPLAY"));
    std::_Exit(1);
}

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    g_heldMessages.emplace_back(type, message);
    if (type == QtFatalMsg) CannotOpenWindow();
}

// A scale factor that is not a positive finite number would leave Qt without a window
// to show, or crash it.
void DropBadScaleFactor() {
    const char* value = std::getenv("QT_SCALE_FACTOR");
    if (value == nullptr || *value == '\0') return;
    char* end = nullptr;
    const double factor = std::strtod(value, &end);
    if (end != value && *end == '\0' && std::isfinite(factor) && factor > 0) return;
    std::fprintf(stderr, "velto03: QT_SCALE_FACTOR=%s is not a positive number; ignored\n", value);
    unsetenv("QT_SCALE_FACTOR");
}

// Whether Qt's option `name` (-platform, -display) is among the arguments.
bool OptionGiven(int argc, char** argv, const char* name) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0 && (argv[i][length] == '\0' || argv[i][length] == '=')) return true;
    return false;
}

bool UserChosePlatform(int argc, char** argv) {
    return std::getenv("QT_QPA_PLATFORM") != nullptr || OptionGiven(argc, argv, "-platform");
}

// The platform to open when the user names none: X11 wherever there is an X display,
// XWayland included, so that placement and the taskbar rules hold; Wayland natively only
// where there is no X display. Null where there is no display at all.
const char* PlatformForDisplays(int argc, char** argv) {
    if (IsSet("DISPLAY") || OptionGiven(argc, argv, "-display")) return IsSet("WAYLAND_DISPLAY") ? "xcb;wayland" : "xcb";
    if (IsSet("WAYLAND_DISPLAY")) return "wayland";
    return nullptr;
}

int g_signalPipe[2] = {-1, -1};

void WriteSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Qt takes all text it hands the system to be UTF-8. Under a locale of another
    // character set (C, POSIX, one that is not installed) X11 would write the windows'
    // legacy titles (WM_NAME, read by older taskbars) garbled; the character type alone
    // follows Qt instead.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
    setApplicationName(QStringLiteral("velto03"));
    setDesktopFileName(QStringLiteral("org.example.velto03"));
    // The face that both windows start with is the program's own: no other face is
    // loaded for what they hold, the lists' drop-downs included.
    setFont(Face("MS Sans Serif", 11));
    // Qt's style keeps the pieces it draws (frames, buttons, arrows) in a cache of 10 MB.
    // Both windows draw from a few hundred KB of them, and every change of scheme leaves
    // a set behind that is never drawn again: 2 MB keeps what is drawn and bounds the rest.
    QPixmapCache::setCacheLimit(2048);
}

namespace {

// Runs its work once, queued behind the frame that its window first draws, or behind
// the window's minimising if that comes first.
class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* window, std::function<void()> work) : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* window, QEvent* event) override {
        const bool minimised = event->type() == QEvent::WindowStateChange &&
                               static_cast<QWidget*>(window)->isMinimized();
        if (event->type() == QEvent::Paint || minimised) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                work_();
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

}  // namespace

void Application::AfterFirstFrame(QWidget* window, std::function<void()> work) {
    new FirstFrameWatch(window, std::move(work));
}

std::unique_ptr<Application> Application::Open(int& argc, char** argv) {
    DropBadScaleFactor();
    const char* platform = nullptr;
    if (!UserChosePlatform(argc, argv)) {
        platform = PlatformForDisplays(argc, argv);
        if (platform == nullptr) {
            std::fprintf(stderr, "velto03: cannot open a window: no display (DISPLAY and WAYLAND_DISPLAY are unset)\n");
            return nullptr;
        }
        setenv("QT_QPA_PLATFORM", platform, 1);
    }

    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<Application>(argc, argv);
    if (QGuiApplication::screens().isEmpty()) CannotOpenWindow();
    qInstallMessageHandler(previous);
    // The choice was for this program alone, not for what the links start.
    if (platform != nullptr) unsetenv("QT_QPA_PLATFORM");
    for (const auto& [type, message] : std::exchange(g_heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), message);
    AtSpiGuard::Install();
    return application;
}

void Application::CloseOnSignals(QWidget* window) {
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, window, [window] {
        char bytes[16];
        while (read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        window->close();
    });
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

bool Application::event(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) LoadDecimalSeparator();
    return QApplication::event(event);
}

}  // namespace velto
