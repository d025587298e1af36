// The element model: kinds, typed access, lookups, containers, copies and visitors.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "notifications/json/elements.h"

namespace {

// Names the kind of the visited value.
class KindVisitor : public json::ConstVisitor {
 public:
  std::string kind;
  void Visit(const json::Null&) override { kind = "null"; }
  void Visit(const json::Boolean&) override { kind = "boolean"; }
  void Visit(const json::String&) override { kind = "string"; }
  void Visit(const json::Number&) override { kind = "number"; }
  void Visit(const json::Object&) override { kind = "object"; }
  void Visit(const json::Array&) override { kind = "array"; }
};

std::string KindOf(const json::UnknownElement& element) {
  KindVisitor visitor;
  element.Accept(visitor);
  return visitor.kind;
}

// Doubles every number in a tree through the mutable visitor.
class DoubleNumbers : public json::Visitor {
 public:
  void Visit(json::Null&) override {}
  void Visit(json::Boolean&) override {}
  void Visit(json::String&) override {}
  void Visit(json::Number& number) override { number.Value() *= 2; }
  void Visit(json::Object& object) override {
    for (json::Object::Member& member : object) member.element.Accept(*this);
  }
  void Visit(json::Array& array) override {
    for (json::UnknownElement& element : array) element.Accept(*this);
  }
};

TEST(Elements, ConstructionGivesEachKind) {
  EXPECT_EQ("null", KindOf(json::UnknownElement()));
  EXPECT_EQ("null", KindOf(json::Null()));
  EXPECT_EQ("boolean", KindOf(json::Boolean(true)));
  EXPECT_EQ("string", KindOf(json::String("s")));
  EXPECT_EQ("number", KindOf(json::Number(1)));
  EXPECT_EQ("object", KindOf(json::Object()));
  EXPECT_EQ("array", KindOf(json::Array()));
}

TEST(Elements, MutableAccessReplacesAnotherKindByItsEmptyValue) {
  json::UnknownElement element = json::String("text");
  EXPECT_EQ(0.0, element.AsNumber().Value());
  EXPECT_EQ("number", KindOf(element));
  element.AsNumber().Value() = 5;
  EXPECT_EQ(5.0, element.AsNumber().Value());  // same kind: kept

  EXPECT_EQ("", element.AsString().Value());
  EXPECT_FALSE(element.AsBoolean().Value());
  EXPECT_TRUE(element.AsObject().Empty());
  EXPECT_TRUE(element.AsArray().Empty());
  element.AsNull();
  EXPECT_EQ("null", KindOf(element));
}

TEST(Elements, ConstAccessToAnotherKindThrows) {
  const json::UnknownElement number = json::Number(3);
  EXPECT_EQ(3.0, number.AsNumber().Value());
  try {
    number.AsString();
    FAIL() << "no exception";
  } catch (const json::Exception& e) {
    EXPECT_STREQ("Bad cast", e.what());
  }
  EXPECT_THROW(number.AsObject(), json::Exception);
  const json::UnknownElement null;
  EXPECT_THROW(null.AsArray(), std::runtime_error);
}

TEST(Elements, LookupOfAMissingNameAppendsANullMember) {
  json::Object object;
  object["first"] = json::Number(1);
  object["second"] = json::Number(2);
  EXPECT_EQ("null", KindOf(object["third"]));
  EXPECT_EQ(1.0, object["first"].AsNumber().Value());  // found, nothing appended

  std::vector<std::string> names;
  for (const json::Object::Member& member : object) names.push_back(member.name);
  EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), names);
}

TEST(Elements, LookupThroughAnElementMakesItAnObject) {
  json::UnknownElement element = json::Array();
  element["m"] = json::String("v");
  EXPECT_EQ("object", KindOf(element));
  EXPECT_EQ("v", element.AsObject().Find("m")->element.AsString().Value());
}

TEST(Elements, InsertingAnExistingNameThrows) {
  json::Object object;
  object.Insert(json::Object::Member("a", json::Number(1)));
  try {
    object.Insert(json::Object::Member("a", json::Number(2)));
    FAIL() << "no exception";
  } catch (const json::Exception& e) {
    EXPECT_STREQ("Object member already exists: a", e.what());
  }
  EXPECT_EQ(1u, object.Size());
  EXPECT_EQ(1.0, object["a"].AsNumber().Value());
}

