// Displays the program cannot work on, told apart before any window shows. On such a display the
// program says why in one line and ends, instead of showing windows that stay black (an 8-bit
// display).
#pragma once

#include <QString>

namespace quiravel::app {

// Once the toolkit has its screens, before any window is made. Why the windows cannot be drawn,
// or empty: the primary screen has fewer than 15 bits a pixel. The toolkit's X11 backing store
// has no image format for a colour-mapped visual, so nothing would ever be painted.
QString colourDepthRefusal();

}  // namespace quiravel::app
