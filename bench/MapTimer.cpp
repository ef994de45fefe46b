// Starts a program and reports how long it took from exec until its first
// top-level window was mapped on the X display, and its peak resident memory
// until then; the program is ended at once. The map notice comes from the X
// server, so nothing polls while the program starts:
//   map_timer PROGRAM [ARGUMENTS...]   prints "MILLISECONDS KIB"
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The high-water mark of the process's resident memory, in KiB.
long peakKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "map_timer: no X display\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    // The server must have taken the mask before the program can map anything.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    // A program that never maps a window must not hold the benchmark up.
    alarm(60);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::fprintf(stderr, "map_timer: cannot run %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }
    double mapped = -1;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&free)> owned(event, &free);
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        // Menus and tooltips are override-redirect windows; a top-level window is not.
        if (map->event == screen->root && !map->override_redirect) {
            mapped = nowMs();
            break;
        }
    }
    const long peak = peakKib(child);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(connection);
    if (mapped < 0 || peak < 0) {
        std::fprintf(stderr, "map_timer: %s mapped no window\n", argv[1]);
        return 1;
    }
    std::printf("%.3f %ld\n", mapped - start, peak);
    return 0;
}
