#pragma once

#include <QObject>
#include <string>

#include "UrlAddress.h"

// TURL: an internet address and its kind, opened with the desktop's default handler for that
// kind (web browser, mail program, ...). A non-visual component: it owns nothing and shows
// nothing of its own.
class TURL : public QObject {
    Q_OBJECT

public:
    explicit TURL(QObject* parent = nullptr);

    // The address without its scheme prefix, e.g. "www.example.org/quavrel/".
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url) { url_ = url; }
    TURLType URLType() const { return urlType_; }
    void SetURLType(TURLType type) { urlType_ = type; }

    // Opens prefix + URL; false for an empty URL, for a whole address of more than 79
    // characters, and when the desktop cannot open it. A failure is not reported to the user.
    // Returns once the request has been handed over, not when the page has opened.
    bool Execute();

private:
    std::string url_;
    TURLType urlType_ = TURLType::utHttp;
};
