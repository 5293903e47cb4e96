// NetAddress: the game's port, "HOST[:PORT]" as typed, and the addresses this machine listens on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The UDP port a host listens on unless told otherwise (unassigned by IANA;
// the one to open in a firewall or forward on a router).
constexpr std::uint16_t DefaultNetPort = 27960;

// "HOST", "HOST:PORT" (a name or a dotted IPv4 address; PORT 1 to 65535)
// into `host` and `port` (DefaultNetPort when none is given). False, with
// `error` saying why, on an empty host, a bad port or characters no host
// name has.
bool ParseHostPort(const std::string& text, std::string& host, std::uint16_t& port,
                   std::string& error);
// A port typed alone, "1" to "65535". False on anything else.
bool ParsePort(const std::string& text, std::uint16_t& port);

// This machine's IPv4 addresses, the loopback one last, as dotted quads: what
// a host shows its opponent to type.
std::vector<std::string> LocalAddresses();
