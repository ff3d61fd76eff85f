// An INI file of any bytes as the program settings and a template's
// settings: every section and key the file holds read, the settings
// getters called, then keys written and the file read again.

#include "FuzzSupport.h"

#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"

#include <QStringList>

using namespace Slipdesk;

namespace {

// Section names as a reader finds them: "[" to the first "]", trimmed.
QStringList sections(const QString &text)
{
    QStringList names;
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(u'['))
            continue;
        const qsizetype close = trimmed.indexOf(u']');
        QString name = trimmed.mid(1, close < 0 ? -1 : close - 1);
        // The reader trims only blanks and control characters.
        qsizetype first = 0;
        qsizetype last = name.size();
        while (first < last && name[first].unicode() <= u' ')
            ++first;
        while (last > first && name[last - 1].unicode() <= u' ')
            --last;
        names.append(name.mid(first, last - first));
        if (names.size() == 16)
            break;
    }
    return names;
}

void readSettings(const Paths &paths)
{
    const ProgramSettings program(paths);
    (void)program.lastTemplate();
    (void)program.autoCopy();
    (void)program.sellerMessage();
    (void)program.expressSharedAddress();
    (void)program.expressAddressType();
    (void)program.deliverySharedAddress();
    (void)program.deliveryAddressType();
    for (int kind = 0; kind < 3; ++kind) {
        const QStringList names = program.templateNames(kind);
        FUZZ_CHECK(names.size() <= std::max(0, program.templateCount(kind)));
    }

    const TemplateSettings settings(paths, QStringLiteral("顺丰"));
    (void)settings.printDevice();
    (void)settings.defaultSenderIndex();
    (void)settings.handler();
    (void)settings.splitRecipientAddress();
    (void)settings.splitSenderAddress();
    (void)settings.previewShowPicture();
    (void)settings.backgroundPicture();
    (void)settings.dateFormat();
    (void)settings.amountCapitalFormat();
    (void)settings.codCapitalFormat();
    (void)settings.insuredCapitalFormat();
    (void)settings.waybillNumber();
    (void)settings.defaultMessage();
    (void)settings.addressType();
    (void)settings.defaultShipperIndex();
    (void)settings.deliveryNumber();
    (void)settings.sellerLastMessage();
    (void)settings.deliveryAddressType();
    (void)settings.defaultInboundHandlerIndex();
    (void)settings.inboundNumber();
    (void)settings.captionValues(TemplateSettings::deliveryCaptionKeys());
    (void)settings.captionValues(TemplateSettings::inboundCaptionKeys());
    for (int group = 1; group <= 3; ++group) {
        (void)settings.markerGroupName(group);
        (void)settings.markerGroupMode(group);
        (void)settings.markerLastState(group);
        for (int marker = 1; marker <= TemplateSettings::markerCount(group); ++marker)
            (void)settings.markerName(group, marker);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const Paths paths(FuzzSupport::scratchFile(QStringLiteral("root")));
    const QString path = paths.programIni();
    // The same bytes as the program's and a template's settings.
    FuzzSupport::writeFile(path, QByteArray());
    FuzzSupport::writeFile(paths.templateIni(QStringLiteral("顺丰")), QByteArray());
    FuzzSupport::writeFile(path, bytes);
    FuzzSupport::writeFile(paths.templateIni(QStringLiteral("顺丰")), bytes);
    readSettings(paths);

    IniFile ini(path);
    const QStringList names = sections(Codec::decode(bytes));
    QList<std::pair<QString, QString>> seen; // section and key
    QStringList seenValues;
    for (const QString &section : names) {
        const QStringList keys = ini.readSectionKeys(section);
        FUZZ_CHECK(ini.sectionExists(section) == !keys.isEmpty());
        QStringList some = keys.mid(0, 16);
        const QStringList values = ini.readStrings(section, some, QStringLiteral("缺省"));
        FUZZ_CHECK(values.size() == some.size());
        for (qsizetype i = 0; i < some.size(); ++i) {
            const QString &key = some.at(i);
            FUZZ_CHECK(ini.valueExists(section, key));
            FUZZ_CHECK(ini.readString(section, key, QStringLiteral("缺省")) == values.at(i));
            (void)ini.readInteger(section, key, 7);
            (void)ini.readBool(section, key, true);
            seen.append({section, key});
            seenValues.append(values.at(i));
        }
    }
    FUZZ_CHECK(ini.readString(QStringLiteral("无此节"), QStringLiteral("无此键"), QStringLiteral("缺省")) == u"缺省");

    // A key written reads back; every other key keeps its value.
    const QString value = QStringLiteral("值 1");
    const QString section = names.isEmpty() ? QStringLiteral("打印设备") : names.first();
    const QString key = seen.isEmpty() ? QStringLiteral("打印机") : seen.first().second;
    ini.writeString(section, key, value);
    FUZZ_CHECK(ini.readString(section, key) == value);
    ini.writeValues(
        QStringLiteral("新节"), {{QStringLiteral("甲"), QStringLiteral("1")}, {QStringLiteral("乙"), value}});
    FUZZ_CHECK(ini.readInteger(QStringLiteral("新节"), QStringLiteral("甲")) == 1);
    FUZZ_CHECK(ini.readString(QStringLiteral("新节"), QStringLiteral("乙")) == value);
    const auto sameName = [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) == 0 || a.toUpper() == b.toUpper();
    };
    for (qsizetype i = 0; i < seen.size(); ++i) {
        const auto &[s, k] = seen.at(i);
        if (sameName(s, section) && sameName(k, key))
            continue;
        if (sameName(s, QStringLiteral("新节")))
            continue;
        FUZZ_CHECK(ini.readString(s, k, QStringLiteral("缺省")) == seenValues.at(i));
    }
    ini.deleteKey(section, key);
    ini.eraseSection(QStringLiteral("新节"));
    readSettings(paths);
    return 0;
}
