// COpponent: one worker thread per decision over a private copy of the position.
#include "opponent/Opponent.h"

#include <chrono>

COpponent::~COpponent() { Cancel(); }

void COpponent::Start(const OpponentView& v, const OpponentSettings& s)
{
    Cancel();
    view = v;
    settings = s;
    ready.store(false);
    cancel.store(false);
    worker = std::thread([this] {
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
