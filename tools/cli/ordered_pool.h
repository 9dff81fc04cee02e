#pragma once

#include <QtGlobal>
#include <functional>

namespace brindo::cli {

// Runs work(0, w) to work(count - 1, w) on `workers` threads, at most one task
// a thread at a time, where w (from 0 to workers - 1) names the thread, so that
// each thread may keep things of its own between tasks; and calls done(index) on the calling thread
// for each task, in order of index, as soon as that task and every one before it has finished.
// While it waits, `waiting(finished)` is called on the calling thread whenever a task ends and at
// least every `tick` milliseconds. The results themselves stay with the caller: work(i) keeps its
// own and done(i) takes it, so only finished tasks that wait for an earlier one hold theirs. work
// must not throw.
void runInOrder(qsizetype count, int workers,
                const std::function<void(qsizetype index, int worker)>& work,
                const std::function<void(qsizetype)>& done,
                const std::function<void(qsizetype finished)>& waiting = {}, int tick = 100);

} // namespace brindo::cli
