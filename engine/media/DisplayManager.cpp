#include "engine/media/DisplayManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/core/Config.h"
#include "engine/core/LogManager.h"
#include "engine/core/platform.h"
#include "engine/core/utility.h"
#include "engine/media/CharGrid.h"

namespace mo {

namespace {

const int DEFAULT_HORIZONTAL_PIXELS = 1024;
const int DEFAULT_VERTICAL_PIXELS = 768;
const int DEFAULT_HORIZONTAL_CHARS = 80;
const int DEFAULT_VERTICAL_CHARS = 24;

// The Color whose bytes these are, or CUSTOM for any other mix.
Color colorOfBytes(unsigned char r, unsigned char g, unsigned char b) {
  for (int c = BLACK; c <= WHITE; c++) {
    unsigned char cr = 0, cg = 0, cb = 0;
    colorToRGB(static_cast<Color>(c), cr, cg, cb);
    if (cr == r && cg == g && cb == b) return static_cast<Color>(c);
  }
  return CUSTOM;
}

}  // namespace

DisplayManager::DisplayManager()
    : p_window(nullptr),
      window_horizontal_pixels(DEFAULT_HORIZONTAL_PIXELS),
      window_vertical_pixels(DEFAULT_VERTICAL_PIXELS),
      window_horizontal_chars(DEFAULT_HORIZONTAL_CHARS),
      window_vertical_chars(DEFAULT_VERTICAL_CHARS),
      p_rectangle(nullptr),
      window_background_color(sf::Color::Black),
      p_text(nullptr),
      p_char_grid(nullptr),
      p_batch(nullptr),
      batched(true),
      character_size(0),
      glyph_drop(0.0f),
      draw_calls(0),
      frame_draw_calls(0),
      fullscreen(false),
      key_repeat(true) {
  setType("DisplayManager");
}

DisplayManager::~DisplayManager() { releaseWindow(); }

DisplayManager& DisplayManager::getInstance() {
  static DisplayManager display_manager;
  return display_manager;
}

int DisplayManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("DisplayManager::startUp(): Already started.");
    return 0;
  }
  const Config& config = Config::getInstance();
  // The configuration keeps every size within its range.
  window_horizontal_pixels = config.getWindowHorizontalPixels();
  window_vertical_pixels = config.getWindowVerticalPixels();
  window_horizontal_chars = config.getWindowHorizontalChars();
  window_vertical_chars = config.getWindowVerticalChars();
  failure.clear();

  if (config.getHeadless()) {
    log.writeLog(1, "DisplayManager::startUp(): not doing graphics since in headless mode.");
  } else {
    // SFML stops the whole program when it cannot reach an X server, so
    // DISPLAY must be set and the server must answer. The probe's own
    // connection stays open until the window has its own: a server that
    // starts over when its last client leaves would otherwise do so in
    // between, and SFML would find nobody there. The X library is the one
    // SFML itself loads; it is reached at run time so the engine does not
    // link it.
    const char* p_display = std::getenv("DISPLAY");
    if (!p_display || !*p_display) {
      failure = "cannot open a window: no X display (DISPLAY is not set)";
    } else if (!platform::whileDefaultHandleOpen<int>(
                   "libX11.so.6", "XOpenDisplay", "XCloseDisplay", [&] {
                     // Asking for the desktop mode opens the display too.
                     const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
                     log.writeLog(
                         5, "DisplayManager::startUp(): window resolution (%d, %d) pixels.",
                         static_cast<int>(desktop.width), static_cast<int>(desktop.height));
                     windowed_size =
                         sf::Vector2u(static_cast<unsigned int>(window_horizontal_pixels),
                                      static_cast<unsigned int>(window_vertical_pixels));
                     openWindow(config.getWindowStyle() == WINDOW_STYLE_FULLSCREEN, windowed_size);
                   })) {
      failure = std::string("cannot open a window: the X display '") + p_display +
                "' does not answer (is the X server running?)";
    }
    if (!p_window || !p_window->isOpen()) {
      if (failure.empty()) failure = "cannot open a window";
      log.writeLog("DisplayManager::startUp(): Unable to allocate window!");
      releaseWindow();
      return -1;
    }
    if (!font.loadFromFile(config.getFontFile())) {
      log.writeLog("DisplayManager::startUp(): Unable to load font from file '%s'.",
                   config.getFontFile().c_str());
      failure = "cannot load the font '" + config.getFontFile() +
                "': start the game in its data folder or set font_file in the configuration";
      releaseWindow();
      return -1;
    }

    p_rectangle = new sf::RectangleShape(sf::Vector2f(charWidth(), charHeight()));
    p_text = new sf::Text;
    p_text->setFont(font);
    p_text->setStyle(sf::Text::Bold);
    p_text->setCharacterSize(prepareGlyphs(fontScale()));

    window_background_color = colorToSFML(config.getWindowBackgroundColor());
    p_rectangle->setFillColor(window_background_color);
    p_window->clear(window_background_color);
    if (GlyphBatch* p_active = activeBatch()) p_active->beginFrame(window_background_color);
  }

  Manager::startUp();
  log.writeLog(5, "DisplayManager::startUp(): successfully started.");
  return 0;
}

