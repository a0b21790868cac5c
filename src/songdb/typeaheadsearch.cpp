// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/typeaheadsearch.h"

#include "songdb/readwatch.h"
#include "songdb/songconnection.h"

#include <QElapsedTimer>
#include <QThread>
#include <QThreadPool>

#include <condition_variable>
#include <mutex>
#include <optional>

namespace songdb {

namespace {

// A search that reads for longer than this shows what it has so far, and
// again after as long.
constexpr qint64 StepMs = 200;
// Lines shown while a search still reads: a few screens. The others come
// with the whole result, in one move instead of copies on the way.
constexpr int ShownWhileReading = 5000;
// How long a stopped read is told again to stop; a server's read may go on
// to the end of its block of rows meanwhile.
constexpr int StopMs = 2000;

// Stops a read beside the caller: a server hears of a cancel through a
// connection of its own, which the window thread does not wait for. An
// embedded engine is told until its statement has ended (which takes
// moments); a server's read stops at the latest before its next block.
void stopBeside(const std::shared_ptr<ReadWatch> &watch)
{
    if (!watch)
        return;
    QThreadPool::globalInstance()->start([watch] {
        watch->cancel();
        if (watch->embedded())
            watch->stop(StopMs);
    });
}

struct Request
{
    quint64 generation = 0;
    QString column;
    QString text;
};

} // namespace

struct TypeAheadSearch::Shared
{
    QString connectString;
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Request> waiting;
    std::shared_ptr<ReadWatch> reading; // the read under way, if any
    std::atomic<quint64> newest {0};
    bool quit = false;

    bool stale(quint64 generation) const { return generation != newest.load(); }
};

TypeAheadSearch::TypeAheadSearch(QString connectString, QObject *parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->connectString = std::move(connectString);
    m_thread.reset(QThread::create([this] { work(); }));
    m_thread->setObjectName(QStringLiteral("TypeAheadSearch"));
    m_thread->start();
}

TypeAheadSearch::~TypeAheadSearch()
{
    std::shared_ptr<ReadWatch> stopping;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->quit = true;
        ++m_shared->newest;
        m_shared->waiting.reset();
        stopping = m_shared->reading;
    }
    m_shared->wake.notify_all();
    if (stopping) {
        while (!stopping->stop(StopMs) && m_thread->isRunning())
            ;
    }
    m_thread->wait();
}

void TypeAheadSearch::search(const QString &column, const QString &text)
{
    std::shared_ptr<ReadWatch> stopping;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_generation = ++m_shared->newest;
        m_shared->waiting = Request {m_generation, column, text};
        stopping = m_shared->reading;
    }
    m_searching = true;
    m_shared->wake.notify_all();
    stopBeside(stopping);
}

void TypeAheadSearch::cancel()
{
    std::shared_ptr<ReadWatch> stopping;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_generation = ++m_shared->newest;
        m_shared->waiting.reset();
        stopping = m_shared->reading;
    }
    m_searching = false;
    stopBeside(stopping);
}

void TypeAheadSearch::stopForWrite()
{
    std::shared_ptr<ReadWatch> stopping;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        ++m_shared->newest;
        m_shared->waiting.reset();
        stopping = m_shared->reading;
    }
    if (QThread::currentThread() == thread())
        m_searching = false;
    if (!stopping)
        return;
    // From now on the read begins no statement. Interrupted, an embedded
    // engine's read ends at once; a server's read holds up no write and
    // goes on to the end of its block.
    stopping->cancel();
    if (stopping->embedded())
        stopping->stop(StopMs);
    else
        stopBeside(stopping);
}

void TypeAheadSearch::work()
{
    const std::shared_ptr<Shared> shared = m_shared;
    std::unique_ptr<SongConnection> connection;
    for (;;) {
        Request request;
        std::shared_ptr<ReadWatch> watch = std::make_shared<ReadWatch>();
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->quit || shared->waiting.has_value(); });
            if (shared->quit)
                break;
            request = *shared->waiting;
            shared->waiting.reset();
            if (shared->stale(request.generation))
                continue;
            shared->reading = watch;
        }
        // A connection that could not be opened is tried again at the next search.
        if (!connection || !connection->isOpen())
            connection = std::make_unique<SongConnection>(shared->connectString);

        const quint64 generation = request.generation;
        QElapsedTimer sinceReport;
        sinceReport.start();
        int reported = 0;
        watch->onBlock = [&](const TitleLines &soFar) {
            if (sinceReport.elapsed() < StepMs || soFar.size() == reported || shared->stale(generation))
                return;
            auto step = std::make_shared<TitleLines>();
            for (int i = reported; i < std::min(soFar.size(), ShownWhileReading); ++i) {
                const QByteArrayView text = soFar.utf8(i);
                step->appendUtf8(soFar.id(i), text.data(), text.size());
            }
            const int found = soFar.size();
            reported = found;
            sinceReport.restart();
            QMetaObject::invokeMethod(
                this,
                [this, shared, generation, step, found] {
                    if (!shared->stale(generation))
                        emit linesSoFar(*step, found);
                },
                Qt::QueuedConnection);
        };
        auto lines = std::make_shared<TitleLines>();
        SongConnection &c = *connection;
        // A connection lost since the last search is opened again, and the search run once more.
        const platform::Failure failure = c.read([&] {
            const auto query = c.findQuery(request.column, request.text);
            return query.ok() ? query.value.run(lines.get(), watch.get()) : query.failure;
        });
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->reading.reset();
        }
        shared->wake.notify_all();
        if (failure.number == platform::err::Interrupted || shared->stale(generation))
            continue;
        QMetaObject::invokeMethod(
            this,
            [this, shared, generation, lines, failure] {
                if (shared->stale(generation))
                    return;
                m_searching = false;
                emit finished(*lines, failure);
            },
            Qt::QueuedConnection);
    }
    // The connection belongs to this thread.
    connection.reset();
}

} // namespace songdb
