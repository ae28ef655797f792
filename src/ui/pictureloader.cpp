#include "ui/pictureloader.h"

#include "core/pagefetcher.h"

#include <QFile>
#include <QUrl>

namespace {

constexpr qint64 MaxPictureBytes = 16 * 1024 * 1024;

QImage fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureBytes)
        return {};
    return QImage::fromData(file.readAll());
}

} // namespace

QCoro::Task<QImage> LoadPicture(PageFetcher &fetcher, QString pathOrAddress)
{
    const QUrl url(pathOrAddress, QUrl::TolerantMode);
    if (PageFetcher::isFetchable(url)) {
        const QByteArray bytes = co_await fetcher.bytes(pathOrAddress);
        co_return QImage::fromData(bytes);
    }
    if (url.isLocalFile())
        co_return fromFile(url.toLocalFile());
    co_return fromFile(pathOrAddress);
}
