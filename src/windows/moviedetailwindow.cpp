#include "windows/moviedetailwindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPlainTextEdit *framedText(QBoxLayout *layout, QWidget *parent, const QString &frame, const QString &name,
                           const QString &text)
{
    auto *box = new QGroupBox(frame, parent);
    auto *inner = new QVBoxLayout(box);
    auto *edit = new QPlainTextEdit(box);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setPlainText(text);
    inner->addWidget(edit);
    layout->addWidget(box, 1);
    return edit;
}

} // namespace

MovieDetailWindow::MovieDetailWindow(const ReaderContext &context, const Content &content, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_content(content)
{
    setObjectName(u"Form11"_s);
    setWindowTitle(u"影片详情"_s);
    setWindowIcon(QIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    resize(760, 520);

    auto *layout = new QHBoxLayout(this);
    auto *posterFrame = new QGroupBox(this);
    auto *posterLayout = new QVBoxLayout(posterFrame);
    m_poster = new QLabel(posterFrame);
    m_poster->setObjectName(u"Image1"_s);
    m_poster->setFixedSize(240, 340);
    m_poster->setAlignment(Qt::AlignCenter);
    posterLayout->addWidget(m_poster);
    layout->addWidget(posterFrame);

    auto *right = new QVBoxLayout();
    framedText(right, this, u"影片资料"_s, u"Text2"_s, m_content.filmData);
    framedText(right, this, u"影片简介"_s, u"Text1"_s, m_content.synopsis);
    auto *buttons = new QHBoxLayout();
    auto *first = new QPushButton(u"下载地址①"_s, this);
    first->setObjectName(u"Command1"_s);
    auto *second = new QPushButton(u"下载地址②"_s, this);
    second->setObjectName(u"Command2"_s);
    auto *leave = new QPushButton(u"退出本页"_s, this);
    leave->setObjectName(u"Command3"_s);
    buttons->addWidget(first);
    buttons->addWidget(second);
    buttons->addWidget(leave);
    right->addLayout(buttons);
    layout->addLayout(right, 1);

    connect(first, &QPushButton::clicked, this, [this] { m_context.openAddress(m_content.link1); });
    connect(second, &QPushButton::clicked, this, [this] { m_context.openAddress(m_content.link2); });
    connect(leave, &QPushButton::clicked, this, &QDialog::close);

    m_context.report(u"影片信息获取完毕..."_s);
}

QString MovieDetailWindow::link1() const
{
    return m_content.link1;
}

QString MovieDetailWindow::link2() const
{
    return m_content.link2;
}

void MovieDetailWindow::setPoster(const QImage &image)
{
    if (image.isNull()) {
        m_poster->clear();
        return;
    }
    m_poster->setPixmap(QPixmap::fromImage(image).scaled(m_poster->size(), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
}
