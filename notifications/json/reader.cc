#include "notifications/json/reader.h"

#include <unordered_set>
#include <vector>

#include "notifications/json/number_token.h"
#include "notifications/json/tokens.h"

namespace json {
namespace {

using tokens::Token;

// Tells whether a member name is new to an object: a scan while the object is small, a hash
// set once it is large, so an object with very many members does not take quadratic time.
class MemberNames {
 public:
  explicit MemberNames(const Object& object) : object_(object) {}

  bool IsNew(const std::string& name) {
    if (index_.empty()) {
      if (object_.Size() < kScanLimit) return object_.Find(name) == object_.end();
      for (const Object::Member& member : object_) index_.insert(member.name);
    }
    return index_.insert(name).second;
  }

 private:
  static constexpr std::size_t kScanLimit = 32;
  const Object& object_;
  std::unordered_set<std::string> index_;
};

}  // namespace

// The second phase: builds the tree from the token list by recursive descent.
class Reader::Parser {
 public:
  Parser(const char* data, std::vector<Token>* tokens) : data_(data), tokens_(*tokens) {}

  void ParseDocument(Object& object) {
    ParseObject(object);
    if (next_ < tokens_.size()) {
      const Token& extra = tokens_[next_];
      Fail(extra, "Expected End of token stream; found " + tokens::Text(extra));
    }
  }

 private:
  // Counts the containers open around the current token.
  class DepthGuard {
   public:
    DepthGuard(Parser* parser, const Token& opening) : parser_(parser) {
      if (++parser_->depth_ > Reader::kMaxDepth) {
        parser_->Fail(opening, "Nesting deeper than " + std::to_string(Reader::kMaxDepth) +
                                   " levels at token: " + tokens::Text(opening));
      }
    }
    ~DepthGuard() { --parser_->depth_; }

   private:
    Parser* parser_;
  };

  [[noreturn]] void Fail(const Token& token, const std::string& message) const {
    throw Reader::ParseException(message, tokens::Locate(data_, token.begin),
                                 tokens::Locate(data_, token.end));
  }

  [[noreturn]] static void FailAtEnd(const std::string& message) {
    throw Reader::ParseException(message, Reader::Location(), Reader::Location());
  }

  bool NextIs(tokens::Type type) const {
    return next_ < tokens_.size() && tokens_[next_].type == type;
  }

  // Consumes the next token when it is one more element of a list.
  bool TakeNextElement() {
    if (!NextIs(tokens::kNextElement)) return false;
    ++next_;
    return true;
  }

  Token& Expect(tokens::Type type) {
    if (next_ == tokens_.size()) FailAtEnd("Unexpected End of token stream");
    Token& token = tokens_[next_];
    if (token.type != type) Fail(token, "Unexpected token: " + tokens::Text(token));
    ++next_;
    return token;
  }

  void ParseElement(UnknownElement& element) {
    if (next_ == tokens_.size()) FailAtEnd("Unexpected end of token stream");
    Token& token = tokens_[next_];
    switch (token.type) {
      case tokens::kObjectBegin: return ParseObject(element.AsObject());
      case tokens::kArrayBegin: return ParseArray(element.AsArray());
      case tokens::kString:
        ++next_;
        element = String(std::move(token.value));
        return;
      case tokens::kNumber: return ParseNumber(element, token);
      case tokens::kBoolean:
        ++next_;
        element = Boolean(token.value == "true");
        return;
      case tokens::kNull:
        ++next_;
        element = Null();
        return;
      default: Fail(token, "Unexpected token: " + tokens::Text(token));
    }
  }

  void ParseObject(Object& object) {
    DepthGuard depth(this, Expect(tokens::kObjectBegin));
    MemberNames names(object);
    if (!NextIs(tokens::kObjectEnd)) {
      do {
        Token& name = Expect(tokens::kString);
        Expect(tokens::kMemberAssign);
        UnknownElement value;
        ParseElement(value);
        if (!names.IsNew(name.value)) {
          Fail(name, "Duplicate object member token: " + name.value);
        }
        object.AppendUnchecked(Object::Member(std::move(name.value), std::move(value)));
      } while (TakeNextElement());
    }
    Expect(tokens::kObjectEnd);
  }

  void ParseArray(Array& array) {
    DepthGuard depth(this, Expect(tokens::kArrayBegin));
    if (!NextIs(tokens::kArrayEnd)) {
      do {
        ParseElement(*array.Insert(UnknownElement()));
      } while (TakeNextElement());
    }
    Expect(tokens::kArrayEnd);
  }

  void ParseNumber(UnknownElement& element, const Token& token) {
    ++next_;
    double value = 0;
    const std::size_t taken = tokens::ReadNumber(token.value, &value);
    if (taken < token.value.size()) {
      Fail(token, std::string("Unexpected character in NUMBER token: ") + token.value[taken]);
    }
    element = Number(value);
  }

  const char* const data_;
  std::vector<Token>& tokens_;
  std::size_t next_ = 0;
  std::size_t depth_ = 0;
};

void Reader::Read(Object& object, const char* data, std::size_t size) {
  std::vector<Token> all = tokens::Scan(data, size);
  Parser(data, &all).ParseDocument(object);
}

void Reader::Read(Object& object, std::istream& input) {
  std::string text;
  char chunk[4096];
  while (input.read(chunk, sizeof(chunk)) || input.gcount() > 0) {
    text.append(chunk, static_cast<std::size_t>(input.gcount()));
  }
  Read(object, text.data(), text.size());
}

}  // namespace json
