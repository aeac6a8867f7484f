#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Whether the session bus answers at all. A bus daemon that accepts connections and never
// answers holds every client that waits for it, and the toolkit waits for it on the
// user-interface thread (the tray, accessibility, the media player interface): a start that
// finds such a bus runs without one. Plain POSIX; blocks for up to its wait.

// The socket of a D-Bus address ("unix:path=/run/user/1000/bus,guid=..." or
// "unix:abstract=/tmp/dbus-XYZ"; the first of several, separated by ";"): its sockaddr path,
// with a NUL first for an abstract one. None for other transports (tcp, ...), which are not
// probed, and for an address that names no socket.
std::optional<std::string> BusSocketOf(std::string_view address);

// True when the bus at address answers the first step of the D-Bus handshake (any answer to
// AUTH, OK or REJECTED) within wait; also true for an address of a transport not probed. False
// when it refuses the connection, names no bus, or says nothing in time.
bool BusAnswers(std::string_view address, std::chrono::milliseconds wait);
