#include "windows/festivewindow.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerInch = 1440;

} // namespace

QImage FestiveWindow::picture()
{
    QImage image(170, 240, QImage::Format_ARGB32);
    image.fill(QColor::fromRgb(ColourKey));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A lantern on its cord, with a tassel and the greeting.
    p.setPen(QPen(QColor(120, 60, 0), 3));
    p.drawLine(85, 0, 85, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 40));
    p.drawRect(55, 28, 60, 12);
    p.drawRect(55, 170, 60, 12);
    QRadialGradient glow(85, 105, 80);
    glow.setColorAt(0, QColor(255, 80, 40));
    glow.setColorAt(1, QColor(170, 0, 0));
    p.setBrush(glow);
    p.drawEllipse(QRectF(15, 38, 140, 134));
    p.setPen(QPen(QColor(230, 180, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(50, 38, 70, 134));
    p.setPen(QPen(QColor(230, 180, 40), 3));
    for (int x = 70; x <= 100; x += 10)
        p.drawLine(x, 182, x, 230);
    QFont font = p.font();
    font.setPixelSize(30);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 230, 120));
    p.drawText(QRectF(15, 60, 140, 90), Qt::AlignCenter, u"贺\n岁"_s);
    p.end();
    return image;
}

QImage FestiveWindow::keyedPicture()
{
    QImage image = picture();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == ColourKey)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

QPoint FestiveWindow::placeFor(const QPoint &mainTopLeft, qreal dpi)
{
    const int down = qRound(20 * dpi / TwipsPerInch);
    const int left = qRound(2700 * dpi / TwipsPerInch);
    return mainTopLeft + QPoint(-left, down);
}

FestiveWindow::FestiveWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(u"Form7"_s);
    setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_picture = new QLabel(this);
    m_picture->setObjectName(u"FestivePicture"_s);
    m_picture->setPixmap(QPixmap::fromImage(keyedPicture()));
    layout->addWidget(m_picture);
    setFixedSize(m_picture->sizeHint());
}

void FestiveWindow::follow(QWidget *mainWindow)
{
    if (m_main)
        m_main->removeEventFilter(this);
    m_main = mainWindow;
    if (m_main)
        m_main->installEventFilter(this);
    placeBeside();
}

void FestiveWindow::placeBeside()
{
    if (!m_main)
        return;
    const QScreen *screen = m_main->screen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    move(placeFor(m_main->pos(), dpi));
}

bool FestiveWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The main window's frame position settles only once it is on screen, so
    // its show counts as a move too.
    if (watched == m_main
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show))
        QTimer::singleShot(0, this, &FestiveWindow::placeBeside);
    return QWidget::eventFilter(watched, event);
}
