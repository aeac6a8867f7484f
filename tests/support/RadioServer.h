#pragma once

#include <QProcess>

#include <string>

// The local internet radio of tests/support/radio_server.py, on 127.0.0.1, for the life of the
// object: an Icecast-style MP3 and Ogg stream with titles, a flood of garbage titles, a stream
// that drops, a server that never answers, a port that refuses, play lists and a circle of
// redirects (see the script). The audio is a tone made with ffmpeg in folder.
class RadioServer {
public:
    explicit RadioServer(const std::string& folder);
    ~RadioServer();

    // The address of a path on the server ("/mp3"); Refused() of a port where nothing listens.
    std::string Address(const std::string& path) const;
    std::string Refused(const std::string& path) const;
    // How many requests for path have come in so far.
    int Requests(const std::string& path);

private:
    QProcess process_;
    int port_ = 0;
    int refusedPort_ = 0;
    std::string log_;
};
