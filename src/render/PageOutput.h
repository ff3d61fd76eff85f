#pragma once

#include "render/PainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>

#include <memory>

class QPdfWriter;

namespace Slipdesk {

// A file target for drawn pages: a PDF (one page per form) or PNG images
// (the first page at the given path, page n at "name-n.png"). Positions are
// measured from the paper corner, so the canvas is not printing and has no
// printable offset.
class PageOutput
{
public:
    enum class Format { Pdf, Png };

    // `paper` in 0.1 mm; `dpi` for both axes.
    PageOutput(const QString &path, Format format, const QSize &paper, int dpi);
    ~PageOutput();
    PageOutput(const PageOutput &) = delete;
    PageOutput &operator=(const PageOutput &) = delete;

    // Pdf for ".pdf" (any case), Png otherwise.
    static Format formatForPath(const QString &path);

    // Opens the first page; false (with errorString) if the file cannot be written.
    bool begin();
    Canvas &canvas();
    bool newPage();
    // Ends the last page and writes the files.
    bool finish();

    int pageCount() const { return m_pages; }
    QString errorString() const { return m_error; }
    // The file that page `page` (1-based) goes to.
    QString pagePath(int page) const;

private:
    bool savePng();

    QString m_path;
    Format m_format;
    QSize m_paper;
    int m_dpi;
    std::unique_ptr<QPdfWriter> m_pdf;
    QImage m_image;
    QPainter m_painter;
    std::unique_ptr<PainterCanvas> m_canvas;
    int m_pages = 0;
    bool m_open = false;
    QString m_error;
};

} // namespace Slipdesk
