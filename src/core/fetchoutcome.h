#pragma once

#include <QString>

// How one fetch ended, as the user and the site check see it.
struct FetchOutcome
{
    enum class Kind {
        Ok,             // an answer with status 2xx or 3xx, whole
        InvalidAddress, // not configured (empty, or a bare path: an empty base), or not an http(s) address
        Refused,
        HostNotFound,
        Timeout,
        HttpError,      // 4xx or 5xx: its page still comes back
        TooLarge,       // over the body cap, cut off while arriving
        CutOff,         // the body ended before its declared end
        RedirectLoop,
        RedirectRefused, // to an address we never follow (file:, https to http)
        Closed,         // closed before any answer
        NetworkError,   // any other transport failure
        Cancelled,      // its scope was aborted: the asker no longer wants it
    };

    QString address;
    // Where redirects led when that is another host or port; else empty.
    QString redirectedTo;
    Kind kind = Kind::InvalidAddress;
    int httpStatus = 0; // 0: no HTTP answer
    qint64 elapsedMs = 0;

    // A cancelled fetch is not a failure of its site.
    bool failed() const;
    bool cancelled() const;
    // No address was set up: empty, or the bare path an empty base gives.
    bool notConfigured() const;
    // For the user, e.g. "连接超时 (5.0 s)", "HTTP 503".
    QString describe() const;
    // For scripts: one word, e.g. "timeout", "http-503".
    QString code() const;
};
