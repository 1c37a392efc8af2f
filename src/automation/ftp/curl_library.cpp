#include "automation/ftp/curl_library.h"

#include <dlfcn.h>

namespace ondrix::automation {
namespace {

constexpr const char* kLibraryName = "libcurl.so.4";

struct Loaded {
  CurlLibrary api{};
  bool ok = false;
  std::string error;
};

template <typename F>
bool bind(void* handle, const char* name, F& target, std::string& error) {
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    error = std::string("The FTP library has no ") + name;
    return false;
  }
  target = reinterpret_cast<F>(symbol);
  return true;
}

Loaded load() {
  Loaded loaded;
  void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    loaded.error = std::string("The FTP library cannot be loaded: ") + (why != nullptr ? why : kLibraryName);
    return loaded;
  }
  CurlLibrary& a = loaded.api;
  std::string& e = loaded.error;
  loaded.ok = bind(handle, "curl_global_init", a.global_init, e) && bind(handle, "curl_easy_init", a.easy_init, e) &&
              bind(handle, "curl_easy_cleanup", a.easy_cleanup, e) && bind(handle, "curl_easy_reset", a.easy_reset, e) &&
              bind(handle, "curl_easy_setopt", a.easy_setopt, e) &&
              bind(handle, "curl_easy_strerror", a.easy_strerror, e) && bind(handle, "curl_multi_init", a.multi_init, e) &&
              bind(handle, "curl_multi_cleanup", a.multi_cleanup, e) &&
              bind(handle, "curl_multi_setopt", a.multi_setopt, e) &&
              bind(handle, "curl_multi_add_handle", a.multi_add_handle, e) &&
              bind(handle, "curl_multi_remove_handle", a.multi_remove_handle, e) &&
              bind(handle, "curl_multi_socket_action", a.multi_socket_action, e) &&
              bind(handle, "curl_multi_perform", a.multi_perform, e) &&
              bind(handle, "curl_multi_info_read", a.multi_info_read, e);
  if (loaded.ok && a.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
    loaded.ok = false;
    e = "The FTP library could not start";
  }
  // The library stays loaded for the rest of the run (its handles may outlive any one user).
  return loaded;
}

const Loaded& instance() {
  static const Loaded loaded = load();
  return loaded;
}

}  // namespace

const CurlLibrary* CurlLibrary::get() {
  const Loaded& loaded = instance();
  return loaded.ok ? &loaded.api : nullptr;
}

const std::string& CurlLibrary::loadError() { return instance().error; }

}  // namespace ondrix::automation
