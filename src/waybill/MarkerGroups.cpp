#include "MarkerGroups.h"

namespace Slipdesk::MarkerGroups {

int boxCount(int group)
{
    switch (group) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 5;
    default: return 0;
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

} // namespace Slipdesk::MarkerGroups