bool DisplayManager::openWindow(bool on_screen, sf::Vector2u size) {
  const Config& config = Config::getInstance();
  // Full screen takes the desktop's own mode, so that no monitor switches
  // resolution and the picture is fitted as in any large window. A window
  // can be resized: the picture is fitted to whatever size it gets.
  const sf::VideoMode mode =
      on_screen ? sf::VideoMode::getDesktopMode() : sf::VideoMode(size.x, size.y, 32);
  const sf::Uint32 style = on_screen
                               ? sf::Uint32(sf::Style::Fullscreen)
                               : static_cast<sf::Uint32>(WINDOW_STYLE_DEFAULT) | sf::Style::Resize;
  if (!p_window) p_window = new sf::RenderWindow;
  p_window->create(mode, config.getWindowTitle(), style);
  if (!p_window->isOpen()) return false;
  fullscreen = on_screen;
  // A new window starts with SFML's settings, not the engine's.
  p_window->setMouseCursorVisible(config.getShowMouse());
  p_window->setVerticalSyncEnabled(true);
  p_window->setKeyRepeatEnabled(key_repeat);
  const sf::Vector2u now = p_window->getSize();
  fitToWindow(static_cast<int>(now.x), static_cast<int>(now.y));
  return true;
}

int DisplayManager::setFullscreen(bool on) {
  if (!p_window) return -1;
  if (on == fullscreen) return 0;
  const LogManager& log = LogManager::getInstance();
  const sf::Vector2u before = p_window->getSize();
  if (on) windowed_size = before;
  if (!openWindow(on, windowed_size)) {
    log.writeLog("DisplayManager::setFullscreen(): cannot make the %s window.",
                 on ? "full-screen" : "new");
    // Back as it was, if that can still be had.
    if (!openWindow(!on, before)) releaseWindow();
    return -1;
  }
  const sf::Vector2u size = p_window->getSize();
  log.writeLog(1, "DisplayManager::setFullscreen(): %s, %u x %u pixels.",
               on ? "full screen" : "window", size.x, size.y);
  return 0;
}

void DisplayManager::setKeyRepeat(bool enabled) {
  key_repeat = enabled;
  if (p_window) p_window->setKeyRepeatEnabled(enabled);
}

