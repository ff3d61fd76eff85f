#include "MarkerGroupsPanel.h"

#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/ui/EventHook.h"
#include "storage/TemplateSettings.h"
#include "waybill/MarkerGroups.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>

namespace Slipdesk {

MarkerGroupsPanel::MarkerGroupsPanel(const Paths &paths, QList<QGroupBox *> groups, QList<QCheckBox *> boxes,
    std::function<QString()> templateName, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_groups(std::move(groups))
    , m_boxes(std::move(boxes))
    , m_templateName(std::move(templateName))
{
    setObjectName(QStringLiteral("MarkerGroupsPanel"));
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g) {
        EventHook::on(
            groupBox(g), QEvent::MouseButtonRelease, [this, g](QEvent *event) { return groupReleased(g, event); });
        for (QCheckBox *box : this->boxes(g)) {
            // A bold group caption must not make its boxes bold.
            QFont font = box->font();
            font.setBold(false);
            box->setFont(font);
            EventHook::on(box, QEvent::MouseButtonRelease, [this, box](QEvent *event) {
                if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
                    return false;
                renameBox(box);
                return true;
            });
            connect(box, &QCheckBox::toggled, this, [this, box](bool on) { boxToggled(box, on); });
            connect(box, &QCheckBox::clicked, this, [this] { m_changed = true; });
        }
    }
}

QGroupBox *MarkerGroupsPanel::groupBox(int group) const
{
    return m_groups.value(group - 1);
}

QList<QCheckBox *> MarkerGroupsPanel::boxes(int group) const
{
    int first = 0;
    for (int g = 1; g < group; ++g)
        first += MarkerGroups::boxCount(g);
    return m_boxes.mid(first, MarkerGroups::boxCount(group));
}

int MarkerGroupsPanel::groupOf(const QCheckBox *box) const
{
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        if (boxes(g).contains(box))
            return g;
    return 0;
}

int MarkerGroupsPanel::placeOf(const QCheckBox *box) const
{
    const int group = groupOf(box);
    return group == 0 ? 0 : int(boxes(group).indexOf(box)) + 1;
}

QList<bool> MarkerGroupsPanel::ticks(int group) const
{
    QList<bool> out;
    for (const QCheckBox *box : boxes(group))
        out.append(box->isChecked());
    return out;
}

void MarkerGroupsPanel::setTicks(int group, const QList<bool> &ticked)
{
    const QList<QCheckBox *> list = boxes(group);
    for (qsizetype k = 0; k < list.size() && k < ticked.size(); ++k)
        list.at(k)->setChecked(ticked.at(k));
}

bool MarkerGroupsPanel::exclusive(int group) const
{
    return group >= 1 && group <= MarkerGroups::GroupCount && m_exclusive[group - 1];
}

void MarkerGroupsPanel::boxToggled(QCheckBox *box, bool on)
{
    if (!on || m_loading)
        return;
    const int group = groupOf(box);
    if (!exclusive(group))
        return;
    for (QCheckBox *other : boxes(group))
        if (other != box)
            other->setChecked(false);
}

void MarkerGroupsPanel::restyle(int group)
{
    QGroupBox *box = groupBox(group);
    QFont font = box->font();
    font.setBold(!exclusive(group));
    box->setFont(font);
    if (exclusive(group)) {
        m_loading = true;
        setTicks(group, MarkerGroups::keepFirstTicked(ticks(group)));
        m_loading = false;
    }
}

void MarkerGroupsPanel::templateLoaded(const TemplateSettings &settings)
{
    m_loading = true;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g) {
        groupBox(g)->setTitle(settings.markerGroupName(g));
        m_exclusive[g - 1] = settings.markerGroupMode(g) == 0;
        const QList<QCheckBox *> list = boxes(g);
        const QList<bool> ticked = MarkerGroups::ticksFromState(settings.markerLastState(g), int(list.size()));
        for (int k = 0; k < list.size(); ++k) {
            list.at(k)->setText(settings.markerName(g, k + 1));
            list.at(k)->setChecked(ticked.at(k));
        }
    }
    m_loading = false;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        restyle(g);
}

void MarkerGroupsPanel::saveLastStates()
{
    const QString name = m_templateName();
    if (!m_changed || name.isEmpty())
        return;
    TemplateSettings settings(m_paths, name);
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        settings.setMarkerLastState(g, MarkerGroups::stateText(ticks(g)));
    m_changed = false;
}

QString MarkerGroupsPanel::logText(int group) const
{
    QStringList captions;
    for (const QCheckBox *box : boxes(group))
        captions.append(box->text());
    return MarkerGroups::logText(captions, ticks(group), exclusive(group));
}

QString MarkerGroupsPanel::batchText(int group) const
{
    return MarkerGroups::stateText(ticks(group));
}

QString MarkerGroupsPanel::batchText() const
{
    QStringList fields;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        fields.append(batchText(g));
    return fields.join(u',');
}

void MarkerGroupsPanel::applyBatchText(int group, const QString &state)
{
    const int count = MarkerGroups::boxCount(group);
    if (count == 0 || state.size() != count)
        return;
    setTicks(group, MarkerGroups::ticksFromState(state, count));
}

void MarkerGroupsPanel::toggleExclusive(int group)
{
    m_exclusive[group - 1] = !m_exclusive[group - 1];
    restyle(group);
    const QString name = m_templateName();
    if (name.isEmpty())
        return;
    guarded([&] { TemplateSettings(m_paths, name).setMarkerGroupMode(group, exclusive(group) ? 0 : 1); });
}

void MarkerGroupsPanel::renameGroup(int group)
{
    QGroupBox *box = groupBox(group);
    QString value = box->title();
    if (!MessageService::instance().prompt(QStringLiteral("请输入标记组的名称"), value))
        return;
    box->setTitle(value);
    const QString name = m_templateName();
    if (name.isEmpty())
        return;
    guarded([&] { TemplateSettings(m_paths, name).setMarkerGroupName(group, value); });
}

void MarkerGroupsPanel::renameBox(QCheckBox *box)
{
    QString value = box->text();
    if (!MessageService::instance().prompt(QStringLiteral("请输入标记项目的名称"), value))
        return;
    box->setText(value);
    const QString name = m_templateName();
    if (name.isEmpty())
        return;
    guarded([&] { TemplateSettings(m_paths, name).setMarkerName(groupOf(box), placeOf(box), value); });
}

bool MarkerGroupsPanel::groupReleased(int group, QEvent *event)
{
    QGroupBox *box = groupBox(group);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    // A click that a box let through is not a click on the group's own area.
    if (!box->rect().contains(at) || box->childAt(at))
        return false;
    if (mouse->button() == Qt::LeftButton)
        toggleExclusive(group);
    else if (mouse->button() == Qt::RightButton)
        renameGroup(group);
    else
        return false;
    return true;
}

} // namespace Slipdesk
