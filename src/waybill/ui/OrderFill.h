#pragma once

#include "waybill/OrderResult.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

class QComboBox;

namespace Slipdesk {

class ClickLabel;

// One-click fill from copied order text, shared by the "一键填写" labels of
// the express and the delivery tab. While the pointer rests on a label the
// label's hint previews what the clipboard text reads as; a click fills the
// fields of both tabs (each tab takes the results through filled()). The
// parse results are one set for the whole window.
class OrderFill : public QObject
{
    Q_OBJECT
public:
    explicit OrderFill(QObject *parent = nullptr);

    // A label previewing with the format chosen in `formats`; `express`
    // chooses the express preview text, else the delivery one.
    void attach(ClickLabel *label, QComboBox *formats, bool express);

    // Leave: the preview ends, the results are emptied.
    void leave();
    // Preview: the clipboard text parsed with the label's format, shown in
    // its hint.
    void enter(ClickLabel *label);
    // Fill: both tabs get the results.
    void click();

    const OrderResult &results() const { return m_results; }
    // Whether the chosen fixed format did not fit the copied text, so that
    // the results are the smart reading (the hint says so).
    bool fellBack() const { return m_fellBack; }

    // The hint settings while the pointer is on a label (100 ms, 6000 ms,
    // 11 points) and otherwise (500 ms, 2500 ms, 9 points).
    struct Hint
    {
        bool enabled = true;
        int delayMs = 500;
        int displayMs = 2500;
        int fontPoints = 9;
    };
    const Hint &hint() const { return m_hint; }

Q_SIGNALS:
    void filled(const OrderResult &results);

private:
    struct Source
    {
        QComboBox *formats = nullptr;
        bool express = true;
    };
    QString clipboardText(bool *hasText) const;
    void setHintActive(bool active);
    void showHintNow();

    QHash<ClickLabel *, Source> m_labels;
    OrderResult m_results;
    bool m_fellBack = false;
    Hint m_hint;
    ClickLabel *m_hintLabel = nullptr;
    QTimer m_hintTimer;
};

} // namespace Slipdesk
