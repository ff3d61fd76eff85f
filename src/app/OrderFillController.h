#pragma once

#include "waybill/OrderResult.h"

#include <QObject>
#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace Slipdesk {

class TForm1;

// One-click fill of the recipient fields from copied order text, with the
// address-format choice. The "一键填写" label previews what the clipboard text
// reads as while the pointer rests on it, and fills the fields on a click;
// the window's clipboard watch runs the same steps (leave, enter, click).
class OrderFillController : public QObject
{
    Q_OBJECT
public:
    explicit OrderFillController(TForm1 &form);

    void templateLoaded();
    // Leave: the preview ends, the results are emptied.
    void mouseLeave();
    // Preview of the label of the current tab (the delivery tab's label on
    // the delivery tab, the express label elsewhere).
    void mouseEnter();
    // Fill: the express fields, then the delivery tab's fields.
    void click();

    // The two previews: parse the clipboard text with the tab's format and
    // put the preview into the label's hint.
    void previewExpress();
    void previewDelivery();

    // The delivery tab's fields the results go to. The goods row and the
    // postage belong to the delivery note's grid; until it fills them they
    // only get emptied values through `postage`.
    struct DeliveryTargets
    {
        QComboBox *name = nullptr;       // CmbBuyerName
        QComboBox *nickname = nullptr;   // CmbBuyerWW
        QLineEdit *mobile = nullptr;
        QLineEdit *telephone = nullptr;
        QLineEdit *province = nullptr;
        QLineEdit *city = nullptr;
        QLineEdit *district = nullptr;
        QLineEdit *address = nullptr;
        QLineEdit *postcode = nullptr;
        QLineEdit *postage = nullptr;    // EdtPostPrice
        QTableWidget *goods = nullptr;   // SGGoods: goods name and price (not filled yet)
    };
    DeliveryTargets deliveryTargets() const;
    void fillDelivery(const DeliveryTargets &targets);

    // Choosing a format in CmbAddType: all templates or only the current one.
    void chooseExpressFormat(int index);

    const OrderResult &results() const { return m_results; }

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString clipboardText(bool *hasText) const;
    void preview(QLabel *label, int format, bool express);
    void fillExpress();
    void setHintActive(bool active);
    void showHintNow();

    TForm1 &m_form;
    OrderResult m_results;
    Hint m_hint;
    QLabel *m_hintLabel = nullptr;
    QTimer m_hintTimer;
};

} // namespace Slipdesk
