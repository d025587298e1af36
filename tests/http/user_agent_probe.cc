// Builds GET requests the way the fetching commands do and prints each one's User-Agent
// line. The arguments are steps, run in order:
//   request      print the "User-Agent: ..." line of a new request
//   set:<value>  write "UserAgent" in section "http" of base.ini beside this program
//   remove       remove that key from base.ini
#include <windows.h>

#include <cstdio>
#include <string>

#include "notifications/http/http_header_wrapper.h"
#include "notifications/http/user_agent.h"

namespace {

std::string UserAgentLine(const std::string& request) {
  const std::string name = "\r\nUser-Agent: ";
  size_t start = request.find(name);
  if (start == std::string::npos) return "(no User-Agent)";
  start += 2;
  return request.substr(start, request.find("\r\n", start) - start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring ini = notifications::module_folder() + L"\\base.ini";
  for (int i = 1; i < argc; ++i) {
    const std::wstring step = argv[i];
    if (step == L"request") {
      notifications::http_header_wrapper wrapper;
      wrapper.set_server("example.test", 80);
      std::printf("%s\n", UserAgentLine(wrapper.get_request("/")).c_str());
    } else if (step.compare(0, 4, L"set:") == 0) {
      WritePrivateProfileStringW(L"http", L"UserAgent", step.substr(4).c_str(), ini.c_str());
    } else if (step == L"remove") {
      WritePrivateProfileStringW(L"http", L"UserAgent", nullptr, ini.c_str());
    } else {
      std::printf("unknown step\n");
      return 2;
    }
  }
  std::fflush(stdout);
  return 0;
}
