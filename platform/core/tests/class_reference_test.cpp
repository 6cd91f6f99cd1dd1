#include "platform/core/class_reference.h"
#include "platform/core/persistent.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::core {
namespace {

// A small family created by class: a shape with a name given to its virtual constructor.
class Shape;
using ShapeClass = TClassOf<Shape, std::string>;

class Shape : public TObject {
public:
    explicit Shape(std::string name) : Name(std::move(name)) {}
    static const ShapeClass& ClassRef() {
        static const ShapeClass cls("Shape", &TObject::ClassRef());
        return cls;
    }
    const ShapeClass& ClassType() const override { return ClassRef(); }
    std::string Name;
};

class Square : public Shape {
public:
    using Shape::Shape;
    static const ShapeClass& ClassRef() {
        static const ShapeClass cls("Square", &Shape::ClassRef(),
                                    ConstructorOf<Square, Shape, std::string>());
        return cls;
    }
    const ShapeClass& ClassType() const override { return ClassRef(); }
};

class Circle : public Shape {
public:
    using Shape::Shape;
    static const ShapeClass& ClassRef() {
        static const ShapeClass cls("Circle", &Shape::ClassRef(),
                                    ConstructorOf<Circle, Shape, std::string>());
        return cls;
    }
    const ShapeClass& ClassType() const override { return ClassRef(); }
};

TEST(ClassReference, InheritsFromItselfAndItsAncestorsOnly) {
    const TClass& square = Square::ClassRef();
    EXPECT_TRUE(square.InheritsFrom(&square));
    EXPECT_TRUE(square.InheritsFrom(&Shape::ClassRef()));
    EXPECT_TRUE(square.InheritsFrom(&TObject::ClassRef()));
    EXPECT_FALSE(square.InheritsFrom(&Circle::ClassRef()));
    EXPECT_FALSE(Shape::ClassRef().InheritsFrom(&square));
    EXPECT_FALSE(square.InheritsFrom(nullptr));
    EXPECT_EQ(square.ClassParent(), &Shape::ClassRef());
    EXPECT_EQ(TObject::ClassRef().ClassParent(), nullptr);
    EXPECT_EQ(square.ClassName(), "Square");
}

TEST(ClassReference, CreatesAnObjectOfTheClassItStandsFor) {
    const ShapeClass* chosen = &Circle::ClassRef();
    std::unique_ptr<Shape> shape = chosen->Create("round");
    EXPECT_EQ(&shape->ClassType(), &Circle::ClassRef());
    EXPECT_EQ(shape->Name, "round");
    EXPECT_TRUE(IsInstanceOf(shape.get(), &Shape::ClassRef()));
    EXPECT_FALSE(IsInstanceOf(shape.get(), &Square::ClassRef()));
    EXPECT_FALSE(IsInstanceOf(nullptr, &Shape::ClassRef()));
}

TEST(ClassReference, AnAbstractClassCannotBeCreated) {
    EXPECT_TRUE(Shape::ClassRef().IsAbstract());
    EXPECT_THROW(Shape::ClassRef().Create("x"), EAbstractError);
}

TEST(ClassReference, TheRegistryFindsClassesByNameWithoutCase) {
    RegisterClass(Square::ClassRef());
    RegisterClass(Square::ClassRef());
    EXPECT_EQ(GetClass("SQUARE"), &Square::ClassRef());
    EXPECT_EQ(&FindClass("square"), &Square::ClassRef());
    EXPECT_EQ(GetClass("Circle"), nullptr);
    EXPECT_THROW(FindClass("Circle"), EClassNotFound);

    static const ShapeClass impostor("Square", &Shape::ClassRef());
    EXPECT_THROW(RegisterClass(impostor), EFilerError);

    UnRegisterClass(Square::ClassRef());
    EXPECT_EQ(GetClass("Square"), nullptr);
}

class Named : public TPersistent {
public:
    static const TClass& ClassRef() {
        static const TClass cls("TNamed", &TPersistent::ClassRef());
        return cls;
    }
    const TClass& ClassType() const override { return ClassRef(); }
};

TEST(Persistent, AssigningWhatNeitherSideKnowsRaises) {
    Named a;
    TPersistent b;
    try {
        a.Assign(&b);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TNamed");
    }
    try {
        a.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TNamed");
    }
    EXPECT_EQ(a.GetOwner(), nullptr);
}

} // namespace
} // namespace platform::core
