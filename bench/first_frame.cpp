// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program in the X server of $DISPLAY and waits for its first drawn frame: the
// moment a pixel of its window, titled as given, shows the colour given. Prints the
// milliseconds from the start to that frame and, half a second later, the program's
// peak resident memory in KiB; then ends the program with SIGTERM.
//   first_frame TITLE X Y RRGGBB PROGRAM [ARGUMENTS...]
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string Title(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
    const auto reply = Own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
    if (!reply) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// The viewable window titled `title` below `parent`, searched to the depth that window
// managers' frames add.
std::optional<xcb_window_t> FindWindow(xcb_connection_t* connection, xcb_window_t parent, const std::string& title,
                                       xcb_atom_t name, int depth) {
    const auto tree = Own(xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr));
    if (!tree) return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const auto attributes = Own(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
        if (Title(connection, children[i], name) == title) return children[i];
        if (depth > 0)
            if (const auto found = FindWindow(connection, children[i], title, name, depth - 1)) return found;
    }
    return std::nullopt;
}

// The colour at `x`, `y` of `window`, as 0xRRGGBB, read from the screen.
std::optional<uint32_t> Pixel(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window, int x, int y) {
    const auto at = Own(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, static_cast<int16_t>(x), static_cast<int16_t>(y)),
        nullptr));
    if (!at) return std::nullopt;
    const auto image = Own(xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, at->dst_x, at->dst_y, 1, 1, ~0u), nullptr));
    if (!image || xcb_get_image_data_length(image.get()) < 4) return std::nullopt;
    uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
    return pixel & 0xFFFFFF;
}

// The peak resident memory of process `pid`, in KiB.
long PeakMemory(pid_t pid) {
    std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (status == nullptr) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmHWM: %ld", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: first_frame TITLE X Y RRGGBB PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    const int x = std::atoi(argv[2]);
    const int y = std::atoi(argv[3]);
    const auto colour = static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 16));

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_frame: cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t name = Atom(connection, "_NET_WM_NAME");

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[5], argv + 5);
        std::_Exit(127);
    }
    int status = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "first_frame: %s ended before its window showed\n", argv[5]);
            return 1;
        }
        const auto window = FindWindow(connection, root, title, name, 2);
        if (window && Pixel(connection, root, *window, x, y) == colour) {
            const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            std::printf("%.1f %ld\n", elapsed.count(), PeakMemory(pid));
            kill(pid, SIGTERM);
            waitpid(pid, &status, 0);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "first_frame: no frame of '%s' with #%06X at %d,%d in 60 s\n", title.c_str(), colour, x, y);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return 1;
}