TEST(Elements, ObjectFindAndErase) {
  json::Object object;
  object["a"] = json::Number(1);
  object["b"] = json::Number(2);
  const json::Object& read = object;
  EXPECT_EQ(read.end(), read.Find("c"));
  object.Erase(object.Find("a"));
  ASSERT_EQ(1u, object.Size());
  EXPECT_EQ("b", object.begin()->name);
}

TEST(Elements, ArrayAppendsErasesAndIndexes) {
  json::Array array;
  for (int i = 0; i < 5; ++i) array.Insert(json::Number(i));
  ASSERT_EQ(5u, array.Size());

  // Erase the odd numbers while walking, as a filter does.
  for (json::Array::iterator it = array.begin(); it != array.end();) {
    if (static_cast<int>(it->AsNumber().Value()) % 2) {
      it = array.Erase(it);
    } else {
      ++it;
    }
  }
  std::vector<double> left;
  for (const json::UnknownElement& element : array) left.push_back(element.AsNumber().Value());
  EXPECT_EQ((std::vector<double>{0, 2, 4}), left);
  EXPECT_EQ(4.0, array[2].AsNumber().Value());
  EXPECT_THROW(array[3], json::Exception);
}

TEST(Elements, CopiesAreDeep) {
  json::UnknownElement original;
  original["list"].AsArray().Insert(json::String("kept"));
  json::UnknownElement copy = original;
  copy["list"].AsArray()[0].AsString().Value() = "changed";
  copy["added"] = json::Boolean(true);

  EXPECT_EQ("kept", original["list"].AsArray()[0].AsString().Value());
  EXPECT_EQ(1u, original.AsObject().Size());
  EXPECT_FALSE(copy == original);
}

TEST(Elements, AnElementCanTakeTheValueOfItsOwnChild) {
  json::UnknownElement element;
  element["child"]["grandchild"] = json::Number(7);
  element = element["child"];
  EXPECT_EQ(7.0, element["grandchild"].AsNumber().Value());

  json::UnknownElement moved;
  moved["inner"] = json::String("s");
  moved = std::move(moved["inner"]);
  EXPECT_EQ("s", moved.AsString().Value());
}

TEST(Elements, MovedFromElementsAreNull) {
  json::UnknownElement source = json::String("s");
  json::UnknownElement target = std::move(source);
  EXPECT_EQ("string", KindOf(target));
  EXPECT_EQ("null", KindOf(source));  // NOLINT(bugprone-use-after-move): defined state
}

TEST(Elements, EqualityComparesKindsAndValuesInOrder) {
  json::Object ab;
  ab["a"] = json::Number(1);
  ab["b"] = json::Number(2);
  json::Object ba;
  ba["b"] = json::Number(2);
  ba["a"] = json::Number(1);
  json::Object ab_again = ab;

  EXPECT_TRUE(json::UnknownElement(ab) == json::UnknownElement(ab_again));
  EXPECT_FALSE(json::UnknownElement(ab) == json::UnknownElement(ba));
  EXPECT_TRUE(json::UnknownElement() == json::UnknownElement(json::Null()));
  EXPECT_FALSE(json::UnknownElement(json::Number(0)) == json::UnknownElement(json::Boolean(false)));
  EXPECT_FALSE(json::UnknownElement(json::String("")) == json::UnknownElement());
  EXPECT_TRUE(json::UnknownElement(json::String("x")) != json::UnknownElement(json::String("y")));
}

TEST(Elements, MutableVisitorsChangeValuesInPlace) {
  json::UnknownElement element;
  element["n"] = json::Number(1.5);
  element["list"].AsArray().Insert(json::Number(4));
  DoubleNumbers doubler;
  element.Accept(doubler);
  EXPECT_EQ(3.0, element["n"].AsNumber().Value());
  EXPECT_EQ(8.0, element["list"].AsArray()[0].AsNumber().Value());
}

TEST(Elements, TrivialTypesConvertToTheirValues) {
  json::Number number(2.5);
  double& value = number;
  value = 4;
  EXPECT_EQ(4.0, number.Value());
  const json::String text("abc");
  const std::string& held = text;
  EXPECT_EQ("abc", held);
}

}  // namespace
