#include "notifications/json/elements.h"

namespace json {

// The held value. Slots: destruction, deep copy, equality, mutable and read-only visits.
class UnknownElement::Imp {
 public:
  virtual ~Imp() {}
  virtual Imp* Clone() const = 0;
  virtual bool Compare(const Imp& imp) const = 0;
  virtual void Accept(Visitor& visitor) = 0;
  virtual void Accept(ConstVisitor& visitor) const = 0;
};

// Visitors that do nothing for any kind; the typed ones below pick out one kind.
class UnknownElement::CastVisitor : public Visitor {
 public:
  void Visit(Null&) override {}
  void Visit(Boolean&) override {}
  void Visit(String&) override {}
  void Visit(Number&) override {}
  void Visit(Object&) override {}
  void Visit(Array&) override {}
};

class UnknownElement::ConstCastVisitor : public ConstVisitor {
 public:
  void Visit(const Null&) override {}
  void Visit(const Boolean&) override {}
  void Visit(const String&) override {}
  void Visit(const Number&) override {}
  void Visit(const Object&) override {}
  void Visit(const Array&) override {}
};

// Records where the value is when the visited kind is ElementTypeT.
template <typename ElementTypeT>
class UnknownElement::CastVisitor_T : public CastVisitor {
 public:
  using CastVisitor::Visit;
  void Visit(ElementTypeT& element) override { element_ = &element; }
  ElementTypeT* element_ = nullptr;
};

template <typename ElementTypeT>
class UnknownElement::ConstCastVisitor_T : public ConstCastVisitor {
 public:
  using ConstCastVisitor::Visit;
  void Visit(const ElementTypeT& element) override { element_ = &element; }
  const ElementTypeT* element_ = nullptr;
};

template <typename ElementTypeT>
class UnknownElement::Imp_T : public Imp {
 public:
  explicit Imp_T(const ElementTypeT& element) : element_(element) {}
  explicit Imp_T(ElementTypeT&& element) : element_(std::move(element)) {}

  Imp* Clone() const override { return new Imp_T(element_); }

  bool Compare(const Imp& imp) const override {
    ConstCastVisitor_T<ElementTypeT> cast;
    imp.Accept(cast);
    return cast.element_ && element_ == *cast.element_;
  }

  void Accept(Visitor& visitor) override { visitor.Visit(element_); }
  void Accept(ConstVisitor& visitor) const override { visitor.Visit(element_); }

