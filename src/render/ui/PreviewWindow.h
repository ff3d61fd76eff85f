#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPushButton;

namespace Slipdesk {

class Canvas;

// The print preview: a white window with the centimetre grid, optionally the
// scanned form behind it, and the current template drawn in blue on top.
class PreviewWindow : public QWidget
{
    Q_OBJECT
public:
    struct Options
    {
        QString caption; // template tab: name + " 打印预览"; elsewhere empty
        QString picturePath; // empty: no picture preview
        bool templateTab = false; // stays open beside the editor grid
        int gridTop = -1; // screen y where the editor grid begins (template tab)
        // Draws the page content on the paint area (grid already drawn).
        std::function<void(Canvas &)> draw;
        std::function<void()> printTest;
        // Converts a paint-area x or y in pixels to 0.1 mm.
        std::function<int(int)> toLength;
    };

    explicit PreviewWindow(QWidget *parent = nullptr);

    // Shows the preview; with `modal` the call returns when it is closed.
    void open(const Options &options, bool modal);

    bool picturePreview() const { return !m_picture.isNull(); }
    QWidget *paintArea() const { return m_area; }
    QPushButton *printTestButton() const { return m_printTest; }
    const Options &options() const { return m_options; }

    // Mouse placement on the picture, also called by tests.
    void leftClickAt(const QPoint &areaPoint);
    void rightReleaseAt(const QPoint &areaPoint);

Q_SIGNALS:
    // A right-button release placed the current item: left, top, width in 0.1 mm.
    void itemPlaced(int left, int top, int width);
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButton();
    void paintArea(class QPainter &painter);

    Options m_options;
    QImage m_picture;
    QWidget *m_area;
    QPushButton *m_printTest;
    QPoint m_lastClick;

    friend class PreviewPaintArea;
};

} // namespace Slipdesk
