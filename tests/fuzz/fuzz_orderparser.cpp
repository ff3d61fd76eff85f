// Copied order text in any of the seven copy formats: the first byte picks
// the format (7 stands for a format the list does not have) and whether the
// text came as GBK or UTF-8; the rest is the clipboard text. The results go
// on to the previews, the fields a fill writes and the fill's own reading.

#include "FuzzSupport.h"

#include "waybill/OrderFields.h"
#include "waybill/OrderParser.h"
#include "waybill/OrderReading.h"
#include "waybill/OrderSmartParser.h"
#include "waybill/OrderText.h"

#include <QJsonDocument>

using namespace Slipdesk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::Bytes input(data, size);
    const uint8_t mode = input.take();
    const int format = mode % 8;
    const QString text = FuzzSupport::text(input.rest(), mode & 0x80);

    const OrderResult result = OrderParser::parse(format, text);
    FUZZ_CHECK(result.values().size() == OrderResult::keys().size());
    if (format >= OrderParser::FormatCount)
        FUZZ_CHECK(result.isEmpty());
    // The JSON the command line prints is one valid object.
    const QByteArray json = result.toJson();
    FUZZ_CHECK(!json.contains('\n'));
    FUZZ_CHECK(QJsonDocument::fromJson(json).isObject());
    (void)OrderParser::expressPreview(format, result);
    (void)OrderParser::deliveryPreview(result, text.left(20), text.mid(20, 8), text.mid(28, 8));
    (void)OrderFields::express(result);
    (void)OrderFields::delivery(result);

    // The one-click fill's reading: a smart format or a format it does not
    // know never falls back; what it reads has the twelve values.
    const OrderReading reading = OrderReading::read(format, text);
    FUZZ_CHECK(reading.result.values().size() == OrderResult::keys().size());
    if (OrderParser::isSmart(format) || format >= OrderParser::FormatCount)
        FUZZ_CHECK(!reading.smartFallback && reading.result == result);
    FUZZ_CHECK(reading.note(format).isEmpty() != reading.smartFallback);

    // The building blocks on the text itself (what a line of it would be).
    if (mode & 0x40) {
        OrderResult parts;
        OrderParser::regionSplit(text, parts);
        OrderParser::spaceSplit(text, parts);
        OrderParser::phoneRule(text, parts);
        (void)OrderParser::isMunicipality(text);
        OrderResult address;
        (void)OrderSmartParser::splitAddress(text, address);
        (void)OrderSmartParser::looksLikeName(text, 1 + mode % 6);
        const QStringList lines = OrderText::lines(text);
        for (const QString &line : lines.mid(0, 8)) {
            (void)OrderText::trim(line);
            (void)OrderText::count(line, u'，');
            (void)OrderText::field(line, int(line.size() % 5), u' ');
            (void)OrderText::upTo(line, u'：');
            (void)OrderText::upTo(line, QStringLiteral("收货"));
            (void)OrderText::remove(text, line.left(3));
            (void)OrderText::removeLeading(text, line.left(2));
        }
    }
    return 0;
}
