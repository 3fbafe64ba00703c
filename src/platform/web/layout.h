// Where the window goes on the page: the picture at a whole number of
// device pixels per game pixel, so that every game pixel is a square of
// whole screen pixels at any zoom or display scale, and the window wholly
// inside the space the page gives it. Plain logic, no browser in it, so
// the native tests check it.
#pragma once

namespace webplatform {

// The space for the window and what it asks for.
struct PageSpace {
    int width; // device pixels
    int height;
    double pixelRatio; // device pixels per CSS pixel
    int clientWidth;   // the width of the client area the window asks for, in CSS pixels
    bool fullscreen;
};

// All in device pixels, from the top-left corner of the space.
struct PageLayout {
    int factor;   // device pixels per game pixel
    int barScale; // device pixels per pixel of the menu bar
    int barWidth; // the bar's width in its own pixels
    // The window: the bar over the picture; in fullscreen the whole space.
    int windowX;
    int windowY;
    int windowWidth;
    int windowHeight;
    // The picture, from the window's top-left corner.
    int pictureX;
    int pictureY;
    int pictureWidth;
    int pictureHeight;
};

// In a window: the factor nearest to the client size (a tie goes to the
// larger), or the largest that fits where that one does not, the window
// centred and never beyond the top or left edge. In fullscreen: the
// largest factor that fits, the picture centred. The bar keeps the
// display's own scale, and never outgrows the picture's.
PageLayout layOutPage(const PageSpace& space);

} // namespace webplatform
