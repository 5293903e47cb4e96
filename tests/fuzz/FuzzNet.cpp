// Fuzz target: the network's one decoder fed any bytes; what it takes is re-encoded and played.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/TableGame.h"
#include "net/Message.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Message m;
    std::string why;
    if (!DecodeMessage(data, size, m, why)) {
        Check(!why.empty()); // every refusal names its reason
        return 0;
    }
    // A message taken is one the encoder writes byte for byte.
    const std::vector<std::uint8_t> again = Encode(m);
    Check(again == std::vector<std::uint8_t>(data, data + size));
    // What reaches the table game is a command or a state it can take: played
    // a few steps, nothing breaks (the sanitizers watch).
    if (m.type == MessageType::Shot || m.type == MessageType::State) {
        static CTableGame* game = [] {
            auto* g = new CTableGame(3);
            g->Begin(ModeEightBall, 0);
            return g;
        }();
        const TableState before = game->State();
        if (m.type == MessageType::State)
            Check(game->Adopt(m.state.state));
        if (game->Shoot(m.shot.command))
            for (int n = 0; n < 30; ++n)
                game->Update(1.0f / 60.0f);
        game->TakeEvents();
        game->Adopt(before);
    }
    return 0;
}
