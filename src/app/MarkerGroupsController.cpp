#include "MarkerGroupsController.h"

#include "app/FieldValues.h"
#include "app/MainFormUi.h"
#include "app/TForm1.h"
#include "app/platform/MessageService.h"
#include "storage/IoError.h"
#include "storage/TemplateSettings.h"
#include "storage/TextTable.h"
#include "templates/ItemTable.h"
#include "waybill/MarkerGroups.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>

namespace Slipdesk {

MarkerGroupsController::MarkerGroupsController(TForm1 &form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("MarkerGroupsController"));
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g) {
        QGroupBox *group = groupBox(g);
        group->installEventFilter(this);
        for (QCheckBox *box : boxes(g)) {
            // A bold group caption must not make its boxes bold.
            QFont font = box->font();
            font.setBold(false);
            box->setFont(font);
            box->installEventFilter(this);
            connect(box, &QCheckBox::toggled, this, [this, box](bool on) { boxToggled(box, on); });
            connect(box, &QCheckBox::clicked, this, [this] { m_changed = true; });
        }
    }
}

QGroupBox *MarkerGroupsController::groupBox(int group) const
{
    return m_form.ui().markerGroups().value(group - 1);
}

QList<QCheckBox *> MarkerGroupsController::boxes(int group) const
{
    const QList<QCheckBox *> all = m_form.ui().markerBoxes();
    int first = 0;
    for (int g = 1; g < group; ++g)
        first += MarkerGroups::boxCount(g);
    return all.mid(first, MarkerGroups::boxCount(group));
}

QList<bool> MarkerGroupsController::ticks(int group) const
{
    QList<bool> out;
    for (const QCheckBox *box : boxes(group))
        out.append(box->isChecked());
    return out;
}

void MarkerGroupsController::setTicks(int group, const QList<bool> &ticked)
{
    const QList<QCheckBox *> list = boxes(group);
    for (qsizetype k = 0; k < list.size() && k < ticked.size(); ++k)
        list.at(k)->setChecked(ticked.at(k));
}

bool MarkerGroupsController::exclusive(int group) const
{
    return Fields::tag(groupBox(group)) == 0;
}

QString MarkerGroupsController::templateName() const
{
    return m_form.ui().CmbLetterSelect->currentText();
}

void MarkerGroupsController::boxToggled(QCheckBox *box, bool on)
{
    if (!on || m_loading)
        return;
    const int group = Fields::tag(box) / 10;
    if (!exclusive(group))
        return;
    for (QCheckBox *other : boxes(group))
        if (other != box)
            other->setChecked(false);
}

void MarkerGroupsController::restyle(int group)
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

void MarkerGroupsController::templateLoaded()
{
    if (m_form.currentKind() != ItemTable::Express)
        return;
    const QString name = m_form.currentTemplateName();
    if (name.isEmpty())
        return;
    const TemplateSettings settings(m_form.paths(), name);
    m_loading = true;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g) {
        QGroupBox *group = groupBox(g);
        group->setTitle(settings.markerGroupName(g));
        Fields::setTag(group, settings.markerGroupMode(g) == 0 ? 0 : 1);
        const QList<QCheckBox *> list = boxes(g);
        const QList<bool> ticked = MarkerGroups::ticksFromState(settings.markerLastState(g), int(list.size()));
        for (int k = 0; k < list.size(); ++k) {
            list.at(k)->setText(settings.markerName(g, k + 1));
            Fields::setTag(list.at(k), g * 10 + k + 1);
            list.at(k)->setChecked(ticked.at(k));
        }
    }
    m_loading = false;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        restyle(g);
}

void MarkerGroupsController::saveLastStates()
{
    const QString name = templateName();
    if (!m_changed || name.isEmpty())
        return;
    TemplateSettings settings(m_form.paths(), name);
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        settings.setMarkerLastState(g, MarkerGroups::stateText(ticks(g)));
    m_changed = false;
}

QString MarkerGroupsController::logText(int group) const
{
    QStringList captions;
    for (const QCheckBox *box : boxes(group))
        captions.append(box->text());
    return MarkerGroups::logText(captions, ticks(group), exclusive(group));
}

QString MarkerGroupsController::logText() const
{
    QStringList fields;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        fields.append(TextTable::cleanValue(logText(g)));
    return fields.join(u',');
}

QString MarkerGroupsController::batchText(int group) const
{
    return MarkerGroups::stateText(ticks(group));
}

QString MarkerGroupsController::batchText() const
{
    QStringList fields;
    for (int g = 1; g <= MarkerGroups::GroupCount; ++g)
        fields.append(batchText(g));
    return fields.join(u',');
}

void MarkerGroupsController::applyBatchText(int group, const QString &state)
{
    const int count = MarkerGroups::boxCount(group);
    if (count == 0 || state.size() != count)
        return;
    setTicks(group, MarkerGroups::ticksFromState(state, count));
}

void MarkerGroupsController::toggleExclusive(int group)
{
    QGroupBox *box = groupBox(group);
    const int flag = exclusive(group) ? 1 : 0;
    Fields::setTag(box, flag);
    restyle(group);
    const QString name = templateName();
    if (name.isEmpty())
        return;
    try {
        TemplateSettings(m_form.paths(), name).setMarkerGroupMode(group, flag);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

void MarkerGroupsController::renameGroup(int group)
{
    QGroupBox *box = groupBox(group);
    QString value = box->title();
    if (!MessageService::instance().prompt(QStringLiteral("请输入标记组的名称"), value))
        return;
    box->setTitle(value);
    const QString name = templateName();
    if (name.isEmpty())
        return;
    try {
        TemplateSettings(m_form.paths(), name).setMarkerGroupName(group, value);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

void MarkerGroupsController::renameBox(QCheckBox *box)
{
    QString value = box->text();
    if (!MessageService::instance().prompt(QStringLiteral("请输入标记项目的名称"), value))
        return;
    box->setText(value);
    const QString name = templateName();
    const int tag = Fields::tag(box);
    if (name.isEmpty())
        return;
    try {
        TemplateSettings(m_form.paths(), name).setMarkerName(tag / 10, tag % 10, value);
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
    }
}

bool MarkerGroupsController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (auto box = qobject_cast<QCheckBox *>(watched)) {
        if (mouse->button() != Qt::RightButton)
            return false;
        renameBox(box);
        return true;
    }
    auto group = qobject_cast<QGroupBox *>(watched);
    if (!group || !group->rect().contains(mouse->position().toPoint()))
        return false;
    // A click that a box let through is not a click on the group's own area.
    if (group->childAt(mouse->position().toPoint()))
        return false;
    const int number = group->objectName().right(1).toInt();
    if (mouse->button() == Qt::LeftButton)
        toggleExclusive(number);
    else if (mouse->button() == Qt::RightButton)
        renameGroup(number);
    else
        return false;
    return true;
}

} // namespace Slipdesk
