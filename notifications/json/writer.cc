#include "notifications/json/writer.h"

#include <charconv>
#include <cmath>
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

  // General format with 20 significant digits, as "%.20g" gives it. Whole numbers of up to
  // 15 digits come out of that as their plain digits; they take the quicker integer path.
  void Visit(const Number& number) override {
    const double value = number.Value();
    char digits[64];
    std::to_chars_result written;
    if (value > -1e15 && value < 1e15 && value == static_cast<double>(static_cast<long long>(value)) &&
        !(value == 0 && std::signbit(value))) {
      written = std::to_chars(digits, digits + sizeof(digits), static_cast<long long>(value));
    } else {
      written = std::to_chars(digits, digits + sizeof(digits), value, std::chars_format::general, 20);
    }
    line_.append(digits, written.ptr);
  }

  void Visit(const Object& object) override {
    WriteContainer(object, "{}", '{', '}', [this](const Object::Member& member) {
      AppendQuoted(member.name);
      line_ += " : ";
      member.element.Accept(*this);
    });
  }

  void Visit(const Array& array) override {
    WriteContainer(array, "[]", '[', ']',
                   [this](const UnknownElement& element) { element.Accept(*this); });
  }

 private:
  // An empty container stays on its line; otherwise each item gets a line of its own, one
  // tab deeper, and the closing bracket a line at the container's depth.
  template <typename Container, typename WriteItem>
  void WriteContainer(const Container& container, const char* empty, char open, char close,
                      WriteItem write_item) {
    if (container.Empty()) {
      line_ += empty;
      return;
    }
    line_ += open;
    LineBreak();
    ++depth_;
    std::size_t left = container.Size();
    for (const auto& item : container) {
      Indent();
      write_item(item);
      if (--left) line_ += ',';
      LineBreak();
    }
    --depth_;
    Indent();
    line_ += close;
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
    std::size_t plain = 0;  // start of the bytes not yet appended
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char* escaped = Escape(text[i]);
      if (!escaped) continue;
      line_.append(text, plain, i - plain);
      line_ += escaped;
      plain = i + 1;
    }
    line_.append(text, plain, std::string::npos);
    line_ += '"';
  }

  static const char* Escape(char c) {
    switch (c) {
      case '"': return "\\\"";
      case '\\': return "\\\\";
      case '\b': return "\\b";
      case '\f': return "\\f";
      case '\n': return "\\n";
      case '\r': return "\\r";
      case '\t': return "\\t";
      default: return nullptr;
    }
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
