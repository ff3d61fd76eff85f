#pragma once

#include "templates/FieldValues.h"
#include "trade/ui/CaptionLabels.h"
#include "trade/ui/InboundTabUi.h"

#include <QObject>

#include <memory>

namespace Slipdesk {

class AppContext;
class GoodsGrid;
class TemplateTab;

// The "采购入库" tab: the handler, the inbound type and the goods grid of
// one purchase inbound note.
class InboundTab : public QObject
{
    Q_OBJECT
public:
    InboundTab(AppContext &context, TemplateTab &templates, QWidget *parent);
    ~InboundTab() override;

    QWidget *page() const { return m_page; }
    InboundTabUi &ui() { return m_ui; }

    FieldValues values() const;
    void setValues(const FieldValues &values);

    void enter();
    void setActive(bool active) { m_active = active; }
    // Leaving the tab (or closing on it): the note number is saved when it changed.
    void saveNumber();
    QString savedNumber() const { return m_savedNumber; }

private:
    void templateLoaded(const QString &name);
    void fillHandlerCombo();
    void loadInboundTypes();

    AppContext &m_context;
    TemplateTab &m_templates;
    QWidget *m_page = nullptr;
    InboundTabUi m_ui;
    std::unique_ptr<CaptionLabels> m_captions;
    GoodsGrid *m_goods = nullptr;
    QString m_savedNumber;
    bool m_typesStale = true;
    bool m_active = false;
};

} // namespace Slipdesk
