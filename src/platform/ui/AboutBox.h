#pragma once

class QWidget;

namespace Slipdesk::AboutBox {

// The standard about box; its first line is the caption of `parent`'s window.
void show(QWidget *parent);

} // namespace Slipdesk::AboutBox
