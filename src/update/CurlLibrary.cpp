#include "update/CurlLibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace veltrix {
namespace {

struct LoadedCurl {
    CurlLibrary api{};
    bool ok = false;
    std::string error;
};

template <typename Function> bool Resolve(void* handle, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(::dlsym(handle, name));
    return *function != nullptr;
}

LoadedCurl Load() {
    LoadedCurl loaded;
    void* handle = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        loaded.error = std::string("cannot load libcurl: ") + (why ? why : "unknown error");
        return loaded;
    }
    CurlLibrary& api = loaded.api;
    bool resolved = Resolve(handle, "curl_global_init", &api.globalInit) &&
                    Resolve(handle, "curl_easy_init", &api.easyInit) &&
                    Resolve(handle, "curl_easy_setopt", &api.easySetopt) &&
                    Resolve(handle, "curl_easy_perform", &api.easyPerform) &&
                    Resolve(handle, "curl_easy_getinfo", &api.easyGetinfo) &&
                    Resolve(handle, "curl_easy_cleanup", &api.easyCleanup) &&
                    Resolve(handle, "curl_easy_strerror", &api.easyStrerror);
    if (!resolved) {
        loaded.error = "libcurl lacks a function this program needs";
        return loaded;
    }
    if (api.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.error = "libcurl could not be initialised";
        return loaded;
    }
    // The handle stays open for the life of the process.
    loaded.ok = true;
    return loaded;
}

} // namespace

Result<const CurlLibrary*> LoadCurlLibrary() {
    static std::once_flag once;
    static LoadedCurl loaded;
    std::call_once(once, [] { loaded = Load(); });
    if (!loaded.ok)
        return Fail(loaded.error);
    return &loaded.api;
}

} // namespace veltrix
