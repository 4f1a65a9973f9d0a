#include "support/WindowTest.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/file.h>
#include <unistd.h>

#include "engine/core/Config.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/WorldManager.h"

// Last: its macros (None, True, Status, ...) must not reach the headers
// above. libX11 itself is opened at run time: the tests link only SFML.
#include <X11/Xlib.h>

namespace mo {
namespace test {

namespace {

template <typename F>
F xlib(void* p_xlib, const char* name) {
  return reinterpret_cast<F>(dlsym(p_xlib, name));
}

/// Keeps the loaded GL driver libraries in memory until the process
/// ends. Otherwise they are unloaded at exit, before LeakSanitizer looks,
/// and what a driver keeps for itself could not be told apart from leaks
/// of this code.
void pinGraphicsDrivers() {
  std::vector<std::string> drivers;
  dl_iterate_phdr(
      [](dl_phdr_info* p_info, std::size_t, void* p_drivers) {
        const std::string name = p_info->dlpi_name ? p_info->dlpi_name : "";
        if (name.find("/dri/") != std::string::npos) {
          static_cast<std::vector<std::string>*>(p_drivers)->push_back(name);
        }
        return 0;
      },
      &drivers);
  for (const std::string& name : drivers) {
    dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace

void WindowTest::SetUp() {
  EngineTest::SetUp();
  const char* p_display = std::getenv("DISPLAY");
  if (!p_display || !*p_display) GTEST_SKIP() << "no X server (DISPLAY is not set)";

  std::string lock_name = std::string("morvane-x") + p_display + ".lock";
  std::replace(lock_name.begin(), lock_name.end(), '/', '_');
  const std::string lock_path = (std::filesystem::temp_directory_path() / lock_name).string();
  lock_fd = open(lock_path.c_str(), O_CREAT | O_RDWR, 0666);
  ASSERT_GE(lock_fd, 0) << lock_path;
  // A minute at most for the window tests of other processes (CTest itself
  // runs its window tests one at a time). A short poll takes the lock
  // before another process's next test can start and take it first.
  bool locked = flock(lock_fd, LOCK_EX | LOCK_NB) == 0;
  for (int i = 0; !locked && i < 6000; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    locked = flock(lock_fd, LOCK_EX | LOCK_NB) == 0;
  }
  ASSERT_TRUE(locked) << "the X server stayed busy";

  p_xlib = dlopen("libX11.so.6", RTLD_NOW);
  ASSERT_NE(p_xlib, nullptr) << "libX11 cannot be loaded";
  const auto open_display = xlib<Display* (*)(const char*)>(p_xlib, "XOpenDisplay");
  // A few tries for a server that has only just started.
  for (int i = 0; open_display && !p_connection && i < 5; i++) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    p_connection = open_display(nullptr);
  }
  ASSERT_NE(p_connection, nullptr) << "no X server answers at DISPLAY=" << p_display;

  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  LogManager::getInstance().setFlush(true);
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
  WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 30));
}

void WindowTest::TearDown() {
  EngineTest::TearDown();  // closes the window
  if (p_connection) {
    xlib<int (*)(Display*)>(p_xlib, "XCloseDisplay")(static_cast<Display*>(p_connection));
  }
  if (p_xlib) dlclose(p_xlib);
  if (lock_fd >= 0) close(lock_fd);  // releases the lock
}

int WindowTest::startWindow(const std::string& extra) {
  const std::string file = __FILE__;
  const std::string font = file.substr(0, file.rfind("/tests/")) + "/data/mo-font.ttf";
  const ScopedEnv config_env(
      "MORVANE_CONFIG",
      writeTempFile("mo-config.txt", extra +
                                         "window_horizontal_pixels:800,window_vertical_pixels:600,"
                                         "window_horizontal_chars:80,window_vertical_chars:30,"
                                         "window_title:" + title() + ",font_file:" + font + ","));
  Config::getInstance().reset();
  Config::getInstance().loadConfig();
  const int result = DisplayManager::getInstance().startUp();
  pinGraphicsDrivers();
  return result;
}

int WindowTest::logCount(const std::string& message) const {
  const std::vector<std::string> messages = logMessages();
  return static_cast<int>(std::count(messages.begin(), messages.end(), message));
}

bool WindowTest::requestClose(unsigned long window) const {
  auto* p_x = static_cast<Display*>(p_connection);
  const auto intern_atom = xlib<Atom (*)(Display*, const char*, int)>(p_xlib, "XInternAtom");
  const auto send_event = xlib<int (*)(Display*, Window, int, long, XEvent*)>(p_xlib, "XSendEvent");
  const auto flush = xlib<int (*)(Display*)>(p_xlib, "XFlush");
  if (!p_x || !intern_atom || !send_event || !flush) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = intern_atom(p_x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(intern_atom(p_x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = send_event(p_x, window, False, NoEventMask, &event) != 0;
  flush(p_x);
  return sent;
}

const std::string& WindowTest::title() {
  static const std::string window_title = "MorvaneWindowTest" + std::to_string(getpid());
  return window_title;
}

std::vector<std::string> WindowTest::windowsTitled(const std::string& name) {
  std::vector<std::string> ids;
  const std::string wanted = name.empty() ? title() : name;
  FILE* p_pipe = popen(("xdotool search --name '^" + wanted + "$' 2>/dev/null").c_str(), "r");
  char line[64];
  while (p_pipe && std::fgets(line, sizeof(line), p_pipe)) {
    ids.push_back(std::to_string(std::atol(line)));
  }
  if (p_pipe) pclose(p_pipe);
  return ids;
}

sf::Image WindowTest::grabWindow(unsigned long window) const {
  sf::Image picture;
  auto* p_x = static_cast<Display*>(p_connection);
  const auto attributes =
      xlib<int (*)(Display*, Window, XWindowAttributes*)>(p_xlib, "XGetWindowAttributes");
  const auto get_image = xlib<XImage* (*)(Display*, Drawable, int, int, unsigned int,
                                          unsigned int, unsigned long, int)>(p_xlib, "XGetImage");
  const auto set_handler = xlib<XErrorHandler (*)(XErrorHandler)>(p_xlib, "XSetErrorHandler");
  const auto sync = xlib<int (*)(Display*, int)>(p_xlib, "XSync");
  if (!p_x || !attributes || !get_image || !set_handler || !sync) return picture;
  // The window belongs to another process and may be unmapped or gone
  // by the time it is read: Xlib's own handler would end this process on
  // the error, so one that only notes it stands in for the reading.
  static bool x_failed;
  x_failed = false;
  const XErrorHandler previous = set_handler([](Display*, XErrorEvent*) {
    x_failed = true;
    return 0;
  });
  XWindowAttributes size{};
  XImage* p_image = nullptr;
  if (attributes(p_x, window, &size) && !x_failed && size.map_state == IsViewable) {
    p_image = get_image(p_x, window, 0, 0, static_cast<unsigned int>(size.width),
                        static_cast<unsigned int>(size.height), AllPlanes, ZPixmap);
  }
  sync(p_x, False);
  set_handler(previous);
  if (!p_image) return picture;
  // A true-colour image: each channel sits under its mask.
  const auto channel = [](unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1UL)) {
      mask >>= 1;
      shift++;
    }
    return static_cast<sf::Uint8>(mask ? ((pixel >> shift) & mask) * 255 / mask : 0);
  };
  picture.create(static_cast<unsigned int>(size.width), static_cast<unsigned int>(size.height));
  for (int y = 0; y < size.height; y++) {
    for (int x = 0; x < size.width; x++) {
      const unsigned long pixel = p_image->f.get_pixel(p_image, x, y);
      picture.setPixel(static_cast<unsigned int>(x), static_cast<unsigned int>(y),
                       sf::Color(channel(pixel, p_image->red_mask),
                                 channel(pixel, p_image->green_mask),
                                 channel(pixel, p_image->blue_mask)));
    }
  }
  p_image->f.destroy_image(p_image);
  return picture;
}

bool WindowTest::xdotool(const std::string& arguments) {
  return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

sf::Image WindowTest::readBack(const sf::RenderWindow& window) {
  const DisplayManager& display = DisplayManager::getInstance();
  if (display.getWindow() == &window) display.flush();
  sf::Texture texture;
  EXPECT_TRUE(texture.create(window.getSize().x, window.getSize().y));
  texture.update(window);
  return texture.copyToImage();
}

}  // namespace test
}  // namespace mo
