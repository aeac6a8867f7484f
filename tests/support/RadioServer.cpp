#include "support/RadioServer.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#ifndef QVRL_TEST_SUPPORT_DIR
#error "QVRL_TEST_SUPPORT_DIR names tests/support"
#endif

namespace {

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

}  // namespace

RadioServer::RadioServer(const std::string& folder) {
    const std::string tone = " -f lavfi -i sine=frequency=440:duration=6 ";
    Run("ffmpeg -v error -y" + tone + "-c:a libmp3lame -b:a 64k '" + folder + "/radio.mp3'");
    Run("ffmpeg -v error -y" + tone + "-c:a libvorbis -q:a 0 '" + folder + "/radio.ogg'");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("python3"),
                   {QStringLiteral(QVRL_TEST_SUPPORT_DIR "/radio_server.py"),
                    QString::fromStdString(folder + "/radio.mp3"),
                    QString::fromStdString(folder + "/radio.ogg"), QStringLiteral("6")});
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(10000))
        throw std::runtime_error("the radio server did not start");
    const std::string first = process_.readLine().toStdString();
    if (std::sscanf(first.c_str(), "port=%d refused=%d", &port_, &refusedPort_) != 2)
        throw std::runtime_error("the radio server said: " + first);
}

RadioServer::~RadioServer() {
    process_.closeWriteChannel();  // the server ends when its input closes
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(1000);
}

std::string RadioServer::Address(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string RadioServer::Refused(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(refusedPort_) + path;
}

int RadioServer::Requests(const std::string& path) {
    log_ += process_.readAllStandardOutput().toStdString();
    int count = 0;
    const std::string line = "GET " + path + "\n";
    for (std::size_t at = log_.find(line); at != std::string::npos; at = log_.find(line, at + 1))
        ++count;
    return count;
}
