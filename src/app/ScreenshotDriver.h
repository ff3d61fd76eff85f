#pragma once

#include <QStringList>

namespace Slipdesk {

class TForm1;

// The picture of the window the program takes for people without a display
// and for checking the look: with "--screenshot FILE" it switches to tab
// "--tab N", fills the fields of "--fields FILE" and the goods of
// "--goods FILE" (typing "--pick TEXT" into the first free code cell), opens
// the preview ("--preview") or the data window on table "--table CODE" (its
// statistics over "--query FROM,TO", a batch run over "--batch FROM,TO"),
// saves the picture and closes the window, which ends the program normally.
namespace ScreenshotDriver {

// Schedules all that on `form` when the arguments ask for a picture; false
// when they do not.
bool start(TForm1 &form, const QStringList &arguments);

} // namespace ScreenshotDriver
} // namespace Slipdesk
