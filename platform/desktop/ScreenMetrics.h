#pragma once
// Screen metrics of the primary screen: size in pixels and logical pixels per inch.
namespace ScreenMetrics {

int width();        // pixels
int height();       // pixels
int logicalDpiX();  // logical pixels per inch, horizontal

// 1440 / dpi taken to the nearest whole number, halves to even (15 at 96 dpi, 12 at 120 dpi).
int twipsPerPixel(int dpi);
int twipsPerPixel();

} // namespace ScreenMetrics
