// Units, colours and fonts in which every window layout is written.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <cstdint>

namespace quiravel::frame {

// Layouts are written in twips, 1440 to the inch, and a pixel is 1440 / dpi twips, dpi being
// the primary screen's logical dots per inch, read anew at each conversion. With Qt's high-DPI
// scaling on (the default) that is Qt's logical pixel, 96 to the inch, 15 twips, and Qt scales
// those pixels itself; with it off, a desktop set to 120 dpi makes a pixel 12 twips, so every
// layout grows with its text. Without a screen, 96.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr double kDefaultDpi = 96.0;
double logicalDpi();

// Both round to the nearest whole unit, halves away from zero.
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

QRect twipsRect(int left, int top, int width, int height);

// "The screen" of every layout is the primary screen: its full size (not the work area), in
// twips, read anew at each call.
int screenWidthTwips();
int screenHeightTwips();

// A window's Left and Top, in twips, count from the primary screen's top-left corner, which on a
// desktop of several monitors need not be the desktop's origin; Qt places top-level windows in
// global pixels. These two are the one conversion between them, reading the primary screen's
// position anew at each call.
QPoint globalPixelsFromScreenTwips(QPoint twips);
QPoint screenTwipsFromGlobalPixels(QPoint pixels);

// Colours are stored as 0x00BBGGRR: red in the low byte, blue in the high one.
using Bgr = std::uint32_t;
constexpr QRgb rgbFromBgr(Bgr value) {
  return qRgb(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
              static_cast<int>((value >> 16) & 0xFFu));
}
inline QColor colorFromBgr(Bgr value) {
  return QColor(rgbFromBgr(value));
}

// A font as the layouts give it. The character-set byte has no place in a Qt font request
// (Qt picks glyphs per character through font fallback); it is kept in the tables so they read
// as designed, and makeFont ignores it.
struct FontSpec {
  const char* face;
  double points;
  int weight;   // 400 regular, 700 bold
  int charset;  // as designed; unused (see above)
};

// The face a layout's face is drawn in: the face itself where the desktop has it; otherwise,
// the same on every desktop, DejaVu Sans Condensed for Tahoma (within 3 % of its widths, with
// a bold of its own) and Liberation Sans for Arial (metric-compatible). Other faces as given.
QString fontFace(const char* face);

// The layout's font, in the face fontFace gives.
QFont makeFont(const FontSpec& spec);

}  // namespace quiravel::frame
