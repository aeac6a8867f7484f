#include "services/QtRemoteListFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <set>

#include "playlist/RemoteList.h"

struct QtRemoteListFetch::Job {
    Done done;
    std::set<std::string> seen;
    std::vector<PlayListRecord> streams;
    std::string error;
    int running = 0;
};

QtRemoteListFetch::QtRemoteListFetch(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

QtRemoteListFetch::~QtRemoteListFetch() = default;

void QtRemoteListFetch::Fetch(const std::string& address, Done done) {
    auto job = std::make_shared<Job>();
    job->done = std::move(done);
    job->seen.insert(address);
    Start(job, address, 0);
}

void QtRemoteListFetch::Start(const std::shared_ptr<Job>& job, const std::string& address,
                              int depth) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    ++job->running;
    const auto finish = [this, job] {
        if (--job->running > 0)
            return;
        std::string error = job->streams.empty() && job->error.empty()
                                ? std::string("it names no http:// or https:// stream")
                                : job->error;
        if (!job->streams.empty())
            error.clear();
        job->done(std::move(job->streams), std::move(error));
    };
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) {
        job->error = "not a valid http:// or https:// address: " + address;
        // Answer later, as for every other outcome.
        QTimer::singleShot(0, this, finish);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setTransferTimeout(TimeoutMs);
    QNetworkReply* reply = manager_->get(request);
    // A server that sends without end is cut off at the size limit.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > static_cast<qint64>(RemoteList::MaxBytes))
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, job, reply, address, depth, finish] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            job->error = address + ": " + reply->errorString().toStdString();
        } else {
            const QByteArray bytes = reply->read(RemoteList::MaxBytes + 1);
            RemoteList::Contents contents =
                RemoteList::Read(address, std::string_view(bytes.constData(), bytes.size()));
            for (PlayListRecord& stream : contents.streams)
                if (job->streams.size() < RemoteList::MaxEntries)
                    job->streams.push_back(std::move(stream));
            for (const std::string& list : contents.lists)
                if (depth + 1 < RemoteList::MaxDepth && job->seen.insert(list).second)
                    Start(job, list, depth + 1);
        }
        finish();
    });
}
