#include "LoadedTemplate.h"

#include "storage/IoError.h"
#include "storage/ProgramSettings.h"
#include "templates/Offsets.h"
#include "templates/TemplateList.h"

namespace Slipdesk {

LoadedTemplate::LoadedTemplate(const Paths &paths, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
{
}

void LoadedTemplate::readList(int kind)
{
    m_kind = kind;
    m_list = {};
    try {
        ProgramSettings settings(m_paths);
        m_list.names = TemplateList::load(settings, kind);
    } catch (const IoError &e) {
        Q_EMIT loadFailed(e.message());
    }
}

LoadedTemplate::List LoadedTemplate::startExpress(int lastIndex)
{
    readList(ItemTable::Express);
    const int count = int(m_list.names.size());
    m_list.index = count == 0 ? -1 : lastIndex >= 0 && lastIndex <= count - 1 ? lastIndex : 0;
    Q_EMIT listChanged();
    return m_list;
}

LoadedTemplate::List LoadedTemplate::showKind(int kind, const QString &remembered)
{
    if (kind == m_kind)
        return m_list;
    readList(kind);
    m_list.index = m_list.names.isEmpty() ? -1 : std::max<int>(0, int(m_list.names.indexOf(remembered)));
    Q_EMIT listChanged();
    load();
    return m_list;
}

void LoadedTemplate::chooseKind(int kind, bool load)
{
    readList(kind);
    m_list.index = m_list.names.isEmpty() || !load ? -1 : 0;
    Q_EMIT listChanged();
    if (load)
        this->load();
}

void LoadedTemplate::choose(int index)
{
    m_list.index = index;
    Q_EMIT listChanged();
    load();
}

void LoadedTemplate::setList(const List &list)
{
    m_list = list;
}

void LoadedTemplate::load()
{
    const QString template_ = name();
    m_device = {};
    if (!template_.isEmpty()) {
        try {
            m_device = TemplateSettings(m_paths, template_).printDevice();
        } catch (const IoError &e) {
            Q_EMIT loadFailed(e.message());
        }
    }
    try {
        m_table = template_.isEmpty() ? ItemTable::builtIn(m_kind)
                                      : ItemTable::load(m_paths.templateSet(template_), m_kind);
    } catch (const IoError &e) {
        Q_EMIT loadFailed(e.message());
        m_table = ItemTable::builtIn(m_kind);
    }
    Q_EMIT loaded(m_kind, template_);
}

PrintSource LoadedTemplate::printSource() const
{
    PrintSource source;
    source.table = m_table;
    source.setup = PrinterSetup::fromDevice(m_device);
    source.offset = Offsets::parse(m_device.moveX, m_device.moveY, &source.offsetRefusal);
    return source;
}

} // namespace Slipdesk
