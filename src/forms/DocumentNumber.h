#pragma once

#include <QString>

namespace Slipdesk {

// "CK000001" -> "CK000002": the trailing digit run plus one, zero-padded to its
// former length; text without a trailing digit is returned unchanged. Waybill,
// delivery-note and inbound-note numbers advance this way.
QString advanceNumber(const QString &number);

} // namespace Slipdesk
