// COpponent: one worker thread per decision over a private copy of the position.
#include "opponent/Opponent.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

namespace {

// The worker's nice value: above the frame loop's, so that on a busy machine
// the drawing keeps its frame rate and the decision takes the cycles left over
// (the frame loop sleeps in the driver for much of every frame). A value, not
// a right: an unprivileged thread may always lower its own priority.
const int ThinkerNice = 5;

} // namespace

COpponent::~COpponent() { Cancel(); }

void COpponent::Start(const OpponentView& v, const OpponentSettings& s)
{
    Cancel();
    view = v;
    settings = s;
    ready.store(false);
    cancel.store(false);
    worker = std::thread([this] {
        // Refused only where the system forbids it; the decision is the same either way.
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), ThinkerNice);
        const auto begin = std::chrono::steady_clock::now();
        shot = ChooseShot(view, settings, &cancel);
        workSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        ready.store(true, std::memory_order_release);
    });
}

bool COpponent::Ready() const { return worker.joinable() && ready.load(std::memory_order_acquire); }

OpponentShot COpponent::Take()
{
    if (!worker.joinable())
        return OpponentShot();
    worker.join();
    ready.store(false);
    seconds = workSeconds;
    return shot;
}

void COpponent::Cancel()
{
    if (!worker.joinable())
        return;
    cancel.store(true);
    worker.join();
    ready.store(false);
}
