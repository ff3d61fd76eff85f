#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QCheckBox;
class QGroupBox;

namespace Slipdesk {

class TForm1;

// The three groups of user-named marker boxes on the express tab: captions, exclusivity and last state per template.
class MarkerGroupsController : public QObject
{
    Q_OBJECT
public:
    explicit MarkerGroupsController(TForm1 &form);

    // Captions, exclusivity and last ticked state of the current express template.
    void templateLoaded();
    // Writes each group's tick pattern when the user changed a box since the last save.
    void saveLastStates();
    // Whether the user ticked or cleared a box since the last save.
    bool changed() const { return m_changed; }

    // The three log fields 业务标记1-3, each cleaned for a comma-separated row
    // and joined by ",".
    QString logText() const;
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QGroupBox *groupBox(int group) const;
    QList<QCheckBox *> boxes(int group) const;
    QList<bool> ticks(int group) const;
    void setTicks(int group, const QList<bool> &ticked);
    void restyle(int group);
    void boxToggled(QCheckBox *box, bool on);
    QString templateName() const;

    TForm1 &m_form;
    bool m_changed = false;
    bool m_loading = false;
};

} // namespace Slipdesk
