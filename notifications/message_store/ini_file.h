// CAtlIniExt: reads and writes one INI file through the system's private-profile calls, in
// the ANSI code page. With an empty path every read gives 0 or the empty text and every
// write does nothing. Destruction flushes the system's cached copy of the file.
#pragma once

#include <string>

namespace notifications {

class CAtlIniExt {
 public:
  explicit CAtlIniExt(const std::string& path) : path_(path) {}
  virtual ~CAtlIniExt();
  CAtlIniExt(const CAtlIniExt&) = delete;
  CAtlIniExt& operator=(const CAtlIniExt&) = delete;

  // The value as a signed 32-bit decimal number: leading white space skipped, an optional
  // sign, then digits up to the first other character (0 without digits, the 32-bit limit
  // on overflow). A missing key reads as `default_value`.
  int read_int(const std::string& section, const std::string& key, int default_value) const;
  // The text, or `default_value` when the read gives no characters.
  std::string read_text(const std::string& section, const std::string& key,
                        const std::string& default_value) const;
  void write_int(const std::string& section, const std::string& key, int value) const;
  // Makes the system write out its cached copy of the file.
  void flush() const;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace notifications
