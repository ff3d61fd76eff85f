#pragma once

#include <QSize>

namespace Slipdesk {

class Canvas;

// The centimetre ruler behind a print preview: "0厘米" in the corner, the
// centimetre numbers along the top and left edges and, unless the scanned
// form is shown, a dotted blue line at every centimetre.
class CentimetreGrid
{
public:
    // Pixels per centimetre at `screenDpi` (38 at 96 dpi); 0 for a dpi of 0 or less.
    static int step(int screenDpi);

    // Draws in blue with a small font; the canvas's font and text colour are
    // put back afterwards. Lines run to the first centimetre beyond the area.
    static void draw(Canvas &canvas, const QSize &area, int screenDpi, bool picture);
};

} // namespace Slipdesk
