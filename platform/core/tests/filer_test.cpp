// Form streams: a component with a number, a text, a flag, raw bytes and a collection goes to a
// stream in the binary layout and comes back whole; a damaged or foreign stream is refused with
// a read error, never read past its end.

#include "platform/core/collection.h"
#include "platform/core/component.h"
#include "platform/core/filer.h"
#include "platform/core/streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace platform::core {
namespace {

class TSampleItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Value = 0;

protected:
    void DefinePublishedProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "Value", [this](TReader& Reader) { Value = Reader.ReadInteger(); },
            [this](TWriter& Writer) { Writer.WriteInteger(Value); }, Value != 0);
    }
};

class TSample : public TComponent {
public:
    static const TComponentClass& ClassRef() {
        static const TComponentClass cls("TSample", &TComponent::ClassRef(),
                                         ConstructorOf<TSample, TComponent, TComponent*>());
        return cls;
    }
    const TClass& ClassType() const override { return ClassRef(); }
    explicit TSample(TComponent* Owner) : TComponent(Owner) {}

    int Count = 0;
    std::string Caption;
    bool Flag = false;
    std::vector<std::uint8_t> Data;
    TCollection Items{[](TCollection* C) { return std::make_unique<TSampleItem>(C); }};
    int LoadedCalls = 0;

protected:
    void Loaded() override { ++LoadedCalls; }
    void DefinePublishedProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "Count", [this](TReader& Reader) { Count = Reader.ReadInteger(); },
            [this](TWriter& Writer) { Writer.WriteInteger(Count); }, Count != 0);
        Filer.DefineProperty(
            "Caption", [this](TReader& Reader) { Caption = Reader.ReadString(); },
            [this](TWriter& Writer) { Writer.WriteString(Caption); }, !Caption.empty());
        Filer.DefineProperty(
            "Flag", [this](TReader& Reader) { Flag = Reader.ReadBoolean(); },
            [this](TWriter& Writer) { Writer.WriteBoolean(Flag); }, Flag);
    }
    void DefineProperties(TFiler& Filer) override {
        Filer.DefineBinaryProperty(
            "Data",
            [this](TStream& Stream) {
                Data.resize(Stream.Remaining());
                Stream.ReadBuffer(Data.data(), Data.size());
            },
            [this](TStream& Stream) { Stream.WriteBuffer(Data.data(), Data.size()); },
            !Data.empty());
        Filer.DefineProperty(
            "Items", [this](TReader& Reader) { Reader.ReadCollection(Items); },
            [this](TWriter& Writer) { Writer.WriteCollection(Items); }, Items.Count() > 0);
    }
};

std::vector<std::uint8_t> Bytes(const std::string& Text) {
    return {Text.begin(), Text.end()};
}

void Append(std::vector<std::uint8_t>& To, const std::vector<std::uint8_t>& More) {
    To.insert(To.end(), More.begin(), More.end());
}

// A sample with every kind of value, and its stream as the layout spells it out.
struct Filled {
    TSample Sample{nullptr};
    std::vector<std::uint8_t> Expected;
    Filled() {
        Sample.Name = "Sample1";
        Sample.Count = 300;
        Sample.Caption = "Hi";
        Sample.Flag = true;
        Sample.Data = {0xDE, 0xAD};
        static_cast<TSampleItem&>(Sample.Items.Add()).Value = -2;
        Sample.Items.Add();
        Expected = Bytes("TPF0\x07TSample\x07Sample1");
        Append(Expected, Bytes("\x05"
                               "Count"));
        Append(Expected, {0x03, 0x2C, 0x01}); // 16 bits: 300
        Append(Expected, Bytes("\x07"
                               "Caption\x06\x02Hi"));
        Append(Expected, Bytes("\x04"
                               "Flag\x09"));
        Append(Expected, Bytes("\x04"
                               "Data"));
        Append(Expected, {0x0A, 0x02, 0x00, 0x00, 0x00, 0xDE, 0xAD});
        Append(Expected, Bytes("\x05"
                               "Items\x0E\x01\x05"
                               "Value"));
        Append(Expected, {0x02, 0xFE, 0x00, 0x01, 0x00, 0x00}); // -2; an item with no values
        Append(Expected, {0x00, 0x00});                         // no more properties, no children
    }
};

