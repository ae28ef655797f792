#pragma once

#include "ui/searchrun.h"

#include <QCoroTask>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// Fetches the pages of one search several at a time (at most `parallel`
// at once) and hands each body over in the order of its address, whichever
// answered first: what the user sees is what one fetch after another shows,
// sooner. A superseded search or a gone reader lands nothing more; a
// failed fetch lands as an empty body, like the sequential fetch.
class OrderedFetch
{
public:
    // `land` gets each slot's body in address order; `done`, when given,
    // runs once after the last slot landed. An empty address fetches
    // nothing: its slot lands with an empty body in its turn.
    using Land = std::function<void(qsizetype index, const QString &body)>;
    using Done = std::function<void()>;

    static void start(SearchRun *run, quint64 search, const QStringList &addresses, int parallel, Land land,
                      Done done = {}, SearchRun::Form form = SearchRun::Form::GetBody);

private:
    struct Queue
    {
        QPointer<SearchRun> run;
        quint64 search = 0;
        SearchRun::Form form = SearchRun::Form::GetBody;
        QStringList addresses;
        QList<std::optional<QString>> bodies; // a value: fetched, waiting for its turn
        qsizetype nextToFetch = 0;
        qsizetype nextToLand = 0;
        bool finished = false;
        Land land;
        Done done;
    };

    static QCoro::Task<> worker(std::shared_ptr<Queue> queue);
    static void drain(Queue &queue);
};
