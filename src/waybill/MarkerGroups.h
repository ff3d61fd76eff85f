#pragma once

#include "waybill/WaybillForm.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Slipdesk {

class TemplateSettings;

// The three marker groups of express templates: group g (1-3) holds 2, 4 or 5
// boxes. A group is exclusive (flag 0: at most one box ticked) or lets several
// boxes be ticked (flag 1).
namespace MarkerGroups {

inline constexpr int GroupCount = 3;
int boxCount(int group);

// The tick pattern of a group: one '1' or '0' per box, in box order.
QString stateText(const QList<bool> &ticked);
// Ticks from a stored pattern: box k is ticked when character k is '1';
// missing characters leave boxes clear.
QList<bool> ticksFromState(QStringView state, int boxes);

// The log form of a group: the captions of the ticked boxes in box order,
// joined by "+" when several may be ticked, run together when exclusive.
QString logText(const QStringList &captions, const QList<bool> &ticked, bool exclusive);

// Exclusivity switched on: the first ticked box stays ticked, later ones clear.
QList<bool> keepFirstTicked(QList<bool> ticked);

// The check box of box k (1-based) of group g: ChbSelect1 … ChbSelect10 and
// Chbselect11, numbered through the groups.
WaybillField boxField(int group, int box);
QString boxControl(int group, int box);

// The three log fields 业务标记1-3 of a printed waybill, each cleaned for a
// comma-separated row: captions and exclusivity of the template, ticks from
// the entry values.
QStringList logFields(const TemplateSettings &settings, const FieldValues &values);

} // namespace MarkerGroups
} // namespace Slipdesk
