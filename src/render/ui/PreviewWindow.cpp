#include "PreviewWindow.h"

#include "render/CentimetreGrid.h"
#include "render/PainterCanvas.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace Slipdesk {

class PreviewPaintArea : public QWidget
{
public:
    explicit PreviewPaintArea(PreviewWindow *window)
        : QWidget(window)
        , m_window(window)
    {
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_window->paintArea(painter);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_window->leftClickAt(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::RightButton)
            m_window->rightReleaseAt(event->position().toPoint());
    }

private:
    PreviewWindow *m_window;
};

PreviewWindow::PreviewWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_area(new PreviewPaintArea(this))
    , m_printTest(new QPushButton(QStringLiteral("打印测试"), this))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    m_printTest->setObjectName(QStringLiteral("BtnPrintTest"));
    m_printTest->adjustSize();
    connect(m_printTest, &QPushButton::clicked, this, [this] {
        if (m_options.printTest)
            m_options.printTest();
    });
}

void PreviewWindow::open(const Options &options, bool modal)
{
    m_options = options;
    m_picture = QImage();
    if (!options.picturePath.isEmpty())
        m_picture.load(options.picturePath);
    setWindowTitle(options.caption);

    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect full = screen ? screen->geometry() : work;

    setWindowFlag(Qt::WindowStaysOnTopHint, options.templateTab && picturePreview());
    if (!picturePreview()) {
        setGeometry(work);
        m_area->setGeometry(rect());
    } else if (options.templateTab) {
        const int width = std::min(m_picture.width(), full.width());
        int height = options.gridTop > work.top() ? options.gridTop - work.top() : work.height();
        setGeometry(work.left(), work.top(), width, height);
        m_area->setGeometry(0, 0, m_picture.width(), m_picture.height());
    } else if (m_picture.width() >= full.width() && m_picture.height() >= full.height()) {
        setGeometry(work);
        m_area->setGeometry(0, 0, m_picture.width(), m_picture.height());
    } else {
        const int width = std::min(m_picture.width(), full.width());
        const int height = std::min(m_picture.height(), full.height());
        int left = (full.width() - width) / 2;
        int top = (full.height() - height) / 2;
        setGeometry(left > 0 ? left : 0, top > 0 ? top : 0, width, height);
        m_area->setGeometry(0, 0, m_picture.width(), m_picture.height());
    }
    placeButton();
    m_printTest->raise();

    if (modal) {
        setWindowModality(Qt::ApplicationModal);
        show();
        QEventLoop loop;
        connect(this, &PreviewWindow::closed, &loop, &QEventLoop::quit);
        loop.exec();
    } else {
        setWindowModality(Qt::NonModal);
        show();
        raise();
        activateWindow();
    }
}

void PreviewWindow::placeButton()
{
    m_printTest->move(width() - 30 - m_printTest->width(), m_area->y() + 15);
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!picturePreview())
        m_area->setGeometry(rect());
    placeButton();
}

void PreviewWindow::paintArea(QPainter &painter)
{
    painter.fillRect(m_area->rect(), Qt::white);
    if (picturePreview())
        painter.drawImage(0, 0, m_picture);
    const int dpi = m_area->logicalDpiY();
    PainterCanvas canvas(painter, m_area->logicalDpiX(), dpi, QPoint(), false);
    CentimetreGrid::draw(canvas, m_area->size(), dpi, picturePreview());
    canvas.setTextColor(QColor(0, 0, 255));
    if (m_options.draw)
        m_options.draw(canvas);
}

void PreviewWindow::leftClickAt(const QPoint &point)
{
    m_lastClick = point;
    if (!m_options.templateTab || !m_options.toLength)
        return;
    setWindowTitle(QStringLiteral("(单位:0.1毫米)当前位置 距左端:") + QString::number(m_options.toLength(point.x()))
        + QStringLiteral("   距上端:") + QString::number(m_options.toLength(point.y())));
}

void PreviewWindow::rightReleaseAt(const QPoint &point)
{
    if (!m_options.templateTab || !picturePreview() || !m_options.toLength)
        return;
    const int left = m_options.toLength(m_lastClick.x());
    const int top = m_options.toLength(m_lastClick.y());
    const int width = std::abs(m_options.toLength(point.x()) - left);
    setWindowTitle(QStringLiteral("(单位:0.1毫米)当前位置 距左端:") + QString::number(left)
        + QStringLiteral("   距上端:") + QString::number(top) + QStringLiteral("  宽度:") + QString::number(width));
    Q_EMIT itemPlaced(left, top, width);
    activateWindow();
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

} // namespace Slipdesk
