// CLossyRelay: a UDP relay on the loopback address that drops and delays packets, for the tests.
#pragma once

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

// Stands between one client and a server on 127.0.0.1: the client sends to
// Port(), the relay forwards to the server's port from a socket of its own and
// the answers back. Each packet, each way, is dropped with probability `loss`
// (from a seeded generator: the same run drops the same packets) or held for
// `delayMs`. Pump() moves packets; nothing runs on its own.
class CLossyRelay {
public:
    CLossyRelay(std::uint16_t serverPort, double loss, int delayMs, unsigned seed);
    ~CLossyRelay();
    CLossyRelay(const CLossyRelay&) = delete;
    CLossyRelay& operator=(const CLossyRelay&) = delete;

    std::uint16_t Port() const { return port; }
    // Reads what has come in (no waiting) and sends what is due.
    void Pump();
    // While cut, every packet is dropped both ways (a pulled cable).
    void Cut(bool cut) { isCut = cut; }
    long Forwarded() const { return forwarded; }
    long Dropped() const { return dropped; }

private:
    using Clock = std::chrono::steady_clock;
    struct Packet {
        Clock::time_point due;
        bool toServer;
        std::vector<std::uint8_t> bytes;
    };
    void Take(int socket, bool toServer);

    int front = -1; // the client talks to this one
    int back = -1;  // ... and this one talks to the server
    std::uint16_t port = 0;
    sockaddr_in server{};
    sockaddr_in client{};
    bool haveClient = false;
    double loss;
    std::chrono::milliseconds delay;
    std::mt19937 rng;
    std::deque<Packet> inFlight; // in the order taken: every packet has the same delay
    bool isCut = false;
    long forwarded = 0, dropped = 0;
};
