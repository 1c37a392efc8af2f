#pragma once
// libcurl, loaded when the first FTP operation needs it rather than when the program starts:
// linking it outright costs every start of both programs several milliseconds (its TLS and
// directory libraries initialise themselves at load time), and most runs never transfer a file.

#include <curl/curl.h>

#include <string>

namespace ondrix::automation {

struct CurlLibrary {
  CURLcode (*global_init)(long flags);
  CURL* (*easy_init)();
  void (*easy_cleanup)(CURL* easy);
  void (*easy_reset)(CURL* easy);
  CURLcode (*easy_setopt)(CURL* easy, CURLoption option, ...);
  const char* (*easy_strerror)(CURLcode code);
  CURLM* (*multi_init)();
  CURLMcode (*multi_cleanup)(CURLM* multi);
  CURLMcode (*multi_setopt)(CURLM* multi, CURLMoption option, ...);
  CURLMcode (*multi_add_handle)(CURLM* multi, CURL* easy);
  CURLMcode (*multi_remove_handle)(CURLM* multi, CURL* easy);
  CURLMcode (*multi_socket_action)(CURLM* multi, curl_socket_t fd, int flags, int* running);
  CURLMcode (*multi_perform)(CURLM* multi, int* running);
  CURLMsg* (*multi_info_read)(CURLM* multi, int* left);

  // The library, loaded and initialised on the first call; null when it cannot be loaded, and
  // then loadError() says why.
  static const CurlLibrary* get();
  static const std::string& loadError();
};

}  // namespace ondrix::automation
