#pragma once
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <functional>

namespace klasa {

// Where the window's slow work runs: previews, thumbnails, saving. work
// runs on a worker and must not touch widgets or the platform seam; done
// then runs on the GUI thread. Tests use the inline runner, so that
// everything has happened when the call returns.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;
    // From inside work: f on the GUI thread (progress).
    virtual void toGui(std::function<void()> f) = 0;
};

class InlineRunner : public TaskRunner {
public:
    void run(std::function<void()> work, std::function<void()> done) override
    {
        work();
        done();
    }
    void toGui(std::function<void()> f) override { f(); }
};

// A pool of its own (so a long save does not starve the previews); waits
// for its work when it goes.
class PoolRunner : public TaskRunner {
public:
    PoolRunner(QObject *guiContext, int threads) : context_(guiContext) { pool_.setMaxThreadCount(threads); }
    ~PoolRunner() override { pool_.waitForDone(); }
    void run(std::function<void()> work, std::function<void()> done) override
    {
        QPointer<QObject> context = context_;
        pool_.start([context, work = std::move(work), done = std::move(done)] {
            work();
            if (context)
                QMetaObject::invokeMethod(context, done, Qt::QueuedConnection);
        });
    }
    void toGui(std::function<void()> f) override
    {
        if (context_)
            QMetaObject::invokeMethod(context_, std::move(f), Qt::QueuedConnection);
    }

private:
    QObject *context_;
    QThreadPool pool_;
};

} // namespace klasa
