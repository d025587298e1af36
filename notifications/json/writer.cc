#include "notifications/json/writer.h"

#include <charconv>
#include <string>

namespace json {

// Builds each line in memory and hands it to the stream whole at its line break.
class Writer::Lines : public ConstVisitor {
 public:
  explicit Lines(std::ostream& output) : output_(output) {}

  void Finish() {
    output_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    output_.flush();
  }

  void Visit(const Null&) override { line_ += "null"; }

  void Visit(const Boolean& boolean) override { line_ += boolean.Value() ? "true" : "false"; }

  void Visit(const String& string) override { AppendQuoted(string.Value()); }

  // General format with 20 significant digits, as "%.20g" gives it.
  void Visit(const Number& number) override {
    char digits[64];
    const std::to_chars_result written = std::to_chars(
        digits, digits + sizeof(digits), number.Value(), std::chars_format::general, 20);
    line_.append(digits, written.ptr);
  }

  void Visit(const Object& object) override {
    if (object.Empty()) {
      line_ += "{}";
      return;
    }
    Open('{');
    std::size_t left = object.Size();
    for (const Object::Member& member : object) {
      Indent();
      AppendQuoted(member.name);
      line_ += " : ";
      member.element.Accept(*this);
      EndItem(--left);
    }
    Close('}');
  }

  void Visit(const Array& array) override {
    if (array.Empty()) {
      line_ += "[]";
      return;
    }
    Open('[');
    std::size_t left = array.Size();
    for (const UnknownElement& element : array) {
      Indent();
      element.Accept(*this);
      EndItem(--left);
    }
    Close(']');
  }

 private:
  void Open(char bracket) {
    line_ += bracket;
    LineBreak();
    ++depth_;
  }

  void Close(char bracket) {
    --depth_;
    Indent();
    line_ += bracket;
  }

  void EndItem(std::size_t items_left) {
    if (items_left) line_ += ',';
    LineBreak();
  }

  void Indent() { line_.append(depth_, '\t'); }

  void LineBreak() {
    line_ += '\n';
    Finish();
    line_.clear();
  }

  // Names and string values alike: the two quoting bytes and the five named control bytes
  // are escaped; every other byte is written as it is.
  void AppendQuoted(const std::string& text) {
    line_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"': line_ += "\\\""; break;
        case '\\': line_ += "\\\\"; break;
        case '\b': line_ += "\\b"; break;
        case '\f': line_ += "\\f"; break;
        case '\n': line_ += "\\n"; break;
        case '\r': line_ += "\\r"; break;
        case '\t': line_ += "\\t"; break;
        default: line_ += c;
      }
    }
    line_ += '"';
  }

  std::ostream& output_;
  std::string line_;
  std::size_t depth_ = 0;
};

void Writer::Write(const Object& object, std::ostream& output) {
  Lines lines(output);
  lines.Visit(object);
  lines.Finish();
}

}  // namespace json
