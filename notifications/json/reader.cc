#include "notifications/json/reader.h"

#include <unordered_set>
#include <vector>

#include "notifications/json/number_token.h"
#include "notifications/json/scanner.h"

namespace json {
namespace {

using tokens::Token;

// Tells whether a member name is new to an object: the members it has and those parsed for
// it so far. A scan while they are few, a hash set once they are many, so an object with very
// many members does not take quadratic time.
class MemberNames {
 public:
  MemberNames(const Object& object, const std::vector<Object::Member>& parsed, std::size_t first)
      : object_(object), parsed_(parsed), first_(first) {}

  bool IsNew(const std::string& name) {
    if (index_.empty()) {
      if (object_.Size() + parsed_.size() - first_ < kScanLimit) {
        return object_.Find(name) == object_.end() && !IsParsed(name);
      }
      for (const Object::Member& member : object_) index_.insert(member.name);
      for (std::size_t i = first_; i < parsed_.size(); ++i) index_.insert(parsed_[i].name);
    }
    return index_.insert(name).second;
  }

 private:
  static constexpr std::size_t kScanLimit = 32;

  bool IsParsed(const std::string& name) const {
    for (std::size_t i = first_; i < parsed_.size(); ++i) {
      if (parsed_[i].name == name) return true;
    }
    return false;
  }

  const Object& object_;
  const std::vector<Object::Member>& parsed_;
  const std::size_t first_;
  std::unordered_set<std::string> index_;
};

}  // namespace

// Builds the tree by recursive descent over the tokens, taking them from the scanner one at
// a time. The result is that of scanning the whole input first and parsing the token list
// after: when parsing fails, the rest of the input is still scanned, and a scanning error
// there is the one reported.
class Reader::Parser {
 public:
  Parser(const char* data, std::size_t size) : data_(data), scanner_(data, size) {}

  void ParseDocument(Object& object) {
    try {
      ParseObject(object);
      if (const Token* extra = Peek()) {
        Fail(*extra, "Expected End of token stream; found " + Text(*extra));
      }
    } catch (const ParseException&) {
      scanner_.CheckRest();
      throw;
    }
  }

 private:
  // Counts the containers open around the current token.
  class DepthGuard {
   public:
    DepthGuard(Parser* parser, const Token& opening) : parser_(parser) {
      if (++parser_->depth_ > Reader::kMaxDepth) {
        parser_->Fail(opening, "Nesting deeper than " + std::to_string(Reader::kMaxDepth) +
                                   " levels at token: " + parser_->Text(opening));
      }
    }
    ~DepthGuard() { --parser_->depth_; }

   private:
    Parser* parser_;
  };

  std::string Text(const Token& token) const { return tokens::Text(token, data_); }

  [[noreturn]] void Fail(const Token& token, const std::string& message) const {
    throw ParseException(message, tokens::Locate(data_, token.begin),
                         tokens::Locate(data_, token.end));
  }

  [[noreturn]] static void FailAtEnd(const std::string& message) {
    throw ParseException(message, Location(), Location());
  }

  // The next token, or null when the input has no more.
  Token* Peek() {
    if (!peeked_) {
      peeked_ = true;
      has_next_ = scanner_.Next(&next_);
    }
    return has_next_ ? &next_ : nullptr;
  }

  bool NextIs(tokens::Type type) {
    const Token* token = Peek();
    return token && token->type == type;
  }

  // Moves past the token that Peek() gave.
  void Consume() { peeked_ = false; }

  // Consumes the next token when it is one more element of a list.
  bool TakeNextElement() {
    if (!NextIs(tokens::kNextElement)) return false;
    Consume();
    return true;
  }

  // The next token, which must be of `type`; valid until the next Peek().
  Token& Expect(tokens::Type type) {
    Token* token = Peek();
    if (!token) FailAtEnd("Unexpected End of token stream");
    if (token->type != type) Fail(*token, "Unexpected token: " + Text(*token));
    Consume();
    return *token;
  }

  void ParseElement(UnknownElement& element) {
    Token* token = Peek();
    if (!token) FailAtEnd("Unexpected end of token stream");
    switch (token->type) {
      case tokens::kObjectBegin: return ParseObject(element.AsObject());
      case tokens::kArrayBegin: return ParseArray(element.AsArray());
      case tokens::kString:
        Consume();
        element = String(std::move(token->value));
        return;
      case tokens::kNumber:
        Consume();
        return ParseNumber(element, *token);
      case tokens::kBoolean:
        Consume();
        element = Boolean(data_[token->begin] == 't');
        return;
      case tokens::kNull:
        Consume();
        element = Null();
        return;
      default: Fail(*token, "Unexpected token: " + Text(*token));
    }
  }

  // Members and elements are gathered on the parser's stacks first and moved into their
  // container once it is complete, so that each container allocates once, at its final size.
  void ParseObject(Object& object) {
    DepthGuard depth(this, Expect(tokens::kObjectBegin));
    const std::size_t first = members_.size();
    MemberNames names(object, members_, first);
    if (!NextIs(tokens::kObjectEnd)) {
      do {
        Token name = std::move(Expect(tokens::kString));
        Expect(tokens::kMemberAssign);
        UnknownElement value;
        ParseElement(value);
        if (!names.IsNew(name.value)) {
          Fail(name, "Duplicate object member token: " + name.value);
        }
        members_.emplace_back(std::move(name.value), std::move(value));
      } while (TakeNextElement());
    }
    Expect(tokens::kObjectEnd);
    object.Reserve(object.Size() + members_.size() - first);
    for (std::size_t i = first; i < members_.size(); ++i) {
      object.AppendUnchecked(std::move(members_[i]));
    }
    members_.resize(first);
  }

  void ParseArray(Array& array) {
    DepthGuard depth(this, Expect(tokens::kArrayBegin));
    const std::size_t first = elements_.size();
    if (!NextIs(tokens::kArrayEnd)) {
      do {
        UnknownElement element;
        ParseElement(element);
        elements_.push_back(std::move(element));
      } while (TakeNextElement());
    }
    Expect(tokens::kArrayEnd);
    array.Reserve(array.Size() + elements_.size() - first);
    for (std::size_t i = first; i < elements_.size(); ++i) array.Insert(std::move(elements_[i]));
    elements_.resize(first);
  }

  void ParseNumber(UnknownElement& element, const Token& token) {
    const char* const text = data_ + token.begin;
    const std::size_t size = token.end - token.begin;
    double value = 0;
    const std::size_t taken = tokens::ReadNumber(text, size, &value);
    if (taken < size) {
      Fail(token, std::string("Unexpected character in NUMBER token: ") + text[taken]);
    }
    element = Number(value);
  }

  const char* const data_;
  tokens::Scanner scanner_;
  Token next_;
  bool peeked_ = false;
  bool has_next_ = false;
  std::size_t depth_ = 0;
  std::vector<Object::Member> members_;
  std::vector<UnknownElement> elements_;
};

void Reader::Read(Object& object, const char* data, std::size_t size) {
  Parser(data, size).ParseDocument(object);
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