 private:
  ElementTypeT element_;
};

UnknownElement::Imp& UnknownElement::SharedNull() {
  static Imp_T<Null> null((Null()));
  return null;
}

UnknownElement::UnknownElement() : imp_(nullptr) {}
UnknownElement::UnknownElement(const UnknownElement& element)
    : imp_(element.imp_ ? element.imp_->Clone() : nullptr) {}
UnknownElement::UnknownElement(UnknownElement&& element) noexcept : imp_(element.imp_) {
  element.imp_ = nullptr;
}
UnknownElement::UnknownElement(const Object& object) : imp_(new Imp_T<Object>(object)) {}
UnknownElement::UnknownElement(Object&& object) : imp_(new Imp_T<Object>(std::move(object))) {}
UnknownElement::UnknownElement(const Array& array) : imp_(new Imp_T<Array>(array)) {}
UnknownElement::UnknownElement(Array&& array) : imp_(new Imp_T<Array>(std::move(array))) {}
UnknownElement::UnknownElement(const Number& number) : imp_(new Imp_T<Number>(number)) {}
UnknownElement::UnknownElement(const Boolean& boolean) : imp_(new Imp_T<Boolean>(boolean)) {}
UnknownElement::UnknownElement(const String& string) : imp_(new Imp_T<String>(string)) {}
UnknownElement::UnknownElement(String&& string) : imp_(new Imp_T<String>(std::move(string))) {}
UnknownElement::UnknownElement(const Null&) : imp_(nullptr) {}

UnknownElement::~UnknownElement() { delete imp_; }

UnknownElement& UnknownElement::operator=(const UnknownElement& element) {
  if (this != &element) {
    // Clone first: `element` may live inside the value being replaced.
    Imp* copy = element.imp_ ? element.imp_->Clone() : nullptr;
    delete imp_;
    imp_ = copy;
  }
  return *this;
}

UnknownElement& UnknownElement::operator=(UnknownElement&& element) noexcept {
  if (this != &element) {
    // Detach first: `element` may live inside the value being replaced.
    Imp* taken = element.imp_;
    element.imp_ = nullptr;
    delete imp_;
    imp_ = taken;
  }
  return *this;
}

template <typename ElementTypeT>
const ElementTypeT& UnknownElement::CastTo() const {
  ConstCastVisitor_T<ElementTypeT> cast;
  Accept(cast);
  if (!cast.element_) throw Exception("Bad cast");
  return *cast.element_;
}

template <typename ElementTypeT>
ElementTypeT& UnknownElement::ConvertTo() {
  CastVisitor_T<ElementTypeT> cast;
  Accept(cast);
  if (!cast.element_) {
    *this = UnknownElement(ElementTypeT());
    Accept(cast);
  }
  return *cast.element_;
}

Object& UnknownElement::AsObject() { return ConvertTo<Object>(); }
Array& UnknownElement::AsArray() { return ConvertTo<Array>(); }
Number& UnknownElement::AsNumber() { return ConvertTo<Number>(); }
Boolean& UnknownElement::AsBoolean() { return ConvertTo<Boolean>(); }
String& UnknownElement::AsString() { return ConvertTo<String>(); }
Null& UnknownElement::AsNull() { return ConvertTo<Null>(); }
const Object& UnknownElement::AsObject() const { return CastTo<Object>(); }
const Array& UnknownElement::AsArray() const { return CastTo<Array>(); }
const Number& UnknownElement::AsNumber() const { return CastTo<Number>(); }
const Boolean& UnknownElement::AsBoolean() const { return CastTo<Boolean>(); }
const String& UnknownElement::AsString() const { return CastTo<String>(); }
const Null& UnknownElement::AsNull() const { return CastTo<Null>(); }

UnknownElement& UnknownElement::operator[](const std::string& name) { return AsObject()[name]; }

void UnknownElement::Accept(Visitor& visitor) { Held().Accept(visitor); }
void UnknownElement::Accept(ConstVisitor& visitor) const {
  static_cast<const Imp&>(Held()).Accept(visitor);
}

bool UnknownElement::operator==(const UnknownElement& element) const {
  return Held().Compare(element.Held());
}

Object::iterator Object::Find(const std::string& name) {
  iterator it = members_.begin();
  while (it != members_.end() && it->name != name) ++it;
  return it;
}

Object::const_iterator Object::Find(const std::string& name) const {
  const_iterator it = members_.begin();
  while (it != members_.end() && it->name != name) ++it;
  return it;
}

Object::iterator Object::Insert(const Member& member) { return Insert(Member(member)); }

Object::iterator Object::Insert(Member&& member) {
  if (Find(member.name) != members_.end()) {
    throw Exception("Object member already exists: " + member.name);
  }
  AppendUnchecked(std::move(member));
  return members_.end() - 1;
}

UnknownElement& Object::operator[](const std::string& name) {
  iterator it = Find(name);
  if (it != members_.end()) return it->element;
  return AppendUnchecked(Member(name)).element;
}

Object::Member& Object::AppendUnchecked(Member&& member) {
  members_.push_back(std::move(member));
  return members_.back();
}

Array::iterator Array::Insert(const UnknownElement& element) {
  return Insert(UnknownElement(element));
}

Array::iterator Array::Insert(UnknownElement&& element) {
  elements_.push_back(std::move(element));
  return elements_.end() - 1;
}

UnknownElement& Array::operator[](std::size_t index) {
  if (index >= elements_.size()) throw Exception("Array index out of range");
  return elements_[index];
}

const UnknownElement& Array::operator[](std::size_t index) const {
  if (index >= elements_.size()) throw Exception("Array index out of range");
  return elements_[index];
}

}  // namespace json