TEST(FilerTest, AComponentWritesInTheBinaryLayoutAndReadsBackWhole) {
    Filled F;
    TMemoryStream Stream;
    Stream.WriteComponent(F.Sample);
    EXPECT_EQ(Stream.Bytes(), F.Expected);

    TSample Copy(nullptr);
    Stream.SetPosition(0);
    Stream.ReadComponent(Copy);
    EXPECT_EQ(Copy.Name, "Sample1");
    EXPECT_EQ(Copy.Count, 300);
    EXPECT_EQ(Copy.Caption, "Hi");
    EXPECT_TRUE(Copy.Flag);
    EXPECT_EQ(Copy.Data, (std::vector<std::uint8_t>{0xDE, 0xAD}));
    ASSERT_EQ(Copy.Items.Count(), 2);
    EXPECT_EQ(static_cast<TSampleItem*>(Copy.Items.Items(0))->Value, -2);
    EXPECT_EQ(static_cast<TSampleItem*>(Copy.Items.Items(1))->Value, 0);
    EXPECT_EQ(Copy.LoadedCalls, 1);
    EXPECT_EQ(Stream.Position(), Stream.Size());
}

TEST(FilerTest, EveryCutOfAStreamIsRefusedAsAReadError) {
    Filled F;
    TMemoryStream Whole;
    Whole.WriteComponent(F.Sample);
    for (std::size_t Length = 0; Length < Whole.Size(); ++Length) {
        TMemoryStream Cut({Whole.Bytes().begin(), Whole.Bytes().begin() + Length});
        TSample Copy(nullptr);
        EXPECT_THROW(Cut.ReadComponent(Copy), EReadError) << Length;
    }
}

TEST(FilerTest, DamagedStreamsAreRefused) {
    Filled F;
    TMemoryStream Whole;
    Whole.WriteComponent(F.Sample);
    const std::vector<std::uint8_t> Good = Whole.Bytes();
    auto At = [&](const std::string& Text) {
        const auto Found = std::search(Good.begin(), Good.end(), Text.begin(), Text.end());
        return static_cast<std::size_t>(Found - Good.begin()) + Text.size();
    };
    struct Case {
        const char* What;
        std::size_t Offset;
        std::uint8_t Byte;
    };
    for (const Case& C : {
             Case{"another signature", 3, '1'},
             Case{"an unknown property", At("Sample1") + 1, 'X'}, // "Xount"
             Case{"a text where a number belongs", At("Count"), vaString},
             Case{"raw bytes longer than the stream", At("Data") + 1, 0xFF},
             Case{"a collection item without its list", At("Items\x0E"), vaTrue},
         }) {
        std::vector<std::uint8_t> Bad = Good;
        Bad[C.Offset] = C.Byte;
        TMemoryStream Stream(Bad);
        TSample Copy(nullptr);
        EXPECT_THROW(Stream.ReadComponent(Copy), EReadError) << C.What;
    }
}

// A part of a sample written inside it, and the object property it holds.
class TPart : public TComponent {
public:
    static const TComponentClass& ClassRef() {
        static const TComponentClass cls("TPart", &TComponent::ClassRef(),
                                         ConstructorOf<TPart, TComponent, TComponent*>());
        return cls;
    }
    const TClass& ClassType() const override { return ClassRef(); }
    explicit TPart(TComponent* Owner) : TComponent(Owner) {}

    bool HasParent() const override { return Whole != nullptr; }
    TComponent* GetParentComponent() const override { return Whole; }
    void SetParentComponent(TComponent* Parent) override { Whole = Parent; }

