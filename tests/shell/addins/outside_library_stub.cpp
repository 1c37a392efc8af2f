// Stand-ins for the libraries the main window loads, given the data folder's path as the window
// handle. The add-in manager puts the file ADDINS.next in place of ADDINS.QDB (as an editor that
// rewrote the file would) and notes that it ran; the about box only notes that it ran.

#include <cstdio>
#include <string>

namespace {

void note(const std::string& data, const char* what) {
  if (std::FILE* f = std::fopen((data + "called").c_str(), "a")) {
    std::fputs(what, f);
    std::fclose(f);
  }
}

}  // namespace

#ifdef STUB_ADDIN_MANAGER
extern "C" void AddinManager(void* handle) {
  const std::string data = static_cast<const char*>(handle);
  std::rename((data + "ADDINS.next").c_str(), (data + "ADDINS.QDB").c_str());
  note(data, "AddinManager\n");
}
#else
extern "C" void AboutOXPro(void* handle) { note(static_cast<const char*>(handle), "AboutOXPro\n"); }
#endif
