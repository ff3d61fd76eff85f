#pragma once

#include "forms/FieldValues.h"

#include <QDateTime>
#include <QStringList>

namespace Slipdesk {

class Paths;

// The yearly log of printed waybills: one line per waybill in
// "打印记录/快递打印记录<year>.txt", shared by all express templates.
namespace WaybillLog {

QString fileName(int year);
QString path(const Paths &paths, int year);

// The 32 fields written at print time (the data window adds 收件日期, 签收人
// and 备注 later): values keyed by control name, `markers` the three marker
// group fields, `now` the moment of printing.
QString buildLine(const FieldValues &values, const QStringList &markers, const QDateTime &now);

// Builds the line and appends it to this year's file.
void append(const Paths &paths, const FieldValues &values, const QStringList &markers, const QDateTime &now);

} // namespace WaybillLog
} // namespace Slipdesk
