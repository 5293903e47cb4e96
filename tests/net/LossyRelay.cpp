// CLossyRelay: two non-blocking UDP sockets and a queue of packets due later.
#include "tests/net/LossyRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

int LoopbackSocket()
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0)
        throw std::runtime_error("relay: no socket");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        throw std::runtime_error("relay: cannot bind");
    fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);
    return s;
}

} // namespace

CLossyRelay::CLossyRelay(std::uint16_t serverPort, double lossShare, int delayMs, unsigned seed)
    : loss(lossShare), delay(delayMs), rng(seed)
{
    front = LoopbackSocket();
    back = LoopbackSocket();
    sockaddr_in a{};
    socklen_t n = sizeof a;
    getsockname(front, reinterpret_cast<sockaddr*>(&a), &n);
    port = ntohs(a.sin_port);
    server.sin_family = AF_INET;
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    server.sin_port = htons(serverPort);
}

CLossyRelay::~CLossyRelay()
{
    close(front);
    close(back);
}

void CLossyRelay::Take(int s, bool toServer)
{
    std::uint8_t buffer[4096];
    for (;;) {
        sockaddr_in from{};
        socklen_t n = sizeof from;
        const ssize_t got =
            recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &n);
        if (got < 0)
            return;
        if (toServer) {
            client = from; // the client's latest address (a reconnect keeps its socket)
            haveClient = true;
        }
        const bool drop = isCut || std::uniform_real_distribution<double>(0.0, 1.0)(rng) < loss;
        if (drop) {
            ++dropped;
            continue;
        }
        inFlight.push_back(
            {Clock::now() + delay, toServer, std::vector<std::uint8_t>(buffer, buffer + got)});
    }
}

void CLossyRelay::Pump()
{
    Take(front, true);
    Take(back, false);
    const Clock::time_point now = Clock::now();
    while (!inFlight.empty() && inFlight.front().due <= now) {
        const Packet& p = inFlight.front();
        if (isCut) {
            ++dropped;
        } else if (p.toServer) {
            sendto(back, p.bytes.data(), p.bytes.size(), 0,
                   reinterpret_cast<const sockaddr*>(&server), sizeof server);
            ++forwarded;
        } else if (haveClient) {
            sendto(front, p.bytes.data(), p.bytes.size(), 0,
                   reinterpret_cast<const sockaddr*>(&client), sizeof client);
            ++forwarded;
        }
        inFlight.pop_front();
    }
}
