#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;
class ReaderContext;

// Where every site reader sits: the tab strip and page it builds its
// controls on. The main window places them in this order; each reader is a
// child of the window, found by its objectName. Readers that share a page
// are stacked on it, each on a part of its own; a reader that builds no
// controls (it works on another reader's list) is handed the page itself.
struct ReaderPlace
{
    QString tabs; // "SSTab1" .. "SSTab5"
    int page = 0;
    QObject *(*make)(const ReaderContext &context, QWidget *page, QObject *parent) = nullptr;
    bool buildsControls = true;
};

const QList<ReaderPlace> &readerTable();
