// How a layout's control looks, written so that one comparison shows every difference.
#pragma once

#include <QRect>
#include <QString>

class QFont;
class QWidget;

namespace quiravel::test {

// "DejaVu Sans Condensed 14.25 pt bold": the face, size and weight of `font`, and "italic" or
// "underlined" where it is.
QString fontLook(const QFont& font);

// The same for the font a layout gives: its face as the program draws it, its size, bold or
// regular.
QString designedFontLook(const QString& face, double points, bool bold = true);

// Where a layout puts a control: `designed` (pixels) as it stands, or for an auto-sized label
// (width -1) at its top-left corner, as large as its text.
QRect designedGeometry(const QWidget* control, const QRect& designed);

}  // namespace quiravel::test