unsigned int DisplayManager::prepareGlyphs(float scale) {
  const LogManager& log = LogManager::getInstance();
  const auto wanted = static_cast<unsigned int>(scale * std::min(charWidth(), charHeight()));
  // At the configured size a glyph may be wider than its cell, and the
  // next cell's background would cut it.
  character_size = GlyphBatch::fittingSize(font, wanted, charWidth(), charHeight());
  if (character_size != wanted) {
    log.writeLog(1, "DisplayManager::startUp(): character size %u, not %u, so glyphs fit cells.",
                 character_size, wanted);
  }
  // Narrow cells keep the glyphs small, and the tall ones would then reach
  // into the cell above: they move down as far as needed.
  glyph_drop = GlyphBatch::glyphDrop(font, character_size, charHeight()).value_or(0.0f);
  batched = Config::getInstance().getBatchedDrawing();
  // Drawing character by character asks the batch which glyphs it draws
  // as shapes, so both ways show the same.
  p_batch = new GlyphBatch;
  const auto cells = static_cast<std::size_t>(window_horizontal_chars) *
                     static_cast<std::size_t>(window_vertical_chars);
  if (!p_batch->prepare(font, character_size, batched ? cells : 0,
                        sf::Vector2f(charWidth(), charHeight()))) {
    log.writeLog("DisplayManager::startUp(): Warning! No white texel in the glyph texture, "
                 "drawing character by character.");
    delete p_batch;
    p_batch = nullptr;
    batched = false;
  } else {
    // The cells of the view, where every background lies whose object
    // sits on a whole cell.
    p_batch->setGrid(sf::Vector2f(-charWidth() / 10.0f, charHeight() / 5.0f),
                     sf::Vector2f(charWidth(), charHeight()), window_horizontal_chars,
                     window_vertical_chars);
  }
  return character_size;
}

void DisplayManager::releaseWindow() {
  if (p_window) {
    p_window->close();
    delete p_window;
    p_window = nullptr;
  }
  delete p_text;
  p_text = nullptr;
  delete p_rectangle;
  p_rectangle = nullptr;
  delete p_batch;
  p_batch = nullptr;
  character_size = 0;
  fullscreen = false;
  glyph_drop = 0.0f;
  draw_calls = 0;
  frame_draw_calls = 0;
}

void DisplayManager::shutDown() {
  releaseWindow();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "DisplayManager::shutDown(): successfully stopped.");
}

void DisplayManager::reset() {
  releaseWindow();
  resetManager();
  window_horizontal_pixels = DEFAULT_HORIZONTAL_PIXELS;
  window_vertical_pixels = DEFAULT_VERTICAL_PIXELS;
  window_horizontal_chars = DEFAULT_HORIZONTAL_CHARS;
  window_vertical_chars = DEFAULT_VERTICAL_CHARS;
  window_background_color = sf::Color::Black;
  p_char_grid = nullptr;
  failure.clear();
  batched = true;
  pending_screenshot.clear();
  fullscreen = false;
  key_repeat = true;
  windowed_size = sf::Vector2u();
}

void DisplayManager::setCharGrid(CharGrid* p_grid) { p_char_grid = p_grid; }

namespace {

// The code point a char stands for: itself in ASCII; beyond it, a byte
// that is no UTF-8 alone.
char32_t codeOfChar(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  return byte < 0x80 ? byte : REPLACEMENT_CHARACTER;
}

}  // namespace

int DisplayManager::drawCh(Vector world_pos, char ch, Color color) const {
  return drawCh(world_pos, codeOfChar(ch), color);
}

int DisplayManager::drawCh(Vector world_pos, char ch, unsigned char r, unsigned char g,
                           unsigned char b) const {
  return drawCh(world_pos, codeOfChar(ch), r, g, b);
}

int DisplayManager::drawCh(Vector world_pos, char32_t ch, Color color) const {
  if (isStarted() && !p_window && !p_char_grid) return -1;
  // CUSTOM and values that are no colour leave the bytes alone: white.
  unsigned char r = 255, g = 255, b = 255;
  colorToRGB(color, r, g, b);
  return drawCell(world_pos, ch, r, g, b, (color >= BLACK && color <= WHITE) ? color : WHITE);
}

int DisplayManager::drawCh(Vector world_pos, char32_t ch, unsigned char r, unsigned char g,
                           unsigned char b) const {
  return drawCell(world_pos, ch, r, g, b, colorOfBytes(r, g, b));
}

