#include "CentimetreGrid.h"

#include "render/Canvas.h"
#include "render/Drawing.h"

#include <QColor>
#include <QString>

namespace Slipdesk {

int CentimetreGrid::step(int screenDpi)
{
    if (screenDpi <= 0)
        return 0;
    const long double inchesPerCentimetre = 0.39370078740157480316L;
    const long double tenThousandths
        = (long double)Drawing::nearest(double(screenDpi * inchesPerCentimetre * 10000.0L));
    return int(Drawing::nearest(double(tenThousandths / 10000.0L)));
}

void CentimetreGrid::draw(Canvas &canvas, const QSize &area, int screenDpi, bool picture)
{
    const QColor blue(0, 0, 255);
    const QString oldFamily = canvas.fontFamily();
    const int oldSize = canvas.fontSize();
    const QColor oldColor = canvas.textColor();

    canvas.setFont(QStringLiteral("宋体"), 9);
    canvas.setTextColor(blue);
    canvas.drawText(0, 0, QStringLiteral("0厘米"));

    const int pitch = step(screenDpi);
    if (pitch > 0) {
        // Up to and including the first mark beyond the edge, so a ruler never
        // ends short of the window border.
        for (int k = 1; qint64(k - 1) * pitch <= area.width(); ++k) {
            const int x = k * pitch;
            canvas.drawText(x, 0, QString::number(k));
            if (!picture)
                canvas.drawDottedLine(x, 0, x, area.height(), blue);
        }
        for (int k = 1; qint64(k - 1) * pitch <= area.height(); ++k) {
            const int y = k * pitch;
            canvas.drawText(0, y, QString::number(k));
            if (!picture)
                canvas.drawDottedLine(0, y, area.width(), y, blue);
        }
    }

    canvas.setFont(oldFamily, oldSize);
    canvas.setTextColor(oldColor);
}

} // namespace Slipdesk
