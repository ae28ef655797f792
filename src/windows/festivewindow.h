#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class QLabel;

// Form7: a frameless window holding one picture whose colour-key pixels
// (red 204, green 45, blue 11) are fully transparent, so only the picture's
// shape shows. It floats beside the main window and follows it.
class FestiveWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QRgb ColourKey = 0xFFCC2D0B; // Windows colour value 0x0B2DCC
    // The picture as drawn, background in the colour key.
    static QImage picture();
    // The picture with the colour key made transparent.
    static QImage keyedPicture();
    // Where the window goes for a main window at `mainTopLeft`: 20 twips
    // down and 2700 twips to the left, at `dpi` dots per inch.
    static QPoint placeFor(const QPoint &mainTopLeft, qreal dpi);

    explicit FestiveWindow(QWidget *parent = nullptr);

    // Keeps the window beside `mainWindow` from now on.
    void follow(QWidget *mainWindow);
    void placeBeside();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_main = nullptr;
    QLabel *m_picture = nullptr;
};
