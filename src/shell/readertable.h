#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;
class ReaderContext;

// Where every site reader sits: the tab strip and page it builds its
// controls on. The main window places them in this order; each reader is a
// child of the window, found by its objectName.
struct ReaderPlace
{
    QString tabs; // "SSTab1" .. "SSTab5"
    int page = 0;
    QObject *(*make)(const ReaderContext &context, QWidget *page, QObject *parent) = nullptr;
};

const QList<ReaderPlace> &readerTable();
