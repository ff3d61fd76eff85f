#include "MarkerGroups.h"

#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"

namespace Slipdesk::MarkerGroups {

int boxCount(int group)
{
    switch (group) {
    case 1:
        return 2;
    case 2:
        return 4;
    case 3:
        return 5;
    default:
        return 0;
    }
}

QString stateText(const QList<bool> &ticked)
{
    QString out;
    out.reserve(ticked.size());
    for (bool on : ticked)
        out.append(on ? u'1' : u'0');
    return out;
}

QList<bool> ticksFromState(QStringView state, int boxes)
{
    QList<bool> out;
    out.reserve(boxes);
    for (int k = 0; k < boxes; ++k)
        out.append(k < state.size() && state[k] == u'1');
    return out;
}

QString logText(const QStringList &captions, const QList<bool> &ticked, bool exclusive)
{
    QStringList parts;
    for (qsizetype k = 0; k < ticked.size() && k < captions.size(); ++k)
        if (ticked.at(k))
            parts.append(captions.at(k));
    return parts.join(exclusive ? QString() : QStringLiteral("+"));
}

QList<bool> keepFirstTicked(QList<bool> ticked)
{
    bool seen = false;
    for (bool &on : ticked) {
        if (on && seen)
            on = false;
        seen = seen || on;
    }
    return ticked;
}

WaybillField boxField(int group, int box)
{
    using enum WaybillField;
    static constexpr WaybillField kBoxes[] = {ChbSelect1, ChbSelect2, ChbSelect3, ChbSelect4, ChbSelect5, ChbSelect6,
        ChbSelect7, ChbSelect8, ChbSelect9, ChbSelect10, Chbselect11};
    int number = box;
    for (int g = 1; g < group; ++g)
        number += boxCount(g);
    return kBoxes[number - 1];
}

QString boxControl(int group, int box)
{
    return controlName(boxField(group, box));
}

QStringList logFields(const TemplateSettings &settings, const FieldValues &values)
{
    QStringList fields;
    for (int g = 1; g <= GroupCount; ++g) {
        QStringList captions;
        QList<bool> ticked;
        for (int k = 1; k <= boxCount(g); ++k) {
            captions.append(settings.markerName(g, k));
            ticked.append(values.ticked(boxField(g, k)));
        }
        fields.append(TextTable::cleanValue(logText(captions, ticked, settings.markerGroupMode(g) == 0)));
    }
    return fields;
}

} // namespace Slipdesk::MarkerGroups
