#include "ui/orderedfetch.h"

void OrderedFetch::start(SearchRun *run, quint64 search, const QStringList &addresses, int parallel, Land land,
                         Done done, SearchRun::Form form)
{
    auto queue = std::make_shared<Queue>();
    queue->run = run;
    queue->search = search;
    queue->form = form;
    queue->addresses = addresses;
    queue->land = std::move(land);
    queue->done = std::move(done);
    queue->bodies.resize(addresses.size());
    qsizetype fetches = 0;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        if (addresses.at(i).isEmpty())
            queue->bodies[i] = QString();
        else
            ++fetches;
    }
    // Leading slots without a fetch land at once, as they would in sequence.
    drain(*queue);
    const qsizetype workers = qMin(qsizetype(qMax(parallel, 1)), fetches);
    for (qsizetype i = 0; i < workers; ++i)
        worker(queue);
}

QCoro::Task<> OrderedFetch::worker(std::shared_ptr<Queue> queue)
{
    for (;;) {
        while (queue->nextToFetch < queue->addresses.size() && queue->addresses.at(queue->nextToFetch).isEmpty())
            ++queue->nextToFetch;
        if (queue->nextToFetch >= queue->addresses.size() || !queue->run)
            co_return;
        const qsizetype slot = queue->nextToFetch++;
        const std::optional<QString> body =
            co_await queue->run->fetchFor(queue->search, queue->addresses.at(slot), queue->form);
        if (!body)
            co_return; // the reader is gone, or a newer search owns it
        queue->bodies[slot] = *body;
        drain(*queue);
    }
}

void OrderedFetch::drain(Queue &queue)
{
    while (queue.nextToLand < queue.bodies.size() && queue.bodies.at(queue.nextToLand)) {
        const qsizetype slot = queue.nextToLand++;
        const QString body = *std::exchange(queue.bodies[slot], QString()); // landed: keep no second copy
        queue.land(slot, body);
        // Whatever the land did, a search that lost the reader stops here.
        if (!queue.run || !queue.run->isCurrent(queue.search))
            return;
    }
    if (queue.nextToLand == queue.bodies.size() && !queue.finished) {
        queue.finished = true;
        if (queue.done)
            queue.done();
    }
}