    TComponent* Whole = nullptr;
    // Another component, found by its name once everything is read.
    TComponent* Next = nullptr;
    unsigned Styles = 0;
    TSampleItem Options{nullptr};
    // What Loaded saw: every reference is in place before the first Loaded runs.
    std::vector<std::string> SeenAtLoaded;

protected:
    void Loaded() override { SeenAtLoaded.push_back(Next ? Next->Name : "nil"); }
    void DefinePublishedProperties(TFiler& Filer) override {
        static constexpr const char* StyleNames[] = {"psBold", "psWide", "psLast"};
        Filer.DefineReference(
            "Next", Next, [this](TComponent* Value) { Next = Value; }, Next != nullptr);
        Filer.DefineSet(
            "Styles", Styles, StyleNames, [this](unsigned Value) { Styles = Value; }, Styles != 0);
        Filer.DefineNested("Options", Options);
    }
};

// A root with parts that hang from it, as a form holds its components.
class TWhole : public TSample {
public:
    using TSample::TSample;
    void GetChildren(const std::function<void(TComponent*)>& Proc,
                     TComponent* Root) const override {
        for (int I = 0; I < ComponentCount(); ++I)
            if (auto* Part = dynamic_cast<TPart*>(Components(I)); Part && Part->Whole == Root)
                Proc(Part);
    }
};

TEST(FilerTest, ChildrenComeBackWithTheirReferencesSetsAndObjectProperties) {
    RegisterClass(TPart::ClassRef());
    TWhole Whole(nullptr);
    Whole.Name = "Whole1";
    auto& First = Whole.Own<TPart>();
    auto& Second = Whole.Own<TPart>();
    First.Name = "First";
    Second.Name = "Second";
    First.Whole = Second.Whole = &Whole;
    // A reference forward, to a part read after it, and one back.
    First.Next = &Second;
    Second.Next = &First;
    First.Styles = 0b101;
    First.Options.Value = 7;
    TMemoryStream Stream;
    Stream.WriteComponent(Whole);

    TWhole Copy(nullptr);
    Stream.SetPosition(0);
    Stream.ReadComponent(Copy);
    UnRegisterClass(TPart::ClassRef());
    ASSERT_EQ(Copy.ComponentCount(), 2);
    auto* A = dynamic_cast<TPart*>(Copy.Components(0));
    auto* B = dynamic_cast<TPart*>(Copy.Components(1));
    ASSERT_TRUE(A && B);
    EXPECT_EQ(A->Name, "First");
    EXPECT_EQ(A->Whole, &Copy);
    EXPECT_EQ(A->Next, B);
    EXPECT_EQ(B->Next, A);
    EXPECT_EQ(A->Styles, 0b101u);
    EXPECT_EQ(A->Options.Value, 7);
    EXPECT_EQ(B->Options.Value, 0);
    EXPECT_EQ(A->SeenAtLoaded, (std::vector<std::string>{"Second"}));
    EXPECT_EQ(Copy.LoadedCalls, 1);
    EXPECT_FALSE(A->ComponentState() & csLoading);
    EXPECT_EQ(Stream.Position(), Stream.Size());
}

TEST(FilerTest, AChildOfAClassNotRegisteredIsRefusedAndNothingOfItStays) {
    RegisterClass(TPart::ClassRef());
    TWhole Whole(nullptr);
    auto& Part = Whole.Own<TPart>();
    Part.Name = "Part1";
    Part.Whole = &Whole;
    Part.Styles = 2;
    TMemoryStream Stream;
    Stream.WriteComponent(Whole);
    UnRegisterClass(TPart::ClassRef());
    TWhole Copy(nullptr);
    Stream.SetPosition(0);
    EXPECT_THROW(Stream.ReadComponent(Copy), EClassNotFound);
    EXPECT_EQ(Copy.ComponentCount(), 0);
    EXPECT_FALSE(Copy.ComponentState() & csLoading);

    // A set member the reader does not know is damage.
    RegisterClass(TPart::ClassRef());
    std::vector<std::uint8_t> Bad = Stream.Bytes();
    const std::string Text(Bad.begin(), Bad.end());
    const std::size_t At = Text.find("psWide");
    ASSERT_NE(At, std::string::npos);
    Bad[At + 2] = 'X';
    TMemoryStream Damaged(Bad);
    TWhole Third(nullptr);
    EXPECT_THROW(Damaged.ReadComponent(Third), EReadError);
    EXPECT_EQ(Third.ComponentCount(), 0);
    UnRegisterClass(TPart::ClassRef());
}

} // namespace
} // namespace platform::core
