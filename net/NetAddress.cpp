// NetAddress: host and port parsing, and the interfaces' IPv4 addresses.
#include "net/NetAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <cctype>

bool ParsePort(const std::string& text, std::uint16_t& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned long v = 0;
    for (char ch : text) {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
        v = v * 10 + static_cast<unsigned long>(ch - '0');
    }
    if (v < 1 || v > 65535)
        return false;
    port = static_cast<std::uint16_t>(v);
    return true;
}

bool ParseHostPort(const std::string& text, std::string& host, std::uint16_t& port,
                   std::string& error)
{
    const std::size_t colon = text.rfind(':');
    host = colon == std::string::npos ? text : text.substr(0, colon);
    port = DefaultNetPort;
    if (colon != std::string::npos && !ParsePort(text.substr(colon + 1), port)) {
        error = "bad port in '" + text + "' (1 to 65535)";
        return false;
    }
    if (host.empty() || host.size() > 253) {
        error = "no host in '" + text + "'";
        return false;
    }
    for (char ch : host)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '.' && ch != '-' && ch != '_') {
            error = "'" + host + "' is no host name or IPv4 address";
            return false;
        }
    return true;
}

std::vector<std::string> LocalAddresses()
{
    std::vector<std::string> out, loopback;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return {"127.0.0.1"};
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        if (!inet_ntop(AF_INET, &a->sin_addr, text, sizeof text))
            continue;
        const bool isLoopback = (ntohl(a->sin_addr.s_addr) >> 24) == 127;
        (isLoopback ? loopback : out).push_back(text);
    }
    freeifaddrs(list);
    out.insert(out.end(), loopback.begin(), loopback.end());
    if (out.empty())
        out.push_back("127.0.0.1");
    return out;
}
