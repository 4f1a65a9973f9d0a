#ifndef MO_DISPLAY_MANAGER_H
#define MO_DISPLAY_MANAGER_H

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Manager.h"
#include "engine/core/Vector.h"
#include "engine/media/GlyphBatch.h"

namespace mo {

class CharGrid;

/// How drawString() places a text relative to its position.
enum Justification : int {
  LEFT_JUSTIFIED,    ///< the text starts at the position
  CENTER_JUSTIFIED,  ///< the text's middle character is at the position
  RIGHT_JUSTIFIED,   ///< the text ends one cell left of the position
};

/// Owns the SFML window and draws the character grid: every character
/// is a background-coloured cell with one glyph on it. Positions given
/// to it are world positions in cells; the view's corner is subtracted
/// and the result scaled by the cell size in pixels. In headless mode
/// there is no window and drawing fails quietly.
///
/// Drawing is batched by default: characters and shapes are queued in
/// call order and drawn with one draw call when the frame is shown (or
/// flushed). The configuration key "batched_drawing:false" draws each
/// character with its own two draw calls instead; both give the same
/// picture.
class DisplayManager : public Manager {
 public:
  /// The single instance.
  static DisplayManager& getInstance();
  ~DisplayManager() override;

  /// Reads the window and grid sizes from the configuration, then (not
  /// headless) opens the window, loads the font and prepares the cell
  /// shapes. 0; -1 (logged, and getFailure() says why) when the window
  /// or the font fails. A second call logs and returns 0.
  int startUp() override;

  /// Why the last startUp() failed, as one sentence for the player (what
  /// failed and what to do); empty after a success.
  std::string getFailure() const { return failure; }

  /// Closes the window and frees the shapes.
  void shutDown() override;

  /// Draws ch in color at a world position (cells). 0; -1 when not
  /// started (logged), headless or without a window. CUSTOM and values
  /// that are no colour draw white.
  int drawCh(Vector world_pos, char ch, Color color) const;

  /// Draws ch in the colour (r, g, b) at a world position (cells).
  /// Results as above.
  int drawCh(Vector world_pos, char ch, unsigned char r, unsigned char g,
             unsigned char b) const;

  /// As drawCh() with a char, for the Unicode code point code. The box
  /// drawing (U+2500 to U+257F) and block elements (U+2580 to U+259F)
  /// are drawn by the engine to the cell's edges; a code point the font
  /// lacks shows as a hollow box. A char beyond ASCII is no character of
  /// its own in UTF-8 and draws as U+FFFD.
  int drawCh(Vector world_pos, char32_t code, Color color) const;
  int drawCh(Vector world_pos, char32_t code, unsigned char r, unsigned char g,
             unsigned char b) const;

  /// Draws the UTF-8 text one cell per code point from a world position
  /// (cells), placed by just; a byte that is no UTF-8 takes a cell of
  /// its own and shows U+FFFD. 0; -1 when not started (logged) or
  /// headless.
  int drawString(Vector world_pos, const std::string& text, Justification just,
                 Color color) const;

  /// Draws a filled SFML shape (pixels, its own transform) in its place
  /// among the characters. 0; -1 without a window.
  int drawShape(const sf::Shape& shape) const;

  /// Draws what is queued into the window now, so that the window holds
  /// everything drawn so far (to read it back, or to draw into the
  /// window directly above it). Call it before drawing into or clearing
  /// the window directly: until the next frame every cell's background
  /// is then drawn, where the batch otherwise leaves out those that
  /// would only repaint the cleared window. The draw calls made; -1
  /// without a window.
  int flush() const;

  /// Draws what is queued, shows the picture and clears the window for
  /// the next frame. 0; -1 when not started (logged), headless or without
  /// a window.
  int swapBuffers();

  /// Saves the window's picture as drawn so far in this frame (queued
  /// drawing included: what the next swap shows) as a PNG file at path,
  /// and logs the file's name. 0; -1 (logged) without a window (also in
  /// headless mode) or when the picture cannot be read or written.
  int saveScreenshot(const std::string& path);

  /// Has the next swapBuffers() save the finished frame at path, just
  /// before showing it (as saveScreenshot() does); for a request made
  /// while the frame is still being drawn. A second request before the
  /// swap replaces the first.
  void requestScreenshot(const std::string& path) { pending_screenshot = path; }

  /// Fits the picture (the configured window size in pixels, with the
  /// grid's cells unchanged) into a window now width x height pixels:
  /// scaled and centred as the configuration says (in proportion by
  /// default, by whole numbers with window_integer_scaling), the bars
  /// around it in the background colour. 0; -1 without a window or for
  /// a size under 1 pixel.
  int fitToWindow(int width, int height);

