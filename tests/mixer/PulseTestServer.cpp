#include "PulseTestServer.h"

#include <QProcess>
#include <QRegularExpression>
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/PulseSkip.h"

namespace {

QString Pactl(const QStringList& arguments, bool* ok = nullptr) {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), arguments);
    const bool finished = pactl.waitForFinished(10000);
    const bool success =
        finished && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
    if (ok)
        *ok = success;
    return QString::fromUtf8(pactl.readAllStandardOutput());
}

}  // namespace

PulseTestServer::PulseTestServer() {
    if (const char* sink = std::getenv("QVRL_PULSE_TEST_SINK"))
        sink_ = sink;
    if (SkipReason().empty()) {
        SetSinkVolume(65536);
        SetSinkMute(false);
    }
}

PulseTestServer::~PulseTestServer() {
    for (auto& stream : streams_) {
        stream->kill();
        stream->waitForFinished(5000);
    }
    for (const std::string& module : modules_)
        Pactl({QStringLiteral("unload-module"), QString::fromStdString(module)});
    if (!modules_.empty())
        Pactl({QStringLiteral("set-default-sink"), QString::fromStdString(sink_)});
}

bool PulseTestServer::MayBeSkipped() const {
    return !Named() && PulseSkipAllowed();
}

std::string PulseTestServer::SkipReason() const {
    if (sink_.empty())
        return "no test PulseAudio server (the user's own sound server is never used): " +
               HowToStartPulse();
    bool ok = false;
    Pactl({QStringLiteral("info")}, &ok);
    if (!ok)
        return "the test PulseAudio server named by QVRL_PULSE_TEST_SINK does not answer";
    return {};
}

void PulseTestServer::SetSinkVolume(std::uint32_t volume) {
    bool ok = false;
    Pactl(
        {QStringLiteral("set-sink-volume"), QString::fromStdString(sink_), QString::number(volume)},
        &ok);
    EXPECT_TRUE(ok) << "pactl set-sink-volume failed";
}

void PulseTestServer::SetSinkMute(bool mute) {
    bool ok = false;
    Pactl({QStringLiteral("set-sink-mute"), QString::fromStdString(sink_),
           mute ? QStringLiteral("1") : QStringLiteral("0")},
          &ok);
    EXPECT_TRUE(ok) << "pactl set-sink-mute failed";
}

std::vector<std::uint32_t> PulseTestServer::SinkVolume() const {
    // "Volume: front-left: 65536 / 100% / 0.00 dB,   front-right: 65536 / 100% / ..."
    bool ok = false;
    const QString text =
        Pactl({QStringLiteral("get-sink-volume"), QString::fromStdString(sink_)}, &ok);
    std::vector<std::uint32_t> volumes;
    if (!ok)
        return volumes;
    static const QRegularExpression channel(QStringLiteral(":\\s*(\\d+)\\s*/"));
    for (auto match = channel.globalMatch(text); match.hasNext();)
        volumes.push_back(match.next().captured(1).toUInt());
    return volumes;
}

std::optional<bool> PulseTestServer::SinkMute() const {
    bool ok = false;
    const QString text =
        Pactl({QStringLiteral("get-sink-mute"), QString::fromStdString(sink_)}, &ok).trimmed();
    if (!ok)
        return std::nullopt;
    if (text.endsWith(QStringLiteral("yes")))
        return true;
    if (text.endsWith(QStringLiteral("no")))
        return false;
    return std::nullopt;
}

void PulseTestServer::StartStream() {
    auto stream = std::make_unique<QProcess>();
    stream->start(
        QStringLiteral("pacat"),
        {QStringLiteral("--raw"), QStringLiteral("--device=") + QString::fromStdString(sink_),
         QStringLiteral("--client-name=Quavrel test stream"), QStringLiteral("/dev/zero")});
    ASSERT_TRUE(stream->waitForStarted(5000)) << "pacat did not start";
    streams_.push_back(std::move(stream));
}

void PulseTestServer::AddDefaultSink(const std::string& name) {
    bool ok = false;
    const QString module = Pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                  QStringLiteral("sink_name=") + QString::fromStdString(name)},
                                 &ok)
                               .trimmed();
    ASSERT_TRUE(ok) << "pactl load-module failed";
    modules_.push_back(module.toStdString());
    Pactl({QStringLiteral("set-default-sink"), QString::fromStdString(name)}, &ok);
    ASSERT_TRUE(ok) << "pactl set-default-sink failed";
}
