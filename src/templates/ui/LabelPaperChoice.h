#pragma once

#include <QObject>
#include <QString>

namespace Slipdesk {

class TemplateTabUi;

// The label paper of the template tab (`CmbLabelPaper`): none, or one of the
// electronic-waybill label sizes. A label paper is the paper choice "默认"
// with the size stored beside it ("标签纸张"), so choosing one selects
// "默认", and choosing A4, A3 or "其他" drops it.
class LabelPaperChoice : public QObject
{
    Q_OBJECT
public:
    LabelPaperChoice(TemplateTabUi &ui, QObject *parent);

    // A template's settings were loaded: its label paper is shown while its
    // paper choice is "默认" (a size the list does not offer is added, so
    // that saving keeps it); otherwise none.
    static void show(TemplateTabUi &ui, int paperSize, const QString &stored);
    // What "保存(&S)" stores as "标签纸张": the chosen size while the paper
    // choice is "默认", else empty.
    static QString chosen(const TemplateTabUi &ui);

private:
    static void fill(TemplateTabUi &ui);
    void picked(int index);

    TemplateTabUi &m_ui;
};

} // namespace Slipdesk