  /// Shows the picture on the whole screen (true: at the desktop's size)
  /// or in a window again (false: at the size the window had before).
  /// SFML makes a new window for it; the engine keeps its font, glyphs,
  /// queued drawing, attached grid, mouse cursor setting and keyboard
  /// repeat, and fits the picture to the new size. What was drawn into
  /// the old window since the last swap is lost: the next frame draws
  /// it again. 0, also when it is so already; -1 without a window, or
  /// (logged) when the new window cannot be made.
  int setFullscreen(bool on);
  /// Whether the picture is on the whole screen.
  bool isFullscreen() const { return fullscreen; }

  /// Switches the window's keyboard repeat on or off, kept when the
  /// window is made anew; nothing without a window.
  void setKeyRepeat(bool enabled);

  /// The view cell under a window pixel, through the same transform as
  /// the picture. A pixel over the bars gives the nearest cell at the
  /// grid's edge. Without a window the pixel is taken as unscaled.
  Vector pixelToCell(int x, int y) const;

  /// Whether characters and shapes are queued and drawn together (true)
  /// or drawn one by one, as the configuration said at start-up.
  bool isBatched() const { return batched; }
  /// The glyphs' character size in pixels: font scale times the smaller
  /// cell side, made smaller where needed so that every glyph fits its
  /// cell; 0 before start-up and in headless mode.
  unsigned int getCharacterSize() const { return character_size; }
  /// How far the glyphs sit below their place in the cell, in whole
  /// pixels (negative: above), so that every one lies within its cell;
  /// 0 before start-up and in headless mode.
  float getGlyphDrop() const { return glyph_drop; }
  /// The SFML draw calls made for the frame swapBuffers() showed last.
  int getFrameDrawCalls() const { return frame_draw_calls; }
  /// The cell backgrounds that batched drawing left out since start-up,
  /// as flush() tells; 0 when drawing character by character.
  long getBackgroundsLeftOut() const;

  /// The window's width in character cells.
  int getHorizontal() const { return window_horizontal_chars; }
  /// The window's height in character cells.
  int getVertical() const { return window_vertical_chars; }
  /// The window's width in pixels.
  int getHorizontalPixels() const { return window_horizontal_pixels; }
  /// The window's height in pixels.
  int getVerticalPixels() const { return window_vertical_pixels; }

  /// The window, or nullptr before start-up and in headless mode.
  sf::RenderWindow* getWindow() const { return p_window; }

  /// The background colour of the window and of every cell.
  sf::Color getBackgroundColor() const { return window_background_color; }

  /// Attaches a grid (not owned) that receives a copy of every character
  /// drawn, in view cells, also in headless mode, where drawing then
  /// succeeds; nullptr detaches it. swapBuffers() clears it.
  void setCharGrid(CharGrid* p_grid);
  CharGrid* getCharGrid() const { return p_char_grid; }

  /// Closes any window and returns to the just-constructed state; for
  /// test fixtures.
  void reset();

 private:
  DisplayManager();
  /// Draws one cell; the colour both as bytes (for the window) and as
  /// a Color (for the attached grid).
  int drawCell(Vector world_pos, char32_t code, unsigned char r, unsigned char g,
               unsigned char b, Color color) const;
  /// Sets up the text and the batch for the font; the character size.
  unsigned int prepareGlyphs(float scale);
  /// The batch that queues a frame's drawing; nullptr when cells are drawn
  /// one by one (the batch then only tells which glyphs are shapes).
  GlyphBatch* activeBatch() const { return batched ? p_batch : nullptr; }
  void releaseWindow();
  /// (Re)makes the window, full screen or of size pixels, with the
  /// settings the engine keeps, and fits the picture to it. Whether it
  /// is open.
  bool openWindow(bool on_screen, sf::Vector2u size);

  sf::Font font;
  sf::RenderWindow* p_window;
  int window_horizontal_pixels;
  int window_vertical_pixels;
  int window_horizontal_chars;
  int window_vertical_chars;
  sf::RectangleShape* p_rectangle;
  sf::Color window_background_color;
  sf::Text* p_text;
  CharGrid* p_char_grid;
  std::string failure;
  GlyphBatch* p_batch;  ///< the glyphs; null without a window
  bool batched;
  mutable std::vector<sf::Vertex> cell_vertices;  ///< shapes of one cell, drawn one by one
  unsigned int character_size;
  float glyph_drop;
  mutable int draw_calls;  ///< made since the last swap
  int frame_draw_calls;
  std::string pending_screenshot;  ///< saved at the next swap; empty for none
  bool fullscreen;
  bool key_repeat;
  sf::Vector2u windowed_size;  ///< the window's size before it went full screen
};

/// The width of a character cell in pixels.
float charWidth();
/// The height of a character cell in pixels.
float charHeight();
/// The configured font scale, or 1 when it is not a finite number in
/// (0, 100].
float fontScale();
/// A size or position in cells as pixels (the view is not applied).
Vector spacesToPixels(Vector spaces);
/// A size or position in pixels as cells (the view is not applied).
Vector pixelsToSpaces(Vector pixels);

}  // namespace mo

#endif
