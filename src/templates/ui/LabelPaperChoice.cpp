#include "LabelPaperChoice.h"

#include "platform/PrinterSetup.h"
#include "templates/ui/TemplateTabUi.h"

namespace Slipdesk {

namespace {

constexpr int kDefaultPaper = 2; // "默认"

} // namespace

LabelPaperChoice::LabelPaperChoice(TemplateTabUi &ui, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
{
    setObjectName(QStringLiteral("LabelPaperChoice"));
    fill(m_ui);
    connect(m_ui.CmbLabelPaper, &QComboBox::activated, this, &LabelPaperChoice::picked);
    connect(m_ui.RGPaperSize, &RadioGroup::clicked, this, [this](int index) {
        if (index != kDefaultPaper)
            m_ui.CmbLabelPaper->setCurrentIndex(0);
    });
}

void LabelPaperChoice::fill(TemplateTabUi &ui)
{
    QComboBox *combo = ui.CmbLabelPaper;
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItem(QStringLiteral("不用标签纸"), QString());
    for (const PrinterSetup::LabelPreset &preset : PrinterSetup::labelPresets())
        combo->addItem(preset.caption, preset.key);
    combo->setCurrentIndex(0);
}

void LabelPaperChoice::picked(int index)
{
    if (index <= 0)
        return;
    // A label is printed on "默认" with its size: the other-paper list has
    // nothing to say then.
    m_ui.RGPaperSize->setItemIndex(kDefaultPaper);
    const QSignalBlocker block(m_ui.CmbPaperList);
    m_ui.CmbPaperList->clear();
    m_ui.CmbPaperList->setEnabled(false);
}

void LabelPaperChoice::show(TemplateTabUi &ui, int paperSize, const QString &stored)
{
    fill(ui);
    const QSizeF size = PrinterSetup::labelSize(stored);
    if (paperSize != kDefaultPaper || size.isEmpty())
        return;
    QComboBox *combo = ui.CmbLabelPaper;
    const QSignalBlocker block(combo);
    const QString key = PrinterSetup::labelKey(size);
    int index = combo->findData(key);
    if (index < 0) {
        combo->addItem(PrinterSetup::labelCaption(size), key);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

QString LabelPaperChoice::chosen(const TemplateTabUi &ui)
{
    if (ui.RGPaperSize->itemIndex() != kDefaultPaper)
        return QString();
    return ui.CmbLabelPaper->currentData().toString();
}

} // namespace Slipdesk
