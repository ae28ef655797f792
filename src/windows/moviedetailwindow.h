#pragma once

#include "ui/readercontext.h"

#include <QDialog>

class QImage;
class QLabel;
class QPlainTextEdit;

// Form11 "影片详情": a board post's poster (Image1), film data (Text2),
// synopsis (Text1) and two download buttons. Modal over the main window;
// it deletes itself when closed, so every post gets a fresh window.
class MovieDetailWindow : public QDialog
{
    Q_OBJECT

public:
    struct Content
    {
        QString filmData;
        QString synopsis;
        QString link1;
        QString link2;
    };

    MovieDetailWindow(const ReaderContext &context, const Content &content, QWidget *parent = nullptr);

    QString link1() const;
    QString link2() const;
    // A null image leaves the poster empty.
    void setPoster(const QImage &image);

private:
    ReaderContext m_context;
    Content m_content;
    QLabel *m_poster = nullptr;
};
