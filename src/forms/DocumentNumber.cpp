#include "DocumentNumber.h"

namespace Slipdesk {

QString advanceNumber(const QString &number)
{
    qsizetype runStart = number.size();
    while (runStart > 0 && number[runStart - 1] >= u'0' && number[runStart - 1] <= u'9')
        --runStart;
    if (runStart == number.size())
        return number;
    // Decimal addition on the digits themselves: the same result as adding 1
    // to a 64-bit integer and zero-padding to the run's length, without a
    // limit on the run's length.
    QString result = number;
    qsizetype i = result.size() - 1;
    for (; i >= runStart; --i) {
        if (result[i] != u'9') {
            result[i] = QChar(result[i].unicode() + 1);
            return result;
        }
        result[i] = u'0';
    }
    result.insert(runStart, u'1');
    return result;
}

} // namespace Slipdesk
