#include "TemplateCombo.h"

#include "platform/ui/WidgetFields.h"

#include <QComboBox>

namespace Slipdesk::TemplateCombo {

void show(QComboBox *combo, const LoadedTemplate::List &list)
{
    const QSignalBlocker block(combo);
    Fields::setItems(combo, list.names);
    combo->setCurrentIndex(list.names.isEmpty() ? -1 : list.index);
}

void follow(LoadedTemplate &loaded, int kind, QComboBox *combo)
{
    QObject::connect(&loaded, &LoadedTemplate::loaded, combo, [&loaded, kind, combo](int loadedKind) {
        if (loadedKind != kind || combo->count() != loaded.list().names.size())
            return;
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(loaded.list().index);
    });
}

} // namespace Slipdesk::TemplateCombo
