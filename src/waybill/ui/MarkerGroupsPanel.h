#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QGroupBox;

namespace Slipdesk {

class Paths;
class TemplateSettings;

// The three groups of user-named marker boxes on the express tab: captions,
// exclusivity and last state per template.
class MarkerGroupsPanel : public QObject
{
    Q_OBJECT
public:
    // `groups` GBox1-3, `boxes` the eleven boxes in group order; `templateName`
    // names the express template the settings belong to.
    MarkerGroupsPanel(const Paths &paths, QList<QGroupBox *> groups, QList<QCheckBox *> boxes,
        std::function<QString()> templateName, QObject *parent);

    // Captions, exclusivity and last ticked state of a loaded express template.
    void templateLoaded(const TemplateSettings &settings);
    // Writes each group's tick pattern when the user changed a box since the last save.
    void saveLastStates();
    // Whether the user ticked or cleared a box since the last save.
    bool changed() const { return m_changed; }

    // The log field of group g (1-3): ticked captions joined by "+", or run
    // together when the group is exclusive.
    QString logText(int group) const;
    // The three batch fields: one "1"/"0" string per group, joined by ",".
    QString batchText() const;
    QString batchText(int group) const;
    // Ticks group g's boxes from a batch field; only a string of exactly the
    // group's length is taken.
    void applyBatchText(int group, const QString &state);

    // Group g (1-3): exclusive (flag 0) or several boxes (flag 1).
    bool exclusive(int group) const;
    void toggleExclusive(int group);
    void renameGroup(int group);
    void renameBox(QCheckBox *box);

    // Where a box sits: its group (1-3) and its place in the group (1-5);
    // 0 for a box that is not one of the eleven.
    int groupOf(const QCheckBox *box) const;
    int placeOf(const QCheckBox *box) const;

private:
    QGroupBox *groupBox(int group) const;
    QList<QCheckBox *> boxes(int group) const;
    QList<bool> ticks(int group) const;
    void setTicks(int group, const QList<bool> &ticked);
    void restyle(int group);
    void boxToggled(QCheckBox *box, bool on);
    bool groupReleased(int group, QEvent *event);

    const Paths &m_paths;
    QList<QGroupBox *> m_groups;
    QList<QCheckBox *> m_boxes;
    std::function<QString()> m_templateName;
    bool m_exclusive[3] = {true, true, true};
    bool m_changed = false;
    bool m_loading = false;
};

} // namespace Slipdesk
