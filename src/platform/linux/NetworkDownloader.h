#pragma once

#include "logic/update/Downloader.h"

// Downloads over HTTP(S) with Qt Network. Every call makes its own network manager on the
// calling thread, so the update check's worker and the user-interface thread never share one.
// Only http and https addresses are fetched; redirects are followed a few times but never from
// https to http.
class NetworkDownloader : public Downloader
{
public:
    struct Limits
    {
        // A reply that stays silent this long is abandoned (no hang on a dead server).
        int transferTimeoutMs = 20000;
        int maxRedirects = 5;
    };

    NetworkDownloader() = default;
    explicit NetworkDownloader(Limits limits)
        : m_limits(limits)
    {
    }

    bool DownloadToFile(const Request &request, QIODevice &target) override;

private:
    Limits m_limits;
};
