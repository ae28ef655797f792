#pragma once

#include <QCoroTask>
#include <QImage>
#include <QString>

class PageFetcher;

// LoadPicture: a picture from a local path or a web address alike; a null
// image when there is none (missing file, failed fetch, not a picture).
QCoro::Task<QImage> LoadPicture(PageFetcher &fetcher, QString pathOrAddress);
