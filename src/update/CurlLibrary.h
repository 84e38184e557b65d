#pragma once
// libcurl, loaded when the first download starts. veltrix-cli is mostly run
// for queries, and linking libcurl (with the TLS, HTTP/2, SSH and LDAP
// libraries it pulls in) would make every start of it several milliseconds
// slower than the query itself.

#include "common/Result.h"

#include <curl/curl.h>
#include <string>

namespace veltrix {

struct CurlLibrary {
    CURLcode (*globalInit)(long flags);
    CURL* (*easyInit)();
    CURLcode (*easySetopt)(CURL* curl, CURLoption option, ...);
    CURLcode (*easyPerform)(CURL* curl);
    CURLcode (*easyGetinfo)(CURL* curl, CURLINFO info, ...);
    void (*easyCleanup)(CURL* curl);
    const char* (*easyStrerror)(CURLcode code);
};

// The library, loaded and initialised once (never null on success); the same
// failure on every call when it cannot be loaded.
Result<const CurlLibrary*> LoadCurlLibrary();

} // namespace veltrix