int DisplayManager::drawCell(Vector world_pos, char32_t ch, unsigned char r, unsigned char g,
                             unsigned char b, Color color) const {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  const Vector view_pos = worldToView(world_pos);
  if (p_char_grid) p_char_grid->put(view_pos.getX(), view_pos.getY(), ch, color);
  if (!p_window) return p_char_grid ? 0 : -1;

  const Vector pixel = spacesToPixels(view_pos);
  // The cell sits a tenth of a cell left and a fifth down from the
  // glyph's origin, under the glyph the font draws.
  const sf::Vector2f cell(pixel.getX() - charWidth() / 10.0f, pixel.getY() + charHeight() / 5.0f);
  const sf::Vector2f origin(pixel.getX(), pixel.getY() + glyph_drop);
  const sf::FloatRect cell_rect(cell, p_rectangle->getSize());
  if (GlyphBatch* p_active = activeBatch()) {
    p_active->addBackground(cell, p_rectangle->getSize(), p_rectangle->getFillColor());
    p_active->addGlyph(origin, cell_rect, ch, sf::Color(r, g, b));
    return 0;
  }
  p_rectangle->setPosition(cell);
  p_window->draw(*p_rectangle);
  const GlyphBatch::Look look = p_batch ? p_batch->lookOf(ch) : GlyphBatch::FROM_FONT;
  draw_calls += look == GlyphBatch::BLANK ? 1 : 2;
  if (look == GlyphBatch::BLANK) return 0;
  if (look == GlyphBatch::AS_SHAPES) {
    cell_vertices.clear();
    p_batch->buildShapes(ch, cell_rect, sf::Color(r, g, b), cell_vertices);
    p_window->draw(cell_vertices.data(), cell_vertices.size(), sf::Triangles);
    return 0;
  }
  p_text->setString(sf::String(static_cast<sf::Uint32>(ch)));
  p_text->setPosition(origin);
  p_text->setFillColor(sf::Color(r, g, b));
  p_window->draw(*p_text);
  return 0;
}

int DisplayManager::drawString(Vector world_pos, const std::string& text, Justification just,
                               Color color) const {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (!p_window && !p_char_grid) return -1;
  const std::u32string codes = utf8ToCodePoints(text);
  const int length = static_cast<int>(codes.size());
  float start_x = world_pos.getX();
  if (just == CENTER_JUSTIFIED) {
    start_x -= static_cast<float>(length / 2);
  } else if (just == RIGHT_JUSTIFIED) {
    start_x -= static_cast<float>(length);
  }
  unsigned char r = 255, g = 255, b = 255;
  colorToRGB(color, r, g, b);
  const Color cell_color = (color >= BLACK && color <= WHITE) ? color : WHITE;
  for (int i = 0; i < length; i++) {
    drawCell(Vector(start_x + static_cast<float>(i), world_pos.getY()),
             codes[static_cast<std::size_t>(i)], r, g, b, cell_color);
  }
  return 0;
}

int DisplayManager::drawShape(const sf::Shape& shape) const {
  if (!p_window) return -1;
  if (GlyphBatch* p_active = activeBatch()) {
    p_active->addShape(shape);
  } else {
    p_window->draw(shape);
    draw_calls++;
  }
  return 0;
}

long DisplayManager::getBackgroundsLeftOut() const {
  return activeBatch() ? activeBatch()->getBackgroundsLeftOut() : 0;
}

int DisplayManager::flush() const {
  if (!p_window) return -1;
  const int calls = activeBatch() ? activeBatch()->flush(*p_window) : 0;
  draw_calls += calls;
  return calls;
}

int DisplayManager::swapBuffers() {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (p_char_grid) p_char_grid->clear();
  if (!p_window) return p_char_grid ? 0 : -1;
  flush();
  if (!pending_screenshot.empty()) {
    saveScreenshot(pending_screenshot);
    pending_screenshot.clear();
  }
  frame_draw_calls = draw_calls;
  draw_calls = 0;
  p_window->display();
  p_window->clear(window_background_color);
  if (GlyphBatch* p_active = activeBatch()) p_active->beginFrame(window_background_color);
  return 0;
}

int DisplayManager::saveScreenshot(const std::string& path) {
  const LogManager& log = LogManager::getInstance();
  if (!p_window) {
    log.writeLog("DisplayManager::saveScreenshot(): no window to save to '%s'.", path.c_str());
    return -1;
  }
  flush();
  // The picture being drawn lives in the window's back buffer, which
  // only a texture can read.
  const sf::Vector2u size = p_window->getSize();
  sf::Texture texture;
  if (!texture.create(size.x, size.y)) {
    log.writeLog("DisplayManager::saveScreenshot(): cannot read the window's picture.");
    return -1;
  }
  texture.update(*p_window);
  if (!texture.copyToImage().saveToFile(path)) {
    log.writeLog("DisplayManager::saveScreenshot(): cannot write '%s'.", path.c_str());
    return -1;
  }
  log.writeLog("DisplayManager::saveScreenshot(): saved '%s'.", path.c_str());
  return 0;
}

