#ifndef MO_UTILITY_H
#define MO_UTILITY_H

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/core/Box.h"
#include "engine/core/Color.h"
#include "engine/core/Vector.h"

namespace sf {
class Color;
}

namespace mo {

class Object;

/// True when min <= value <= max (both ends inclusive).
inline bool valueInRange(float value, float min, float max) {
  return min <= value && value <= max;
}

/// True when p lies in b, edges included.
bool boxContainsPosition(Box b, Vector p);

/// True when the boxes overlap along both axes; edges and corners count,
/// so boxes that merely touch intersect. Inline: the collision query
/// runs it for every pair of mover and solid object.
inline bool boxIntersectsBox(const Box& a, const Box& b) {
  const float ax = a.getCorner().getX();
  const float ay = a.getCorner().getY();
  const float bx = b.getCorner().getX();
  const float by = b.getCorner().getY();
  const bool x_overlap = valueInRange(ax, bx, bx + b.getHorizontal()) ||
                         valueInRange(bx, ax, ax + a.getHorizontal());
  const bool y_overlap = valueInRange(ay, by, by + b.getVertical()) ||
                         valueInRange(by, ay, ay + a.getVertical());
  return x_overlap && y_overlap;
}

/// The Euclidean distance between two positions, in cells.
float distance(Vector p1, Vector p2);

/// The object's box in world cells: its box moved by its position.
Box getWorldBox(const Object* p_o);

/// The object's box in world cells as if it stood at where.
Box getWorldBox(const Object* p_o, Vector where);

/// A world position as a position in the view (world minus the view's
/// corner), in cells.
Vector worldToView(Vector world_pos);

/// A view position as a world position (plus the view's corner), cells.
Vector viewToWorld(Vector view_pos);

/// The side of obstacle on which moving stands, once backed off along
/// its velocity to where it no longer overlaps: components in
/// {-1, 0, 1}, (0,-1) meaning above. (0,0), with a line in the log, when
/// no side touches.
Vector getNormal(const Object* p_moving, const Object* p_obstacle);

/// The SFML colour of c; CUSTOM and unsupported values give white and a
/// line in the log at level 5.
sf::Color colorToSFML(Color c);

/// Fills r, g and b with the bytes of c. CUSTOM leaves them unchanged;
/// an unsupported value leaves them unchanged and logs at level 5.
void colorToRGB(Color c, unsigned char& r, unsigned char& g, unsigned char& b);

/// Reads a lower-case colour name ("black" ... "white") into c; false,
/// with c unchanged, for any other text.
bool colorFromName(const std::string& name, Color& c);

/// The local time as "hh:mm:ss", or "(time error)" when the time is not
/// available. Points to one static buffer that every call overwrites.
const char* getTimeString();

/// The text an output string stream gives for the value.
std::string toString(int i);
/// The text an output string stream gives for the value: 6 significant
/// digits, no trailing zeros (2.5 gives "2.5").
std::string toString(float f);
/// "true" or "false".
std::string toString(bool b);

/// The leading decimal integer of text as atoi reads it (leading blanks,
/// an optional sign, digits; 0 when there are none), held to the range
/// of int instead of overflowing.
int leadingInt(const std::string& text);

/// text fit for a log line: every byte outside printable ASCII (control
/// characters, bytes of 128 and above) written as \xNN.
std::string printable(const std::string& text);

/// The code point that stands for bytes that are no UTF-8, U+FFFD.
const char32_t REPLACEMENT_CHARACTER = 0xFFFD;

/// Reads the UTF-8 sequence at byte pos of text (pos within text): its
/// code point into code, and pos moved past it. False, with code
/// REPLACEMENT_CHARACTER and pos moved one byte, when the byte there
/// starts no well-formed sequence (a stray continuation byte, a sequence
/// cut short, an overlong form, a surrogate, beyond U+10FFFF).
bool decodeUtf8(const std::string& text, std::size_t& pos, char32_t& code);

/// Appends code to text as UTF-8; a value that is no code point (a
/// surrogate, beyond U+10FFFF) appends REPLACEMENT_CHARACTER.
void appendUtf8(std::string& text, char32_t code);

/// The code points of the UTF-8 text, a byte that is no UTF-8 giving one
/// REPLACEMENT_CHARACTER.
std::u32string utf8ToCodePoints(const std::string& text);

/// The UTF-8 text of the code points (appendUtf8() for each).
std::string codePointsToUtf8(std::u32string_view codes);

/// The byte offset of the first byte of text that is no UTF-8, or
/// std::string::npos when text is well-formed.
std::size_t firstBadUtf8(const std::string& text);

/// text with every byte that is no UTF-8 written as \xNN, as printable()
/// writes it; well-formed UTF-8 (ASCII too) stays as it is.
std::string validUtf8(const std::string& text);

/// The code point that byte shows in code page 437, the character set
/// of the classic PC console: ASCII from 32 to 126, its symbols below 32
/// and at 127 (byte 0 a blank), and its letters, box drawing and block
/// glyphs above.
char32_t codePointOfCp437(unsigned char byte);

/// The leading decimal number of text as atof reads it (0 when there is
/// none).
float leadingFloat(const std::string& text);

/// Key:value text matcher. Parses text unless it is empty (blanks are
/// removed first; items are "key:value" separated by commas) and
/// remembers that parse; then returns the value of the first item whose
/// key equals key, or an empty string when there is none or it has no
/// value. The pattern is one call with the text and an empty key, then
/// one call per key with an empty text.
std::string match(std::string text, std::string key);

/// Forgets the matcher's remembered parse, as at program start.
void resetMatch();

/// Parses text with match() and gives the value of every key listed
/// ("" for a key that is missing or has no value). Taking all values at
/// once keeps them from being lost to a later parse. An empty text gives
/// only empty values: it never reads the remembered parse.
std::map<std::string, std::string> matchKeys(const std::string& text,
                                             std::initializer_list<const char*> keys);

/// One item of attribute text: key, ':', value, ','; bytes of value that
/// are no UTF-8 written as validUtf8() writes them.
std::string attributeItem(const std::string& key, const std::string& value);

/// Whether an attribute is asked for by an attribute selection: "ALL"
/// asks for every attribute, an empty selection for the modified ones,
/// and any other for those whose name followed by a comma occurs in it.
bool attributeSelected(const std::string& selection, const std::string& name, bool modified);

/// An attribute value read as an integer, as leadingInt() reads it
/// ("2.5" gives 2, "12abc" 12). A value that does not start with a
/// number reads as 0 and writes "<caller>: Warning! <key> '<value>' is
/// not a number, read as 0." to the log.
int attributeInt(const char* caller, const char* key, const std::string& value);

/// An attribute value read as a float, as leadingFloat() reads it; a
/// value that does not start with a number reads as 0 (logged as by
/// attributeInt()). A number that is no finite float ("inf", "nan",
/// "1e999") gives nothing, with "<caller>: Warning! <key> '<value>' is
/// not a finite number. Ignored." in the log.
std::optional<float> attributeFloat(const char* caller, const char* key, const std::string& value);

/// The float the whole of text spells, or nothing when text is empty,
/// holds anything else or is no finite float.
std::optional<float> wholeFloat(const std::string& text);

/// The decimal int the whole of text spells (an optional sign, digits),
/// or nothing when text is empty, holds anything else or is out of the
/// range of int.
std::optional<int> wholeInt(const std::string& text);

}  // namespace mo

#endif
