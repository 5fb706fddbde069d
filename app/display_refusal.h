// Displays the program cannot work on, told apart before any window shows. On such a display the
// program says why in one line and ends, instead of failing inside the toolkit with advice that
// does not apply (a TCP display) or showing windows that stay black (an 8-bit display).
#pragma once

#include <QString>

namespace quiravel::app {

// Before the toolkit starts. Why the display cannot be opened, or empty: DISPLAY names a display
// reached over TCP, whose socket the kernel's rules refuse, and X11 is the platform the toolkit
// tries first with no Wayland display to fall back on.
QString tcpDisplayRefusal();

// Once the toolkit has its screens, before any window is made. Why the windows cannot be drawn,
// or empty: the primary screen has fewer than 15 bits a pixel. The toolkit's X11 backing store
// has no image format for a colour-mapped visual, so nothing would ever be painted.
QString colourDepthRefusal();
// The same for a primary screen of `depth` bits a pixel.
QString colourDepthRefusal(int depth);

}  // namespace quiravel::app