int DisplayManager::fitToWindow(int width, int height) {
  if (!p_window || width < 1 || height < 1) return -1;
  const Config& config = Config::getInstance();
  const auto w = static_cast<float>(window_horizontal_pixels);
  const auto h = static_cast<float>(window_vertical_pixels);
  float scale_x = static_cast<float>(width) / w;
  float scale_y = static_cast<float>(height) / h;
  if (config.getWindowKeepAspect()) scale_x = scale_y = std::min(scale_x, scale_y);
  // Below 1 there is no whole scale that fits: the picture shrinks.
  if (config.getWindowIntegerScaling()) {
    if (scale_x >= 1.0f) scale_x = std::floor(scale_x);
    if (scale_y >= 1.0f) scale_y = std::floor(scale_y);
  }
  const float part_x = scale_x * w / static_cast<float>(width);
  const float part_y = scale_y * h / static_cast<float>(height);
  sf::View view(sf::FloatRect(0.0f, 0.0f, w, h));
  view.setViewport(sf::FloatRect((1.0f - part_x) / 2.0f, (1.0f - part_y) / 2.0f, part_x, part_y));
  p_window->setView(view);
  p_window->clear(window_background_color);
  LogManager::getInstance().writeLog(
      2, "DisplayManager::fitToWindow(): %d x %d pixels, scale %.3f x %.3f.", width, height,
      static_cast<double>(scale_x), static_cast<double>(scale_y));
  return 0;
}

Vector DisplayManager::pixelToCell(int x, int y) const {
  if (!p_window) return pixelsToSpaces(Vector(static_cast<float>(x), static_cast<float>(y)));
  const sf::Vector2f at = p_window->mapPixelToCoords(sf::Vector2i(x, y));
  // The far edge itself belongs to no cell: stay just inside it.
  const auto w = static_cast<float>(window_horizontal_pixels);
  const auto h = static_cast<float>(window_vertical_pixels);
  return pixelsToSpaces(Vector(std::clamp(at.x, 0.0f, std::nextafter(w, 0.0f)),
                               std::clamp(at.y, 0.0f, std::nextafter(h, 0.0f))));
}

float charWidth() {
  const DisplayManager& display = DisplayManager::getInstance();
  return static_cast<float>(display.getHorizontalPixels()) /
         static_cast<float>(display.getHorizontal());
}

float charHeight() {
  const DisplayManager& display = DisplayManager::getInstance();
  return static_cast<float>(display.getVerticalPixels()) / static_cast<float>(display.getVertical());
}

float fontScale() {
  const float scale = Config::getInstance().getFontScale();
  return std::isfinite(scale) && scale > 0.0f && scale <= 100.0f ? scale : 1.0f;
}

Vector spacesToPixels(Vector spaces) {
  const Vector pixels(spaces.getX() * charWidth(), spaces.getY() * charHeight());
  LogManager::getInstance().writeLog(
      30, "spacesToPixels(int): spaces (%.2f,%.2f) = pixels (%.2f,%.2f)",
      static_cast<double>(spaces.getX()), static_cast<double>(spaces.getY()),
      static_cast<double>(pixels.getX()), static_cast<double>(pixels.getY()));
  return pixels;
}

Vector pixelsToSpaces(Vector pixels) {
  const Vector spaces(pixels.getX() / charWidth(), pixels.getY() / charHeight());
  LogManager::getInstance().writeLog(
      30, "pixelsToSpaces(): pixels (%.2f,%.2f) = spaces (%.2f,%.2f)",
      static_cast<double>(pixels.getX()), static_cast<double>(pixels.getY()),
      static_cast<double>(spaces.getX()), static_cast<double>(spaces.getY()));
  return spaces;
}

}  // namespace mo
