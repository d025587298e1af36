// The in-memory JSON tree: an element holds one value of six kinds (object, array, number,
// string, boolean, null). Strings are byte strings; nothing here validates or converts UTF-8.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "notifications/json/visitor.h"

namespace json {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Number, Boolean and String: one plain value.
template <typename DataTypeT>
class TrivialType_T {
 public:
  TrivialType_T(const DataTypeT& value = DataTypeT()) : value_(value) {}
  TrivialType_T(DataTypeT&& value) : value_(std::move(value)) {}

  operator DataTypeT&() { return value_; }
  operator const DataTypeT&() const { return value_; }
  DataTypeT& Value() { return value_; }
  const DataTypeT& Value() const { return value_; }

  bool operator==(const TrivialType_T& other) const { return value_ == other.value_; }

 private:
  DataTypeT value_;
};

class Null {
 public:
  bool operator==(const Null&) const { return true; }
};

// One value of any kind. A default-constructed element is null; copying copies the whole
// subtree. The value lives in its own heap object, so references obtained through the typed
// accessors (Object&, Array&, String&, ...) stay valid while the element is moved around inside
// its parent container; they end when the element is destroyed or given a value of another kind.
class UnknownElement {
 public:
  UnknownElement();
  UnknownElement(const UnknownElement& element);
  UnknownElement(UnknownElement&& element) noexcept;
  UnknownElement(const Object& object);
  UnknownElement(Object&& object);
  UnknownElement(const Array& array);
  UnknownElement(Array&& array);
  UnknownElement(const Number& number);
  UnknownElement(const Boolean& boolean);
  UnknownElement(const String& string);
  UnknownElement(String&& string);
  UnknownElement(const Null& null);
  ~UnknownElement();

  UnknownElement& operator=(const UnknownElement& element);
  UnknownElement& operator=(UnknownElement&& element) noexcept;

  // Typed access. The mutable forms first replace a value of another kind by the empty value
  // of the requested kind ({}, [], 0, "", false, null), so they never fail but may change the
  // tree. The const forms throw Exception("Bad cast") for a value of another kind.
  Object& AsObject();
  Array& AsArray();
  Number& AsNumber();
  Boolean& AsBoolean();
  String& AsString();
  Null& AsNull();
  const Object& AsObject() const;
  const Array& AsArray() const;
  const Number& AsNumber() const;
  const Boolean& AsBoolean() const;
  const String& AsString() const;
  const Null& AsNull() const;

  // The element as an object (converted as above), then its member `name`, appended with a
  // null value when missing.
  UnknownElement& operator[](const std::string& name);

  void Accept(Visitor& visitor);
  void Accept(ConstVisitor& visitor) const;

  bool operator==(const UnknownElement& element) const;
  bool operator!=(const UnknownElement& element) const { return !(*this == element); }

 private:
  class Imp;
  template <typename ElementTypeT>
  class Imp_T;
  class CastVisitor;
  class ConstCastVisitor;
  template <typename ElementTypeT>
  class CastVisitor_T;
  template <typename ElementTypeT>
  class ConstCastVisitor_T;

  template <typename ElementTypeT>
  const ElementTypeT& CastTo() const;
  template <typename ElementTypeT>
  ElementTypeT& ConvertTo();

  // Null is kept as no implementation object at all, so null elements (the default, and
  // elements moved from) cost no allocation; they share one stateless null value.
  static Imp& SharedNull();
  Imp& Held() const { return imp_ ? *imp_ : SharedNull(); }

  Imp* imp_;
};

// Members in insertion order with unique names; lookups scan from the first member.
// Appending a member may move the other members' UnknownElement slots (as in a vector): keep
// references to typed values (Object&, Array&, ...) rather than to UnknownElement slots across
// insertions.
class Object {
 public:
  struct Member {
    Member(std::string name_in = std::string(), UnknownElement element_in = UnknownElement())
        : name(std::move(name_in)), element(std::move(element_in)) {}
    bool operator==(const Member& member) const {
      return name == member.name && element == member.element;
    }

    std::string name;
    UnknownElement element;
  };

  typedef std::vector<Member> Members;
  typedef Members::iterator iterator;
  typedef Members::const_iterator const_iterator;

  bool Empty() const { return members_.empty(); }
  std::size_t Size() const { return members_.size(); }

  iterator begin() { return members_.begin(); }
  iterator end() { return members_.end(); }
  const_iterator begin() const { return members_.begin(); }
  const_iterator end() const { return members_.end(); }

  iterator Find(const std::string& name);
  const_iterator Find(const std::string& name) const;

  // Appends at the end; throws Exception("Object member already exists: <name>") for a name
  // that is present already.
  iterator Insert(const Member& member);
  iterator Insert(Member&& member);
  iterator Erase(iterator where) { return members_.erase(where); }
  void Clear() { members_.clear(); }
  // Makes room for `size` members, so that appending up to that many moves nothing.
  void Reserve(std::size_t size) { members_.reserve(size); }

  // The member's element; a missing name is appended first with a null value.
  UnknownElement& operator[](const std::string& name);

  bool operator==(const Object& object) const { return members_ == object.members_; }

 private:
  friend class Reader;
  // Appends without the duplicate scan, for callers that checked the name themselves.
  Member& AppendUnchecked(Member&& member);

  Members members_;
};

// Elements in order. Appending may move the other UnknownElement slots (see Object).
class Array {
 public:
  typedef std::vector<UnknownElement> Elements;
  typedef Elements::iterator iterator;
  typedef Elements::const_iterator const_iterator;

  bool Empty() const { return elements_.empty(); }
  std::size_t Size() const { return elements_.size(); }

  iterator begin() { return elements_.begin(); }
  iterator end() { return elements_.end(); }
  const_iterator begin() const { return elements_.begin(); }
  const_iterator end() const { return elements_.end(); }

  // Appends at the end and returns the new element's position.
  iterator Insert(const UnknownElement& element);
  iterator Insert(UnknownElement&& element);
  // Removes one element; the later ones move up. Returns the position after it.
  iterator Erase(iterator where) { return elements_.erase(where); }
  void Clear() { elements_.clear(); }
  // Makes room for `size` elements, so that appending up to that many moves nothing.
  void Reserve(std::size_t size) { elements_.reserve(size); }

  // Throws Exception("Array index out of range") past the end.
  UnknownElement& operator[](std::size_t index);
  const UnknownElement& operator[](std::size_t index) const;

  bool operator==(const Array& array) const { return elements_ == array.elements_; }

 private:
  Elements elements_;
};

}  // namespace json
