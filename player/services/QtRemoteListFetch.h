#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playlist/PlayListRecord.h"

class QNetworkAccessManager;

// Fetches play lists from the network (a station's .m3u or .pls) without blocking: Qt's network
// access does the transfer on its own thread, and each answer is handled on the user-interface
// thread. A fetch follows at most MaxRedirects redirects, never to a less safe scheme (so a
// circle of redirects ends there), gives up on a server silent for TimeoutMs, reads at most
// RemoteList::MaxBytes, and fetches the lists a list names to RemoteList::MaxDepth, each
// address once (a list that names itself is read once). User-interface thread.
class QtRemoteListFetch final : public QObject {
public:
    static constexpr int MaxRedirects = 5;
    static constexpr int TimeoutMs = 10000;

    // The streams found, in order; error says why none were found (empty when some were).
    using Done = std::function<void(std::vector<PlayListRecord> streams, std::string error)>;

    explicit QtRemoteListFetch(QObject* parent);
    ~QtRemoteListFetch() override;

    // Starts reading the list at address; done runs once, later, never inside this call. A
    // fetch still running when the object is destroyed never calls done.
    void Fetch(const std::string& address, Done done);

private:
    struct Job;
    void Start(const std::shared_ptr<Job>& job, const std::string& address, int depth);

    QNetworkAccessManager* manager_;
};
